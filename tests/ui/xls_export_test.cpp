#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "ui/grid_export.h"
#include "xls_reader.h"

namespace quorstat {
namespace {

namespace fs = std::filesystem;

class XlsExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("xls_export_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

GridRow Row(std::vector<std::string> cells) {
    GridRow row;
    row.cells = std::move(cells);
    return row;
}

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Every cell as a reader sees it: header names with full-width brackets, Chinese, quotes, line
// breaks, texts that need CONTINUE records (8 224 bytes per record), and the hidden column and
// filtered row left out.
TEST_F(XlsExportTest, ReaderFindsEveryCellAsText) {
    const std::string asciiLong = Repeat("0123456789", 2000);    // 20 000 one-byte characters
    const std::string chineseLong = Repeat("万千百十个", 1200);  // 6 000 two-byte characters
    GridContent grid;
    grid.columns = {{"序号"}, {"位置(万千)"}, {"PID", true}, {"备注"}};
    grid.rows = {Row({"1", "万千", "77", "它's \"quoted\" 'text'"}),
                 Row({"2", "=1+1", "78", "第一行\n第二行"}), Row({"x", "y", "79", "filtered"}),
                 Row({"3", asciiLong, "80", chineseLong}), Row({"合计", "", "", "共3个方案"})};
    grid.rows[2].filteredOut = true;
    grid.summaryRows = 1;

    const ExportOutcome outcome = ExportSpreadsheet(path("plans.xls"), grid, PlanSpreadsheet(grid));
    ASSERT_TRUE(outcome.written);
    EXPECT_EQ(outcome.cutCells, 0u);

    const XlsReadBack book = ReadXls(path("plans.xls"));
    ASSERT_TRUE(book.opened);
    EXPECT_EQ(book.sheetNames, std::vector<std::string>{"sheet"});
    const std::vector<std::vector<std::string>> expected = {
        {"序号", "位置（万千）", "备注"}, {"1", "万千", "它's \"quoted\" 'text'"},
        {"2", "=1+1", "第一行\n第二行"},  {"3", asciiLong, chineseLong},
        {"合计", "", "共3个方案"},
    };
    ASSERT_EQ(book.rows.size(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        ASSERT_EQ(book.rows[row].size(), expected[row].size()) << "row " << row;
        for (std::size_t column = 0; column < expected[row].size(); ++column) {
            const XlsReadBack::Cell& cell = book.rows[row][column];
            EXPECT_EQ(cell.text, expected[row][column]) << row << "," << column;
            EXPECT_EQ(cell.type,
                      expected[row][column].empty() ? XlsReadBack::Empty : XlsReadBack::Text)
                << row << "," << column;
        }
    }
}

// Enough distinct texts to spread the shared-string table over several CONTINUE records, with
// strings cut at record ends in both encodings.
TEST_F(XlsExportTest, ManyDistinctTextsSurviveRecordBoundaries) {
    GridContent grid;
    grid.columns = {{"号码"}, {"用户"}};
    for (int i = 0; i < 3000; ++i)
        grid.rows.push_back(Row(
            {"号" + std::to_string(i * 7919), "user" + std::to_string(i) + Repeat("z", i % 13)}));

    ASSERT_TRUE(ExportSpreadsheet(path("many.xls"), grid, PlanSpreadsheet(grid)).written);
    const XlsReadBack book = ReadXls(path("many.xls"));
    ASSERT_TRUE(book.opened);
    ASSERT_EQ(book.rows.size(), 3001u);
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(book.text(i + 1, 0), "号" + std::to_string(i * 7919)) << i;
        ASSERT_EQ(book.text(i + 1, 1), "user" + std::to_string(i) + Repeat("z", i % 13)) << i;
    }
}

// A spreadsheet cell holds 32 767 characters: a longer text is cut there, never mid-character,
// and counted so the user can be told.
TEST_F(XlsExportTest, TextBeyondACellIsCutAndCounted) {
    const std::string huge = Repeat("a", 100 * 1024);
    const std::string emoji = Repeat("b", 32766) + "😀";  // the pair would end past the limit
    GridContent grid;
    grid.columns = {{"TXT"}};
    grid.rows = {Row({huge}), Row({emoji}), Row({"short"})};

    const ExportOutcome outcome = ExportSpreadsheet(path("huge.xls"), grid, PlanSpreadsheet(grid));
    ASSERT_TRUE(outcome.written);
    EXPECT_EQ(outcome.cutCells, 2u);
    const XlsReadBack book = ReadXls(path("huge.xls"));
    ASSERT_TRUE(book.opened);
    EXPECT_EQ(book.text(1, 0), Repeat("a", 32767));
    EXPECT_EQ(book.text(2, 0), Repeat("b", 32766));
    EXPECT_EQ(book.text(3, 0), "short");
}

TEST_F(XlsExportTest, UnwritablePlaceIsReported) {
    GridContent grid;
    grid.columns = {{"A"}};
    grid.rows = {Row({"1"})};
    EXPECT_FALSE(ExportSpreadsheet(path("missing/x.xls"), grid, PlanSpreadsheet(grid)).written);
    EXPECT_FALSE(ExportText(path("missing/x.txt"), grid));
    EXPECT_FALSE(fs::exists(path("missing")));
}

}  // namespace
}  // namespace quorstat
