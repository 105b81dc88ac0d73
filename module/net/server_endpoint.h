#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "core/ini_document.h"

namespace quorstat {

inline constexpr std::string_view kDefaultServerHost = "127.0.0.1";
inline constexpr std::string_view kServerVariable = "QUORSTAT_SERVER";

struct HostPort {
    std::string host;
    int port = 0;
};

// "host:port" or "[v6-address]:port" with a port 1..65535; none otherwise.
std::optional<HostPort> ParseHostPort(std::string_view text);

// Sets the service endpoint of `state` from the [Server] section of config.ini (Host, Port,
// Path); `serverVariable`, the value of QUORSTAT_SERVER when set, replaces host and port.
// Values that cannot be used leave the defaults.
void LoadServerEndpoint(AppState& state, const IniDocument& config, const char* serverVariable);

// "http://host:port/path/page".
std::string RequestUrl(std::string_view host, int port, std::string_view path,
                       std::string_view page);

}  // namespace quorstat
