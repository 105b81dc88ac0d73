#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/template_record.h"
#include "templates/template_rows.h"

namespace quorstat {

// One request the manager's result asks for.
struct TemplateRequest {
    int type = 0;          // TemplateAdd, TemplateChange, TemplateDelete or TemplateList
    tagTEMPLATEITEM item;  // what goes up; for a deletion only its id counts
};

struct TemplateChanges {
    std::string pendingName;  // the choice to apply once the list is loaded; empty when unchanged
    std::vector<TemplateRequest> requests;  // in the order they are queued
};

// What tells the service about the manager's result: changed and new own templates in row order,
// then the own templates that are gone; only the list when nothing changed, so that a new choice
// is still applied. `listed` is the list as the application holds it.
TemplateChanges PlanTemplateChanges(const TemplateManagerResult& result,
                                    std::span<const tagTEMPLATEITEM> listed,
                                    std::string_view currentName);

}  // namespace quorstat
