#include "ui/ansi_batch.h"

#include <algorithm>

#include "core/text_codec.h"

namespace quorstat {
namespace {

// NUL is the only character whose ANSI form holds a zero byte, so it separates the texts safely.
constexpr char kSeparator = '\0';

}  // namespace

AnsiBatch::AnsiBatch(std::span<const std::string_view> utf8) {
    ends_.reserve(utf8.size());
    std::string joined;
    bool separable = true;
    for (const std::string_view text : utf8) {
        separable = separable && text.find(kSeparator) == std::string_view::npos;
        joined += text;
        joined += kSeparator;
    }
    if (!separable) {
        for (const std::string_view text : utf8) {
            buffer_ += ToAnsi(text);
            ends_.push_back(buffer_.size());
        }
        return;
    }
    buffer_ = ToAnsi(joined);
    gap_ = 1;
    for (std::size_t at = buffer_.find(kSeparator);
         at != std::string::npos && ends_.size() < utf8.size();
         at = buffer_.find(kSeparator, at + 1))
        ends_.push_back(at);
    // Only a converter that could not start leaves texts without their separator: they read empty.
    ends_.resize(utf8.size(), buffer_.size());
}

}  // namespace quorstat
