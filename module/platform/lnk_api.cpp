#include "platform/lnk_api.h"

#include "core/loaded_api.h"

namespace quorstat {

bool LnkApi::resolve(const SharedLibrary& library) {
    return library.resolve(initialize, "liblnk_file_initialize") &&
           library.resolve(setAsciiCodepage, "liblnk_file_set_ascii_codepage") &&
           library.resolve(open, "liblnk_file_open") &&
           library.resolve(close, "liblnk_file_close") &&
           library.resolve(free, "liblnk_file_free") &&
           library.resolve(localPathSize, "liblnk_file_get_utf8_local_path_size") &&
           library.resolve(localPath, "liblnk_file_get_utf8_local_path") &&
           library.resolve(networkPathSize, "liblnk_file_get_utf8_network_path_size") &&
           library.resolve(networkPath, "liblnk_file_get_utf8_network_path") &&
           library.resolve(argumentsSize, "liblnk_file_get_utf8_command_line_arguments_size") &&
           library.resolve(arguments, "liblnk_file_get_utf8_command_line_arguments");
}

const LnkApi* Lnk() {
    static const LoadedApi<LnkApi> lnk("liblnk.so.1");
    return lnk.get();
}

}  // namespace quorstat
