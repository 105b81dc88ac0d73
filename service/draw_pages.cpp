#include "service/draw_pages.h"

#include "service/client_version.h"
#include "service/lottery_scope.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"

namespace quorstat::service {

void DrawPages::addTo(Router& router) {
    router.addPage("BetFlashTime.asp", Router::Access::Session, this, &DrawPages::serverTime);
    router.addPage("BetFlashLotteryTime.asp", Router::Access::Session, this,
                   &DrawPages::drawTimeTable);
    router.addPage("BetLotteryData.asp", Router::Access::Session, this, &DrawPages::drawData);
}

// 1|ONLINE SECONDS|USERS ONLINE|SERVER TIME
std::string DrawPages::serverTime(const PageRequest& request) {
    readClientVersion(request.form);
    return ReplyWriter('1')
        .field(context_.accounts.onlineSeconds(*request.user))
        .field(context_.accounts.usersOnline())
        .field(formatDateTime(request.now))
        .text();
}

// 1|HH:MM:SS#HH:MM:SS#...#|SERVER TIME, in issue order; a draw at midnight is 00:00:00.
std::string DrawPages::drawTimeTable(const PageRequest& request) {
    const LotterySchedule& lottery = readLottery(request.form, context_.calendar);
    std::string times;
    for (const CivilSeconds offset : lottery.drawOffsets)
        times += formatTimeOfDay(offset) + "#";
    return ReplyWriter('1').field(times).field(formatDateTime(request.now)).text();
}

// "Issue" asks for one draw, "IssueNum" for the latest few.
std::string DrawPages::drawData(const PageRequest& request) {
    const LotterySchedule& lottery = readLottery(request.form, context_.calendar);
    if (const auto count = request.form.optionalInteger("IssueNum", 1, kMaxRecentDraws))
        return recentDraws(lottery, static_cast<int>(*count), request.now);
    const auto issue = request.form.requiredInteger("Issue", 1, 999999999);
    return latestDraw(lottery, static_cast<int>(issue), request.now);
}

// 1|ISSUE&DIGITS|DRAW TIME: that issue's draw, or the latest before it while it is not drawn.
std::string DrawPages::latestDraw(const LotterySchedule& lottery, int issue, CivilSeconds now) {
    Statement draw = context_.db.query(
        "SELECT issue, numbers, draw_at FROM draws WHERE lottery_id = ?1 AND issue <= ?2 "
        "AND draw_at <= ?3 ORDER BY issue DESC LIMIT 1",
        lottery.id, issue, now);
    if (!draw.step())
        return ReplyWriter::failure("暂无开奖数据");
    return ReplyWriter('1')
        .field(std::to_string(draw.integer(0)) + "&" + draw.text(1))
        .field(formatDateTime(draw.integer(2)))
        .text();
}

// 1|ISSUE&DIGITS#ISSUE&DIGITS#...#|SERVER TIME, newest first.
std::string DrawPages::recentDraws(const LotterySchedule& lottery, int count, CivilSeconds now) {
    Statement draws = context_.db.query(
        "SELECT issue, numbers FROM draws WHERE lottery_id = ?1 AND draw_at <= ?2 "
        "ORDER BY draw_at DESC LIMIT ?3",
        lottery.id, now, count);
    std::string list;
    while (draws.step())
        list += std::to_string(draws.integer(0)) + "&" + draws.text(1) + "#";
    if (list.empty())
        return ReplyWriter::failure("暂无开奖数据");
    return ReplyWriter('1').field(list).field(formatDateTime(now)).text();
}

}  // namespace quorstat::service
