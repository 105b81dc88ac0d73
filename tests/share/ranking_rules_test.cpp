// The rankings' window-free rules: reading the replies, the own entry, trends, the cache and the
// refresh rule.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "core/atomic_file.h"
#include "net/date_time.h"
#include "share/ranking_cache.h"
#include "share/ranking_grid.h"
#include "test_files.h"

namespace quorstat {
namespace {

using testing::TempDir;

const RankingReception kReception{1010, 1302, "2013-05-02"};

std::string rankedUser(int rank, const std::string& name, int previous = 0) {
    return fmt::format("UN={}|TS=1,{:03d}.5|TSR={}|TLDSR={}|ID={}|SH=True|$", name, rank, rank,
                       previous ? previous : rank, 100 + rank);
}

std::string section(const char* key, int count, int first = 1, const char* prefix = "高手") {
    std::string text = fmt::format("{}={}|", key, count);
    for (int i = 0; i < count; ++i)
        text += rankedUser(first + i, fmt::format("{}{:03d}", prefix, first + i));
    return text + "##";
}

std::time_t at(const char* text) {
    return ParseDateTime(text).toTimeT();
}

TEST(RankingReply, APointsReplyFillsThreePanelsAndAddsTheOwnEntry) {
    const std::string own = "USCount=0|##UASCount=1|" + rankedUser(3, "高手003") + "##UTSCount=1|" +
                            rankedUser(230, "demo", 250) + "##";
    const std::string reply =
        "1|" + section("SCount", 2) + section("ASCount", 5) + section("TSCount", 100) + own;
    RankingPanels panels;
    ASSERT_TRUE(ReadRankingReply(reply, RankingPage::Points, kReception, panels));
    EXPECT_EQ(panels[0].size(), 2u);
    // His entry is already listed in the second panel.
    EXPECT_EQ(panels[1].size(), 5u);
    ASSERT_EQ(panels[2].size(), 101u);
    EXPECT_TRUE(panels[3].empty());
    const tagRANKINGITEM& last = panels[2].back();
    EXPECT_EQ(last.userName, "demo");
    EXPECT_EQ(last.rank, 230);
    EXPECT_EQ(last.previousRank, 250);
    EXPECT_DOUBLE_EQ(last.value, 1230.5);
    EXPECT_EQ(last.userId, 330);
    EXPECT_EQ(last.sharing, 1);
    EXPECT_EQ(last.lotteryId, 1010);
    EXPECT_EQ(last.playId, 1302);
    EXPECT_EQ(last.date, "2013-05-02");
}

TEST(RankingReply, EachPageReadsItsOwnKeys) {
    RankingPanels panels;
    const std::string online = "1|" + section("LDCount", 1) + section("LWCount", 2) +
                               section("LMCount", 3) + section("TCount", 4) + section("SCount", 9);
    ASSERT_TRUE(ReadRankingReply(online, RankingPage::Online, kReception, panels));
    EXPECT_EQ((std::vector<std::size_t>{panels[0].size(), panels[1].size(), panels[2].size(),
                                        panels[3].size()}),
              (std::vector<std::size_t>{1, 2, 3, 4}));

    RankingPanels fans;
    const std::string fansReply = "1|" + section("TDCount", 2) + section("TWCount", 0) +
                                  section("TMCount", 1) + section("UTMCount", 1, 50, "粉");
    ASSERT_TRUE(ReadRankingReply(fansReply, RankingPage::Fans, kReception, fans));
    EXPECT_EQ(fans[0].size(), 2u);
    EXPECT_TRUE(fans[1].empty());
    ASSERT_EQ(fans[2].size(), 2u);
    EXPECT_EQ(fans[2][1].userName, "粉050");
}

struct BrokenCase {
    const char* what;
    std::string reply;
    std::vector<std::size_t> sizes;  // of the three panels afterwards, each 7 before
};

TEST(RankingReply, ABrokenReplyFailsAndKeepsWhatCameBefore) {
    const std::string good = section("SCount", 2);
    const BrokenCase cases[] = {
        {"status 0", "0|" + good, {7, 7, 7}},
        {"empty", "", {7, 7, 7}},
        {"no | after the count", "1|" + good + "ASCount=2##", {2, 7, 7}},
        {"no $ after a record",
         "1|" + good + "ASCount=2|" + rankedUser(1, "a") + "UN=b|##",
         {2, 7, 7}},
        {"a record item without |", "1|" + good + "ASCount=1|UN=b$##", {2, 7, 7}},
        {"fewer records than counted", "1|ASCount=3|" + rankedUser(1, "a") + "##", {7, 7, 7}},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.what);
        RankingPanels panels;
        for (auto& panel : panels)
            panel.resize(7);
        EXPECT_FALSE(ReadRankingReply(c.reply, RankingPage::Points, kReception, panels));
        EXPECT_EQ((std::vector<std::size_t>{panels[0].size(), panels[1].size(), panels[2].size()}),
                  c.sizes);
    }
}

TEST(RankingGrid, TrendsAndTheOwnNameAreMarked) {
    struct TrendCase {
        int rank;
        int previous;
        const char* text;
        Rgb colour;
    };
    const TrendCase trends[] = {{5, 9, "↑ 4", 0xFF0000},
                                {9, 5, "↓ 4", 0x0000FF},
                                {7, 7, "—", 0},
                                {1, 100, "↑ 99", 0xFF0000}};
    for (const TrendCase& c : trends) {
        const RankingTrend trend = RankTrend(c.rank, c.previous);
        EXPECT_EQ(trend.text, c.text);
        EXPECT_EQ(trend.colour, c.colour);
    }

    std::vector<tagRANKINGITEM> items(2);
    items[0] = {1010, 1302, "", "高手001", 12.345, 5, 9, 101, 1, ""};
    items[1] = {1010, 1302, "", "demo", 3, 9, 5, 102, 1, ""};
    const GridContent points = RankingGrid(items, *RankingKind(1506), "demo");
    EXPECT_EQ(points.columns[2].name, "积分");
    EXPECT_EQ(points.rows[0].cells, (std::vector<std::string>{"5", "高手001", "12.35", "↑ 4"}));
    EXPECT_EQ(points.rows[0].cellColours[3].text, 0xFF0000u);
    EXPECT_FALSE(points.rows[0].cellColours[1].background.has_value());
    EXPECT_EQ(points.rows[1].cells, (std::vector<std::string>{"9", "demo", "3.00", "↓ 4"}));
    EXPECT_EQ(points.rows[1].cellColours[1].text, 0xFFFFFFu);
    EXPECT_EQ(points.rows[1].cellColours[1].background, 0xFF0000u);

    const GridContent fans = RankingGrid(items, *RankingKind(1502), "");
    EXPECT_EQ(fans.columns[2].name, "粉丝");
    EXPECT_EQ(fans.rows[0].cells[2], "12");
    EXPECT_EQ(RankingGrid(items, *RankingKind(1501), "").rows[1].cells[2], "3.00");
}

TEST(RankingKind, CaptionsPanelsAndRequests) {
    struct KindCase {
        int kind;
        const char* caption;
        std::size_t panels;
        int requestType;
    };
    const KindCase cases[] = {
        {1501, "在线时长 TOP100 排行榜", 4, 29},
        {1502, "粉丝 TOP100 排行榜", 3, 30},
        {1503, "重庆时时彩三星单选 昨日 TOP100 排行榜", 3, 28},
        {1504, "重庆时时彩三星单选 上周 TOP100 排行榜", 3, 28},
        {1505, "重庆时时彩三星单选 上月 TOP100 排行榜", 3, 28},
        {1506, "重庆时时彩三星单选 TOP100 总排行榜", 3, 28},
    };
    for (const KindCase& c : cases) {
        const auto info = RankingKind(c.kind);
        ASSERT_TRUE(info);
        EXPECT_EQ(RankingCaption(c.kind, "重庆时时彩三星单选"), c.caption);
        EXPECT_EQ(info->panelTitles.size(), c.panels);
        EXPECT_EQ(RankingRequestType(info->page), c.requestType);
    }
    EXPECT_FALSE(RankingKind(1500));
    EXPECT_FALSE(RankingKind(1507));
}

TEST(RankingRefresh, OnlyAnHourAfterTheData) {
    const std::time_t data = at("2013-05-02 09:00:00");
    EXPECT_FALSE(RankingRefreshDue(data, at("2013-05-02 09:05:00")));
    EXPECT_FALSE(RankingRefreshDue(data, at("2013-05-02 09:59:59")));
    EXPECT_TRUE(RankingRefreshDue(data, at("2013-05-02 10:00:00")));
    EXPECT_TRUE(RankingRefreshDue(data, at("2013-05-03 08:00:00")));
}

TEST(RankingCache, FindsTheLastEntryOfAName) {
    RankingPanels panels;
    panels[0] = {{1010, 1302, "", "a", 1, 1, 1, 11, 0, ""}};
    panels[2] = {{1010, 1302, "", "a", 1, 1, 1, 33, 1, ""},
                 {1010, 1302, "", "b", 1, 2, 2, 44, 1, ""}};
    ASSERT_TRUE(FindRankedUser(panels, "a"));
    EXPECT_EQ(FindRankedUser(panels, "a")->userId, 33);
    EXPECT_EQ(FindRankedUser(panels, "c"), nullptr);
}

TEST(RankingCache, ACacheIsReusedOnlyForTheSameUserPlayAndDay) {
    TempDir dir;
    const auto path = RankingCachePath(dir.path(), 1506);
    EXPECT_EQ(path.filename(), "userranking_1506.tmp");
    RankingCache cache;
    cache.userName = "demo";
    cache.dataTime = at("2013-05-02 09:00:00");
    cache.lotteryId = 1010;
    cache.playId = 1302;
    cache.panels[2] = {{1010, 1302, "2013-05-02", "高手", 12.5, 1, 3, 101, 1, ""}};
    ASSERT_TRUE(SaveRankingCache(path, cache));

    const auto loaded = LoadRankingCache(path, "demo", 1010, 1302, at("2013-05-02 23:59:00"));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->dataTime, cache.dataTime);
    ASSERT_EQ(loaded->panels[2].size(), 1u);
    EXPECT_EQ(loaded->panels[2][0].userName, "高手");
    EXPECT_DOUBLE_EQ(loaded->panels[2][0].value, 12.5);
    EXPECT_EQ(loaded->panels[2][0].previousRank, 3);

    struct Refused {
        const char* what;
        const char* user;
        int play;
        const char* now;
    };
    const Refused refused[] = {
        {"another user", "alice", 1302, "2013-05-02 10:00:00"},
        {"another play", "demo", 1303, "2013-05-02 10:00:00"},
        {"the next day", "demo", 1302, "2013-05-03 00:00:01"},
        {"the same day a month later", "demo", 1302, "2013-06-02 09:00:00"},
    };
    for (const Refused& c : refused) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(LoadRankingCache(path, c.user, 1010, c.play, at(c.now)));
    }

    const std::string bytes = EncodeRankingCache(cache);
    const std::string damaged[] = {bytes.substr(0, bytes.size() - 3), "x" + bytes.substr(1), ""};
    for (const std::string& text : damaged) {
        ASSERT_TRUE(WriteFileAtomically(path, text));
        EXPECT_FALSE(LoadRankingCache(path, "demo", 1010, 1302, at("2013-05-02 10:00:00")));
    }
    std::filesystem::remove(path);
    EXPECT_FALSE(LoadRankingCache(path, "demo", 1010, 1302, at("2013-05-02 10:00:00")));
}

}  // namespace
}  // namespace quorstat
