// One page of the user list: replies, paging, following, and what its two grids show.
#include <gtest/gtest.h>

#include "share/user_list_grids.h"
#include "share/user_list_page.h"

namespace quorstat {
namespace {

constexpr Rgb kGrey = 0x646464;

TEST(UserListPage, AReplyFillsExactlyTheAnnouncedRows) {
    struct Case {
        const char* reply;
        bool taken;
        std::vector<std::string> names;
        const char* label;
    };
    std::vector<std::string> firstOfTwenty(20);
    firstOfTwenty[0] = "a";
    const Case cases[] = {
        {"1|41|3|s1|UID=7|UN=a|TN=2|$UID=8|UN=b|$", true, {"a", "b", ""}, "1/3页，共41个用户"},
        {"1|2|2|s2|UN=a|$UN=b|$UN=c|$", true, {"a", "b"}, "1/1页，共2个用户"},
        {"1|0|0|s3|", true, {}, "1/1页，共0个用户"},
        // An announced count beyond a page allocates no more than the rows the reply holds.
        {"1|5|2000000000|s4|UN=a|$", true, firstOfTwenty, "1/1页，共5个用户"},
        // Any other reply empties the page and leaves the count of pages.
        {"9|41|3|s5|UN=a|$", false, {}, "1/1页，共5个用户"},
    };
    UserListPage page;
    EXPECT_EQ(page.label(), "1/1");
    for (const Case& c : cases) {
        EXPECT_EQ(page.apply(c.reply, 20), c.taken) << c.reply;
        std::vector<std::string> names;
        for (const tagUSERINFO& user : page.users())
            names.push_back(user.userName);
        EXPECT_EQ(names, c.names) << c.reply;
        EXPECT_EQ(page.label(), c.label) << c.reply;
    }
    page.apply("1|41|3|s1|UID=7|UN=a|TN=2|$UID=8|UN=b|$", 20);
    EXPECT_EQ(page.users()[0].userInfoId, 7);
    EXPECT_EQ(page.users()[0].planCount, 2);
    EXPECT_EQ(page.users()[2].userInfoId, 0);
    EXPECT_EQ(page.stamp(), "s1");
}

TEST(UserListPage, PagingStaysWithinThePagesAndSaysWhenItMoved) {
    UserListPage page;
    page.apply("1|41|0|s|", 20);
    ASSERT_EQ(page.pageCount(), 3);
    struct Step {
        const char* action;
        bool moved;
        int page;
    };
    const Step steps[] = {
        {"first", false, 1}, {"previous", false, 1}, {"next", true, 2}, {"9", true, 3},
        {"next", false, 3},  {"last", false, 3},     {"0", true, 1},    {"last", true, 3},
        {"-4", true, 1},     {"x", false, 1},        {"2", true, 2},    {"previous", true, 1},
    };
    for (const Step& step : steps) {
        const std::string_view action = step.action;
        bool moved = false;
        if (action == "first")
            moved = page.first();
        else if (action == "previous")
            moved = page.previous();
        else if (action == "next")
            moved = page.next();
        else if (action == "last")
            moved = page.last();
        else
            moved = page.goTo(action);
        EXPECT_EQ(moved, step.moved) << step.action;
        EXPECT_EQ(page.currentPage(), step.page) << step.action;
    }
    page.reset();
    EXPECT_EQ(page.currentPage(), 1);
    EXPECT_EQ(page.pageCount(), 1);
    EXPECT_EQ(page.label(), "1/1");
}

TEST(UserListPage, FollowingMarksTheNamedUserOnly) {
    UserListPage page;
    page.apply("1|2|2|s|UN=a|AT=0|$UN=b|AT=1|$", 20);
    EXPECT_TRUE(page.setFollowed("a", true));
    EXPECT_TRUE(page.setFollowed("b", false));
    EXPECT_FALSE(page.setFollowed("c", true));
    EXPECT_EQ(page.users()[0].followed, 1);
    EXPECT_EQ(page.users()[1].followed, 0);
}

tagUSERINFO user(std::string name, int running, int chased, double profit) {
    tagUSERINFO u;
    u.userName = std::move(name);
    u.shares = 1;
    u.runningPlans = running;
    u.chasedIssues = chased;
    u.averageProfit = profit;
    u.profitRate = -profit;
    u.stability = profit;
    u.planCount = 12;
    u.hitPlans = 3;
    u.averageBets = 1200;
    u.successRate = 33.333;
    return u;
}

TEST(UserListGrids, TheDetailedGridShowsFiguresWithTheirColours) {
    std::vector<tagUSERINFO> users = {user("me", 1, 1, 12.5), user("ta", 2, 3, -1),
                                      user("idle", 0, 0, 4)};
    users[1].followed = 1;
    users[1].shares = 0;
    users[0].followed = 1;
    const GridContent grid = DetailedUserGrid(users, 21, "me", 24);
    ASSERT_EQ(grid.columns.size(), 13u);
    EXPECT_EQ(grid.columns[0].name, "序号");
    EXPECT_EQ(grid.columns[12].name, "稳度1D");
    EXPECT_EQ(grid.rows[0].cells,
              (std::vector<std::string>{"21", "me", "12", "1", "1", "3", "0", "0", "1200", "33.33%",
                                        "12.50", "-12.50%", "12.50"}));
    EXPECT_EQ(grid.rows[2].cells[0], "23");

    struct Colour {
        std::size_t row;
        std::size_t column;
        std::optional<Rgb> text;
        std::optional<Rgb> background;
    };
    const Colour colours[] = {
        {0, 0, {}, 0x00FFFF},   // own row, followed or not
        {1, 0, {}, 0xFFFF00},   // followed
        {2, 0, {}, {}},         //
        {1, 1, kGrey, {}},      // does not share
        {0, 1, {}, {}},         //
        {0, 3, 0xA03232, {}},   // one issue chased
        {1, 3, 0x0080C0, {}},   // more
        {0, 4, 0xFF0000, {}},   // one plan running
        {1, 4, 0x0000FF, {}},   // more
        {0, 10, 0x0000FF, {}},  // gain
        {0, 11, 0xFF0000, {}},  // loss
        {1, 12, 0xFF0000, {}},  //
        {0, 2, {}, {}},         //
        {2, 2, kGrey, {}},      // nothing running: all figures grey
        {2, 10, kGrey, {}},     //
        {2, 12, kGrey, {}},     //
    };
    for (const Colour& c : colours) {
        const GridColours& cell = grid.rows[c.row].cellColours[c.column];
        EXPECT_EQ(cell.text, c.text) << c.row << "," << c.column;
        EXPECT_EQ(cell.background, c.background) << c.row << "," << c.column;
    }
}

TEST(UserListGrids, StabilitySuffixesFollowThePeriod) {
    const std::pair<int, const char*> periods[] = {{0, "N"},   {1, "1H"},   {2, "2H"},  {3, "3H"},
                                                   {6, "6H"},  {12, "12H"}, {24, "1D"}, {72, "3D"},
                                                   {256, "A"}, {5, ""}};
    for (const auto& [cycle, suffix] : periods)
        EXPECT_EQ(StabilitySuffix(cycle), suffix) << cycle;
}

TEST(UserListGrids, TheCompactGridHasSevenNamesARow) {
    std::vector<tagUSERINFO> users;
    for (int i = 0; i < 9; ++i)
        users.push_back(user("u" + std::to_string(i), i % 3, 0, 0));
    const GridContent grid = CompactUserGrid(users);
    ASSERT_EQ(grid.rows.size(), 2u);
    EXPECT_FALSE(grid.hasHeader);
    EXPECT_EQ(grid.rows[1].cells, (std::vector<std::string>{"u7", "u8", "", "", "", "", ""}));
    EXPECT_EQ(grid.rows[0].cellColours[0].background, std::nullopt);
    EXPECT_EQ(grid.rows[0].cellColours[1].background, 0xFF0000u);
    EXPECT_EQ(grid.rows[0].cellColours[2].background, 0x0000FFu);
    EXPECT_EQ(grid.rows[0].cellColours[2].text, 0xFFFFFFu);
    EXPECT_TRUE(CompactUserGrid({}).rows.empty());
}

TEST(UserListGrids, SelectionsGiveNamesAndTheSharingUsers) {
    std::vector<tagUSERINFO> users = {user("a", 0, 0, 0), user("b", 0, 0, 0), user("c", 0, 0, 0)};
    users[1].shares = 0;
    EXPECT_EQ(JoinedNames(users, {2, 0, 1}), "c,a,b");
    EXPECT_EQ(JoinedNames(users, {}), "");
    const auto sharing = SharingUsers(users, {2, 1, 0});
    ASSERT_EQ(sharing.size(), 2u);
    EXPECT_EQ(sharing[0].userName, "c");
    EXPECT_EQ(sharing[1].userName, "a");
}

}  // namespace
}  // namespace quorstat
