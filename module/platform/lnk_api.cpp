#include "platform/lnk_api.h"

#include "core/shared_library.h"

namespace quorstat {
namespace {

class LoadedLnk {
public:
    LoadedLnk() : library_("liblnk.so.1") {
        complete_ =
            library_.resolve(api_.initialize, "liblnk_file_initialize") &&
            library_.resolve(api_.setAsciiCodepage, "liblnk_file_set_ascii_codepage") &&
            library_.resolve(api_.open, "liblnk_file_open") &&
            library_.resolve(api_.close, "liblnk_file_close") &&
            library_.resolve(api_.free, "liblnk_file_free") &&
            library_.resolve(api_.localPathSize, "liblnk_file_get_utf8_local_path_size") &&
            library_.resolve(api_.localPath, "liblnk_file_get_utf8_local_path") &&
            library_.resolve(api_.networkPathSize, "liblnk_file_get_utf8_network_path_size") &&
            library_.resolve(api_.networkPath, "liblnk_file_get_utf8_network_path") &&
            library_.resolve(api_.argumentsSize,
                             "liblnk_file_get_utf8_command_line_arguments_size") &&
            library_.resolve(api_.arguments, "liblnk_file_get_utf8_command_line_arguments");
    }

    const LnkApi* api() const { return complete_ ? &api_ : nullptr; }

private:
    SharedLibrary library_;
    LnkApi api_;
    bool complete_ = false;
};

}  // namespace

const LnkApi* Lnk() {
    static const LoadedLnk lnk;
    return lnk.api();
}

}  // namespace quorstat
