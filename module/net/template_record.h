#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/plan_record.h"

namespace quorstat {

// The signature that stands for the name of the user whose plans the text shows.
inline constexpr std::string_view kUserNameSign = "@USERNAME";

// A plan-text template as the service stores it.
struct tagTEMPLATEITEM {
    std::int32_t TempletID = 0;
    std::int32_t Sort = 0;
    std::string TempletName;
    std::string SignName;  // kUserNameSign or a fixed signature
    std::string Win;
    std::string Loss;
    std::string Wait;
    std::string Remark;
    bool DispCode = false;
    bool DispIssueNum = false;
    bool DispPosition = false;
    bool DispMultiple = false;
    bool DispProfit = false;
    bool DispProfitCollect = false;
    bool DispSuccessRatio = false;
    bool DispProjectDown = false;
    bool DispHit = false;
    bool DispHitNow = false;
    std::int32_t DispCountNum = 0;

    bool operator==(const tagTEMPLATEITEM&) const = default;
};

tagTEMPLATEITEM ParseTemplateRecord(std::string_view text);

// "1|TEMPLATE": another user's template.
std::optional<tagTEMPLATEITEM> ParseTemplateDetail(std::string_view reply);

// "1|COUNT|STAMP|TEMPLATE$TEMPLATE$...", or "2" when unchanged since the stamp sent.
struct TemplateListReply {
    ListOutcome outcome = ListOutcome::Failed;
    std::string stamp;
    std::vector<tagTEMPLATEITEM> templates;  // at most COUNT
    std::string nameInUse;                   // of the last record marked in use; empty when none is
};

TemplateListReply ParseTemplateList(std::string_view reply);

}  // namespace quorstat
