#pragma once

// The counter-array evaluation exactly as the data box rules state it, one array per group and one
// pass per number, kept plain so the fast engine can be checked against it.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/number_list_parser.h"
#include "databox/plan_bigp_data.h"
#include "plan/bet_numbers.h"
#include "plan/play_state.h"

namespace quorstat::reference {

inline bool CountNode(const tagPLANBIGPDATA& node, std::vector<std::int32_t>& C,
                      const PlayState& play) {
    const std::size_t space = C.size();
    if (node.isGroup != 1) {
        if (node.numbers().empty() || node.positionShown == "-")
            return false;
        std::string text = node.numbers();
        BetCounters present;
        NormalizeBetNumbers(text, present, play);
        for (std::size_t v = 0; v < space; ++v) {
            if (C[v] == -1)
                continue;
            const bool isPresent = present[v] != 0;
            const bool member =
                (isPresent && node.positive == 1) || (!isPresent && node.positive == 0);
            if (member)
                ++C[v];
            else if (node.tolerant == 0)
                C[v] = -1;
        }
        return true;
    }
    std::vector<std::int32_t> L(space, 0);
    std::vector<int> T;
    const bool tolerance = node.toleranceOn != 0;
    if (tolerance && !ParseNumberList(node.toleranceText, T))
        T.clear();
    int n = 0;
    for (const auto& child : node.children) {
        if (child->enabled == 1 && CountNode(*child, L, play))
            ++n;
    }
    if (n == 0)
        return false;
    for (std::size_t v = 0; v < space; ++v) {
        if (C[v] == -1)
            continue;
        const bool passes =
            L[v] != -1 && (tolerance ? std::ranges::find(T, n - L[v]) != T.end() : L[v] == n);
        if ((node.positive == 1 && passes) || (node.positive == 0 && !passes))
            ++C[v];
    }
    return true;
}

// Every number whose root counter ends above zero.
inline std::vector<std::size_t> CountBox(const tagPLANBIGPDATA& root, const PlayState& play) {
    std::vector<std::int32_t> C(static_cast<std::size_t>(numberSpace(play.starCount)), 0);
    CountNode(root, C, play);
    std::vector<std::size_t> passed;
    for (std::size_t v = 0; v < C.size(); ++v) {
        if (C[v] > 0)
            passed.push_back(v);
    }
    return passed;
}

}  // namespace quorstat::reference
