#include <gtest/gtest.h>

#include "core/text_codec.h"
#include "ui/grid_text.h"

namespace quorstat {
namespace {

GridRow Row(std::vector<std::string> cells, bool filteredOut = false) {
    GridRow row;
    row.cells = std::move(cells);
    row.filteredOut = filteredOut;
    return row;
}

// Widths in ANSI bytes: 序号 4 (序号, 合计), 状态 5 (中(2)), 备注 hidden, 利润 5 (12.50, -3.00).
GridContent PlanLikeGrid() {
    GridContent grid;
    grid.columns = {{"序号"}, {"状态"}, {"备注", true}, {"利润"}};
    grid.rows = {Row({"1", "中(2)", "x", "12.50"}), Row({"10", "挂(1)", "y", ""}),
                 Row({"3", "", "z", "-3.00"}, true), Row({"合计", "", "", "9.50"})};
    grid.summaryRows = 1;
    return grid;
}

struct TextCase {
    const char* name;
    GridContent grid;
    bool withHeader;
    const char* expected;  // UTF-8; the table is written in GB18030
};

class GridTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(GridTextTest, LaysOutFixedWidthTable) {
    const TextCase& c = GetParam();
    EXPECT_EQ(GridText(c.grid, c.withHeader), ToAnsi(c.expected));
}

GridContent WithoutHeader() {
    GridContent grid = PlanLikeGrid();
    grid.hasHeader = false;
    grid.summaryRows = 0;
    return grid;
}

GridContent AllHidden() {
    GridContent grid = PlanLikeGrid();
    for (GridColumn& column : grid.columns)
        column.hidden = true;
    return grid;
}

GridContent SummaryFilteredOut() {
    GridContent grid = PlanLikeGrid();
    grid.rows.back().filteredOut = true;
    return grid;
}

GridContent ShortRowsAndLineBreak() {
    GridContent grid;
    grid.columns = {{"号码"}, {"A"}};
    grid.rows = {Row({"12\r\n34"}), Row({}), Row({"5", "ok"})};
    return grid;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, GridTextTest,
    ::testing::Values(
        TextCase{"HeaderRuleAndSummary", PlanLikeGrid(), true,
                 "序号 状态  利润  \r\n"
                 "-----------------\r\n"
                 "1    中(2) 12.50\r\n"
                 "10   挂(1)\r\n"
                 "-----------------\r\n"
                 "合计       9.50\r\n"},
        // The names still count for the widths when only the header lines are left out.
        TextCase{"NoHeaderLines", PlanLikeGrid(), false,
                 "1    中(2) 12.50\r\n"
                 "10   挂(1)\r\n"
                 "-----------------\r\n"
                 "合计       9.50\r\n"},
        TextCase{"GridWithoutHeader", WithoutHeader(), true,
                 "1    中(2) 12.50\r\n"
                 "10   挂(1)\r\n"
                 "合计       9.50\r\n"},
        TextCase{"NoShownColumn", AllHidden(), true, ""},
        TextCase{"FilteredSummaryHasNoRule", SummaryFilteredOut(), true,
                 "序号 状态  利润  \r\n"
                 "-----------------\r\n"
                 "1    中(2) 12.50\r\n"
                 "10   挂(1)\r\n"},
        // Texts go out as they are, even when a line break spoils the layout.
        TextCase{"MissingCellsAndLineBreak", ShortRowsAndLineBreak(), true,
                 "号码   A  \r\n"
                 "----------\r\n"
                 "12\r\n34\r\n"
                 "\r\n"
                 "5      ok\r\n"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(GridText, WritesChineseInTheAnsiCodePage) {
    const std::string text = GridText(PlanLikeGrid(), true);
    EXPECT_EQ(text.substr(0, 5), "\xD0\xF2\xBA\xC5 ");  // "序号 "
}

}  // namespace
}  // namespace quorstat
