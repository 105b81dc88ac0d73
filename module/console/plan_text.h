#pragma once

#include <span>
#include <string>
#include <string_view>

#include "net/plan_record.h"
#include "net/template_record.h"

namespace quorstat {

class AppState;

// The template the plan text is written with: the first after the system template named
// `currentName`, else the first of the list; none while no template is known.
const tagTEMPLATEITEM* TemplateInUse(std::span<const tagTEMPLATEITEM> templates,
                                     std::string_view currentName);

// Everything of the plan text that is not the plans, their summary or the template.
struct PlanTextContext {
    int lotteryId = 0;
    int playId = 0;
    int starCount = 0;
    int positionCount = 0;
    std::string userName;  // written for the signature "@USERNAME"
    int closedIssue = 0;   // the issue of the latest draw time passed
    std::string lastDrawNumbers;
    bool blankLine = false;  // setting PlanTextBlankLine
};

// The logged-in user's lottery, play, name, draw and setting.
PlanTextContext CurrentPlanTextContext(const AppState& state);

// The plan text of a list's plans, given in display order, with the list's summary; empty
// without plans. Lines end with "\r\n".
std::string ComposePlanText(const tagTEMPLATEITEM& item, std::span<const tagPLANITEM> plans,
                            const PlanSummary& summary, const PlanTextContext& context);

}  // namespace quorstat
