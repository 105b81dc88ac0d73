#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "net/request_catalogue.h"
#include "plan/plan_form_data.h"
#include "plan/play_state.h"

namespace quorstat {

// The questions an upload puts to the user; true means Yes.
class UploadQuestions {
public:
    virtual ~UploadQuestions() = default;
    // Unit cost and prize look like a typing error.
    virtual bool ratioIsRight(double unitCost, double prize) = 0;
    virtual bool startUpload() = 0;
    // Asked while the user does not share his plans.
    virtual bool shareFromNowOn() = 0;
};

// What the plan form holds when "提交" is pressed, its fields already read back into `record`.
struct UploadForm {
    const tagCONFIG_MYPLANDATA* record = nullptr;
    int remainingSeconds = 0;                   // of betting on the open issue
    std::vector<std::int64_t> multiples;        // column 倍数 of the table, in row order
    std::vector<std::string> checkedPositions;  // names of the checked position boxes
    bool betByLocation = false;                 // "按位置分开投注" shown and checked
    bool shared = false;
    std::time_t serverTime = 0;
    std::int32_t pageSize = 0;  // of the own-plan list the reply carries
};

struct UploadDecision {
    std::string message;             // why nothing is sent; empty when the user said No
    std::optional<PlanUpload> plan;  // what to send
    std::string normalizedNumbers;   // number plays: the field's text once the plan is made
    bool shareChosen = false;        // the user agreed to share on the way
};

// The checks of an upload, in the order the user meets them, and the plan they let through.
// The ratio question is asked at most once in the life of this object: once per run.
class PlanSubmission {
public:
    UploadDecision prepare(const UploadForm& form, const PlayState& play,
                           UploadQuestions& questions);

private:
    bool ratioQuestionArmed_ = true;
};

}  // namespace quorstat
