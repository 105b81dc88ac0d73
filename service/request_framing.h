#pragma once

#include <cstddef>
#include <string_view>

namespace quorstat::service {

// Where one HTTP/1.1 request ends in the bytes received so far, found before any worker sees it.
// A body is read only with "Content-Length" (the client always sends one), at most the body
// limit, and uncompressed; the header block may take kMaxHeaderBytes.
struct RequestFrame {
    static constexpr std::size_t kMaxHeaderBytes = 16 * 1024;

    enum class State { Incomplete, Complete, Refused };
    State state = State::Incomplete;
    // Complete: the bytes of the request, header block and body.
    std::size_t length = 0;
    // Refused: the HTTP status to answer with.
    int status = 0;
    // The line "Expect: 100-continue" with its CRLF, when the header block holds one.
    std::size_t expectLineStart = 0;
    std::size_t expectLineLength = 0;
};

RequestFrame frameRequest(std::string_view received, std::size_t maxBodyBytes);

}  // namespace quorstat::service
