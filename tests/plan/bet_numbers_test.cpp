#include "plan/bet_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "plan_test_support.h"

namespace quorstat {
namespace {

constexpr int kNumberPlays[] = {1301, 1302, 1303, 1304, 1305, 1306};

TEST(NormalizeBetNumbers, RewritesTextsIntoCanonicalForm) {
    const struct {
        int playId;
        std::string input;
        std::string expected;
        int count;
    } cases[] = {
        {1301, "12,34;5", "12 34 ", 2},
        {1305, "21 12 11", "11 12 ", 2},
        {1306, "321 123", "123 ", 1},
        {1306, "909", "099 ", 1},
        {1302, "1 2 3 4 5 6", "123 456 ", 2},
        {1302, "98\n7 654 321", "321 654 987 ", 3},
        {1302, "0a0b7", "007 ", 1},
        {1304, "12345，67890|12345\r\n", "12345 67890 ", 2},
        {1304, "00000", "00000 ", 1},
        {1303, "abc", "", 0},
        {1303, "123", "", 0},
        {1302, "", "", 0},
        {1302, "１２３", "", 0},
        {1301, "99 99 99 00", "00 99 ", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        std::string text = c.input;
        BetCounters counters;
        EXPECT_EQ(NormalizeBetNumbers(text, counters, playStateFor(c.playId)), c.count);
        EXPECT_EQ(text, c.expected);
    }
}

TEST(NormalizeBetNumbers, LeavesTextAloneWhereNoNumbersAreRead) {
    PlayState foreignLottery = playStateFor(1302);
    foreignLottery.selectLottery(1020);
    PlayState noLottery;
    noLottery.selectPlay(1302);
    const PlayState states[] = {playStateFor(1307), playStateFor(1311), playStateFor(1400),
                                foreignLottery, noLottery};
    for (const PlayState& state : states) {
        SCOPED_TRACE(state.playId);
        std::string text = "0369 123";
        BetCounters counters{1, 2, 3};
        EXPECT_EQ(NormalizeBetNumbers(text, counters, state), 0);
        EXPECT_EQ(text, "0369 123");
        EXPECT_TRUE(counters.empty());
    }
}

TEST(NormalizeBetNumbers, EmptyTextStillResetsTheCounters) {
    BetCounters counters(1000, 7);
    std::string text;
    EXPECT_EQ(NormalizeBetNumbers(text, counters, playStateFor(1301)), 0);
    EXPECT_EQ(counters, BetCounters(100, 0));
}

TEST(NormalizeBetNumbers, CountersCountEveryOccurrence) {
    std::string text = "21 12 12 33";
    BetCounters counters;
    EXPECT_EQ(NormalizeBetNumbers(text, counters, playStateFor(1305)), 2);
    ASSERT_EQ(counters.size(), 100u);
    EXPECT_EQ(counters[12], 3u);
    EXPECT_EQ(counters[33], 1u);
    EXPECT_EQ(counters[21], 0u);
}

TEST(TallyBetNumbers, CountsWithoutTouchingTheText) {
    const std::string text = "5 4 3 2 1 0";
    BetCounters counters;
    EXPECT_EQ(tallyBetNumbers(text, counters, playStateFor(1302)), 2);
    EXPECT_EQ(canonicalNumbers(counters, 3), "210 543 ");
    EXPECT_EQ(canonicalNumbers(counters, 6), "");
    EXPECT_EQ(canonicalNumbers(counters, 0), "");
}

// Digits grouped straight from the digit stream, independent of the counter array.
std::string referenceNormal(const std::string& text, const PlayState& state) {
    std::set<std::string> numbers;
    std::string number;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            continue;
        }
        number.push_back(ch);
        if (number.size() == static_cast<std::size_t>(state.starCount)) {
            if (state.orderedPlay == 0) {
                std::sort(number.begin(), number.end());
            }
            numbers.insert(number);
            number.clear();
        }
    }
    std::string joined;
    for (const std::string& entry : numbers) {
        joined += entry + ' ';
    }
    return joined;
}

std::string randomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "0", "1", "2",  "3",  "4",  "5", "6", "7",  "8",    "9",
        " ", ",", "\n", "；", "，", "a", "-", "１", "\xff", std::string(1, '\0')};
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 300);
    std::string text;
    for (int i = length(random); i > 0; --i) {
        text += pieces[pick(random)];
    }
    return text;
}

void expectCanonical(const std::string& text, int count, const PlayState& state) {
    const auto width = static_cast<std::size_t>(state.starCount);
    ASSERT_EQ(text.size() % (width + 1), 0u);
    EXPECT_EQ(text.size() / (width + 1), static_cast<std::size_t>(count));
    std::string previous;
    for (std::size_t at = 0; at < text.size(); at += width + 1) {
        const std::string entry = text.substr(at, width);
        EXPECT_EQ(entry.find_first_not_of("0123456789"), std::string::npos) << entry;
        EXPECT_EQ(text[at + width], ' ');
        EXPECT_LT(previous, entry);
        if (state.orderedPlay == 0) {
            EXPECT_TRUE(std::is_sorted(entry.begin(), entry.end())) << entry;
        }
        previous = entry;
    }
}

TEST(NormalizeBetNumbers, RandomTextsGiveCanonicalStableTexts) {
    std::mt19937 random(20140101);
    for (const int playId : kNumberPlays) {
        const PlayState state = playStateFor(playId);
        for (int round = 0; round < 100; ++round) {
            const std::string input = randomText(random);
            SCOPED_TRACE(playId);
            std::string text = input;
            BetCounters counters;
            const int count = NormalizeBetNumbers(text, counters, state);
            EXPECT_EQ(text, referenceNormal(input, state));
            expectCanonical(text, count, state);

            std::string again = text;
            EXPECT_EQ(NormalizeBetNumbers(again, counters, state), count);
            EXPECT_EQ(again, text);
        }
    }
}

}  // namespace
}  // namespace quorstat
