#include "net/plan_record.h"

#include <algorithm>
#include <array>

#include "net/reply_text.h"
#include "net/tagged_fields.h"

namespace quorstat {
namespace {

using P = tagPLANITEM;
using S = PlanSummary;

constexpr std::array<FieldRule<P>, 24> planRules(PlanRecordSource source) {
    return {{
        {"PID=", Assign<P, &P::planId, ReadInt>},
        {"UN=", Assign<P, &P::userName, ToText>},
        {"LTN=", Assign<P, &P::lotteryName, ToText>},
        {"LTP=", Assign<P, &P::starName, ToText>},
        {"LTT=", Assign<P, &P::kindName, ToText>},
        {"POS=", Assign<P, &P::positions, ToText>},
        {"HP=", Assign<P, &P::hitPositions, ToText>},
        {"CP=", Assign<P, &P::unitCost, ReadMoney>},
        {"BON=", Assign<P, &P::prize, ReadMoney>},
        {"BM=", Assign<P, &P::betAmount, ReadMoney>},
        {"BB=", Assign<P, &P::prizeAmount, ReadMoney>},
        {"PFT=", Assign<P, &P::profit, ReadMoney>},
        {"I1=", Assign<P, &P::firstIssue, ReadInt>},
        {"I2=", Assign<P, &P::lastIssue, ReadInt>},
        {"INS=", Assign<P, &P::issueCount, ReadInt>},
        {"NI=", Assign<P, &P::ni, ReadInt>},
        {"NIN=", Assign<P, &P::issueOrdinal, ReadInt>},
        {"BN=", source == PlanRecordSource::Detail ? Assign<P, &P::betCount, ReadGroupedInt>
                                                   : Assign<P, &P::betCount, ReadInt>},
        {"PS=", Assign<P, &P::status, ReadInt>},
        {"MTP=", Assign<P, &P::multiples, ToText>},
        {"BT=", Assign<P, &P::betTime, ToText>},
        {"LMT=", Assign<P, &P::modified, ToText>},
        {"LC=", Assign<P, &P::drawCode, ToText>},
        {"TXT=", Assign<P, &P::numbers, ToText>},
    }};
}

constexpr auto listPlanRules = planRules(PlanRecordSource::List);
constexpr auto detailPlanRules = planRules(PlanRecordSource::Detail);

constexpr std::array<FieldRule<S>, 18> summaryRules{{
    {"IM=", Assign<S, &S::im, ReadMoney>},
    {"TNM=", Assign<S, &S::runningStake, ReadMoney>},
    {"TM=", Assign<S, &S::totalStake, ReadMoney>},
    {"TB=", Assign<S, &S::totalPrize, ReadMoney>},
    {"TP=", Assign<S, &S::totalProfit, ReadMoney>},
    {"PP=", Assign<S, &S::averageProfit, ReadMoney>},
    {"RBP=", Assign<S, &S::profitRate, ReadMoney>},
    {"TN=", Assign<S, &S::planCount, ReadInt>},
    {"TNN=", Assign<S, &S::runningPlans, ReadInt>},
    {"TSN=", Assign<S, &S::hitPlans, ReadInt>},
    {"TLN=", Assign<S, &S::missedPlans, ReadInt>},
    {"TCN=", Assign<S, &S::stoppedPlans, ReadInt>},
    {"RBS=", Assign<S, &S::successRate, ReadReal>},
    {"CH=", Assign<S, &S::longestHitRun, ReadGroupedInt>},
    {"CUH=", Assign<S, &S::longestMissRun, ReadGroupedInt>},
    {"CHN=", Assign<S, &S::currentRun, ReadGroupedInt>},
    {"CHNS=", Assign<S, &S::currentRunKind, ReadGroupedInt>},
    {"LMT=", Assign<S, &S::stamp, ToText>},
}};

const std::array<FieldRule<P>, 24>& planRulesFor(PlanRecordSource source) {
    return source == PlanRecordSource::Detail ? detailPlanRules : listPlanRules;
}

// Reads up to `limit` "$"-separated plan records, each in place: a list of ten thousand plans
// would otherwise spend more time moving records than reading them.
std::vector<tagPLANITEM> readPlans(std::string_view records, std::int32_t limit,
                                   PlanRecordSource source) {
    std::vector<tagPLANITEM> plans;
    if (limit <= 0)
        return plans;
    const auto separators =
        static_cast<std::size_t>(std::count(records.begin(), records.end(), '$'));
    plans.reserve(std::min(static_cast<std::size_t>(limit), separators + 1));
    ForEachItem(records, '$', SplitMode::Lenient, [&](std::string_view record) {
        ReadTaggedFields<P>(record, planRulesFor(source), plans.emplace_back());
        return static_cast<std::int32_t>(plans.size()) < limit;
    });
    return plans;
}

}  // namespace

tagPLANITEM ParsePlanRecord(std::string_view text, PlanRecordSource source) {
    tagPLANITEM plan;
    ReadTaggedFields<P>(text, planRulesFor(source), plan);
    return plan;
}

PlanSummary ParseSummaryRecord(std::string_view text) {
    PlanSummary summary;
    ReadTaggedFields<S>(text, summaryRules, summary);
    return summary;
}

PlanListReply ParsePlanList(std::string_view reply) {
    PlanListReply list;
    const auto body = ListReplyBody(reply, list.outcome);
    if (!body)
        return list;

    std::string_view rest = *body;
    const auto header = CutListHeader(rest);
    const auto summary = header ? CutField(rest, '#') : std::nullopt;
    if (!summary)
        return list;

    list.total = header->total;
    list.count = header->count;
    list.stamp = header->stamp;
    list.summary = ParseSummaryRecord(*summary);
    list.plans = readPlans(rest, list.count, PlanRecordSource::List);
    list.outcome = ListOutcome::Loaded;
    return list;
}

std::vector<tagPLANITEM> ParsePlanDetail(std::string_view reply) {
    if (StatusCode(reply) != '1')
        return {};
    std::string_view rest = ReplyBody(reply);
    const auto count = CutField(rest, '|');
    if (!count || ReadInt(*count) != 1 || !CutField(rest, '|'))
        return {};
    // One plan is announced; a second one is read only so that the caller can see the surplus.
    return readPlans(rest, 2, PlanRecordSource::Detail);
}

}  // namespace quorstat
