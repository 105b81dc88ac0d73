#include "databox/box_menu.h"

#include <array>

namespace quorstat {

std::vector<BoxMenuItem> BoxMenuItems(const BoxMenuState& state) {
    using Item = BoxMenuItem;
    std::vector<Item> items;
    const auto offer = [&items](bool applies, std::initializer_list<Item> offered) {
        if (applies)
            items.insert(items.end(), offered);
    };
    const bool some = state.selected > 0;
    const bool part = some && state.selected < state.rows;
    const bool oneGroup = state.selected == 1 && state.selectedGroups == 1;
    const bool oneItem = state.selected == 1 && state.selectedGroups == 0;
    offer(state.mainBox, {Item::compute, Item::verify});
    // The group editor has no result side to show the numbers in.
    offer(state.kind == BoxKind::bigBase && state.mainBox && oneItem, {Item::view});
    offer(!part, {Item::autoGroup});
    offer(part, {Item::autoGroupSelected, Item::autoGroupAll});
    offer(true, {Item::newGroup});
    offer(oneGroup, {Item::editGroup});
    offer(state.selectedGroups > 0, {Item::dissolveGroups});
    offer(part, {Item::batchToleranceSelected, Item::batchToleranceAll});
    offer(!part, {Item::batchTolerance});
    offer(some, {Item::remove});
    offer(state.rows > 0, {Item::clear});
    offer(some, {Item::copy, Item::copyToNewGroup, Item::cut, Item::cutToNewGroup});
    offer(state.clipboardFilled, {Item::paste});
    offer(true, {Item::open, Item::save});
    return items;
}

std::string_view BoxMenuText(BoxMenuItem item) {
    static constexpr std::array<std::string_view, 21> kTexts = {
        "运算",
        "验证",
        "查看",
        "自动分组 ...",
        "自动分组（选中项）...",
        "自动分组（所有项）...",
        "新建组 ...",
        "编辑组 ...",
        "解散组",
        "选中组批量容错 ...",
        "所有组批量容错 ...",
        "组批量容错 ...",
        "删除",
        "清空",
        "复制",
        "复制到新建组",
        "剪切",
        "剪切到新建组",
        "粘贴",
        "打开 ...",
        "保存 ...",
    };
    return kTexts[static_cast<std::size_t>(item)];
}

}  // namespace quorstat
