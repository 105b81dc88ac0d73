#include "service/ranking_pages.h"

#include <fmt/format.h>

#include <algorithm>

#include "service/lottery_scope.h"
#include "service/page_error.h"
#include "service/ranking_job.h"
#include "service/reply_writer.h"
#include "service/router.h"
#include "service/service_context.h"
#include "service/tagged_record.h"

namespace quorstat::service {
namespace {

// Sections end with "#" and one more character; "##" survives the reader's trimming of
// trailing "#" at the end of the reply.
constexpr std::string_view kSectionEnd = "##";

constexpr std::string_view kPointsLists[] = {"day", "week", "month", "total"};

void checkOwnName(const PageRequest& request) {
    if (request.form.required("sUserName") != request.user->name)
        throw PageError("用户名不正确");
}

}  // namespace

void RankingPages::addTo(Router& router) {
    router.addPage("BetTOP100Rank.asp", Router::Access::Session, this, &RankingPages::points);
    router.addPage("BetTOP100Online.asp", Router::Access::Session, this, &RankingPages::online);
    router.addPage("BetTOP100Fans.asp", Router::Access::Session, this, &RankingPages::fans);
}

// "TOP100=day|week|month|total": bet, reward and total points of the lottery and play.
std::string RankingPages::points(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    const std::string_view list = request.form.required("TOP100");
    if (std::find(std::begin(kPointsLists), std::end(kPointsLists), list) == std::end(kPointsLists))
        throw PageError("字段“TOP100”的值不正确");
    static constexpr Panel kPanels[] = {
        {"SCount", "USCount"}, {"ASCount", "UASCount"}, {"TSCount", "UTSCount"}};
    std::string text;
    for (int panel = 0; panel < 3; ++panel)
        text +=
            sections(request, list, panel, kPanels[panel], scope.lottery->id, scope.playId, &scope);
    return ReplyWriter('1').field(text).text();
}

// Hours online yesterday, last week, last month and in all; records without ID and SH.
std::string RankingPages::online(const PageRequest& request) {
    checkOwnName(request);
    static constexpr Panel kPanels[] = {{"LDCount", "ULDCount"},
                                        {"LWCount", "ULWCount"},
                                        {"LMCount", "ULMCount"},
                                        {"TCount", "UTCount"}};
    std::string text;
    for (int panel = 0; panel < 4; ++panel)
        text += sections(request, RankingJob::kOnline, panel, kPanels[panel], 0, 0, nullptr);
    return ReplyWriter('1').field(text).text();
}

// Followers at the end of yesterday, last week and last month.
std::string RankingPages::fans(const PageRequest& request) {
    const LotteryScope scope = readLotteryScope(request.form, context_.calendar);
    checkOwnName(request);
    static constexpr Panel kPanels[] = {
        {"TDCount", "UTDCount"}, {"TWCount", "UTWCount"}, {"TMCount", "UTMCount"}};
    std::string text;
    for (int panel = 0; panel < 3; ++panel)
        text += sections(request, RankingJob::kFans, panel, kPanels[panel], 0, 0, &scope);
    return ReplyWriter('1').field(text).text();
}

// Records carry the sharing flag on the requested lottery and play, so that a double click can
// open the user's plans there; the online list has neither.
std::string RankingPages::sections(const PageRequest& request, std::string_view list, int panel,
                                   const Panel& keys, int lotteryId, int playId,
                                   const LotteryScope* scope) {
    const bool wholeNumbers = list == RankingJob::kFans;
    const auto record = [&](const Statement& row) {
        TaggedRecord entry;
        entry.add("UN", row.text(0))
            .add("TS", wholeNumbers ? fmt::format("{:.0f}", row.real(1))
                                    : fmt::format("{:.2f}", row.real(1)))
            .add("TSR", row.integer(2))
            .add("TLDSR", row.integer(3));
        if (scope != nullptr)
            entry.add("ID", row.integer(4))
                .flag("SH",
                      context_.boards.isShared(row.integer(4), scope->lottery->id, scope->playId));
        return entry.text() + "$";
    };
    const std::string select =
        "SELECT u.name, r.value, r.rank, r.previous_rank, r.user_id FROM ranking_entries r "
        "JOIN users u ON u.id = r.user_id WHERE r.list = ?1 AND r.panel = ?2 "
        "AND r.lottery_id = ?3 AND r.play_id = ?4 ";
    std::string top;
    int count = 0;
    Statement rows = context_.db.query(select + "AND r.rank <= ?5 ORDER BY r.rank", list, panel,
                                       lotteryId, playId, kListLength);
    for (; rows.step(); ++count)
        top += record(rows);
    std::string own;
    Statement mine = context_.db.query(select + "AND r.user_id = ?5", list, panel, lotteryId,
                                       playId, request.user->id);
    const bool ranked = mine.step();
    if (ranked)
        own = record(mine);
    return fmt::format("{}={}|{}{}{}={}|{}{}", keys.countKey, count, top, kSectionEnd, keys.ownKey,
                       ranked ? 1 : 0, own, kSectionEnd);
}

}  // namespace quorstat::service
