#include "databox/box_positions.h"

#include "databox/box_tree.h"
#include "plan/position_table.h"

namespace quorstat {

std::vector<std::string> PositionFilterChoices(int starCount) {
    std::vector<std::string> choices{std::string(kAllPositions)};
    if (starCount == 4) {
        // The combo lists the sets that skip a position before the two runs.
        for (const char* name : {"万千百个", "万千十个", "万百十个", "前四", "后四"})
            choices.emplace_back(name);
        return choices;
    }
    for (const tagPOSITIONINFO& position : positionChoices(starCount))
        choices.emplace_back(position.name);
    return choices;
}

std::string ShownPosition(std::string_view positions, std::string_view filter) {
    if (filter.empty())
        return std::string(positions);
    return positions.find(filter) != std::string_view::npos ? std::string(filter) : "-";
}

void RefreshShownPositions(tagPLANBIGPDATA& root) {
    ForEachItem(root, [&](tagPLANBIGPDATA& item) {
        item.positionShown = ShownPosition(item.positions, root.positionFilter);
    });
}

}  // namespace quorstat
