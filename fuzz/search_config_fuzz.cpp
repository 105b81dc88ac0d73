// "SearchUserConfig.dat": what loads must write back to a file that loads the same, its values
// must be in range, and every stored filter text must normalise to a form that normalises to
// itself with the same condition.
#include <cstdint>
#include <string>
#include <string_view>

#include "share/filter_condition.h"
#include "share/search_user_config.h"
#include "share/user_search.h"

namespace {

void checkFilterText(std::string text, bool integer) {
    const std::string condition = quorstat::FormatFilterCondition(text, integer);
    if (condition.empty() != text.empty())
        __builtin_trap();
    std::string again = text;
    if (quorstat::FormatFilterCondition(again, integer) != condition || again != text)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto config = quorstat::ReadSearchUserConfig(bytes);
    if (!config)
        return 0;
    if (config->sortColumn < 0 || config->sortColumn > quorstat::kLastSortColumn ||
        config->listMode < 0 || config->listMode > 2 || config->detail > 1 || config->ascending > 1)
        __builtin_trap();
    const std::string written = quorstat::WriteSearchUserConfig(*config);
    if (quorstat::ReadSearchUserConfig(written) != config)
        __builtin_trap();
    for (std::size_t i = 1; i < quorstat::kUserFilterCount; ++i) {
        checkFilterText(config->filterText[i], true);
        checkFilterText(config->filterText[i], false);
    }
    quorstat::MakeUserListQuery(*config, {});
    return 0;
}
