#include "net/draw_replies.h"

#include <gtest/gtest.h>

namespace quorstat {
namespace {

using Times = std::vector<std::int32_t>;

TEST(DrawReplies, ServerTime) {
    const auto reply = ParseServerTimeReply("1|3600|128|2013-05-01 09:15:00");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->onlineSeconds, 3600);
    EXPECT_EQ(reply->onlineUsers, 128);
    EXPECT_TRUE(reply->serverTime.read);
    EXPECT_EQ(reply->serverTime.minute, 15);
    EXPECT_FALSE(ParseServerTimeReply("1|3600||2013-05-01 09:15:00"));
    EXPECT_FALSE(ParseServerTimeReply("1|3600|128"));
    EXPECT_FALSE(ParseServerTimeReply("0|3600|128|2013-05-01 09:15:00"));
    EXPECT_FALSE(ParseServerTimeReply(""));
}

TEST(DrawReplies, DrawTimesTurnMidnightIntoTheEndOfTheDay) {
    const auto table = ParseDrawTimes("1|12:00:00#00:00:00#|2013-05-01 08:00:00");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->times, (Times{120000, 240000}));
    EXPECT_EQ(table->rest, "2013-05-01 08:00:00");
    EXPECT_TRUE(table->tableTime.read);
    EXPECT_EQ(table->tableTime.hour, 8);

    const auto bare = ParseDrawTimes("1|##09:10:00##09:20:00");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->times, (Times{91000, 92000}));
    EXPECT_FALSE(bare->tableTime.read);
}

TEST(DrawReplies, BrokenDrawTimeTablesAreRefused) {
    std::string tooMany = "1|";
    for (int i = 0; i < 1000; ++i)
        tooMany += "10:00:00#";
    for (const std::string& reply :
         {std::string("1||x"), std::string("1|25:00:00#"), std::string("1|12:61:00"),
          std::string("1|noon#"), std::string("0|12:00:00"), std::string(), tooMany}) {
        SCOPED_TRACE(reply.substr(0, 30));
        EXPECT_FALSE(ParseDrawTimes(reply));
    }
}

TEST(DrawReplies, LatestDrawNeedsIssueAndNumbers) {
    const auto draw = ParseLatestDraw("1|130501045&1,2,3,4,5|x");
    ASSERT_TRUE(draw);
    EXPECT_EQ(draw->issue, 130501045);
    EXPECT_EQ(draw->numbers, "1,2,3,4,5");
    EXPECT_EQ(ParseLatestDraw("1|130501045&12345")->numbers, "12345");
    EXPECT_FALSE(ParseLatestDraw("1|130501045&|x"));
    EXPECT_FALSE(ParseLatestDraw("1|&12345|x"));
    EXPECT_FALSE(ParseLatestDraw("1|13050104512345|x"));
    EXPECT_FALSE(ParseLatestDraw("0|130501045&12345|x"));
}

TEST(DrawReplies, HistoryKeepsOrderAndRefusesBrokenItems) {
    const auto draws = ParseDrawHistory("1|130501045&12345#130501044&67890#|x");
    ASSERT_TRUE(draws);
    ASSERT_EQ(draws->size(), 2u);
    EXPECT_EQ((*draws)[0].issue, 130501045);
    EXPECT_EQ((*draws)[1].numbers, "67890");
    for (const char* reply : {"1|130501045&12345##130501044&1|", "1|130501045&12345#130501044|",
                              "1|130501045&12345", "1||", "2|130501045&12345|", ""}) {
        SCOPED_TRACE(reply);
        EXPECT_FALSE(ParseDrawHistory(reply));
    }
}

}  // namespace
}  // namespace quorstat
