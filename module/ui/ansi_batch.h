#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// Many short UTF-8 texts in their ANSI form, converted in one pass: a table of 65 000 rows would
// otherwise open a converter a million times.
class AnsiBatch {
public:
    explicit AnsiBatch(std::span<const std::string_view> utf8);

    std::size_t size() const { return ends_.size(); }
    std::string_view operator[](std::size_t index) const {
        const std::size_t start = index == 0 ? 0 : std::min(ends_[index - 1] + gap_, ends_[index]);
        return std::string_view(buffer_).substr(start, ends_[index] - start);
    }

private:
    std::string buffer_;
    std::vector<std::size_t> ends_;
    std::size_t gap_ = 0;  // the separator between two texts in the buffer, if any
};

}  // namespace quorstat
