#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "databox/plan_bigp_data.h"

namespace quorstat {

inline constexpr std::string_view kAllPositions = "全部";

// What the position combo offers for a star count: "全部", then the position names.
std::vector<std::string> PositionFilterChoices(int starCount);

// What the 位置 column shows for an item with these positions under the filter: the filter when
// the positions hold it, "-" when they do not, the positions themselves without a filter.
std::string ShownPosition(std::string_view positions, std::string_view filter);

// Applies the root's position filter to every item.
void RefreshShownPositions(tagPLANBIGPDATA& root);

}  // namespace quorstat
