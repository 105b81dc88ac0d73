#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "databox/box_kind.h"

namespace quorstat {

// The items of the member list's context menu, in the order the menu shows them.
enum class BoxMenuItem {
    compute,
    verify,
    view,
    autoGroup,
    autoGroupSelected,
    autoGroupAll,
    newGroup,
    editGroup,
    dissolveGroups,
    batchToleranceSelected,
    batchToleranceAll,
    batchTolerance,
    remove,
    clear,
    copy,
    copyToNewGroup,
    cut,
    cutToNewGroup,
    paste,
    open,
    save,
};

// What the menu depends on at the moment it opens.
struct BoxMenuState {
    BoxKind kind = BoxKind::plan;
    bool mainBox = true;
    std::size_t rows = 0;
    std::size_t selected = 0;
    std::size_t selectedGroups = 0;
    bool clipboardFilled = false;
};

// Only the items that apply: a tool over the selection is offered beside the same tool over all
// rows unless nothing or everything is selected.
std::vector<BoxMenuItem> BoxMenuItems(const BoxMenuState& state);
std::string_view BoxMenuText(BoxMenuItem item);

}  // namespace quorstat
