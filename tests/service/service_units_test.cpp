#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "service/base64.h"
#include "service/civil_time.h"
#include "service/control_access.h"
#include "service/draw_maker.h"
#include "service/form_body.h"
#include "service/gbk_text.h"
#include "service/lottery_calendar.h"
#include "service/page_error.h"
#include "service/password_digest.h"
#include "service/service_clock.h"

namespace quorstat::service {
namespace {

TEST(FormBody, SplitsAtAmpersandsAndTheFirstEqualsWithoutDecoding) {
    const FormBody form("UserName=a%41+b&SetUp=x=1#y=2#&&flag&Empty=&username=second");
    EXPECT_EQ(form.value("UserName"), "a%41+b");
    EXPECT_EQ(form.value("setup"), "x=1#y=2#");
    EXPECT_EQ(form.value("flag"), "");
    EXPECT_EQ(form.value("Empty"), "");
    EXPECT_EQ(form.value("Missing"), std::nullopt);
}

TEST(FormBody, RequiredFieldsAndIntegers) {
    const FormBody form("Issue=130501023&Page=-1&Bad=12x&Sign=+5&Huge=99999999999");
    EXPECT_EQ(form.requiredInteger("Issue", 1, 999999999), 130501023);
    EXPECT_EQ(form.optionalInteger("Absent", 0, 5), std::nullopt);
    for (const char* name : {"Page", "Bad", "Sign", "Huge", "Absent"})
        EXPECT_THROW(form.requiredInteger(name, 0, INT32_MAX), PageError) << name;
    try {
        form.required("Password");
        FAIL();
    } catch (const PageError& error) {
        EXPECT_STREQ(error.what(), "请求缺少字段“Password”");
    }
}

TEST(Base64, DecodesWithAndWithoutFill) {
    EXPECT_EQ(base64Decode("Mi44LjE"), "2.8.1");
    EXPECT_EQ(base64Decode("Mi44LjE="), "2.8.1");
    EXPECT_EQ(base64Decode("MjAxMy0wNS0wMSAwOToxNTowMA"), "2013-05-01 09:15:00");
    EXPECT_EQ(base64Decode(""), "");
    EXPECT_EQ(base64Decode("Mi4*LjE"), std::nullopt);
    EXPECT_EQ(base64Decode("Mi44L"), std::nullopt);
}

TEST(PasswordDigest, IsTheMiddleOfTheMd5Text) {
    // MD5("") = d41d8cd98f00b204e9800998ecf8427e, MD5("abc") = 900150983cd24fb0d6963f7d28e17f72
    EXPECT_EQ(PasswordDigest(""), "8f00b204e9800998");
    EXPECT_EQ(PasswordDigest("abc"), "3cd24fb0d6963f7d");
    EXPECT_EQ(PasswordDigest("demo123"), "4bf2d8728120d052");
}

TEST(GbkText, RefusesInvalidOrCutSequences) {
    EXPECT_EQ(decodeGbkStrict("\xD6\xD8\xC7\xEC"), "重庆");
    EXPECT_EQ(decodeGbkStrict("plain"), "plain");
    EXPECT_EQ(decodeGbkStrict("ab\xD6"), std::nullopt);
    EXPECT_EQ(decodeGbkStrict("\xFF\x20"), std::nullopt);
    EXPECT_EQ(decodeGbkStrict("\x81\x20"), std::nullopt);
}

TEST(CivilTime, FormatsAndParsesOnlyValidDateTimes) {
    const auto time = parseDateTime("2013-05-01 09:15:00");
    ASSERT_TRUE(time);
    EXPECT_EQ(formatDateTime(*time), "2013-05-01 09:15:00");
    EXPECT_EQ(issueDate(*time), 130501);
    EXPECT_EQ(formatDateTime(*time + 15 * 3600), "2013-05-02 00:15:00");
    EXPECT_EQ(formatTimeOfDay(86400), "00:00:00");
    EXPECT_EQ(formatTimeOfDay(93600), "02:00:00");
    for (const char* bad : {"2013-02-29 10:00:00", "2013-05-01", "2013-05-01 24:00:00",
                            "2013-5-01 09:15:00", "2013-05-01T09:15:00"})
        EXPECT_EQ(parseDateTime(bad), std::nullopt) << bad;
}

TEST(ServiceClock, VirtualTimeRunsAtItsSpeedAndCanBeSetAndAdvanced) {
    std::int64_t real = 1'000'000;
    ServiceClock clock([&real] { return real; });
    clock.set(*parseDateTime("2013-05-01 23:59:00"));
    clock.setSpeed(60);
    real += 1500;
    EXPECT_EQ(formatDateTime(clock.now()), "2013-05-02 00:00:30");
    clock.advance(3600);
    EXPECT_EQ(formatDateTime(clock.now()), "2013-05-02 01:00:30");
    clock.setSpeed(0);
    real += 100000;
    EXPECT_EQ(formatDateTime(clock.now()), "2013-05-02 01:00:30");
    EXPECT_THROW(clock.setSpeed(-1), std::invalid_argument);
}

TEST(LotteryCalendar, StandardTablesHavePlausibleIssueCounts) {
    const LotteryCalendar calendar = LotteryCalendar::standard();
    const std::array<std::pair<int, std::size_t>, 6> expected = {
        {{1010, 120}, {1011, 96}, {1012, 84}, {1013, 84}, {1014, 84}, {1015, 72}}};
    for (const auto& [id, count] : expected) {
        ASSERT_NE(calendar.find(id), nullptr);
        EXPECT_EQ(calendar.find(id)->drawOffsets.size(), count) << id;
    }
    EXPECT_EQ(calendar.findByName("黑龙江时时彩")->id, 1013);
    EXPECT_EQ(calendar.findByName("北京时时彩"), nullptr);
    EXPECT_EQ(LotteryCalendar::demo().find(1015)->drawOffsets.size(), 720u);
}

TEST(LotteryCalendar, DrawsAfterMidnightBelongToTheDayBefore) {
    const LotteryCalendar calendar = LotteryCalendar::standard().withTables(
        "1011 23:50 24:00 25:30:15 # a comment\n1012 09:00-09:30/10\n");
    const auto day = *parseDateTime("2013-05-01 00:00:00");
    const auto draws = LotteryCalendar::drawsBetween(*calendar.find(1011), day, day + 2 * 86400);
    ASSERT_EQ(draws.size(), 6u);
    EXPECT_EQ(draws[0].issue, 130430003);
    EXPECT_EQ(formatDateTime(draws[0].drawAt), "2013-05-01 01:30:15");
    EXPECT_EQ(draws[1].issue, 130501001);
    EXPECT_EQ(draws[2].issue, 130501002);
    EXPECT_EQ(formatDateTime(draws[2].drawAt), "2013-05-02 00:00:00");
    EXPECT_EQ(draws[3].issue, 130501003);
    EXPECT_EQ(calendar.find(1012)->drawOffsets.size(), 4u);
    EXPECT_EQ(calendar.find(1010)->drawOffsets.size(), 120u);
}

TEST(LotteryCalendar, RefusesUnusableTables) {
    const LotteryCalendar calendar = LotteryCalendar::standard();
    for (const char* bad : {"1016 10:00", "1010", "1010 00:00", "1010 10:00 09:00",
                            "1010 10:00 34:00", "1010 10:00-09:00/10", "1010 10:00-11:00/0",
                            "1010 10:60", "1010 48:00", "1010 00:01-23:59/1", "abc 10:00"})
        EXPECT_THROW(calendar.withTables(bad), std::invalid_argument) << bad;
    try {
        calendar.withTables("\n1010 10:00\n1010 x\n");
        FAIL();
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "line 3: \"x\" is not a number");
    }
}

TEST(DrawMaker, DigitsAreUniformAndDependOnSeedLotteryAndIssue) {
    std::array<int, 10> counts{};
    for (int issue = 1; issue <= 20000; ++issue)
        for (const char digit : DrawMaker::digitsFor(42, 1010, issue))
            ++counts[digit - '0'];
    for (const int count : counts) {
        EXPECT_GT(count, 9500);
        EXPECT_LT(count, 10500);
    }
    EXPECT_EQ(DrawMaker::digitsFor(42, 1010, 130501001), DrawMaker::digitsFor(42, 1010, 130501001));
    int differing = 0;
    for (int issue = 130501001; issue <= 130501010; ++issue) {
        differing += DrawMaker::digitsFor(42, 1010, issue) != DrawMaker::digitsFor(43, 1010, issue);
        differing += DrawMaker::digitsFor(42, 1010, issue) != DrawMaker::digitsFor(42, 1011, issue);
    }
    EXPECT_GE(differing, 18);
}

TEST(ControlAccess, AcceptsOnlyLoopbackAddresses) {
    for (const char* address : {"127.0.0.1", "127.3.4.5", "::1", "::ffff:127.0.0.1"})
        EXPECT_TRUE(ControlAccess::isLoopback(address)) << address;
    for (const char* address : {"192.168.1.2", "10.0.0.1", "::ffff:10.0.0.1", "", "1270.0.0.1"})
        EXPECT_FALSE(ControlAccess::isLoopback(address)) << address;
}

}  // namespace
}  // namespace quorstat::service
