// Typed number lists: either ascending distinct values 0..65535 or a message, never both.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/number_list_parser.h"

namespace {

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<int> values;
    if (quorstat::ParseNumberList(text, values) == 1) {
        check(!values.empty() && values.front() >= 0 && values.back() <= 65535);
        check(std::ranges::adjacent_find(values, std::greater_equal<>{}) == values.end());
    } else {
        const std::string_view message = quorstat::lastInputError();
        check(values.empty() && message.ends_with("！"));
    }
    return 0;
}
