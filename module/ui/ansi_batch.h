#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_codec.h"

namespace quorstat {

// Many short UTF-8 texts in their ANSI form, converted in one pass: a table of 65 000 rows would
// otherwise open a converter a million times. `produce(add)` calls add(text) for every text, in
// order (it runs more than once); forEach hands them back converted, in the same order.
class AnsiBatch {
public:
    template <typename Produce>
    explicit AnsiBatch(Produce&& produce) {
        std::size_t size = 0;
        produce([&](std::string_view text) { size += text.size() + 1; });
        std::string joined;
        joined.reserve(size);
        bool separable = true;
        produce([&](std::string_view text) {
            separable = separable && text.find(kSeparator) == std::string_view::npos;
            joined += text;
            joined += kSeparator;
        });
        if (separable) {
            buffer_ = ToAnsi(joined);
            return;
        }
        produce([&](std::string_view text) {
            const std::string ansi = ToAnsi(text);
            buffer_ += ansi;
            lengths_.push_back(ansi.size());
        });
    }

    template <typename Visit>
    void forEach(Visit&& visit) const {
        std::string_view rest(buffer_);
        if (!lengths_.empty()) {
            for (const std::size_t length : lengths_) {
                visit(rest.substr(0, length));
                rest.remove_prefix(length);
            }
            return;
        }
        while (!rest.empty()) {
            const std::size_t end = rest.find(kSeparator);
            visit(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }

private:
    // NUL is the only character whose ANSI form holds a zero byte, so it separates the texts
    // safely; texts that hold one themselves are converted one by one.
    static constexpr char kSeparator = '\0';

    std::string buffer_;
    std::vector<std::size_t> lengths_;
};

}  // namespace quorstat
