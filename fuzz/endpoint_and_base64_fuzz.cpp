// The endpoint variable and Base64 in both directions.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/base64.h"
#include "net/server_endpoint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto server = quorstat::ParseHostPort(bytes)) {
        if (server->port < 1 || server->port > 65535 || server->host.empty())
            std::abort();
    }
    quorstat::DecodeBase64(bytes);
    if (quorstat::DecodeBase64(quorstat::EncodeBase64(bytes)) != std::string(bytes))
        std::abort();
    return 0;
}
