#include "plan/number_classes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "plan_test_support.h"

namespace quorstat {
namespace {

std::vector<std::string> entriesOf(const std::string& text) {
    std::vector<std::string> entries;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t blank = text.find(' ', at);
        entries.push_back(text.substr(at, blank - at));
        at = blank + 1;
    }
    return entries;
}

bool contains(const std::vector<std::string>& entries, const std::string& number) {
    return std::ranges::binary_search(entries, number);
}

TEST(NumberClasses, EqualDigitsAreTenRepeatedDigits) {
    for (int stars = 2; stars <= 5; ++stars) {
        SCOPED_TRACE(stars);
        const auto entries = entriesOf(equalDigitNumbers(stars));
        ASSERT_EQ(entries.size(), 10u);
        for (int digit = 0; digit <= 9; ++digit) {
            EXPECT_EQ(entries[static_cast<std::size_t>(digit)],
                      std::string(static_cast<std::size_t>(stars), static_cast<char>('0' + digit)));
        }
    }
    EXPECT_EQ(equalDigitNumbers(1), "");
    EXPECT_EQ(equalDigitNumbers(6), "");
    EXPECT_EQ(runNumbers(6), "");
    EXPECT_EQ(complementNumbers(BetCounters(10), 6, true), "");
}

TEST(NumberClasses, RunsHaveTheirExactSizesAndWrapOnlyBelowFiveStars) {
    const struct {
        int stars;
        std::size_t count;
        std::vector<std::string> members;
        std::vector<std::string> strangers;
    } cases[] = {
        {2, 20, {"01", "10", "09", "90", "45"}, {"00", "02", "19"}},
        {3, 60, {"012", "210", "890", "901", "098", "019"}, {"013", "112", "790"}},
        {4, 240, {"0123", "9012", "8901", "1098", "6789"}, {"0124", "1123", "1357"}},
        {5,
         5 * 4 * 3 * 2 * 36,
         {"01234", "01789", "98710", "97812", "13024"},
         {"01239", "90123", "01357", "01134", "02468"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stars);
        const auto entries = entriesOf(runNumbers(c.stars));
        EXPECT_EQ(entries.size(), c.count);
        for (const std::string& number : c.members) {
            EXPECT_TRUE(contains(entries, number)) << number;
        }
        for (const std::string& number : c.strangers) {
            EXPECT_FALSE(contains(entries, number)) << number;
        }
    }
}

TEST(NumberClasses, GroupThreeHasExactlyTwoDistinctDigits) {
    const auto entries = entriesOf(groupThreeNumbers());
    EXPECT_EQ(entries.size(), 270u);
    for (const char* number : {"001", "010", "100", "998"}) {
        EXPECT_TRUE(contains(entries, number)) << number;
    }
    for (const char* number : {"000", "012", "999"}) {
        EXPECT_FALSE(contains(entries, number)) << number;
    }
}

TEST(NumberClasses, ComplementHoldsWhatTheListLacks) {
    const struct {
        int playId;
        std::string numbers;
        std::size_t count;
    } cases[] = {
        {1302, "000", 999}, {1306, "", 220},     {1305, "12", 54},
        {1304, "", 100000}, {1301, "00 99", 98}, {1306, "210 777", 218},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.playId);
        const PlayState state = playStateFor(c.playId);
        std::string text = c.numbers;
        BetCounters counters;
        const int count = NormalizeBetNumbers(text, counters, state);
        std::string complement = complementNumbers(counters, state.starCount, state.orderedPlay);
        EXPECT_EQ(entriesOf(complement).size(), c.count);

        // The list and its complement together are every number the play knows.
        std::string all = complement + text;
        BetCounters allCounters;
        EXPECT_EQ(NormalizeBetNumbers(all, allCounters, state), count + static_cast<int>(c.count));
        std::string none = all;
        BetCounters noneCounters;
        NormalizeBetNumbers(none, noneCounters, state);
        EXPECT_EQ(complementNumbers(noneCounters, state.starCount, state.orderedPlay), "");
    }
}

}  // namespace
}  // namespace quorstat
