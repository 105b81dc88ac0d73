#include "service/request_framing.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "service/ascii_case.h"

namespace quorstat::service {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<std::size_t> parseLength(std::string_view text) {
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), length);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return length;
}

RequestFrame refused(int status) {
    RequestFrame frame;
    frame.state = RequestFrame::State::Refused;
    frame.status = status;
    return frame;
}

}  // namespace

RequestFrame frameRequest(std::string_view received, std::size_t maxBodyBytes) {
    const std::size_t headerEnd = received.find("\r\n\r\n");
    if (headerEnd == std::string_view::npos)
        return received.size() > RequestFrame::kMaxHeaderBytes ? refused(431) : RequestFrame{};
    const std::size_t bodyStart = headerEnd + 4;
    if (bodyStart > RequestFrame::kMaxHeaderBytes)
        return refused(431);

    RequestFrame frame;
    std::optional<std::size_t> contentLength;
    // Header lines follow the request line; each ends with CRLF, the last one included.
    for (std::size_t start = received.find("\r\n") + 2; start < bodyStart - 2;) {
        const std::size_t end = received.find("\r\n", start);
        const std::string_view line = received.substr(start, end - start);
        const std::size_t colon = line.find(':');
        const std::string_view name = line.substr(0, colon);
        const std::string_view value =
            colon == std::string_view::npos ? std::string_view() : trimmed(line.substr(colon + 1));
        if (equalIgnoringCase(name, "Content-Length")) {
            const std::optional<std::size_t> length = parseLength(value);
            if (!length || (contentLength && *contentLength != *length))
                return refused(400);
            contentLength = length;
        } else if (equalIgnoringCase(name, "Transfer-Encoding")) {
            return refused(411);
        } else if (equalIgnoringCase(name, "Content-Encoding") &&
                   !equalIgnoringCase(value, "identity")) {
            return refused(415);
        } else if (equalIgnoringCase(name, "Expect") && equalIgnoringCase(value, "100-continue")) {
            frame.expectLineStart = start;
            frame.expectLineLength = end + 2 - start;
        }
        start = end + 2;
    }
    if (contentLength.value_or(0) > maxBodyBytes)
        return refused(413);
    if (received.size() - bodyStart < contentLength.value_or(0))
        return frame;
    frame.state = RequestFrame::State::Complete;
    frame.length = bodyStart + contentLength.value_or(0);
    return frame;
}

}  // namespace quorstat::service
