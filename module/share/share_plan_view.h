#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/template_record.h"
#include "net/user_record.h"

namespace quorstat {

// What the sharing page asks of the shared-plan panel on its right: the plans of one user.
class SharePlanView {
public:
    virtual ~SharePlanView() = default;

    virtual void ShowUserPlans(const tagUSERINFO& user) = 0;
    // Every follow action anywhere marks the user here as well, before the service answers.
    virtual void SetFollowed(std::string_view userName, bool followed) = 0;
    virtual void OnSharedPlanReply(const std::string& reply) = 0;
    virtual void ShowTemplate(const std::optional<tagTEMPLATEITEM>& item) = 0;
    virtual void Reset() = 0;
    virtual void Reload() = 0;
    virtual void OnNewDraw() = 0;
};

}  // namespace quorstat
