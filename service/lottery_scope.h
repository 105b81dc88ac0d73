#pragma once

#include "service/form_body.h"
#include "service/lottery_calendar.h"

namespace quorstat::service {

// The lottery and play a request is about.
struct LotteryScope {
    const LotterySchedule* lottery = nullptr;
    int playId = 0;  // 1301..1311
};

// Each throws PageError for a missing field or a name that is not in the catalogue.
const LotterySchedule& readLottery(const FormBody& form, const LotteryCalendar& calendar);
// "LotteryName", "LotteryPlay" (star name) and "LotteryType" (kind name).
LotteryScope readLotteryScope(const FormBody& form, const LotteryCalendar& calendar);

}  // namespace quorstat::service
