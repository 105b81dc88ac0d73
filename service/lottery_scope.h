#pragma once

#include <string_view>

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

// The names a play travels under: star ("五星" for 定位胆 too) and kind.
std::string_view playStarName(int playId);
std::string_view playKindName(int playId);

}  // namespace quorstat::service
