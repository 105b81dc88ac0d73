#pragma once

#include <algorithm>
#include <string_view>

namespace quorstat::service {

// Equal but for the case of ASCII letters: field and header names.
inline bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

}  // namespace quorstat::service
