#include "databox/box_tree.h"

#include <fmt/format.h>
#include <algorithm>
#include <utility>

namespace quorstat {

namespace {

bool nameTaken(const tagPLANBIGPDATA& parent, std::string_view name,
               const tagPLANBIGPDATA* except) {
    return std::ranges::any_of(parent.children, [&](const auto& child) {
        return child.get() != except && child->name == name;
    });
}

// The depth of a tree whose root has these children.
int depthWith(const BoxNodes& children) {
    int depth = 1;
    for (const auto& child : children)
        depth = std::max(depth, 1 + TreeDepth(*child));
    return depth;
}

}  // namespace

Rows ValidRows(const tagPLANBIGPDATA& root, Rows rows) {
    std::ranges::sort(rows);
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [&](std::size_t row) { return row >= root.children.size(); });
    return rows;
}

int TreeDepth(const tagPLANBIGPDATA& node) {
    std::vector<std::pair<const tagPLANBIGPDATA*, int>> pending{{&node, 1}};
    int depth = 0;
    while (!pending.empty()) {
        const auto [current, level] = pending.back();
        pending.pop_back();
        depth = std::max(depth, level);
        for (const auto& child : current->children)
            pending.emplace_back(child.get(), level + 1);
    }
    return depth;
}

std::string UniqueChildName(const tagPLANBIGPDATA& parent, std::string_view name,
                            const tagPLANBIGPDATA* except) {
    std::string candidate(name);
    for (int number = 1; nameTaken(parent, candidate, except); ++number)
        candidate = fmt::format("{}{:03d}", name, number);
    return candidate;
}

void RemoveItemsWithoutNumbers(tagPLANBIGPDATA& group) {
    std::erase_if(group.children,
                  [](const auto& child) { return !child->group() && child->numbers().empty(); });
    for (auto& child : group.children)
        RemoveItemsWithoutNumbers(*child);
}

BoxNodes TakeRows(tagPLANBIGPDATA& root, Rows rows) {
    BoxNodes taken;
    for (const std::size_t row : ValidRows(root, std::move(rows)))
        taken.push_back(std::move(root.children[row]));
    std::erase(root.children, nullptr);
    return taken;
}

BoxNodes CopyRows(const tagPLANBIGPDATA& root, Rows rows) {
    BoxNodes copies;
    for (const std::size_t row : ValidRows(root, std::move(rows)))
        copies.push_back(std::make_unique<tagPLANBIGPDATA>(*root.children[row]));
    return copies;
}

BoxNodes CopyNodes(const BoxNodes& nodes) {
    BoxNodes copies;
    for (const auto& node : nodes)
        copies.push_back(std::make_unique<tagPLANBIGPDATA>(*node));
    return copies;
}

void DissolveGroups(tagPLANBIGPDATA& root, Rows rows) {
    std::erase_if(rows, [&](std::size_t row) {
        return row >= root.children.size() || !root.children[row]->group();
    });
    for (const auto& group : TakeRows(root, std::move(rows))) {
        for (auto& child : group->children)
            root.children.push_back(std::move(child));
        group->children.clear();
    }
}

bool RowsFitInNewGroup(const tagPLANBIGPDATA& root, const Rows& rows) {
    int depth = 0;
    for (const std::size_t row : ValidRows(root, rows))
        depth = std::max(depth, TreeDepth(*root.children[row]));
    // The root, the new group, then the rows' subtrees.
    return 2 + depth <= kMaxTreeDepth;
}

bool AppendGroup(tagPLANBIGPDATA& root, std::unique_ptr<tagPLANBIGPDATA> group) {
    if (1 + TreeDepth(*group) > kMaxTreeDepth)
        return false;
    group->name = UniqueChildName(root, group->name);
    root.children.push_back(std::move(group));
    return true;
}

bool AppendNewGroupOf(tagPLANBIGPDATA& root, BoxNodes nodes) {
    auto group = NewGroupNode();
    group->children = std::move(nodes);
    return AppendGroup(root, std::move(group));
}

bool AppendNodes(tagPLANBIGPDATA& root, BoxNodes nodes) {
    if (depthWith(nodes) > kMaxTreeDepth)
        return false;
    for (auto& node : nodes)
        root.children.push_back(std::move(node));
    return true;
}

bool ReplaceGroup(tagPLANBIGPDATA& root, std::size_t row, tagPLANBIGPDATA edited) {
    if (row >= root.children.size() || 1 + TreeDepth(edited) > kMaxTreeDepth)
        return false;
    tagPLANBIGPDATA& target = *root.children[row];
    edited.name = UniqueChildName(root, edited.name, &target);
    target = std::move(edited);
    return true;
}

}  // namespace quorstat
