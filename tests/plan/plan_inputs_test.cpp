#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/search_history.h"
#include "plan/multiples_text.h"
#include "plan/plan_detail_text.h"
#include "plan/preset_file.h"
#include "plan/preset_rules.h"
#include "test_files.h"

namespace quorstat {
namespace {

using testing::le32;
using testing::shortString;
using testing::TempDir;
using testing::writeFile;
using Multiples = std::vector<std::uint32_t>;

TEST(ModifyMultiples, TypedTextBecomesOneMultiplePerRow) {
    const struct {
        std::string typed;
        std::size_t rows;
        Multiples values;
        std::string message;
    } cases[] = {
        {"１，２ 3", 5, {1, 2, 3, 3, 3}, ""},
        {"5", 3, {5, 5, 5}, ""},
        {"1,2,3,4", 2, {1, 2}, ""},
        {",,7\u3000\t8,,", 3, {7, 8, 8}, ""},
        {"7x 8", 2, {7, 8}, ""},
        {"abc 4", 2, {4, 4}, ""},
        {"0", 1, {0}, ""},
        {"99999999 100000000 3", 3, {99999999, 3, 3}, ""},
        {"123456789", 3, {}, "没有输入有效的倍数"},
        {" ， ", 2, {}, "没有输入有效的倍数"},
        {"", 2, {}, "没有输入有效的字符"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const MultiplesInput input = ParseModifyMultiples(c.typed, c.rows);
        EXPECT_EQ(input.values, c.values);
        EXPECT_EQ(input.message, c.message);
    }
}

TEST(PresetMultiples, EveryRunOfDigitsIsOneMultiple) {
    EXPECT_EQ(ParseMultiplesText("1,2;3 x45"), (Multiples{1, 2, 3, 45}));
    EXPECT_EQ(ParseMultiplesText("，,,"), Multiples{});
    EXPECT_EQ(ParseMultiplesText("-3"), Multiples{3});
    EXPECT_EQ(ParseMultiplesText("99999999999 1"), (Multiples{4294967295u, 1}));
    EXPECT_EQ(JoinMultiples({1, 20, 300}), "1,20,300");
}

TEST(PresetRules, TheItemDialogChecksNameIssuesAndMultiplesInOrder) {
    const std::string ninetyNine = [] {
        std::string text;
        for (int i = 0; i < 99; ++i)
            text += "1 ";
        return text;
    }();
    const struct {
        std::string name;
        std::string issues;
        std::string multiples;
        std::optional<PresetField> field;
        std::string message;
    } cases[] = {
        {"", "x", "", PresetField::Name, "请输入预设数据名称"},
        {"预设1", "1", "", PresetField::Name, "已经存在相同的预设数据名称，请使用其他名称"},
        {"新", "1", "1", PresetField::Issues, "期数设置不正确，期数范围：2-99"},
        {"新", "100", "1", PresetField::Issues, "期数设置不正确，期数范围：2-99"},
        {"新", "三", "1", PresetField::Issues, "期数设置不正确，期数范围：2-99"},
        {"新", "3", "1,2", PresetField::Multiples, "倍数个数不正确，"},
        {"新", "2", "1,2", std::nullopt, ""},
        {"新", "99", ninetyNine, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + " " + c.issues);
        const auto problem = CheckPresetItem(c.name, c.issues, c.multiples, {"预设1", "倍投"});
        ASSERT_EQ(problem.has_value(), c.field.has_value());
        if (problem) {
            EXPECT_EQ(problem->field, *c.field);
            EXPECT_EQ(problem->message, c.message);
        }
    }
}

TEST(PresetRules, NamesContentAndTheListOfAnIssueCount) {
    std::vector<PRESETDATA> presets;
    EXPECT_EQ(NextPresetName(presets), "预设1");
    presets = {{"预设1", "", 3, {1, 2, 4}}, {"预设3", "", 2, {1, 2}}, {"倍投", "", 3, {1, 1, 2}}};
    EXPECT_EQ(NextPresetName(presets), "预设2");
    EXPECT_TRUE(HasSamePreset(presets, 3, {1, 2, 4}));
    EXPECT_FALSE(HasSamePreset(presets, 2, {1, 2, 4}));
    EXPECT_EQ(PresetNamesFor(presets, 3), (std::vector<std::string>{"预设1", "倍投"}));
    EXPECT_TRUE(PresetNamesFor(presets, 4).empty());
}

TEST(PresetFile, ExportAndImportRestoreTheSameRows) {
    const std::string file = shortString("PresetData") + le32(2) + shortString("\xB1\xB6\xCD\xB6") +
                             shortString("3") + shortString("1,2,4") + shortString("a") +
                             shortString("2") + shortString("5,5");
    const std::vector<PRESETDATA> presets = {{"倍投", "", 3, {1, 2, 4}}, {"a", "", 2, {5, 5}}};
    EXPECT_EQ(WritePresetFile(presets), file);
    EXPECT_EQ(ReadPresetFile(file), presets);

    // Another head, or a file cut short, imports nothing.
    EXPECT_EQ(ReadPresetFile(shortString("PresetDatb") + le32(0)), std::nullopt);
    EXPECT_EQ(ReadPresetFile(file.substr(0, file.size() - 2)), std::nullopt);
    EXPECT_EQ(ReadPresetFile(""), std::nullopt);
    EXPECT_EQ(ReadPresetFile(shortString("PresetData") + le32(0)), std::vector<PRESETDATA>{});
}

TEST(SearchHistory, KeepsFiftyDistinctEntriesNewestFirst) {
    TempDir dir;
    const auto logDir = dir / "SearchLog";
    SearchHistory history(logDir, "MfyMulDialogMul");
    history.load();
    EXPECT_TRUE(history.entries().empty());
    for (int i = 1; i <= 52; ++i)
        ASSERT_TRUE(history.add(std::to_string(i)));
    ASSERT_TRUE(history.add("10"));
    ASSERT_TRUE(history.add(""));
    ASSERT_EQ(history.entries().size(), 50u);
    EXPECT_EQ(history.entries()[0], "10");
    EXPECT_EQ(history.entries()[1], "52");
    EXPECT_EQ(history.entries()[49], "3");
    EXPECT_EQ(ReadWholeFile(logDir / "MfyMulDialogMul.log")->substr(0, 8), "10\r\n52\r\n");

    writeFile(logDir / "Other.log", "abc\r\n\r\nAbcd\n\xD5\xC5\xC8\xFD\r\nab\r\n");
    SearchHistory other(logDir, "Other");
    other.load();
    EXPECT_EQ(other.entries(), (std::vector<std::string>{"abc", "Abcd", "张三", "ab"}));
    EXPECT_EQ(other.offers("AB"), (std::vector<std::string>{"abc", "Abcd"}));
    EXPECT_EQ(other.offers("abc"), (std::vector<std::string>{"Abcd"}));
    EXPECT_EQ(other.offers("张"), (std::vector<std::string>{"张三"}));
    EXPECT_EQ(other.offers(""), other.entries());
}

TEST(PlanDetail, NineLinesDescribeThePlan) {
    tagPLANITEM plan;
    plan.userName = "demo";
    plan.lotteryName = "重庆时时彩";
    plan.starName = "三星";
    plan.kindName = "单选";
    plan.positions = "123,345";
    plan.hitPositions = "345";
    plan.betTime = "2013-05-01 10:41:10";
    plan.firstIssue = 130501029;
    plan.lastIssue = 130501031;
    plan.issueCount = 3;
    plan.multiples = "1,2,4";
    plan.unitCost = 2;
    plan.prize = 1950;
    plan.betAmount = 12;
    plan.prizeAmount = 3900;
    plan.profit = 3888;
    plan.status = 1;
    plan.issueOrdinal = 2;
    plan.drawCode = "39159";
    plan.betCount = 2;
    const std::array<std::string, 9> expected = {
        "用户名称：demo",
        "投注类型：重庆时时彩，三星单选，位置：前三，后三",
        "提交时间：2013-05-01 10:41:10",
        "投注期数：130501029期 - 130501031期 （共3期）",
        "投注倍数：1,2,4",
        "单注成本：2.000，单注奖金：1950.000",
        "投注金额：12.00，中奖金额：3900.00，利润：3888.00",
        "投注状态：[后三]中奖(2)，开奖号码：39159",
        "投注号码【2注】：",
    };
    EXPECT_EQ(PlanDetailLines(plan), expected);

    const struct {
        std::int32_t status;
        const char* line;
    } states[] = {{0, "投注状态：等待开奖(2)，开奖号码：39159"},
                  {2, "投注状态：挂(2)，开奖号码：39159"},
                  {3, "投注状态：停(2)，开奖号码：39159"}};
    for (const auto& c : states) {
        plan.status = c.status;
        EXPECT_EQ(PlanDetailLines(plan)[7], c.line);
    }
}

}  // namespace
}  // namespace quorstat
