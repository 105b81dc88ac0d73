// "qs.dat" and "qsc.dat" in any of their three versions: what is read must survive a write.
#include <cstdint>
#include <string_view>

#include "core/send_config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorstat::tagCONFIG_QQSEND config;
    quorstat::ReadSendConfig(std::string_view(reinterpret_cast<const char*>(data), size), config);
    quorstat::tagCONFIG_QQSEND again;
    if (!quorstat::ReadSendConfig(quorstat::WriteSendConfig(config), again) || !(again == config))
        __builtin_trap();
    return 0;
}
