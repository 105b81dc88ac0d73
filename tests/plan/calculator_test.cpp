#include "plan/calculator.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "plan_test_support.h"

namespace quorstat {
namespace {

// 倍数, 当期投入, 累计投入, 毛利润, 纯利润, 利润率 of one row.
using Money = std::array<std::string, 6>;

std::vector<Money> moneyOf(const std::vector<MultipleRow>& rows) {
    std::vector<Money> out;
    for (const MultipleRow& row : rows)
        out.push_back({row.cells[ColMultiple], row.cells[ColCost], row.cells[ColTotal],
                       row.cells[ColGross], row.cells[ColNet], row.cells[ColRate]});
    return out;
}

std::vector<std::int64_t> multiplesOf(const std::vector<MultipleRow>& rows) {
    std::vector<std::int64_t> out;
    for (const MultipleRow& row : rows)
        out.push_back(row.multiple);
    return out;
}

// 两星单选 with ten numbers at 2 a bet and a prize of 195: 20 a multiple, 195 back on a hit.
tagCONFIG_MYPLANDATA twoStars(int issues) {
    tagCONFIG_MYPLANDATA s = NewPlanFormData(1010, 1301);
    s.unitCost = 2;
    s.prize = 195;
    s.issueCount = issues;
    return s;
}

PlayState openIssue(int playId) {
    PlayState play = playStateFor(playId);
    play.currentIssue = 130501119;
    play.issuesPerDay = 120;
    return play;
}

TEST(MultipleTable, FixedRateRaisesOnlyWhenTheRateWouldFallBelowIt) {
    tagCONFIG_MYPLANDATA s = twoStars(10);
    s.fixedRate = 10;
    const auto rows = ComputeMultipleTable(s, 10, MulFixedRate, openIssue(1301));
    const std::vector<Money> expected = {
        {"1", "20.00", "20.00", "195.00", "175.00", "875.00%"},
        {"1", "20.00", "40.00", "195.00", "155.00", "387.50%"},
        {"1", "20.00", "60.00", "195.00", "135.00", "225.00%"},
        {"1", "20.00", "80.00", "195.00", "115.00", "143.75%"},
        {"1", "20.00", "100.00", "195.00", "95.00", "95.00%"},
        {"1", "20.00", "120.00", "195.00", "75.00", "62.50%"},
        {"1", "20.00", "140.00", "195.00", "55.00", "39.29%"},
        {"1", "20.00", "160.00", "195.00", "35.00", "21.88%"},
        {"2", "40.00", "200.00", "390.00", "190.00", "95.00%"},
        {"2", "40.00", "240.00", "390.00", "150.00", "62.50%"},
    };
    EXPECT_EQ(moneyOf(rows), expected);
    // Numbers and issues run on across the day's end.
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].cells[ColNumber], "1");
    EXPECT_EQ(rows[0].cells[ColIssue], "130501119期");
    EXPECT_EQ(rows[1].cells[ColIssue], "130501120期");
    EXPECT_EQ(rows[9].cells[ColNumber], "10");
    EXPECT_EQ(rows[9].cells[ColIssue], "130502008期");
}

TEST(MultipleTable, FixedProfitKeepsEveryHitAboveTheProfit) {
    tagCONFIG_MYPLANDATA s = twoStars(6);
    s.fixedProfit = 100;
    const auto rows = ComputeMultipleTable(s, 10, MulFixedProfit, openIssue(1301));
    EXPECT_EQ(multiplesOf(rows), (std::vector<std::int64_t>{1, 1, 1, 1, 2, 2}));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(moneyOf(rows)[4], (Money{"2", "40.00", "120.00", "390.00", "270.00", "225.00%"}));
    EXPECT_EQ(moneyOf(rows)[5], (Money{"2", "40.00", "160.00", "390.00", "230.00", "143.75%"}));

    // A hit that can never pay the stake of the bets ends the table at once.
    EXPECT_TRUE(ComputeMultipleTable(s, 100, MulFixedProfit, openIssue(1301)).empty());
}

TEST(MultipleTable, StepProfitAimsOneStepHigherEachIssue) {
    tagCONFIG_MYPLANDATA s = twoStars(5);
    s.stepProfit = 100;
    const std::vector<Money> expected = {
        {"1", "20.00", "20.00", "195.00", "175.00", "875.00%"},
        {"2", "40.00", "60.00", "390.00", "330.00", "550.00%"},
        {"3", "60.00", "120.00", "585.00", "465.00", "387.50%"},
        {"3", "60.00", "180.00", "585.00", "405.00", "225.00%"},
        {"4", "80.00", "260.00", "780.00", "520.00", "200.00%"},
    };
    EXPECT_EQ(moneyOf(ComputeMultipleTable(s, 10, MulStepProfit, openIssue(1301))), expected);
}

TEST(MultipleTable, DoublingProfitDoublesTheTargetEachIssue) {
    tagCONFIG_MYPLANDATA s = twoStars(5);
    s.startProfit = 100;  // targets 100, 200, 400, 800, 1600
    const std::vector<Money> expected = {
        {"1", "20.00", "20.00", "195.00", "175.00", "875.00%"},
        {"2", "40.00", "60.00", "390.00", "330.00", "550.00%"},
        {"3", "60.00", "120.00", "585.00", "465.00", "387.50%"},
        {"6", "120.00", "240.00", "1170.00", "930.00", "387.50%"},
        {"11", "220.00", "460.00", "2145.00", "1685.00", "366.30%"},
    };
    EXPECT_EQ(moneyOf(ComputeMultipleTable(s, 10, MulDoublingProfit, openIssue(1301))), expected);
}

TEST(MultipleTable, ByIssuesAddsOrDoublesEveryNIssues) {
    const struct {
        std::int32_t every;
        std::uint8_t mode;
        std::int32_t by;
        std::vector<std::int64_t> multiples;
    } cases[] = {
        {2, RaiseDouble, 1, {1, 1, 2, 2, 4, 4}},
        {3, RaiseAdd, 2, {1, 1, 1, 3, 3, 3}},
        {1, RaiseDouble, 2, {1, 4, 16, 64, 256, 1024}},
        {5, RaiseAdd, 1, {1, 1, 1, 1, 1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.every);
        tagCONFIG_MYPLANDATA s = twoStars(6);
        s.raiseEvery = c.every;
        s.raiseMode = c.mode;
        s.raiseBy = c.by;
        EXPECT_EQ(multiplesOf(ComputeMultipleTable(s, 10, MulByIssues, openIssue(1301))),
                  c.multiples);
    }
    tagCONFIG_MYPLANDATA s = twoStars(6);
    s.raiseMode = RaiseDouble;
    const auto rows = ComputeMultipleTable(s, 10, MulByIssues, openIssue(1301));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(moneyOf(rows)[2], (Money{"2", "40.00", "80.00", "390.00", "310.00", "387.50%"}));
    EXPECT_EQ(moneyOf(rows)[5], (Money{"4", "80.00", "280.00", "780.00", "500.00", "178.57%"}));
}

TEST(MultipleTable, SegmentRateSwitchesItsRateAfterTheFirstSegment) {
    tagCONFIG_MYPLANDATA s = twoStars(6);
    s.segment1Issues = 2;
    s.segment1Rate = 10;
    s.segment2Rate = 150;
    const std::vector<Money> expected = {
        {"1", "20.00", "20.00", "195.00", "175.00", "875.00%"},
        {"1", "20.00", "40.00", "195.00", "155.00", "387.50%"},
        {"1", "20.00", "60.00", "195.00", "135.00", "225.00%"},
        {"2", "40.00", "100.00", "390.00", "290.00", "290.00%"},
        {"2", "40.00", "140.00", "390.00", "250.00", "178.57%"},
        {"3", "60.00", "200.00", "585.00", "385.00", "192.50%"},
    };
    EXPECT_EQ(moneyOf(ComputeMultipleTable(s, 10, MulSegmentRate, openIssue(1301))), expected);
}

TEST(MultipleTable, ManualTakesTheStoredMultiplesThenTheInitialOne) {
    const struct {
        std::vector<std::uint32_t> manual;
        std::int32_t initial;
        std::vector<Money> rows;
    } cases[] = {
        {{3, 0, 4},
         2,
         {{"3", "60.00", "60.00", "585.00", "525.00", "875.00%"},
          {"0", "0.00", "60.00", "0.00", "-60.00", "-100.00%"},
          {"4", "80.00", "140.00", "780.00", "640.00", "457.14%"},
          {"2", "40.00", "180.00", "390.00", "210.00", "116.67%"},
          {"2", "40.00", "220.00", "390.00", "170.00", "77.27%"}}},
        // 初始倍数 0 and nothing stored: zero multiples, which the upload then refuses.
        {{},
         0,
         {{"0", "0.00", "0.00", "0.00", "0.00", "0.00%"},
          {"0", "0.00", "0.00", "0.00", "0.00", "0.00%"},
          {"0", "0.00", "0.00", "0.00", "0.00", "0.00%"},
          {"0", "0.00", "0.00", "0.00", "0.00", "0.00%"},
          {"0", "0.00", "0.00", "0.00", "0.00", "0.00%"}}},
        // A stored multiple past 9 999 999 ends the table there.
        {{1, 10000000, 1}, 1, {{"1", "20.00", "20.00", "195.00", "175.00", "875.00%"}}},
    };
    for (const auto& c : cases) {
        tagCONFIG_MYPLANDATA s = twoStars(5);
        s.manualMultiples = c.manual;
        s.initialMultiple = c.initial;
        EXPECT_EQ(moneyOf(ComputeMultipleTable(s, 10, MulManual, openIssue(1301))), c.rows);
    }
}

// 定位胆 with one digit: each multiple is floor(d × 19.5 / 2); the profit runs on in single
// precision, and the table ends where the next multiple would pass 9 999 999.
TEST(MultipleTable, AllInStakesEverythingWonAndCarriesProfitInSinglePrecision) {
    tagCONFIG_MYPLANDATA s = NewPlanFormData(1010, 1311);
    s.unitCost = 2;
    s.prize = 19.5;
    s.issueCount = 10;
    const auto rows = ComputeMultipleTable(s, 1, MulAllIn, openIssue(1311));
    EXPECT_EQ(multiplesOf(rows),
              (std::vector<std::int64_t>{1, 9, 87, 848, 8268, 80613, 785976, 7663266}));
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(moneyOf(rows)[0], (Money{"1", "2.00", "2.00", "19.50", "17.50", "875.00"}));
    EXPECT_EQ(moneyOf(rows)[1], (Money{"9", "18.00", "20.00", "175.50", "175.00", "972.22"}));
    EXPECT_EQ(moneyOf(rows)[2], (Money{"87", "174.00", "194.00", "1696.50", "1697.50", "975.57"}));
    // 149 433 690 has no single-precision value; the nearest is 149 433 696.
    EXPECT_EQ(moneyOf(rows)[7], (Money{"7663266", "15326532.00", "17078136.00", "149433687.00",
                                       "149433696.00", "975.00"}));

    s.useCapital = 1;
    s.capital = 1000;
    s.issueCount = 2;
    const std::vector<Money> withCapital = {
        {"500", "1000.00", "1000.00", "9750.00", "8750.00", "875.00"},
        {"4875", "9750.00", "10750.00", "95062.50", "94062.50", "964.74"},
    };
    EXPECT_EQ(moneyOf(ComputeMultipleTable(s, 1, MulAllIn, openIssue(1311))), withCapital);
}

TEST(MultipleTable, PlainRowsFollowTheIssueCountAndTheOpenIssue) {
    tagCONFIG_MYPLANDATA s = twoStars(3);
    s.manualMultiples = {7, 8};
    s.initialMultiple = 5;
    PlayState play = openIssue(1301);
    std::vector<MultipleRow> rows = ComputeMultipleTable(s, 10, MulManual, play);
    ResizeTable(rows, 4, s, play);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2].cells[ColNet], "575.00");  // computed rows stay as they were
    EXPECT_EQ(rows[3].cells,
              (std::array<std::string, 8>{"4", "130502002期", "5", "", "", "", "", ""}));
    ResizeTable(rows, 1, s, play);
    EXPECT_EQ(multiplesOf(rows), (std::vector<std::int64_t>{7}));

    play.currentIssue = 130502001;
    RelabelTable(rows, play);
    EXPECT_EQ(rows[0].cells[ColIssue], "130502001期");
    play.currentIssue = 0;
    EXPECT_EQ(PlainRows({4, 6}, play)[1].cells,
              (std::array<std::string, 8>{"2", "", "6", "", "", "", "", ""}));
}

TEST(Calculate, StopsWithTheMessageOrComputesAndKeepsTheManualColumn) {
    PlanFormFields fields = FieldsFromRecord(twoStars(4));
    fields.strategy = MulManual;
    const struct {
        const char* what;
        int playId;
        std::string numbers;
        std::string unitCost;
        std::string prize;
        std::string message;
        std::size_t computedRows;
    } cases[] = {
        {"computed", 1301, "01 02 03 04 05 06 07 08 09 10", "2", "195", "", 4},
        {"refused cost", 1301, "01", "0", "195", "单注金额设置不正确", 0},
        {"prize out of range", 1301, "01", "2", "195.5", "中奖金额范围不正确", 0},
        {"no numbers", 1301, "", "2", "195", "", 0},
        {"no digits picked", 1311, ",,,,", "2", "19.5", "请选择胆码", 0},
        {"one digit picked", 1311, "5,,,,", "2", "19.5", "", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tagCONFIG_MYPLANDATA record = NewPlanFormData(1010, c.playId);
        record.betNumbers = c.numbers;
        record.manualMultiples = {2};
        fields.unitCost = c.unitCost;
        fields.prize = c.prize;
        const Calculation result =
            Calculate(fields, record, openIssue(c.playId), CalculationStart::Form);
        EXPECT_EQ(result.message, c.message);
        ASSERT_EQ(result.rows.size(), 4u);
        // Plain rows carry the stored multiple, then the initial one, and nothing else.
        EXPECT_EQ(multiplesOf(result.rows), (std::vector<std::int64_t>{2, 1, 1, 1}));
        EXPECT_EQ(result.rows[3].cells[ColTotal].empty(), c.computedRows == 0);
        if (c.computedRows > 0) {
            EXPECT_EQ(record.manualMultiples, (std::vector<std::uint32_t>{2, 1, 1, 1}));
        }
    }

    // Text without one whole number is left as it was typed.
    tagCONFIG_MYPLANDATA unfinished = NewPlanFormData(1010, 1301);
    unfinished.betNumbers = "1";
    Calculate(fields, unfinished, openIssue(1301), CalculationStart::Form);
    EXPECT_EQ(unfinished.betNumbers, "1");

    // A multiple edit computes with the manual column whatever strategy is chosen, and writes the
    // numbers back in canonical form.
    tagCONFIG_MYPLANDATA record = NewPlanFormData(1010, 1301);
    record.betNumbers = "10,09;08 07 06 05 04 03 02 01 01";
    record.manualMultiples = {3, 3};
    fields.strategy = MulFixedRate;
    fields.unitCost = "2";
    fields.prize = "195";
    const Calculation edited = Calculate(fields, record, openIssue(1301), CalculationStart::Manual);
    EXPECT_EQ(multiplesOf(edited.rows), (std::vector<std::int64_t>{3, 3, 1, 1}));
    EXPECT_EQ(record.betNumbers, "01 02 03 04 05 06 07 08 09 10 ");
    EXPECT_EQ(record.manualMultiples, (std::vector<std::uint32_t>{3, 3}));
}

}  // namespace
}  // namespace quorstat
