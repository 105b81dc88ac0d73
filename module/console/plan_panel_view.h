#pragma once

#include <string>

#include "net/plan_record.h"

namespace quorstat {

// What the central window asks of the plan page: the plan form and the own-plan list.
class PlanPanelView {
public:
    virtual ~PlanPanelView() = default;

    // A plan-list reply (upload, list, stop, delete, reset); `flag` 1 after an upload, else -1.
    virtual void OnPlanListReply(const std::string& reply, int flag) = 0;
    virtual void ClearPlanListStamp() = 0;
    // The plan text composed from the current template.
    virtual std::string PlanText() const = 0;
    virtual void RecomposePlanText() = 0;
    virtual void ShowPlanDetail(const tagPLANITEM& plan) = 0;
    virtual void SetShareFlag(bool shared) = 0;

    // A new login: nothing of the previous user stays.
    virtual void Reset() = 0;
    // Lottery or play changed: take the new selection and reload the own plans.
    virtual void OnSelectionChanged() = 0;
    virtual void OnIssueChanged() = 0;
    // New numbers: re-query the plans shortly and recompose the text.
    virtual void OnNewDraw() = 0;
    // The settings dialog changed the preferences: show the plan text in the application's
    // plan-text look; a changed own-plan page size starts the list again at page 1.
    virtual void OnSettingsChanged() = 0;
};

}  // namespace quorstat
