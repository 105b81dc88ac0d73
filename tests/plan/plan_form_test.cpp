#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "core/atomic_file.h"
#include "plan/plan_form_fields.h"
#include "plan/plan_form_file.h"
#include "plan/plan_form_store.h"
#include "test_files.h"

namespace quorstat {
namespace {

using testing::le32;
using testing::shortString;
using testing::TempDir;
using testing::writeFile;

std::string bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

TEST(PlanFormReadBack, TheLastInvalidFieldOfTheChosenStrategyIsReported) {
    const struct {
        const char* what;
        int strategy;
        std::vector<std::pair<std::string PlanFormFields::*, std::string>> typed;
        bool useCapital;
        std::string message;
    } cases[] = {
        {"all valid", MulFixedRate, {}, false, ""},
        {"text for the cost",
         MulManual,
         {{&PlanFormFields::unitCost, "abc"}},
         false,
         "单注金额设置不正确"},
        {"cost and prize: the prize comes later",
         MulManual,
         {{&PlanFormFields::unitCost, "1001"}, {&PlanFormFields::prize, "200001"}},
         false,
         "中奖金额设置不正确"},
        {"a prize not above the cost",
         MulManual,
         {{&PlanFormFields::prize, "2"}},
         false,
         "中奖金额设置不正确"},
        {"another strategy's rate is reset silently",
         MulManual,
         {{&PlanFormFields::fixedRate, "-1"}},
         false,
         ""},
        {"the chosen strategy's rate",
         MulFixedRate,
         {{&PlanFormFields::unitCost, "0"}, {&PlanFormFields::fixedRate, "0"}},
         false,
         "固定利润率设置不正确"},
        {"capital only with its box", MulAllIn, {{&PlanFormFields::capital, "0"}}, false, ""},
        {"capital with its box",
         MulAllIn,
         {{&PlanFormFields::capital, "10000001"}},
         true,
         "初始资金设置不正确"},
        {"profit",
         MulFixedProfit,
         {{&PlanFormFields::fixedProfit, "x"}},
         false,
         "固定利润设置不正确"},
        {"step", MulStepProfit, {{&PlanFormFields::stepProfit, ""}}, false, "递增利润设置不正确"},
        {"start",
         MulDoublingProfit,
         {{&PlanFormFields::startProfit, "-5"}},
         false,
         "倍增利润设置不正确"},
        {"every and by: by comes later",
         MulByIssues,
         {{&PlanFormFields::raiseEvery, "0"}, {&PlanFormFields::raiseBy, "-2"}},
         false,
         "翻倍期数中倍数设置不正确"},
        {"every",
         MulByIssues,
         {{&PlanFormFields::raiseEvery, "10000001"}},
         false,
         "翻倍期数设置不正确"},
        {"a first segment longer than the plan",
         MulSegmentRate,
         {{&PlanFormFields::segment1Issues, "11"}},
         false,
         "分段利润中第一段期数设置不正确"},
        {"segment rates: the second comes later",
         MulSegmentRate,
         {{&PlanFormFields::segment1Rate, "0"}, {&PlanFormFields::segment2Rate, "0"}},
         false,
         "分段利润中第二段利润率设置不正确"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlanFormFields fields = FieldsFromRecord(NewPlanFormData(1010, 1302));
        fields.issueIndex = 9;
        fields.strategy = c.strategy;
        fields.useCapital = c.useCapital;
        fields.segment1Issues = "10";
        for (const auto& [field, text] : c.typed)
            fields.*field = text;
        tagCONFIG_MYPLANDATA record = NewPlanFormData(1010, 1302);
        EXPECT_EQ(ReadBackForm(fields, record), c.message);
    }
}

TEST(PlanFormReadBack, InvalidValuesTakeTheirDefaults) {
    PlanFormFields fields;  // nothing chosen, every field empty
    tagCONFIG_MYPLANDATA record = NewPlanFormData(1010, 1302);
    record.manualMultiples = {4};
    record.betNumbers = "123 ";
    ReadBackForm(fields, record);
    EXPECT_EQ(record.issueCount, 5);
    EXPECT_EQ(record.strategy, MulManual);
    EXPECT_EQ(record.unitCost, 2.0);
    EXPECT_EQ(record.prize, 1000.0);
    EXPECT_EQ(record.capital, 1000.0);
    EXPECT_EQ(record.fixedRate, 10.0);
    EXPECT_EQ(record.fixedProfit, 100.0);
    EXPECT_EQ(record.stepProfit, 100.0);
    EXPECT_EQ(record.startProfit, 100.0);
    EXPECT_EQ(record.raiseEvery, 2);
    EXPECT_EQ(record.raiseBy, 1);
    EXPECT_EQ(record.segment1Issues, 1);
    EXPECT_EQ(record.segment1Rate, 10.0);
    EXPECT_EQ(record.segment2Rate, 10.0);
    EXPECT_EQ(record.initialMultiple, 0);
    // What the calculator's fields do not hold stays as it was.
    EXPECT_EQ(record.manualMultiples, (std::vector<std::uint32_t>{4}));
    EXPECT_EQ(record.betNumbers, "123 ");
}

TEST(PlanFormFields, StoredRecordsAreShownWithTheirFormats) {
    tagCONFIG_MYPLANDATA record = NewPlanFormData(1010, 1306);
    record.prize = 400;
    record.unitCost = 0.5;
    record.fixedRate = 12.345;
    record.strategy = 300;
    record.issueCount = 0;
    PlanFormFields fields = FieldsFromRecord(record);
    EXPECT_EQ(fields.prize, "325.000");  // 三星组选 never shows more than 325
    EXPECT_EQ(fields.unitCost, "0.500");
    EXPECT_EQ(fields.fixedRate, "12.35");
    EXPECT_EQ(fields.capital, "1000.00");
    EXPECT_EQ(fields.segment1Issues, "10");
    EXPECT_EQ(fields.strategy, 0);
    EXPECT_EQ(fields.issueIndex, -1);

    const struct {
        int playId;
        const char* prize;
    } zeroPrizes[] = {{1301, "100.000"}, {1305, "100.000"},   {1302, "1000.000"},
                      {1306, "325.000"}, {1303, "10000.000"}, {1304, "100000.000"},
                      {1308, "10.000"},  {1311, "20.000"}};
    for (const auto& c : zeroPrizes) {
        record = NewPlanFormData(1010, c.playId);
        record.prize = 0;
        EXPECT_EQ(FieldsFromRecord(record).prize, c.prize) << c.playId;
    }
}

TEST(PlanFormFields, PrizeRangeDependsOnThePlay) {
    const struct {
        int playId;
        double unitCost;
        double prize;
        bool inRange;
    } cases[] = {
        {1301, 2, 195, true},     {1301, 2, 195.01, false}, {1302, 2, 1950, true},
        {1303, 0.5, 4876, false}, {1304, 1, 97500, true},   {1305, 2, 100, false},
        {1305, 2, 97.5, true},    {1306, 2, 325, true},     {1306, 2, 400, false},
        {1306, 1, 326, false},    {1307, 2, 10, true},      {1310, 2, 10.5, false},
        {1311, 2, 20, true},      {1311, 2, 20.5, false},   {1400, 2, 1e6, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrizeInRange(c.playId, c.unitCost, c.prize), c.inRange)
            << c.playId << " " << c.prize;

    EXPECT_FALSE(UnitCostAccepted(0.0009));
    EXPECT_TRUE(UnitCostAccepted(1000));
    EXPECT_FALSE(PrizeAccepted(2, 2));
    EXPECT_FALSE(PrizeAccepted(10000001, 2));
    EXPECT_FALSE(CapitalAccepted(1.5, 2));
    EXPECT_DOUBLE_EQ(LinkedPrize(195, 2, 0.2), 19.5);
}

// One record of 两星组选 as the Windows program wrote it: positions 前二 and 后二, a preset "倍投".
std::string windowsFormFile() {
    const std::string zero8(8, '\0');
    return le32(0x013379AD) + le32(1) +  // magic, one record
           le32(1011) + le32(1305) + shortString("\xC7\xB0\xB6\xFE,\xBA\xF3\xB6\xFE") + le32(2) +
           shortString("12 34 ") + le32(3) +
           bytes({0, 0, 0, 0, 0, 0, 0xE0, 0x3F}) +      // unitCost 0.5
           bytes({0, 0, 0, 0, 0, 0x60, 0x58, 0x40}) +   // prize 97.5
           le32(1) + le32(258) +                        // linkPrize, strategy
           bytes({0, 0, 0, 0, 0, 0, 0x24, 0x40}) +      // fixedRate 10
           bytes({0, 0, 0, 0, 0, 0, 0x59, 0x40}) +      // fixedProfit 100
           bytes({0, 0, 0, 0, 0, 0, 0x59, 0x40}) +      // stepProfit 100
           bytes({0, 0, 0, 0, 0, 0, 0x59, 0x40}) +      // startProfit 100
           le32(2) + bytes({1}) + le32(1) + le32(10) +  // raiseEvery, 翻, raiseBy, segment 1
           bytes({0, 0, 0, 0, 0, 0, 0x24, 0x40}) +      // segment1Rate 10
           bytes({0, 0, 0, 0, 0, 0, 0x34, 0x40}) +      // segment2Rate 20
           le32(2) + le32(1) + le32(3) +                // manualMultiples 1, 3
           le32(1) + le32(0) + le32(1) +                // paste options
           le32(7) + zero8 +                            // reserved, kept
           le32(0) + bytes({0, 0, 0, 0, 0, 0x40, 0x8F, 0x40}) +  // useCapital, capital 1000
           le32(1) +                                             // initialMultiple
           le32(1) + shortString("\xB1\xB6\xCD\xB6") + shortString("") + le32(2) + le32(2) +
           le32(1) + le32(2);  // one preset, 2 issues: 1, 2
}

tagCONFIG_MYPLANDATA windowsRecord() {
    tagCONFIG_MYPLANDATA record = NewPlanFormData(1011, 1305);
    record.positionNames = "前二,后二";
    record.positionsChecked = 2;
    record.betNumbers = "12 34 ";
    record.issueCount = 3;
    record.unitCost = 0.5;
    record.prize = 97.5;
    record.strategy = MulFixedRate;
    record.raiseMode = RaiseDouble;
    record.manualMultiples = {1, 3};
    record.pasteInverted = 1;
    record.addRuns = 1;
    record.reservedInt = 7;
    record.presets = {{"倍投", "", 2, {1, 2}}};
    return record;
}

TEST(PlanFormFile, ReadsAndWritesTheWindowsLayout) {
    const auto records = ReadPlanFormFile(windowsFormFile());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], windowsRecord());
    EXPECT_EQ(WritePlanFormFile(records), windowsFormFile());
}

TEST(PlanFormFile, DamageKeepsOnlyTheWholeRecordsBeforeIt) {
    const std::string one = windowsFormFile();
    std::string two = one;
    two.replace(4, 4, le32(2));
    two += one.substr(8, 40);  // a second record cut short
    EXPECT_EQ(ReadPlanFormFile(two), (std::vector<tagCONFIG_MYPLANDATA>{windowsRecord()}));

    std::string hugeArray = one;
    hugeArray.replace(hugeArray.find(le32(2) + le32(1) + le32(3)), 4, le32(0x40000000));
    EXPECT_TRUE(ReadPlanFormFile(hugeArray).empty());
    EXPECT_TRUE(ReadPlanFormFile(le32(0x013379AE) + le32(0)).empty());
    EXPECT_TRUE(ReadPlanFormFile("").empty());
}

TEST(PlanFormStore, TwoLotteriesSurviveARestart) {
    TempDir dir;
    const auto file = dir / "MyPlanDataConfig.dat";
    {
        PlanFormStore store(file);
        store.load();
        store.select(1010, 1302).prize = 950;
        store.select(1011, 1311).betNumbers = "5,,,,9";
        ASSERT_TRUE(store.save());
    }
    PlanFormStore again(file);
    again.load();
    ASSERT_EQ(again.records().size(), 2u);
    EXPECT_EQ(again.select(1011, 1311).betNumbers, "5,,,,9");
    EXPECT_EQ(again.select(1010, 1302).prize, 950);
    EXPECT_EQ(again.select(1012, 1301).prize, 100);  // a new pair starts with the defaults
}

TEST(PlanFormStore, ADamagedFileStaysUntilTheUserChangesSomething) {
    TempDir dir;
    const auto file = dir / "MyPlanDataConfig.dat";
    const std::string damaged = "\x01\x02\x03 not a form file";
    writeFile(file, damaged);

    PlanFormStore store(file);
    store.load();
    EXPECT_TRUE(store.records().empty());
    tagCONFIG_MYPLANDATA shown = store.select(1010, 1306);
    shown.segment1Issues = 1;  // how the form shows a first segment longer than the plan
    store.settleCurrent(shown);
    ASSERT_TRUE(store.save());
    EXPECT_EQ(ReadWholeFile(file), damaged);

    store.current()->prize = 300;
    ASSERT_TRUE(store.save());
    const auto records = ReadPlanFormFile(*ReadWholeFile(file));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].prize, 300);
    EXPECT_EQ(records[0].segment1Issues, 1);
}

}  // namespace
}  // namespace quorstat
