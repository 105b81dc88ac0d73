#include "service/lottery_scope.h"

#include <string_view>

#include "service/page_error.h"

namespace quorstat::service {
namespace {

struct Play {
    int id;
    std::string_view star;
    std::string_view kind;
};

// The positional play has no star name of its own; the client sends "五星" for it.
constexpr Play kPlays[] = {
    {1301, "两星", "单选"},     {1302, "三星", "单选"},     {1303, "四星", "单选"},
    {1304, "五星", "单选"},     {1305, "两星", "组选"},     {1306, "三星", "组选"},
    {1307, "两星", "不定位胆"}, {1308, "三星", "不定位胆"}, {1309, "四星", "不定位胆"},
    {1310, "五星", "不定位胆"}, {1311, "五星", "定位胆"},
};

const Play* playById(int playId) {
    for (const Play& play : kPlays)
        if (play.id == playId)
            return &play;
    return nullptr;
}

}  // namespace

const LotterySchedule& readLottery(const FormBody& form, const LotteryCalendar& calendar) {
    const LotterySchedule* lottery = calendar.findByName(form.required("LotteryName"));
    if (lottery == nullptr)
        throw PageError("彩种名称不正确");
    return *lottery;
}

LotteryScope readLotteryScope(const FormBody& form, const LotteryCalendar& calendar) {
    const LotterySchedule& lottery = readLottery(form, calendar);
    const std::string_view star = form.required("LotteryPlay");
    const std::string_view kind = form.required("LotteryType");
    for (const Play& play : kPlays)
        if (play.star == star && play.kind == kind)
            return {&lottery, play.id};
    throw PageError("玩法名称不正确");
}

std::string_view playStarName(int playId) {
    const Play* play = playById(playId);
    return play ? play->star : std::string_view();
}

std::string_view playKindName(int playId) {
    const Play* play = playById(playId);
    return play ? play->kind : std::string_view();
}

}  // namespace quorstat::service
