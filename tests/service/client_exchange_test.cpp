#include <fmt/format.h>

#include <atomic>

#include "core/app_state.h"
#include "core/text_codec.h"
#include "net/draw_replies.h"
#include "net/http_transfer.h"
#include "net/login_rules.h"
#include "net/plan_record.h"
#include "net/request_catalogue.h"
#include "net/user_record.h"
#include "plan_fixture.h"

namespace quorstat::service {
namespace {

// The client's own request builders and reply parsers against the service: what one side
// writes, the other must read.
class ClientExchangeTest : public PlanServiceTest {
protected:
    void SetUp() override {
        PlanServiceTest::SetUp();
        addUser("wang", "secret");
        logIn(demo_, "demo", "demo123");
        logIn(wang_, "wang", "secret");
    }

    struct Client {
        AppState state;
        RequestCatalogue catalogue{state};
    };

    void logIn(Client& client, const std::string& name, const std::string& password) {
        const LoginReply reply = ParseLoginReply(send(client.catalogue.login(name, password)));
        ASSERT_EQ(reply.outcome, LoginReply::Outcome::Accepted);
        client.state.userName = name;
        client.state.sessionToken = reply.token;
    }
    std::string send(const RequestCatalogue::Request& request) {
        EXPECT_TRUE(request.has_value());
        return request ? post(pageOf(request->type), request->body) : std::string();
    }
    static std::string pageOf(int type) {
        switch (type) {
            case RequestType::Login:
                return "BetUserLogin.asp";
            case RequestType::ServerTime:
                return "BetFlashTime.asp";
            case RequestType::DrawNumbers:
            case RequestType::DrawHistory:
                return "BetLotteryData.asp";
            case RequestType::PlanUpload:
                return "BetPlanInfoUp.asp";
            case RequestType::OwnPlanList:
            case RequestType::SharedPlanList:
                return "BetPlanList.asp";
            case RequestType::UserList:
                return "BetUserInfoList.asp";
            case RequestType::PlanCancel:
                return "BetPlanCancel.asp";
            case RequestType::PlanDetailView:
                return "BetPlanDetail.asp";
            case RequestType::ShareRead:
            case RequestType::ShareSet:
                return "BetPlanShare.asp";
            case RequestType::Follow:
            case RequestType::FollowCounts:
                return "BetAttentionUser.asp";
            default:
                return "unknown";
        }
    }
    static quorstat::PlanUpload plan(const std::string& numbers, int betCount) {
        quorstat::PlanUpload upload;
        upload.positionCodes = "123,345";
        upload.unitCost = 2;
        upload.prize = 1950;
        upload.firstIssue = 130501024;
        upload.lastIssue = 130501026;
        upload.issueCount = 3;
        upload.multiples = "1,2,4";
        upload.betContent = numbers;
        upload.betCount = betCount;
        upload.betTime = std::time(nullptr);
        upload.share = true;
        return upload;
    }

    const quorstat::LotteryScope scope_{"重庆时时彩", "三星", "单选"};
    Client demo_;
    Client wang_;
};

TEST_F(ClientExchangeTest, PlansTravelBothWays) {
    const PlanListReply uploaded = ParsePlanList(
        send(demo_.catalogue.planUpload(scope_, plan("555 " + front3(130501025) + " ", 2))));
    ASSERT_EQ(uploaded.outcome, ListOutcome::Loaded);
    ASSERT_EQ(uploaded.plans.size(), 1u);
    const tagPLANITEM& item = uploaded.plans[0];
    EXPECT_EQ(item.userName, "demo");
    EXPECT_EQ(item.positions, "123,345");
    EXPECT_EQ(item.unitCost, 2);
    EXPECT_EQ(item.prize, 1950);
    EXPECT_EQ(item.issueCount, 3);
    EXPECT_EQ(item.betCount, 2);
    EXPECT_EQ(item.issueOrdinal, 1);
    EXPECT_EQ(item.status, 0);
    EXPECT_EQ(uploaded.summary.runningStake, 8);
    EXPECT_EQ(uploaded.summary.stamp, uploaded.stamp);

    const PlanListPage unchanged{1, 0, uploaded.stamp};
    EXPECT_EQ(ParsePlanList(send(demo_.catalogue.ownPlanList(scope_, unchanged))).outcome,
              ListOutcome::Unchanged);

    setClock("2013-05-01 10:15:00");
    const PlanListReply settled =
        ParsePlanList(send(demo_.catalogue.ownPlanList(scope_, unchanged)));
    ASSERT_EQ(settled.outcome, ListOutcome::Loaded);
    const tagPLANITEM& hit = settled.plans.at(0);
    EXPECT_EQ(hit.status, 1);
    EXPECT_EQ(hit.issueOrdinal, 2);
    EXPECT_EQ(hit.hitPositions, "123");
    EXPECT_EQ(hit.drawCode, drawOf(130501025));
    EXPECT_EQ(hit.betAmount, 24);
    EXPECT_EQ(hit.prizeAmount, 3900);
    EXPECT_EQ(hit.profit, 3876);
    EXPECT_EQ(settled.summary.hitPlans, 1);
    EXPECT_EQ(settled.summary.successRate, 100);
    EXPECT_EQ(settled.summary.currentRunKind, 1);

    const PlanListReply shared =
        ParsePlanList(send(wang_.catalogue.sharedPlanList(scope_, "demo", {})));
    ASSERT_EQ(shared.outcome, ListOutcome::Loaded);
    EXPECT_EQ(shared.plans.at(0).planId, hit.planId);
    const std::vector<tagPLANITEM> detail = ParsePlanDetail(
        send(wang_.catalogue.planDetail(scope_, PlanDetailUse::View, "demo", hit.planId)));
    ASSERT_EQ(detail.size(), 1u);
    EXPECT_EQ(detail[0].numbers, hit.numbers);
}

TEST_F(ClientExchangeTest, UsersTravelBothWays) {
    send(demo_.catalogue.planUpload(scope_, plan("555 ", 1)));
    send(wang_.catalogue.follow(scope_, "demo", 1, true));
    UserListQuery query;
    query.sortColumn = 9;
    query.ascending = false;
    query.filters[1] = "大等于|1#小等于|5";
    const UserListReply list = ParseUserList(send(wang_.catalogue.userList(scope_, query)));
    ASSERT_EQ(list.outcome, ListOutcome::Loaded);
    ASSERT_EQ(list.users.size(), 1u);
    const tagUSERINFO& user = list.users[0];
    EXPECT_EQ(user.userInfoId, 1);
    EXPECT_EQ(user.userName, "demo");
    EXPECT_EQ(user.lotteryName, "重庆时时彩");
    EXPECT_EQ(user.shares, 1);
    EXPECT_EQ(user.followed, 1);
    EXPECT_EQ(user.planCount, 1);
    EXPECT_EQ(user.runningPlans, 1);
    EXPECT_EQ(user.chasedIssues, 3);
    EXPECT_EQ(user.averageBets, 1);

    query.stamp = list.stamp;
    EXPECT_EQ(ParseUserList(send(wang_.catalogue.userList(scope_, query))).outcome,
              ListOutcome::Unchanged);
    EXPECT_EQ(send(wang_.catalogue.followCounts(scope_)), "1|Atten=1|Fans=0");
    EXPECT_EQ(send(wang_.catalogue.shareRead(scope_)), "1|Share=False");
    EXPECT_EQ(send(demo_.catalogue.shareRead(scope_)), "1|Share=True");
}

// The client's transport posts form bodies, which the HTTP library refuses past 8 KiB unless
// told otherwise: the body limit has to hold just as it is, at both ends.
TEST_F(ClientExchangeTest, BodiesUpToTheLimitPassTheClientsTransport) {
    constexpr std::size_t kLimit = 2 * 1024 * 1024;
    const struct {
        std::size_t bytes;
        bool failed;
        std::string reply;
    } cases[] = {
        {8 * 1024, false, "1|0|2|2013-05-01 09:15:00"},
        {8 * 1024 + 1, false, "1|0|2|2013-05-01 09:15:00"},
        {kLimit, false, "1|0|2|2013-05-01 09:15:00"},
        {kLimit + 1, true, "0|请求数据过长|"},
    };
    HttpTransfer transfer("127.0.0.1", app_->port(), std::string(kServerPath));
    const std::atomic<bool> stop = false;
    for (const auto& test : cases) {
        ServiceRequest request = *demo_.catalogue.serverTime();
        request.body += "&Pad=";
        request.body.append(test.bytes - request.body.size(), 'x');
        ASSERT_EQ(ToAnsi(request.body).size(), test.bytes);
        transfer.perform(request, stop);
        EXPECT_EQ(request.transferFailed, test.failed) << test.bytes;
        EXPECT_EQ(request.reply, test.reply) << test.bytes;
    }
}

TEST_F(ClientExchangeTest, APlanOfTwoThousandNumbersUploadsThroughTheClientsTransport) {
    std::string numbers;
    for (int number = 0; number < 2000; ++number)
        numbers += fmt::format("{:04} ", number);
    quorstat::PlanUpload upload = plan(numbers, 2000);
    upload.positionCodes = "2345";
    upload.prize = 19500;
    ServiceRequest request = *demo_.catalogue.planUpload({"重庆时时彩", "四星", "单选"}, upload);
    EXPECT_GT(ToAnsi(request.body).size(), 10'000u);

    HttpTransfer transfer("127.0.0.1", app_->port(), std::string(kServerPath));
    transfer.perform(request, std::atomic<bool>(false));
    EXPECT_FALSE(request.transferFailed);
    const PlanListReply uploaded = ParsePlanList(request.reply);
    ASSERT_EQ(uploaded.outcome, ListOutcome::Loaded) << request.reply.substr(0, 80);
    ASSERT_EQ(uploaded.plans.size(), 1u);
    EXPECT_EQ(uploaded.plans[0].betCount, 2000);
    EXPECT_EQ(uploaded.plans[0].positions, "2345");
    EXPECT_EQ(uploaded.plans[0].numbers, numbers);
}

TEST_F(ClientExchangeTest, DrawsAndServerTimeRead) {
    const auto time = ParseServerTimeReply(send(demo_.catalogue.serverTime()));
    ASSERT_TRUE(time);
    EXPECT_EQ(time->onlineUsers, 2);
    const auto latest = ParseLatestDraw(send(demo_.catalogue.drawNumbers("重庆时时彩", 130501024)));
    ASSERT_TRUE(latest);
    EXPECT_EQ(latest->issue, 130501023);
    const auto history = ParseDrawHistory(send(demo_.catalogue.drawHistory("重庆时时彩")));
    ASSERT_TRUE(history);
    EXPECT_EQ(history->size(), 5u);
}

}  // namespace
}  // namespace quorstat::service
