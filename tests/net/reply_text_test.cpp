#include "net/reply_text.h"

#include <gtest/gtest.h>

#include "net/date_time.h"
#include "scoped_time_zone.h"

namespace quorstat {
namespace {

using Items = std::vector<std::string_view>;

TEST(ReplyText, StatusAndMessage) {
    EXPECT_EQ(StatusCode(""), std::nullopt);
    EXPECT_EQ(StatusCode("4|taken over|x"), '4');
    EXPECT_EQ(Message("4|taken over|x"), "taken over");
    EXPECT_EQ(Message("3||x"), "");
    EXPECT_EQ(Message("5|no separator after"), "");
    EXPECT_EQ(Message("5"), "");
    EXPECT_EQ(ReplyBody("1"), "");
    EXPECT_EQ(ReplyBody("1|a|b"), "a|b");
}

TEST(ReplyText, SplitsByMode) {
    struct Case {
        std::string_view text;
        SplitMode mode;
        Items items;
    };
    const std::vector<Case> cases{
        {"a|b|c", SplitMode::Strict, {"a", "b", "c"}},
        {"a|b|||", SplitMode::Strict, {"a", "b"}},
        {"a||b", SplitMode::Strict, {"a"}},
        {"|a|b", SplitMode::Strict, {}},
        {"|a||b|", SplitMode::Lenient, {"a", "b"}},
        {"a##b#", SplitMode::KeepEmpty, {"a", "", "b"}},
        {"", SplitMode::Lenient, {}},
        {"", SplitMode::Strict, {}},
        {"", SplitMode::KeepEmpty, {""}},
        {"|||", SplitMode::KeepEmpty, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const char separator = c.mode == SplitMode::KeepEmpty ? '#' : '|';
        std::string text(c.text);
        std::replace(text.begin(), text.end(), '|', separator);
        EXPECT_EQ(SplitList(text, separator, c.mode), c.items);
    }
}

TEST(ReplyText, VisitingStopsWhenAsked) {
    int visits = 0;
    ForEachItem("a$b$c$", '$', SplitMode::Lenient, [&](std::string_view) { return ++visits < 2; });
    EXPECT_EQ(visits, 2);
}

TEST(ReplyText, TagsMatchOnlyAtTheStart) {
    EXPECT_EQ(TagValue("TXT=01 23", "TXT="), "01 23");
    EXPECT_EQ(TagValue("X=TXT=5", "TXT="), std::nullopt);
    EXPECT_EQ(FieldTag("Win=a=b"), "Win=");
    EXPECT_EQ(FieldTag("no tag"), "");
}

TEST(ReplyText, NumbersAreReadLeniently) {
    EXPECT_EQ(ReadInt("12"), 12);
    EXPECT_EQ(ReadInt(" -7x"), -7);
    EXPECT_EQ(ReadInt(""), 0);
    EXPECT_EQ(ReadInt("abc"), 0);
    EXPECT_EQ(ReadInt("1,234"), 1);
    EXPECT_EQ(ReadInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ReadInt("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ReadGroupedInt("1,234"), 1234);
    EXPECT_DOUBLE_EQ(ReadMoney("1,234.50"), 1234.5);
    EXPECT_DOUBLE_EQ(ReadMoney("-1,000,000.25"), -1000000.25);
    EXPECT_DOUBLE_EQ(ReadReal("1,234.50"), 1.0);
    EXPECT_DOUBLE_EQ(ReadReal(" +2.5e1z"), 25.0);
    EXPECT_DOUBLE_EQ(ReadReal("+-3"), 0.0);
    EXPECT_DOUBLE_EQ(ReadReal("inf"), 0.0);
    EXPECT_DOUBLE_EQ(ReadReal("1e999"), 0.0);
    EXPECT_DOUBLE_EQ(ReadReal(""), 0.0);
}

TEST(ReplyText, FlagsAreTheExactWordTrue) {
    EXPECT_TRUE(ReadFlag("True"));
    EXPECT_FALSE(ReadFlag("true"));
    EXPECT_FALSE(ReadFlag("True "));
    EXPECT_FALSE(ReadFlag("1"));
}

TEST(DateTime, ReadsServiceDateTimes) {
    const DateTime value = ParseDateTime("2013-05-01 12:34:56");
    EXPECT_TRUE(value.read);
    EXPECT_EQ(value.year, 2013);
    EXPECT_EQ(value.month, 5);
    EXPECT_EQ(value.day, 1);
    EXPECT_EQ(value.hour, 12);
    EXPECT_EQ(value.minute, 34);
    EXPECT_EQ(value.second, 56);
}

TEST(DateTime, UnreadableTextsFallBackToTheYear2000) {
    for (const char* text : {"2013-05-01", "", "2013-13-01 00:00:00", "2013-02-29 00:00:00",
                             "2013-05-01 25:00:00", "garbage text", "-5-01 1:2:3"}) {
        SCOPED_TRACE(text);
        const DateTime value = ParseDateTime(text);
        EXPECT_FALSE(value.read);
        EXPECT_EQ(value.year, 2000);
        EXPECT_EQ(value.month, 1);
        EXPECT_EQ(value.day, 1);
        EXPECT_EQ(value.hour, 0);
    }
    EXPECT_TRUE(ParseDateTime("2012-02-29 00:00:00").read);
}

TEST(DateTime, FormatsAndConvertsInTheLocalZone) {
    const testing::ScopedTimeZone beijing("CST-8");
    const std::time_t time = ParseDateTime("2013-05-01 12:34:56").toTimeT();
    EXPECT_EQ(time, 1367382896);
    EXPECT_EQ(FormatDateTime(time), "2013-05-01 12:34:56");
}

}  // namespace
}  // namespace quorstat
