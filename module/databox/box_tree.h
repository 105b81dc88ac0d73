#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "databox/plan_bigp_data.h"

namespace quorstat {

// Levels a tree may have, the root being the first. Far more than anyone builds by hand (each level
// is a group editor opened inside another), and few enough that the recursive walks over a tree
// stay far from the stack's limit. Loaders refuse deeper files and the operations that nest refuse
// to go deeper, so every tree that exists can be saved and opened again.
inline constexpr int kMaxTreeDepth = 64;
inline constexpr std::string_view kTooDeepMessage = "组的嵌套层数过多，不能再嵌套";

using BoxNodes = std::vector<std::unique_ptr<tagPLANBIGPDATA>>;

// Levels of the tree below and including node; measured without recursion, so any tree will do.
int TreeDepth(const tagPLANBIGPDATA& node);

// Every item at any depth, in tree order.
template <typename Node, typename Visit>
void ForEachItem(Node& group, Visit&& visit) {
    for (auto& child : group.children) {
        if (child->group())
            ForEachItem(*child, visit);
        else
            visit(*child);
    }
}

// The name, or the name followed by 001, 002, ... until no child of parent has it.
std::string UniqueChildName(const tagPLANBIGPDATA& parent, std::string_view name,
                            const tagPLANBIGPDATA* except = nullptr);

void RemoveItemsWithoutNumbers(tagPLANBIGPDATA& group);

// Rows are indexes of the root's children as the member list shows them; rows out of range and
// repeated rows are ignored, and the nodes come in row order.
using Rows = std::vector<std::size_t>;
// The rows in row order without those out of range or repeated.
Rows ValidRows(const tagPLANBIGPDATA& root, Rows rows);
BoxNodes TakeRows(tagPLANBIGPDATA& root, Rows rows);
BoxNodes CopyRows(const tagPLANBIGPDATA& root, Rows rows);
BoxNodes CopyNodes(const BoxNodes& nodes);

// Each selected group leaves the root and its children go to the root's end.
void DissolveGroups(tagPLANBIGPDATA& root, Rows rows);

// Whether the rows can go into a new group of the root without the tree growing too deep.
bool RowsFitInNewGroup(const tagPLANBIGPDATA& root, const Rows& rows);
// Appends a group whose name is made unique among the root's children. False, and nothing
// changes, when the tree would grow deeper than kMaxTreeDepth.
bool AppendGroup(tagPLANBIGPDATA& root, std::unique_ptr<tagPLANBIGPDATA> group);
// A group holding the nodes, named "新建组" made unique.
bool AppendNewGroupOf(tagPLANBIGPDATA& root, BoxNodes nodes);
// Appends the nodes to the root (paste); false, and nothing changes, when too deep.
bool AppendNodes(tagPLANBIGPDATA& root, BoxNodes nodes);
// Puts an edited copy of the group at `row` back, its name made unique among the other children.
bool ReplaceGroup(tagPLANBIGPDATA& root, std::size_t row, tagPLANBIGPDATA edited);

}  // namespace quorstat
