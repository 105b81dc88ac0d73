#include "plan/plan_paste.h"

#include <gtest/gtest.h>

#include "plan/number_classes.h"
#include "plan_test_support.h"

namespace quorstat {
namespace {

// Every two-digit number but 07 and 70, with separators of several kinds.
std::string allPairsBut0770() {
    std::string text;
    for (int value = 0; value < 100; ++value) {
        if (value != 7 && value != 70)
            text += std::to_string(value / 10) + std::to_string(value % 10) + "，\r\n"[value % 3];
    }
    return text;
}

TEST(PlanPasteTest, PastedTextIsNormalisedInvertedAndJoinedByTheNumberClasses) {
    struct Case {
        const char* what;
        int playId;
        std::string text;
        PasteOptions options;
        std::string numbers;
    };
    const Case cases[] = {
        {"separators of any kind", 1301, "12,34;5", {}, "12 34 "},
        {"group numbers sort their digits", 1305, "21 12 11", {}, "11 12 "},
        {"the complement", 1301, allPairsBut0770(), {true, false, false}, "07 70 "},
        {"the complement of a group play has sorted numbers only",
         1305,
         "00 01 02 03 04 05 06 07 "
         "08 09 11 12 13 14 15 16 17 18 19 22 23 24 25 26 27 28 29 33 34 35 36 37 38 39 44 45 46 "
         "47 48 49 55 56 57 58 59 66 67 68 69 77 78 79 88 89",
         {true, false, false},
         "99 "},
        {"对子 added", 1301, "12", {false, true, false}, "00 11 12 22 33 44 55 66 77 88 99 "},
        {"连子 of a group play",
         1305,
         "no digits",
         {false, false, true},
         "01 09 12 23 34 45 56 67 78 89 "},
        {"豹子 and 顺子 of a group play",
         1306,
         "543 345 000",
         {false, true, true},
         "000 012 019 089 111 123 222 234 333 345 444 456 555 567 666 678 777 789 888 999 "},
        {"a 胆 play takes no typed numbers", 1307, "12 34", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PastedNumbers(c.text, c.options, playStateFor(c.playId)), c.numbers);
    }
}

TEST(PlanPasteTest, NumbersGoInFrontAndNormalise) {
    EXPECT_EQ(NumbersInFront(equalDigitNumbers(3), "321,999", playStateFor(1306)),
              "000 111 123 222 333 444 555 666 777 888 999 ");
    EXPECT_EQ(NumbersInFront(groupThreeNumbers(), "", playStateFor(1302)).size(), 270u * 4);
}

TEST(PlanPasteTest, LinesOfTheFieldNeverChangeTheNumbers) {
    EXPECT_EQ(NumbersInLines("01 02 03 04 05 ", 2), "01 02 \n03 04 \n05 ");
    EXPECT_EQ(NumbersInLines("01 02 03 04 ", 2), "01 02 \n03 04 ");
    EXPECT_EQ(NumbersFromLines("01 02 \n03 04 \n05 "), "01 02 03 04 05 ");
    // Breaks the user typed without a blank before them stay.
    EXPECT_EQ(NumbersFromLines("12\n34 \n56"), "12\n34 56");
    EXPECT_EQ(NumbersInLines("", 3), "");
}

}  // namespace
}  // namespace quorstat
