#include <gtest/gtest.h>

#include "ui/check_commands.h"
#include "ui/grid_export.h"
#include "ui/grid_sort.h"

namespace quorstat {
namespace {

GridRow Row(std::vector<std::string> cells) {
    GridRow row;
    row.cells = std::move(cells);
    return row;
}

std::vector<std::string> FirstCells(const GridContent& grid) {
    std::vector<std::string> cells;
    for (const GridRow& row : grid.rows)
        cells.push_back(row.cells.empty() ? "" : row.cells[0]);
    return cells;
}

struct SortCase {
    const char* name;
    std::size_t column;
    bool ascending;
    std::vector<std::size_t> from;
};

class GridSortTest : public ::testing::TestWithParam<SortCase> {};

// Users by name and profit, then a total that must stay last.
TEST_P(GridSortTest, OrdersBodyAndKeepsSummaryLast) {
    const SortCase& c = GetParam();
    GridContent grid;
    grid.columns = {{"用户名"}, {"利润", false, GridCompare::Number}};
    grid.rows = {Row({"张三", "10"}), Row({"李四", "9"}), Row({"王五", "1,200"}),
                 Row({"李四", "-1"}), Row({"合计", "1218"})};
    grid.summaryRows = 1;
    const std::vector<std::string> before = FirstCells(grid);

    EXPECT_EQ(SortGridRows(grid, c.column, c.ascending), c.from);
    std::vector<std::string> expected;
    for (const std::size_t row : c.from)
        expected.push_back(before[row]);
    EXPECT_EQ(FirstCells(grid), expected);
}

INSTANTIATE_TEST_SUITE_P(Columns, GridSortTest,
                         ::testing::Values(
                             // Numbers by value, "1,200" with its thousands separator above 10.
                             SortCase{"NumberAscending", 1, true, {3, 1, 0, 2, 4}},
                             SortCase{"NumberDescending", 1, false, {2, 0, 1, 3, 4}},
                             // Pinyin order (li, wang, zhang) as the ANSI code page has it; equal
                             // names keep their order both ways.
                             SortCase{"TextAscending", 0, true, {1, 3, 2, 0, 4}},
                             SortCase{"TextDescending", 0, false, {0, 2, 1, 3, 4}},
                             SortCase{"NoSuchColumn", 7, true, {0, 1, 2, 3, 4}}),
                         [](const auto& param) { return std::string(param.param.name); });

struct CheckCase {
    CheckCommand command;
    std::vector<bool> expected;
};

TEST(CheckCommands, CheckRowsAsTheUserCountsThem) {
    const std::vector<bool> checked = {true, false, false, true, true};
    const CheckCase cases[] = {
        {CheckCommand::All, {true, true, true, true, true}},
        {CheckCommand::Invert, {false, true, true, false, false}},
        {CheckCommand::None, {false, false, false, false, false}},
        {CheckCommand::OddRows, {true, false, true, false, true}},
        {CheckCommand::EvenRows, {false, true, false, true, false}},
    };
    for (const CheckCase& c : cases)
        EXPECT_EQ(ApplyCheckCommand(c.command, checked), c.expected) << CheckCommandText(c.command);
}

struct FileCase {
    const char* proposed;
    const char* extension;
    bool askUser;
    std::vector<std::string> filters;
    const char* suffix;
};

TEST(ExportFile, DialogOnlyWhenTheNameDoesNotFit) {
    const std::vector<std::string> text = {"文本文件(*.txt)"};
    const std::vector<std::string> sheet = {"EXCEL文件(*.xls)"};
    const FileCase cases[] = {
        {"/tmp/2024-05-01-方案列表.txt", "txt", false, text, "txt"},
        {"/tmp/list.TXT", "txt", false, text, "txt"},
        {"/tmp/list.XLS", "xls", false, sheet, "xls"},
        {"/tmp/list", "txt", true, text, "txt"},
        {"/tmp/list.txt", "xls", true, sheet, "xls"},
        {"/tmp/listtxt", "txt", true, text, "txt"},
        {"/tmp/list.txt", "", true, {"EXCEL文件(*.xls)", "文本文件(*.txt)"}, "xls"},
    };
    for (const FileCase& c : cases) {
        const ExportFileChoice choice = ChooseExportFile(c.proposed, c.extension);
        EXPECT_EQ(choice.askUser, c.askUser) << c.proposed << " " << c.extension;
        if (choice.askUser) {
            EXPECT_EQ(choice.filters, c.filters) << c.proposed;
            EXPECT_EQ(choice.defaultSuffix, c.suffix) << c.proposed;
        }
    }
}

TEST(ExportFile, FormatFollowsExtensionOrChosenFile) {
    EXPECT_EQ(ExportFormatOf("/tmp/a.xls", "txt"), ExportFormat::Text);
    EXPECT_EQ(ExportFormatOf("/tmp/a.txt", "TXT"), ExportFormat::Text);
    EXPECT_EQ(ExportFormatOf("/tmp/a.txt", "xls"), ExportFormat::Spreadsheet);
    EXPECT_EQ(ExportFormatOf("/tmp/a.Txt", ""), ExportFormat::Text);
    EXPECT_EQ(ExportFormatOf("/tmp/a.xls", ""), ExportFormat::Spreadsheet);
    EXPECT_EQ(ExportFormatOf("/tmp/dir.txt/a", ""), ExportFormat::Spreadsheet);
}

constexpr const char* kColumnsQuestion = "列表中列数过多，最多只能导出前255列，是否继续导出？";
constexpr const char* kRowsQuestion = "列表中数据过多，最多只能导出前65000行，是否继续导出？";
constexpr const char* kLongQuestion =
    "列表中数据行数超过1万行，可能需要比较长的时间，是否继续导出？";

struct PlanCase {
    std::size_t columns;
    std::size_t rows;
    std::vector<std::string> questions;
    std::size_t sheetColumns;
    std::size_t sheetRows;
};

TEST(SpreadsheetPlan, AsksAboutColumnsFirstThenRows) {
    const PlanCase cases[] = {
        {15, 10000, {}, 15, 10000},
        {15, 10001, {kLongQuestion}, 15, 10001},
        {15, 64999, {kLongQuestion}, 15, 64999},
        {15, 65000, {kRowsQuestion}, 15, 65000},
        {15, 70000, {kRowsQuestion}, 15, 65000},
        {255, 3, {}, 255, 3},
        {256, 3, {kColumnsQuestion}, 255, 3},
        {300, 10001, {kColumnsQuestion, kLongQuestion}, 255, 10001},
        {300, 65000, {kColumnsQuestion, kRowsQuestion}, 255, 65000},
    };
    for (const PlanCase& c : cases) {
        const SpreadsheetPlan plan = PlanSpreadsheet(c.columns, c.rows);
        EXPECT_EQ(plan.questions, c.questions) << c.columns << " x " << c.rows;
        EXPECT_EQ(plan.columns, c.sheetColumns) << c.columns << " x " << c.rows;
        EXPECT_EQ(plan.rows, c.sheetRows) << c.columns << " x " << c.rows;
    }
}

TEST(SpreadsheetTable, TakesShownColumnsAndUnfilteredRowsWithinLimits) {
    GridContent grid;
    grid.columns = {{"位置(万千)"}, {"PID", true}, {"金额(元)"}, {"备注"}};
    grid.rows = {Row({"万千", "7", "1.00", "a"}), Row({"x", "8", "2.00"}), Row({"y", "9"}),
                 Row({"z", "10", "4.00", "d"})};
    grid.rows[1].filteredOut = true;
    SpreadsheetPlan plan{{}, 2, 3};

    const SheetTable table = SpreadsheetTable(grid, plan);
    EXPECT_EQ(table.header, (std::vector<std::string>{"位置（万千）", "金额（元）"}));
    EXPECT_EQ(table.cells, (std::vector<std::string_view>{"万千", "1.00", "y", ""}));

    grid.hasHeader = false;
    EXPECT_EQ(SpreadsheetTable(grid, plan).header, (std::vector<std::string>{"列0", "列1"}));
}

}  // namespace
}  // namespace quorstat
