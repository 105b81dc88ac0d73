#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "databox/plan_bigp_data.h"
#include "plan/play_state.h"

namespace quorstat::testing {

inline PlayState boxPlay(int playId, int lotteryId = 1010) {
    PlayState play;
    play.selectLottery(lotteryId);
    play.selectPlay(playId);
    return play;
}

// An item with numbers that takes part (its 位置 column shows positions).
inline std::unique_ptr<tagPLANBIGPDATA> item(std::string numbers, std::string name = {}) {
    auto node = NewItemNode();
    node->name = std::move(name);
    node->setNumbers(std::move(numbers));
    node->positionShown = "前二";
    return node;
}

inline std::unique_ptr<tagPLANBIGPDATA> with(std::unique_ptr<tagPLANBIGPDATA> node,
                                             void (*change)(tagPLANBIGPDATA&)) {
    change(*node);
    return node;
}

inline std::unique_ptr<tagPLANBIGPDATA> group(
    std::vector<std::unique_ptr<tagPLANBIGPDATA>> children, std::string toleranceText = {},
    std::string name = "新建组") {
    auto node = NewGroupNode(name);
    node->children = std::move(children);
    node->toleranceOn = toleranceText.empty() ? 0 : 1;
    node->toleranceText = std::move(toleranceText);
    return node;
}

template <typename... Nodes>
std::vector<std::unique_ptr<tagPLANBIGPDATA>> nodes(Nodes... list) {
    std::vector<std::unique_ptr<tagPLANBIGPDATA>> out;
    (out.push_back(std::move(list)), ...);
    return out;
}

// An item under depth - 1 groups: a subtree of `depth` levels.
inline std::unique_ptr<tagPLANBIGPDATA> chain(int depth) {
    auto node = item("12 ", "leaf");
    for (int level = 1; level < depth; ++level)
        node = group(nodes(std::move(node)));
    return node;
}

inline std::vector<std::string> names(const tagPLANBIGPDATA& root) {
    std::vector<std::string> out;
    for (const auto& child : root.children)
        out.push_back(child->name);
    return out;
}

inline void mandatory(tagPLANBIGPDATA& node) {
    node.tolerant = 0;
}
inline void complemented(tagPLANBIGPDATA& node) {
    node.positive = 0;
}
inline void disabled(tagPLANBIGPDATA& node) {
    node.enabled = 0;
}
inline void filteredOut(tagPLANBIGPDATA& node) {
    node.positionShown = "-";
}

}  // namespace quorstat::testing
