#include "templates/template_changes.h"

#include <algorithm>

#include "net/request_types.h"
#include "templates/template_form.h"

namespace quorstat {
namespace {

// The system template is never uploaded or deleted from here.
std::span<const tagTEMPLATEITEM> ownTemplates(std::span<const tagTEMPLATEITEM> templates) {
    return templates.empty() ? templates : templates.subspan(1);
}

const tagTEMPLATEITEM* findById(std::span<const tagTEMPLATEITEM> templates, std::int32_t id) {
    const auto found = std::ranges::find(templates, id, &tagTEMPLATEITEM::TempletID);
    return found == templates.end() ? nullptr : &*found;
}

}  // namespace

TemplateChanges PlanTemplateChanges(const TemplateManagerResult& result,
                                    std::span<const tagTEMPLATEITEM> listed,
                                    std::string_view currentName) {
    TemplateChanges changes;
    if (result.chosenName != currentName)
        changes.pendingName = result.chosenName;
    for (const tagTEMPLATEITEM& item : ownTemplates(result.templates)) {
        if (item.TempletID == 0) {
            changes.requests.push_back({RequestType::TemplateAdd, item});
            continue;
        }
        const tagTEMPLATEITEM* before = findById(ownTemplates(listed), item.TempletID);
        if (before && TemplatesDiffer(*before, item))
            changes.requests.push_back({RequestType::TemplateChange, item});
    }
    for (const tagTEMPLATEITEM& item : ownTemplates(listed)) {
        if (!findById(result.templates, item.TempletID))
            changes.requests.push_back({RequestType::TemplateDelete, item});
    }
    if (changes.requests.empty())
        changes.requests.push_back({RequestType::TemplateList, {}});
    return changes;
}

}  // namespace quorstat
