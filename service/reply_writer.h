#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorstat::service {

inline constexpr const char* kReplyContentType = "text/plain; charset=GB18030";

// A reply in UTF-8: the status character, then fields each led by "|". The router encodes it.
class ReplyWriter {
public:
    explicit ReplyWriter(char status) : text_(1, status) {}

    ReplyWriter& field(std::string_view text);
    ReplyWriter& field(std::int64_t number);
    const std::string& text() const { return text_; }

    static std::string failure(std::string_view message);
    static std::string sessionEnded(std::string_view message);
    // The failure that answers a request refused before any page saw it, with this HTTP status.
    static std::string httpFailure(int status);

private:
    std::string text_;
};

}  // namespace quorstat::service
