#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorstat::service {

// One record of TAG=VALUE fields, each ended by "|"; records of a list are joined with "$".
class TaggedRecord {
public:
    TaggedRecord& add(std::string_view tag, std::string_view value);
    TaggedRecord& add(std::string_view tag, std::int64_t value);
    TaggedRecord& flag(std::string_view tag, bool value);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace quorstat::service
