#include "net/request_catalogue.h"

#include <gtest/gtest.h>

#include <memory>

#include "scoped_time_zone.h"

namespace quorstat {
namespace {

constexpr std::time_t kNow = 1367411445;  // 2013-05-01 12:30:45 UTC
const std::string kToken = "VF=MjAxMy0wNS0wMSAxMjozMDo0NQ&Ontime=2013-05-01 12:30:45";
const std::string kPrefix = "UserName=alice&OnLogin=T0K&" + kToken;
const std::string kScope = "&LotteryName=重庆时时彩&LotteryPlay=三星&LotteryType=单选";

class RequestCatalogueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { utc_ = std::make_unique<testing::ScopedTimeZone>("UTC"); }
    static void TearDownTestSuite() { utc_.reset(); }
    static inline std::unique_ptr<testing::ScopedTimeZone> utc_;

    RequestCatalogueTest() {
        state.userName = "alice";
        state.sessionToken = "T0K";
        state.lotteryId = 1010;
        state.playId = 1302;
        state.osMajor = 6;
        state.osMinor = 1;
        state.screenWidth = 1920;
        state.screenHeight = 1080;
    }

    AppState state;
    RequestCatalogue catalogue{state, [] { return kNow; }};
    LotteryScope scope{"重庆时时彩", "三星", "单选"};
};

struct Expected {
    const char* what;
    RequestCatalogue::Request request;
    int type;
    std::string body;
};

void expectBodies(const std::vector<Expected>& cases, std::intptr_t context1,
                  std::intptr_t context2) {
    for (const Expected& expected : cases) {
        SCOPED_TRACE(expected.what);
        ASSERT_TRUE(expected.request.has_value());
        EXPECT_EQ(expected.request->type, expected.type);
        EXPECT_EQ(expected.request->body, expected.body);
        EXPECT_EQ(expected.request->context1, context1);
        EXPECT_EQ(expected.request->context2, context2);
        EXPECT_TRUE(expected.request->reply.empty());
    }
}

TEST_F(RequestCatalogueTest, SessionRequestsCarryNoContext) {
    expectBodies(
        {
            {"login", catalogue.login("alice", "secret"), 1,
             "Username=alice&Password=ecd0e0f08eab7690&" + kToken +
                 "&Ver=Mi44LjE&osname=6.1&screen=1920*1080"},
            {"login from host", catalogue.loginFromHost("alice", "secret"), 1,
             "Username=alice&Password=ecd0e0f08eab7690&" + kToken + "&Ver=Mi44LjE"},
            {"logout", catalogue.logout(), 2, kPrefix},
            {"server time", catalogue.serverTime(), 3, kPrefix + "&Ver=Mi44LjE"},
        },
        0, 0);
}

TEST_F(RequestCatalogueTest, EveryOtherRequestCarriesLotteryAndPlay) {
    PlanUpload plan{"12,45",    2, 600.5, 130501010, 130501012, 3,   "1,2,4",
                    "123 456 ", 2, kNow,  true,      20,        true};
    UserListQuery users;
    users.page = 2;
    users.pageSize = 20;
    users.sortColumn = 9;
    users.ascending = false;
    users.topOwn = true;
    users.attention = 1;
    users.filters[static_cast<std::size_t>(UserFilter::UserName)] = "bob";
    users.filters[static_cast<std::size_t>(UserFilter::SuccessRate)] = "大于|50.00";
    users.factorCycle = 24;
    users.stamp = "2013-05-01 12:00:00";
    tagTEMPLATEITEM item;
    item.TempletID = 7;
    item.Sort = 2;
    item.TempletName = "我的";
    item.SignName = "@USERNAME";
    item.Win = "中";
    item.Loss = "挂";
    item.Wait = "等";
    item.Remark = "完";
    item.DispCode = true;
    item.DispHitNow = true;
    tagTEMPLATEITEM fresh = item;
    fresh.TempletID = 0;
    const std::string flags =
        "&DispCode=1&DispSuccessRatio=0&DispMultiple=0&DispProjectDown=0&DispIssueNum=0"
        "&DispProfit=0&DispProfitCollect=0&DispPosition=0&DispHit=0&DispHitNow=1";
    const std::string templateFields =
        "&TempletName=我的&SignName=@USERNAME&Win=中&Loss=挂&Wait=等" + flags +
        "&DispCountNum=0&Sort=2&Remark=完&ModifyTime=2013-05-01 "
        "12:30:45";
    const std::string rankScope = "&Lotteryname=重庆时时彩&LotteryPlay=三星&LotteryType=单选";

    expectBodies(
        {
            {"draw times", catalogue.drawTimes("重庆时时彩"), 4,
             kPrefix + "&Lotteryname=重庆时时彩"},
            {"draw numbers", catalogue.drawNumbers("重庆时时彩", 130501045), 5,
             "Username=alice&Onlogin=T0K&" + kToken + "&Lotteryname=重庆时时彩&Issue=130501045"},
            {"draw history", catalogue.drawHistory("重庆时时彩"), 6,
             "Username=alice&Onlogin=T0K&" + kToken + "&Lotteryname=重庆时时彩&IssueNum=5"},
            {"plan upload", catalogue.planUpload(scope, plan), 7,
             kPrefix + kScope +
                 "&Position=12,45&ChipsPrice=2.000&Bonus=600.500&Issue1=130501010"
                 "&Issue2=130501012&IssueNum=3&Multiple=1,2,4&BetContext=123 456 &BetNum=2"
                 "&BetTime=2013-05-01 12:30:45&Share=1&InitMoney=0&Page=1&OnePageNum=20"
                 "&sUserName=alice&BetByLocation=1"},
            {"own plans, incremental", catalogue.ownPlanList(scope, {3, 20, "S1"}), 8,
             kPrefix + kScope + "&Share=0&sUserName=alice&Page=3&OnePageNum=20&LastModifyTime=S1"},
            {"own plans, full", catalogue.ownPlanList(scope, {1, 0, ""}), 8,
             kPrefix + kScope + "&Share=0&sUserName=alice&Page=1&OnePageNum=0"},
            {"shared plans", catalogue.sharedPlanList(scope, "bob", {1, 10, ""}), 9,
             kPrefix + kScope + "&Share=1&sUserName=bob&Page=1&OnePageNum=10"},
            {"user list", catalogue.userList(scope, users), 10,
             kPrefix + kScope +
                 "&Page=2&OnePageNum=20&Orderby=RateOfBetSuccess DESC&TopOwn=1&Attention=1"
                 "&sUserName=bob&RateOfBetSuccess=大于|50.00&FactorCycle=24"
                 "&LastModifyTime=2013-05-01 12:00:00"},
            {"plan cancel", catalogue.planCancel(scope, 2, 20, 991), 13,
             kPrefix + kScope + "&sUserName=alice&Page=2&OnePageNum=20&PlanID=991"},
            {"plan delete", catalogue.planDelete(scope, 1, 0, 992), 14,
             kPrefix + kScope + "&sUserName=alice&Page=1&OnePageNum=0&PlanID=992"},
            {"plan reset", catalogue.planReset(scope), 15, kPrefix + kScope + "&Deleted=2"},
            {"plan detail view", catalogue.planDetail(scope, PlanDetailUse::View, "bob", 5), 16,
             kPrefix + kScope + "&sUserName=bob&PlanID=5"},
            {"plan detail copy", catalogue.planDetail(scope, PlanDetailUse::Copy, "bob", 5), 17,
             kPrefix + kScope + "&sUserName=bob&PlanID=5"},
            {"plan detail to box", catalogue.planDetail(scope, PlanDetailUse::ToBigBase, "bob", 5),
             18, kPrefix + kScope + "&sUserName=bob&PlanID=5"},
            {"share read", catalogue.shareRead(scope), 19, kPrefix + kScope + "&ShareSetFlag=0"},
            {"share stop", catalogue.shareSet(scope, false), 20,
             kPrefix + kScope + "&ShareSetFlag=1&Share=0"},
            {"follow", catalogue.follow(scope, "bob", 42, true), 21,
             kPrefix + "&AttenUserName=bob&UserInfoID=42" + kScope + "&AttentionAct=1"},
            {"unfollow", catalogue.follow(scope, "bob", 42, false), 21,
             kPrefix + "&AttenUserName=bob&UserInfoID=42" + kScope + "&AttentionAct=0"},
            {"template list", catalogue.templateList(""), 22,
             kPrefix + "&sUserName=alice&LastModifyTime="},
            {"template add", catalogue.templateUpload(fresh), 23,
             kPrefix + "&sUserName=alice&TempletID=0" + templateFields},
            {"template change", catalogue.templateUpload(item), 24,
             kPrefix + "&sUserName=alice&TempletID=7" + templateFields},
            {"template delete", catalogue.templateDelete(7), 25,
             kPrefix + "&sUserName=alice&TempletID=7"},
            {"template select", catalogue.templateSelect(8), 26,
             kPrefix + "&sUserName=alice&TempletID=8"},
            {"template detail", catalogue.templateDetail("bob"), 27, kPrefix + "&sUserName=bob"},
            {"ranking", catalogue.ranking(scope, RankingPeriod::Week), 28,
             kPrefix + rankScope + "&TOP100=week"},
            {"online ranking", catalogue.onlineRanking(), 29, kPrefix + "&sUserName=alice"},
            {"fans ranking", catalogue.fansRanking(scope), 30,
             kPrefix + rankScope + "&sUserName=alice"},
            {"follow counts", catalogue.followCounts(scope), 31,
             kPrefix + kScope + "&AttentionAct=2"},
            {"plan content", catalogue.planContent(scope, PlanContentUse::ToPlanBox, 42, 0), 32,
             kPrefix + kScope + "&UserInfoID=42&Issue=0&ftype=txt"},
            {"plan content to box",
             catalogue.planContent(scope, PlanContentUse::ToBigBase, 42, 130501010), 33,
             kPrefix + kScope + "&UserInfoID=42&Issue=130501010&ftype=txt"},
            {"plan positions", catalogue.planContent(scope, PlanContentUse::Positions, 42, 0), 34,
             kPrefix + kScope + "&UserInfoID=42&Issue=0&ftype=pos"},
            {"plan states by users", catalogue.planStatesByUsers(scope, "4,5,6", 130501010), 35,
             kPrefix + kScope + "&UserInfoID=4,5,6&Issue=130501010"},
            {"plan state by plan", catalogue.planStateByPlan(scope, "991", 130501010), 36,
             kPrefix + kScope + "&PlanID=991&Issue=130501010"},
            {"user id", catalogue.userInfoId(scope), 37, kPrefix + kScope},
            {"filter read", catalogue.windowFilterRead("S2"), 38,
             kPrefix + "&Act=0&Name=QQWndFilter&ModifyTime=S2"},
            {"filter write", catalogue.windowFilterWrite("A#B#"), 39,
             kPrefix + "&Act=2&Name=QQWndFilter&SetUp=A#B#&ModifyTime=2013-05-01 12:30:45"},
            {"intervals read", catalogue.intervalsRead(), 40,
             kPrefix + "&Act=0&Name=SystemTimeInterval&ModifyTime="},
            {"intervals write", catalogue.intervalsWrite("RefTopHtml=10#"), 41,
             kPrefix + "&Act=2&Name=SystemTimeInterval&SetUp=RefTopHtml=10#&ModifyTime=2013-05-01 "
                       "12:30:45"},
        },
        1010, 1302);
}

TEST_F(RequestCatalogueTest, PlayWithoutStarGroupIsSentAsFiveStars) {
    const LotteryScope positional{"新疆时时彩", "", "定位胆"};
    EXPECT_EQ(catalogue.planReset(positional)->body,
              kPrefix + "&LotteryName=新疆时时彩&LotteryPlay=五星&LotteryType=定位胆&Deleted=2");
    EXPECT_EQ(catalogue.ranking(positional, RankingPeriod::Total)->body,
              kPrefix + "&Lotteryname=新疆时时彩&LotteryPlay=五星&LotteryType=定位胆&TOP100=total");
}

TEST_F(RequestCatalogueTest, SortColumnOutsideTheTableSendsNoOrder) {
    UserListQuery query;
    query.sortColumn = 13;
    EXPECT_EQ(catalogue.userList(scope, query)->body,
              kPrefix + kScope + "&Page=1&OnePageNum=20&TopOwn=0&Attention=0&FactorCycle=0");
}

TEST_F(RequestCatalogueTest, OnlyTheLoginIsBuiltWhileLoggedOut) {
    state.sessionToken.clear();
    EXPECT_TRUE(catalogue.login("alice", "secret").has_value());
    EXPECT_TRUE(catalogue.loginFromHost("alice", "secret").has_value());
    EXPECT_FALSE(catalogue.logout().has_value());
    EXPECT_FALSE(catalogue.serverTime().has_value());
    EXPECT_FALSE(catalogue.drawNumbers("重庆时时彩", 1).has_value());
    EXPECT_FALSE(catalogue.ownPlanList(scope, {}).has_value());
    EXPECT_FALSE(catalogue.intervalsRead().has_value());
}

TEST_F(RequestCatalogueTest, NobodyFollowsHimself) {
    EXPECT_FALSE(catalogue.follow(scope, "alice", 1, true).has_value());
}

}  // namespace
}  // namespace quorstat
