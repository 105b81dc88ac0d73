#include "console/plan_text.h"

#include <gtest/gtest.h>

#include <functional>

#include "console/template_list.h"

namespace quorstat {
namespace {

tagTEMPLATEITEM builtIn() {
    return TemplateList::SystemTemplate();
}

tagTEMPLATEITEM builtInWith(const std::function<void(tagTEMPLATEITEM&)>& change) {
    tagTEMPLATEITEM item = builtIn();
    change(item);
    return item;
}

tagTEMPLATEITEM everySwitchOff() {
    return builtInWith([](tagTEMPLATEITEM& item) {
        item.SignName.clear();
        item.Remark.clear();
        item.DispCode = item.DispIssueNum = item.DispPosition = item.DispMultiple =
            item.DispProfit = item.DispProfitCollect = item.DispSuccessRatio =
                item.DispProjectDown = item.DispHit = item.DispHitNow = false;
    });
}

PlanSummary summaryOfFive() {
    PlanSummary summary;
    summary.planCount = 5;
    summary.runningPlans = 1;
    summary.hitPlans = 3;
    summary.successRate = 75;
    summary.longestHitRun = 3;
    summary.longestMissRun = 1;
    summary.currentRun = 2;
    summary.currentRunKind = 1;
    summary.totalStake = 100;
    summary.totalPrize = 390;
    summary.runningStake = 20;
    summary.totalProfit = 290;
    summary.averageProfit = 58;
    summary.profitRate = 290;
    return summary;
}

const PlanSummary kSummary = summaryOfFive();

PlanSummary missesLately() {
    PlanSummary summary = kSummary;
    summary.currentRun = 4;
    summary.currentRunKind = 2;
    return summary;
}

// 三星单选 on 重庆时时彩 after the draw of issue 024.
const PlanTextContext kThreeStars{1010, 1302, 3, 5, "demo", 130501024, "71034", false};

PlanTextContext withPlay(int playId, int starCount) {
    PlanTextContext context = kThreeStars;
    context.playId = playId;
    context.starCount = starCount;
    return context;
}

PlanTextContext withoutDraw(int closedIssue) {
    PlanTextContext context = kThreeStars;
    context.closedIssue = closedIssue;
    context.lastDrawNumbers.clear();
    return context;
}

PlanTextContext withBlankLine(PlanTextContext context) {
    context.blankLine = true;
    return context;
}

tagPLANITEM plan(std::string positions, std::string hitPositions, int firstIssue, int lastIssue,
                 int issueCount, int issueOrdinal, int betCount, int status,
                 std::string multiples, std::string drawCode, std::string numbers, double profit) {
    tagPLANITEM plan;
    plan.positions = std::move(positions);
    plan.hitPositions = std::move(hitPositions);
    plan.firstIssue = firstIssue;
    plan.lastIssue = lastIssue;
    plan.issueCount = issueCount;
    plan.issueOrdinal = issueOrdinal;
    plan.betCount = betCount;
    plan.status = status;
    plan.multiples = std::move(multiples);
    plan.drawCode = std::move(drawCode);
    plan.numbers = std::move(numbers);
    plan.profit = profit;
    return plan;
}

// clang-format off
//                                      POS      HP       I1         I2         INS NIN BN PS MTP      LC       TXT                   PFT
const tagPLANITEM kWaiting     = plan("345",   "",      130501023, 130501025, 3,  2,  10, 0, "1,2,4", "",      "123 456 ",           -30);
const tagPLANITEM kHitOnOneSet = plan("345",   "345",   130501021, 130501023, 3,  2,  10, 1, "1,2,4", "71034", "034 ",               165.5);
const tagPLANITEM kHitOnTwoSets= plan("12,45", "12,45", 130501020, 130501022, 3,  3,  2,  1, "1,1,2", "71034", "34 71 ",             150);
const tagPLANITEM kMissed      = plan("345",   "",      130501018, 130501020, 3,  3,  10, 2, "1,2,4", "55555", "111 ",               -70);
const tagPLANITEM kStopped     = plan("123",   "",      130501021, 130501030, 10, 4,  5,  3, "1",     "",      "222 333 ",           -20);
const tagPLANITEM kFiveStars   = plan("12345", "",      130501024, 130501024, 1,  1,  3,  0, "2",     "",      "12345 54321 67890 ", -6);
const tagPLANITEM kPositional  = plan("12345", "",      130501024, 130501026, 3,  1,  3,  0, "1,2,4", "",      "1:01,3:5",           -2);
// clang-format on

// The lines under the plans with the built-in template.
const std::string kBuiltInTail =
    "共5个方案，4中3，成功率：75.00%\r\n"
    "最大连中：3，最大连挂：1，最近连中：2\r\n"
    "投注总额：100.00，奖金总额：390.00，当前投注：20.00\r\n"
    "利润总额：290.00，平均利润：58.00，利润率：290.00%\r\n"
    "重庆时时彩最新开奖：第130501024期 71034\r\n"
    "Norvane";

struct Case {
    const char* name;
    tagTEMPLATEITEM item;
    std::vector<tagPLANITEM> plans;
    PlanSummary summary;
    PlanTextContext context;
    std::string expected;
};

TEST(PlanText, ReadsAsTheTemplateSays) {
    const Case cases[] = {
        {"waiting",
         builtIn(),
         {kWaiting},
         kSummary,
         kThreeStars,
         "Norvane 023 - 025 三星 单选【后三】3期 1,2,4倍 10注 开[*****] 等待 (2) 利润：-30.00 \r\n"
         "123 456 \r\n" +
             kBuiltInTail},
        {"hit on one position set",
         builtIn(),
         {kHitOnOneSet},
         kSummary,
         kThreeStars,
         "Norvane 021 - 023 三星 单选【后三】3期 1,2,4倍 10注 开[71034] 中 (2) 利润：165.50 \r\n"
         "034 \r\n" +
             kBuiltInTail},
        {"hit on two position sets",
         builtIn(),
         {kHitOnTwoSets},
         kSummary,
         withPlay(1301, 2),
         "Norvane 020 - 022 两星 单选【前二，后二】3期 1,1,2倍 2注 开[71034] 中 (3)[前二，后二] "
         "利润：150.00 \r\n"
         "34 71 \r\n" +
             kBuiltInTail},
        {"missed, then stopped, without issue ordinals",
         builtInWith([](tagTEMPLATEITEM& item) { item.DispIssueNum = false; }),
         {kMissed, kStopped},
         kSummary,
         kThreeStars,
         "Norvane 018 - 020 三星 单选【后三】3期 1,2,4倍 10注 开[55555] 挂 利润：-70.00 \r\n"
         "Norvane 021 - 030 三星 单选【前三】10期 1倍 5注 开[*****] 停 (4) 利润：-20.00 \r\n"
         "222 333 \r\n" +
             kBuiltInTail},
        {"five stars",
         builtIn(),
         {kFiveStars},
         kSummary,
         withPlay(1304, 5),
         "Norvane 024 - 024 五星 单选 1期 2倍 3注 开[*****] 等待 (1) 利润：-6.00 \r\n"
         "12345 54321 67890 \r\n" +
             kBuiltInTail},
        {"定位胆 numbers first, with blank lines",
         builtInWith([](tagTEMPLATEITEM& item) { item.DispProjectDown = false; }),
         {kPositional},
         kSummary,
         withBlankLine(withPlay(1311, 5)),
         "【万01】，【百5】\r\n\r\n"
         "Norvane 024 - 026  定位胆 3期 1,2,4倍 3注 开[*****] 等待 (1) 利润：-2.00 \r\n\r\n" +
             kBuiltInTail},
        {"every switch off",
         everySwitchOff(),
         {kHitOnTwoSets, kWaiting},
         kSummary,
         kThreeStars,
         "123 456 \r\n"
         "020 - 022 三星 单选【前二，后二】3期 2注 中 \r\n"
         "023 - 025 三星 单选【后三】3期 10注 等待 \r\n"
         "重庆时时彩最新开奖：第130501024期 71034\r\n"},
        {"the user's name, the latest misses alone",
         builtInWith([](tagTEMPLATEITEM& item) {
             item.SignName = "@USERNAME";
             item.DispHit = false;
             item.DispSuccessRatio = false;
             item.DispProfitCollect = false;
         }),
         {kWaiting},
         missesLately(),
         kThreeStars,
         "demo 023 - 025 三星 单选【后三】3期 1,2,4倍 10注 开[*****] 等待 (2) 利润：-30.00 \r\n"
         "123 456 \r\n"
         "最近连挂：4\r\n"
         "重庆时时彩最新开奖：第130501024期 71034\r\n"
         "Norvane"},
        {"the longest runs alone, no draw known",
         builtInWith([](tagTEMPLATEITEM& item) {
             item.DispHitNow = false;
             item.DispSuccessRatio = false;
             item.DispProfitCollect = false;
         }),
         {kWaiting},
         kSummary,
         withoutDraw(0),
         "Norvane 023 - 025 三星 单选【后三】3期 1,2,4倍 10注 开[*****] 等待 (2) 利润：-30.00 \r\n"
         "123 456 \r\n"
         "最大连中：3，最大连挂：1\r\n"
         "重庆时时彩最新开奖：等待开奖\r\n"
         "Norvane"},
        {"an issue closed but its numbers not known",
         everySwitchOff(),
         {kWaiting},
         kSummary,
         withoutDraw(130501024),
         "123 456 \r\n"
         "023 - 025 三星 单选【后三】3期 10注 等待 \r\n"
         "重庆时时彩最新开奖：等待开奖\r\n"},
        {"no plans", builtIn(), {}, kSummary, kThreeStars, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposePlanText(c.item, c.plans, c.summary, c.context), c.expected) << c.name;
}

TEST(PlanText, TheTemplateInUseIsAnOwnOneByNameElseTheFirst) {
    std::vector<tagTEMPLATEITEM> templates(4);
    const char* names[] = {"系统模板", "甲", "乙", "甲"};
    for (std::size_t i = 0; i < templates.size(); ++i)
        templates[i].TempletName = names[i];

    EXPECT_EQ(TemplateInUse(templates, "乙"), &templates[2]);
    EXPECT_EQ(TemplateInUse(templates, "甲"), &templates[1]);
    EXPECT_EQ(TemplateInUse(templates, "丙"), &templates[0]);
    EXPECT_EQ(TemplateInUse(templates, ""), &templates[0]);
    EXPECT_EQ(TemplateInUse({}, "甲"), nullptr);
}

}  // namespace
}  // namespace quorstat
