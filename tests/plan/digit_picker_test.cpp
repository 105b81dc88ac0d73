#include <gtest/gtest.h>

#include <string>

#include "plan/position_free_picker.h"
#include "plan/positional_picker.h"

namespace quorstat {
namespace {

TEST(PositionFreePicker, QuickSelectionsReplaceTheSelection) {
    const struct {
        std::string_view caption;
        std::string_view digits;
    } cases[] = {
        {"清", ""},      {"选", "0123456789"}, {"奇", "13579"}, {"偶", "02468"},
        {"大", "56789"}, {"小", "01234"},      {"0", "0369"},   {"1", "147"},
        {"2", "258"},    {"D", "789"},         {"Z", "3456"},   {"X", "012"},
    };
    ASSERT_EQ(PositionFreePicker::quickSelections().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(std::string(c.caption));
        EXPECT_EQ(PositionFreePicker::quickSelections()[i].caption, c.caption);
        PositionFreePicker picker;
        picker.setChecked(4, true);
        picker.setChecked(9, true);
        ASSERT_TRUE(picker.applyQuickSelection(c.caption));
        EXPECT_EQ(picker.selectionString(), c.digits);
        EXPECT_EQ(picker.betCount(), static_cast<int>(c.digits.size()));
    }
}

TEST(PositionFreePicker, UnknownCaptionKeepsTheSelection) {
    PositionFreePicker picker;
    picker.setChecked(2, true);
    EXPECT_FALSE(picker.applyQuickSelection("万"));
    EXPECT_EQ(picker.selectionString(), "2");
}

TEST(PositionFreePicker, RestoreTakesEveryDigitFound) {
    PositionFreePicker picker;
    picker.setChecked(0, true);
    picker.restore("9x3,3 ");
    EXPECT_EQ(picker.selectionString(), "39");
    EXPECT_EQ(picker.betCount(), 2);
    picker.restore("");
    EXPECT_EQ(picker.betCount(), 0);
}

TEST(PositionalPicker, SelectionStringRoundTrips) {
    const struct {
        std::string_view stored;
        std::string_view selection;
        int count;
    } cases[] = {
        {"01,,5,789,", "01,,5,789,", 6},
        {"", ",,,,", 0},
        {"10,9a", "01,9,,,", 3},
        {"1,2,3,4,5,6", "1,2,3,4,5", 5},
        {",,,,0123456789", ",,,,0123456789", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored));
        PositionalPicker picker;
        picker.checkAll();
        picker.restore(c.stored);
        EXPECT_EQ(picker.selectionString(), c.selection);
        EXPECT_EQ(picker.betCount(), c.count);
    }
}

TEST(PositionalPicker, RowButtonEmptiesAUsedRowAndFillsAnEmptyOne) {
    PositionalPicker picker;
    picker.setChecked(2, 7, true);
    picker.toggleRow(2);
    EXPECT_TRUE(picker.row(2).empty());
    picker.toggleRow(2);
    EXPECT_EQ(picker.row(2).text(), "0123456789");
    picker.toggleRow(7);
    EXPECT_EQ(picker.selectionString(), ",,0123456789,,");

    picker.checkAll();
    EXPECT_EQ(picker.betCount(), 50);
    picker.clearAll();
    EXPECT_EQ(picker.betCount(), 0);
    EXPECT_EQ(PositionalPicker::rowCaptions().size(), 5u);
}

}  // namespace
}  // namespace quorstat
