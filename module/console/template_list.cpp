#include "console/template_list.h"

#include <utility>

#include "core/app_state.h"

namespace quorstat {
namespace {

// The service's order: an exchange sort on the sort keys read as unsigned numbers.
void sortByKey(std::vector<tagTEMPLATEITEM>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            if (static_cast<std::uint32_t>(items[j].Sort) <
                static_cast<std::uint32_t>(items[i].Sort))
                std::swap(items[i], items[j]);
        }
    }
}

std::optional<int> lastIndexNamed(const std::vector<tagTEMPLATEITEM>& items,
                                  const std::string& name) {
    for (std::size_t i = items.size(); i-- > 0;) {
        if (items[i].TempletName == name)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

}  // namespace

tagTEMPLATEITEM TemplateList::SystemTemplate() {
    tagTEMPLATEITEM item;
    item.TempletID = 1;
    item.Sort = 0;
    item.TempletName = std::string(AppState::kSystemTemplateName);
    item.SignName = "Norvane";
    item.Win = "中";
    item.Loss = "挂";
    item.Wait = "等待";
    item.Remark = "Norvane";
    item.DispCode = item.DispIssueNum = item.DispPosition = item.DispMultiple = item.DispProfit =
        item.DispProfitCollect = item.DispSuccessRatio = item.DispProjectDown = item.DispHit =
            item.DispHitNow = true;
    item.DispCountNum = 0;
    return item;
}

TemplateList::Outcome TemplateList::apply(const TemplateListReply& reply,
                                          std::string& currentName) {
    switch (reply.outcome) {
        case ListOutcome::Failed:
            return Outcome::Retry;
        case ListOutcome::Unchanged:
            if (!items.empty())
                return Outcome::Unchanged;
            stamp.clear();
            return Outcome::Retry;
        case ListOutcome::Loaded:
            break;
    }
    if (reply.templates.empty()) {
        items = {SystemTemplate()};
    } else {
        stamp = reply.stamp;
        items = reply.templates;
        if (!reply.nameInUse.empty())
            currentName = reply.nameInUse;
    }
    sortByKey(items);
    return Outcome::Loaded;
}

std::optional<TemplateList::Choice> TemplateList::choose(std::string& currentName) {
    if (items.empty())
        return std::nullopt;
    Choice choice;
    if (!pendingName.empty()) {
        const auto picked = lastIndexNamed(items, pendingName);
        choice.index = picked.value_or(0);
        choice.selectedTemplateId = picked ? items[*picked].TempletID : 0;
        pendingName.clear();
    } else {
        choice.index = lastIndexNamed(items, currentName).value_or(0);
    }
    currentName = items[static_cast<std::size_t>(choice.index)].TempletName;
    return choice;
}

}  // namespace quorstat
