#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/template_record.h"
#include "net/user_record.h"

namespace quorstat {

// What the central window asks of the network page: the user list and the shared plans.
class SharePanelView {
public:
    virtual ~SharePanelView() = default;

    virtual void OnUserListReply(const std::string& reply) = 0;
    virtual void OnSharedPlanReply(const std::string& reply) = 0;
    // The listed user's template, or none to clear it.
    virtual void ShowTemplate(const std::optional<tagTEMPLATEITEM>& item) = 0;
    // A user picked outside the page (a ranking).
    virtual void ShowUserPlans(const tagUSERINFO& user) = 0;

    // A new login or the end of a session: both lists start empty.
    virtual void Reset() = 0;
    // Lottery or play changed: back to page 1 and reload, unless a reload is already pending.
    virtual void Reload() = 0;
    virtual void OnNewDraw() = 0;
    // The settings dialog changed the number of users per page: page 1, fully reloaded.
    virtual void OnUserListPageSizeChanged() = 0;
};

}  // namespace quorstat
