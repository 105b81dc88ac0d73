#include <fmt/format.h>

#include "plan_fixture.h"
#include "service/draw_maker.h"

namespace quorstat::service {
namespace {

using Sections = std::map<std::string, std::vector<Record>>;

// On 2013-05-01 (重庆 三星单选, one bet a plan): demo's plan hits in its third issue, wang's
// misses all three; li places no plan. wang and li follow demo, demo follows li. demo is
// online for 2400 real seconds that day, wang and li for 1200.
class RankingTest : public PlanServiceTest {
protected:
    void SetUp() override {
        PlanServiceTest::SetUp();
        addUser("wang", "secret");
        addUser("li", "secret");
        demo_ = login("demo", "demo123");
        wang_ = login("wang", "secret");
        li_ = login("li", "secret");
        upload(demo_, {{"BetContext", front3(130501026) + " "}});
        upload(wang_);
        follow(wang_, "demo");
        follow(li_, "demo");
        follow(demo_, "li");
        advanceRealTime(1200'000);
        for (const TestSession* session : {&demo_, &wang_, &li_})
            serverTime(*session);
        advanceRealTime(1200'000);
        serverTime(demo_);
    }

    void follow(const TestSession& session, const std::string& name) {
        post("BetAttentionUser.asp", prefix(session) + "&AttenUserName=" + name + "&UserInfoID=0" +
                                         lotteryScope() + "&AttentionAct=1");
    }
    void serverTime(const TestSession& session) {
        post("BetFlashTime.asp", prefix(session) + "&Ver=" + base64("2.8.1"));
    }
    std::string points(const TestSession& session, const std::string& period) {
        return post("BetTOP100Rank.asp", prefix(session) +
                                             "&Lotteryname=重庆时时彩&LotteryPlay=三星"
                                             "&LotteryType=单选&TOP100=" +
                                             period);
    }
    std::string online(const TestSession& session) {
        return post("BetTOP100Online.asp", prefix(session) + "&sUserName=" + session.name);
    }
    std::string fans(const TestSession& session) {
        return post("BetTOP100Fans.asp",
                    prefix(session) + lotteryScope() + "&sUserName=" + session.name);
    }
    std::string runJob() { return controlPost("/control/rankings", ""); }

    // Sections "KEY=N|RECORD$...##"; the count must match the records.
    static Sections parseSections(const std::string& reply) {
        Sections sections;
        if (reply.substr(0, 2) != "1|")
            return sections;
        std::string_view rest = std::string_view(reply).substr(2);
        while (!rest.empty()) {
            const std::size_t end = rest.find("##");
            EXPECT_NE(end, std::string_view::npos) << reply;
            if (end == std::string_view::npos)
                break;
            std::string_view section = rest.substr(0, end);
            rest.remove_prefix(end + 2);
            const std::size_t equals = section.find('=');
            const std::size_t bar = section.find('|');
            const std::string key(section.substr(0, equals));
            const int count = std::stoi(std::string(section.substr(equals + 1, bar - equals - 1)));
            sections[key] = parseRecords(section.substr(bar + 1), '$');
            EXPECT_EQ(static_cast<int>(sections[key].size()), count) << key;
        }
        return sections;
    }
    static std::vector<std::string> column(const std::vector<Record>& records,
                                           const std::string& tag) {
        std::vector<std::string> values;
        for (const Record& record : records)
            values.push_back(record.at(tag));
        return values;
    }

    TestSession demo_, wang_, li_;
};

using Values = std::vector<std::string>;

// demo: 3 issues × 100 % × (7786 / 14 × 100 %) / (3 × 0.1 % × 10) = 5561428.57 bet points,
// 1.5 reward points; wang: no hit, 0 bet points and 1.5 reward points.
TEST_F(RankingTest, PointsOfYesterdayAfterTwoInTheMorning) {
    setClock("2013-05-02 01:59:00");
    const Sections before = parseSections(points(demo_, "day"));
    ASSERT_EQ(before.size(), 6u);
    EXPECT_TRUE(before.at("SCount").empty());
    setClock("2013-05-02 02:00:00");
    const Sections day = parseSections(points(demo_, "day"));
    EXPECT_EQ(column(day.at("SCount"), "UN"), (Values{"demo", "wang"}));
    EXPECT_EQ(column(day.at("SCount"), "TS"), (Values{"5561428.57", "0.00"}));
    EXPECT_EQ(column(day.at("SCount"), "TSR"), (Values{"1", "2"}));
    EXPECT_EQ(column(day.at("SCount"), "TLDSR"), (Values{"1", "2"}));
    EXPECT_EQ(column(day.at("ASCount"), "TS"), (Values{"1.50", "1.50"}));
    EXPECT_EQ(column(day.at("TSCount"), "TS"), (Values{"5561430.07", "1.50"}));
    EXPECT_EQ(day.at("TSCount").at(0).at("ID"), "1");
    EXPECT_EQ(day.at("TSCount").at(0).at("SH"), "True");
    EXPECT_EQ(column(day.at("USCount"), "TSR"), (Values{"1"}));
    EXPECT_EQ(column(day.at("UTSCount"), "TS"), (Values{"5561430.07"}));
    // The week and the month before hold nothing yet; the total is the day.
    const Sections week = parseSections(points(demo_, "week"));
    EXPECT_TRUE(week.at("SCount").empty());
    EXPECT_TRUE(week.at("USCount").empty());
    EXPECT_EQ(parseSections(points(demo_, "total")).at("TSCount"), day.at("TSCount"));
    // li has no entry of his own.
    const Sections forLi = parseSections(points(li_, "day"));
    EXPECT_TRUE(forLi.at("UTSCount").empty());
    EXPECT_EQ(forLi.at("TSCount").size(), 2u);
    EXPECT_EQ(points(demo_, "year"), "0|字段“TOP100”的值不正确|");
}

// Idle days cost 2 reward points each: over the week of 04-29 to 05-05 both have 1.5 - 4 × 2.
TEST_F(RankingTest, WeeksAddUpTheirDaysAndTrendsCompareWithThePeriodBefore) {
    setClock("2013-05-01 12:00:00");
    setClock("2013-05-06 02:30:00");
    const Sections week = parseSections(points(demo_, "week"));
    EXPECT_EQ(column(week.at("TSCount"), "UN"), (Values{"demo", "wang"}));
    EXPECT_EQ(column(week.at("ASCount"), "TS"), (Values{"-6.50", "-6.50"}));
    EXPECT_EQ(column(week.at("TSCount"), "TS"), (Values{"5561422.07", "-6.50"}));
    const Sections day = parseSections(points(demo_, "day"));
    EXPECT_EQ(column(day.at("TSCount"), "TS"), (Values{"-2.00", "-2.00"}));

    // A better day for wang on 05-06 moves him up the next day.
    upload(wang_, {{"Issue1", "130506024"},
                   {"Issue2", "130506026"},
                   {"BetContext", DrawMaker::digitsFor(7, 1010, 130506024).substr(0, 3) + " "}});
    setClock("2013-05-07 02:30:00");
    const Sections next = parseSections(points(demo_, "day"));
    EXPECT_EQ(column(next.at("TSCount"), "UN"), (Values{"wang", "demo"}));
    EXPECT_EQ(column(next.at("TSCount"), "TSR"), (Values{"1", "2"}));
    EXPECT_EQ(column(next.at("TSCount"), "TLDSR"), (Values{"2", "1"}));
}

TEST_F(RankingTest, OnlineTimeAndFollowers) {
    setClock("2013-05-02 02:30:00");
    const Sections hours = parseSections(online(demo_));
    ASSERT_EQ(hours.size(), 8u);
    EXPECT_EQ(column(hours.at("LDCount"), "UN"), (Values{"demo", "wang", "li"}));
    EXPECT_EQ(column(hours.at("LDCount"), "TS"), (Values{"0.67", "0.33", "0.33"}));
    EXPECT_EQ(hours.at("LDCount").at(0).count("ID"), 0u);
    EXPECT_EQ(column(hours.at("TCount"), "TS"), (Values{"0.67", "0.33", "0.33"}));
    EXPECT_EQ(column(hours.at("ULDCount"), "TSR"), (Values{"1"}));
    EXPECT_TRUE(hours.at("LWCount").empty());

    const Sections followers = parseSections(fans(li_));
    ASSERT_EQ(followers.size(), 6u);
    EXPECT_EQ(column(followers.at("TDCount"), "UN"), (Values{"demo", "li"}));
    EXPECT_EQ(column(followers.at("TDCount"), "TS"), (Values{"2", "1"}));
    EXPECT_EQ(column(followers.at("UTDCount"), "TSR"), (Values{"2"}));
    EXPECT_EQ(followers.at("TDCount").at(1).at("SH"), "False");
    EXPECT_EQ(online(li_).substr(0, 2), "1|");
    EXPECT_EQ(post("BetTOP100Online.asp", prefix(li_) + "&sUserName=demo"), "0|用户名不正确|");
}

TEST_F(RankingTest, RunsOnDemandForTheDayBefore) {
    setClock("2013-05-02 01:00:00");
    EXPECT_TRUE(parseSections(points(demo_, "day")).at("SCount").empty());
    EXPECT_EQ(runJob(), "1|2013-05-01 00:00:00");
    EXPECT_EQ(column(parseSections(points(demo_, "day")).at("SCount"), "UN"),
              (Values{"demo", "wang"}));
}

// Cleared plans still count: the rules score every drawn plan of the day.
TEST_F(RankingTest, ClearedPlansStillCount) {
    setClock("2013-05-01 12:00:00");
    post("BetPlanReset.asp", prefix(demo_) + lotteryScope() + "&Deleted=2");
    setClock("2013-05-02 02:30:00");
    EXPECT_EQ(column(parseSections(points(demo_, "day")).at("SCount"), "TS"),
              (Values{"5561428.57", "0.00"}));
}

}  // namespace
}  // namespace quorstat::service
