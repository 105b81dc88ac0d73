#include "net/server_endpoint.h"

#include <algorithm>
#include <charconv>

#include <fmt/format.h>

namespace quorstat {
namespace {

constexpr std::string_view kSection = "Server";

std::optional<int> readPort(std::string_view text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

bool isUsableHost(std::string_view host) {
    return !host.empty() && std::none_of(host.begin(), host.end(), [](char c) {
        return c == '/' || c == '?' || c == '#' || c == '@' || static_cast<unsigned char>(c) <= ' ';
    });
}

// Leading and trailing "/" so that the page can be appended.
std::string normalisedPath(std::string_view path) {
    std::string text(path);
    if (!text.starts_with('/'))
        text.insert(text.begin(), '/');
    if (!text.ends_with('/'))
        text += '/';
    return text;
}

}  // namespace

std::optional<HostPort> ParseHostPort(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::string_view host = text.substr(0, colon);
    const auto port = readPort(text.substr(colon + 1));
    const bool bracketed = host.starts_with('[') && host.ends_with(']');
    // An unbracketed host with a colon is an IPv6 address whose port cannot be told apart.
    if (!port || !isUsableHost(host) || (!bracketed && host.find(':') != std::string_view::npos))
        return std::nullopt;
    return HostPort{std::string(host), *port};
}

void LoadServerEndpoint(AppState& state, const IniDocument& config, const char* serverVariable) {
    state.serverHost = kDefaultServerHost;
    if (const auto host = config.value(kSection, "Host"); host && isUsableHost(*host))
        state.serverHost = *host;
    if (const auto port = config.value(kSection, "Port"))
        state.serverPort = readPort(*port).value_or(80);
    if (const auto path = config.value(kSection, "Path"); path && !path->empty())
        state.serverPath = normalisedPath(*path);
    if (serverVariable == nullptr)
        return;
    if (const auto server = ParseHostPort(serverVariable)) {
        state.serverHost = server->host;
        state.serverPort = server->port;
    }
}

std::string RequestUrl(std::string_view host, int port, std::string_view path,
                       std::string_view page) {
    return fmt::format("http://{}:{}{}{}", host, port, path, page);
}

}  // namespace quorstat
