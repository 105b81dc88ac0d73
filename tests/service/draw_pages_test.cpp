#include <fmt/format.h>

#include <regex>

#include "service/draw_maker.h"
#include "service_fixture.h"

namespace quorstat::service {
namespace {

class DrawPagesTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        session_ = login("demo", "demo123");
    }

    std::string drawTable(const std::string& lottery) {
        return post("BetFlashLotteryTime.asp", prefix(session_) + "&Lotteryname=" + lottery);
    }
    std::string latestDraw(const std::string& lottery, int issue) {
        return post("BetLotteryData.asp",
                    fmt::format("Username={}&Onlogin={}&{}&Lotteryname={}&Issue={}", session_.name,
                                session_.token, timeToken(), lottery, issue));
    }
    std::string recentDraws(const std::string& lottery, int count) {
        return post("BetLotteryData.asp",
                    fmt::format("Username={}&Onlogin={}&{}&Lotteryname={}&IssueNum={}",
                                session_.name, session_.token, timeToken(), lottery, count));
    }
    static std::string item(int lotteryId, int issue) {
        return std::to_string(issue) + "&" + DrawMaker::digitsFor(7, lotteryId, issue);
    }

    TestSession session_;
};

TEST_F(DrawPagesTest, DrawTimeTablesInIssueOrder) {
    const struct {
        std::string lottery;
        std::string first;
        std::string last;
        std::size_t count;
    } tables[] = {
        {"重庆时时彩", "00:05:00#00:10:00#", "#23:55:00#00:00:00#", 120},
        {"新疆时时彩", "10:10:00#10:20:00#", "#23:50:00#00:00:00#00:10:00#", 96},
        {"江西时时彩", "09:10:00#", "#23:00:00#", 84},
        {"黑龙江时时彩", "08:40:00#", "#22:30:00#", 84},
        {"天津时时彩", "09:20:00#", "#23:10:00#", 84},
        {"云南时时彩", "10:10:00#", "#22:00:00#", 72},
    };
    for (const auto& table : tables) {
        const std::string reply = drawTable(table.lottery);
        std::smatch match;
        ASSERT_TRUE(std::regex_match(
            reply, match, std::regex(R"(1\|((?:\d\d:\d\d:\d\d#)+)\|2013-05-01 09:15:00)")))
            << reply;
        const std::string times = match[1];
        EXPECT_TRUE(times.starts_with(table.first)) << table.lottery;
        EXPECT_NE(times.find(table.last), std::string::npos) << table.lottery;
        EXPECT_EQ(static_cast<std::size_t>(std::count(times.begin(), times.end(), '#')),
                  table.count);
    }
    EXPECT_TRUE(drawTable("新疆时时彩").ends_with("#01:50:00#02:00:00#|2013-05-01 09:15:00"));
    EXPECT_EQ(drawTable("澳门时时彩"), "0|彩种名称不正确|");
}

TEST_F(DrawPagesTest, LatestDrawOfAnIssueOrTheOneBeforeIt) {
    // At 09:15 the last draw of the day was issue 023 at 01:55; 024 comes at 10:00.
    EXPECT_EQ(latestDraw("重庆时时彩", 130501023),
              "1|" + item(1010, 130501023) + "|2013-05-01 01:55:00");
    EXPECT_EQ(latestDraw("重庆时时彩", 130501024),
              "1|" + item(1010, 130501023) + "|2013-05-01 01:55:00");
    EXPECT_EQ(latestDraw("重庆时时彩", 130501005),
              "1|" + item(1010, 130501005) + "|2013-05-01 00:25:00");
    EXPECT_EQ(latestDraw("江西时时彩", 130501001),
              "1|" + item(1012, 130501001) + "|2013-05-01 09:10:00");
    EXPECT_EQ(latestDraw("重庆时时彩", 100101001), "0|暂无开奖数据|");
    EXPECT_EQ(latestDraw("重庆时时彩", 0), "0|字段“Issue”的值不正确|");
    EXPECT_EQ(post("BetLotteryData.asp", prefix(session_) + "&Lotteryname=重庆时时彩"),
              "0|请求缺少字段“Issue”|");
}

TEST_F(DrawPagesTest, LastFiveDrawsNewestFirst) {
    EXPECT_EQ(recentDraws("重庆时时彩", 5),
              "1|" + item(1010, 130501023) + "#" + item(1010, 130501022) + "#" +
                  item(1010, 130501021) + "#" + item(1010, 130501020) + "#" +
                  item(1010, 130501019) + "#|2013-05-01 09:15:00");
    // Before its first draw of the day a lottery lists the draws of the day before.
    EXPECT_EQ(recentDraws("云南时时彩", 2),
              "1|" + item(1015, 130430072) + "#" + item(1015, 130430071) + "#|2013-05-01 09:15:00");
    EXPECT_EQ(recentDraws("重庆时时彩", 101), "0|字段“IssueNum”的值不正确|");
}

TEST_F(DrawPagesTest, DrawsAreMadeAsTheClockPassesMidnight) {
    const struct {
        std::string clock;
        std::string chongqing;
        std::string xinjiang;
    } steps[] = {
        {"Set=2013-05-01 23:58:00", "130501119&|2013-05-01 23:55:00",
         "130501083&|2013-05-01 23:50:00"},
        {"Advance=120", "130501120&|2013-05-02 00:00:00", "130501084&|2013-05-02 00:00:00"},
        {"Advance=299", "130501120&|2013-05-02 00:00:00", "130501084&|2013-05-02 00:00:00"},
        {"Advance=1", "130502001&|2013-05-02 00:05:00", "130501084&|2013-05-02 00:00:00"},
        {"Set=2013-05-02 02:00:00", "130502023&|2013-05-02 01:55:00",
         "130501096&|2013-05-02 02:00:00"},
        {"Set=2013-05-02 10:10:00", "130502025&|2013-05-02 10:10:00",
         "130502001&|2013-05-02 10:10:00"},
    };
    const auto withDigits = [](int lotteryId, const std::string& expected) {
        const int issue = std::stoi(expected.substr(0, 9));
        return "1|" + std::to_string(issue) + "&" + DrawMaker::digitsFor(7, lotteryId, issue) +
               expected.substr(10);
    };
    for (const auto& step : steps) {
        ASSERT_EQ(controlClock(step.clock).substr(0, 2), "1|") << step.clock;
        EXPECT_EQ(latestDraw("重庆时时彩", 999999999), withDigits(1010, step.chongqing))
            << step.clock;
        EXPECT_EQ(latestDraw("新疆时时彩", 999999999), withDigits(1011, step.xinjiang))
            << step.clock;
    }
}

TEST_F(DrawPagesTest, TheVirtualClockRunsAtItsSpeedAndSetsServerTime) {
    EXPECT_EQ(controlClock(""), "1|2013-05-01 09:15:00|0");
    EXPECT_EQ(get("/control/clock"), "1|2013-05-01 09:15:00|0");
    EXPECT_EQ(controlClock("Speed=60"), "1|2013-05-01 09:15:00|60");
    advanceRealTime(2'000);
    EXPECT_EQ(post("BetFlashTime.asp", prefix(session_) + "&Ver=" + base64("2.8.1")),
              "1|2|1|2013-05-01 09:17:00");
    // A bad field changes nothing, not even the fields before it.
    EXPECT_EQ(controlClock("Speed=1&Set=2013-13-01 00:00:00"), "0|字段“Set”的值不正确|");
    EXPECT_EQ(controlClock("Advance=ten"), "0|字段“Advance”的值不正确|");
    EXPECT_EQ(controlClock("Speed=-2"), "0|字段“Speed”的值不正确|");
    EXPECT_EQ(controlClock("Speed=0&Advance=-120"), "1|2013-05-01 09:15:00|0");
    // The clock was set back: a draw it has not reached is not shown, though already made.
    EXPECT_EQ(controlClock("Set=2013-05-01 10:05:00"), "1|2013-05-01 10:05:00|0");
    EXPECT_EQ(controlClock("Set=2013-05-01 09:59:59"), "1|2013-05-01 09:59:59|0");
    EXPECT_EQ(latestDraw("重庆时时彩", 130501024),
              "1|" + item(1010, 130501023) + "|2013-05-01 01:55:00");
}

// Issue numbers carry two-digit years; a refused time changes nothing.
TEST_F(DrawPagesTest, TheClockKeepsToTheYears2000To2099) {
    const std::string refused = "0|服务时间应在2000年至2099年之间|";
    const struct {
        std::string body;
        std::string reply;
    } cases[] = {
        {"Set=0000-01-01 00:00:00", refused},
        {"Set=1999-12-31 23:59:59", refused},
        {"Set=2100-01-01 00:00:00", refused},
        {"Set=2000-01-01 00:00:00", "1|2000-01-01 00:00:00|0"},
        {"Advance=-1", refused},
        {"Set=2099-12-31 23:59:00&Advance=60", refused},
        {"Set=2099-12-31 23:59:00&Advance=59", "1|2099-12-31 23:59:59|0"},
        {"Speed=2&Advance=1", refused},
        {"", "1|2099-12-31 23:59:59|0"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(controlClock(test.body), test.reply) << test.body;
}

TEST_F(DrawPagesTest, TheSeedAloneDecidesTheDigits) {
    controlClock("Set=2013-05-03 12:00:00");
    const std::string before = recentDraws("天津时时彩", 20);
    restartService(defaultOptions());
    session_ = login("demo", "demo123");
    controlClock("Set=2013-05-03 12:00:00");
    EXPECT_EQ(recentDraws("天津时时彩", 20), before);
    ServiceOptions otherSeed = defaultOptions();
    otherSeed.seed = 8;
    restartService(otherSeed);
    session_ = login("demo", "demo123");
    controlClock("Set=2013-05-03 12:00:00");
    EXPECT_NE(recentDraws("天津时时彩", 20), before);
}

TEST_F(DrawPagesTest, TheDemoTableDrawsEveryTwoMinutes) {
    ServiceOptions options = defaultOptions();
    options.drawTables = "demo";
    restartService(options);
    session_ = login("demo", "demo123");
    const std::string table = drawTable("重庆时时彩");
    EXPECT_TRUE(table.starts_with("1|00:02:00#00:04:00#00:06:00#")) << table.substr(0, 40);
    EXPECT_TRUE(table.ends_with("#23:58:00#00:00:00#|2013-05-01 09:15:00"));
    EXPECT_EQ(latestDraw("重庆时时彩", 999999999),
              "1|" + item(1010, 130501277) + "|2013-05-01 09:14:00");
}

}  // namespace
}  // namespace quorstat::service
