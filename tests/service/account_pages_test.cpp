#include <regex>

#include "core/text_codec.h"
#include "service/password_digest.h"
#include "service_fixture.h"

namespace quorstat::service {
namespace {

using AccountPagesTest = ServiceTest;

TEST_F(AccountPagesTest, LoginRepliesTokenUserIdAndLoginPairs) {
    const std::int64_t bossId = addUser("老板", "secret", true);
    {
        ServiceContext& context = app_->context();
        std::lock_guard lock(context.lock);
        context.db.exec(
            "UPDATE users SET plan_tail = 1, custom_tail = 3, custom_tail_short = 1 "
            "WHERE name = '老板'");
    }
    EXPECT_TRUE(std::regex_match(
        post("BetUserLogin.asp", loginBody("demo", "demo123")),
        std::regex(R"(1\|[0-9a-f]{32}\|1\|PGpMsgTail=0&CGpMsgTail=0&CGpMsgTailNo=0&DM=0)")));
    EXPECT_TRUE(std::regex_match(post("BetUserLogin.asp", loginBody("老板", "secret")),
                                 std::regex(R"(1\|[0-9a-f]{32}\|)" + std::to_string(bossId) +
                                            R"(\|PGpMsgTail=1&CGpMsgTail=3&CGpMsgTailNo=1&DM=1)")));
    // The shorter body of a login the host hands over.
    const std::string shortBody = "Username=demo&Password=" + PasswordDigest("demo123") + "&" +
                                  timeToken() + "&Ver=" + base64("2.8.1");
    EXPECT_EQ(post("BetUserLogin.asp", shortBody).substr(0, 2), "1|");
}

TEST_F(AccountPagesTest, LoginRefusals) {
    const std::string digest = PasswordDigest("demo123");
    const std::string version = "&Ver=" + base64("2.8.1");
    const struct {
        std::string body;
        std::string reply;
    } cases[] = {
        {loginBody("demo", "wrong"), "0|用户名或密码错误|"},
        {loginBody("nobody", "demo123"), "0|用户名或密码错误|"},
        {loginBody("Demo", "demo123"), "0|用户名或密码错误|"},
        {"Username=demo&" + timeToken() + version, "0|请求缺少字段“Password”|"},
        {"Username=demo&Password=" + digest + version, "0|请求缺少字段“Ontime”|"},
        {"Username=demo&Password=" + digest + "&VF=" + base64("2024-06-01 08:30:01") +
             "&Ontime=2024-06-01 08:30:00" + version,
         "0|时间校验失败|"},
        {"Username=demo&Password=" + digest + "&VF=" + base64("yesterday") + "&Ontime=yesterday" +
             version,
         "0|时间校验失败|"},
        {"Username=demo&Password=" + digest + "&" + timeToken(), "0|请求缺少字段“Ver”|"},
        {"Username=demo&Password=" + digest + "&" + timeToken() + "&Ver=!!", "0|版本信息不正确|"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(post("BetUserLogin.asp", test.body), test.reply);
}

// Two free failures per name and six per address, then waits of 1, 2 and at most 4 seconds;
// a minute without failures forgets them.
TEST_F(AccountPagesTest, FailedLoginsSlowTheNameAndTheAddress) {
    ServiceOptions options = defaultOptions();
    options.loginThrottle = {2, 6, 1'000, 4'000, 60'000};
    restartService(options);
    const std::string refused = "0|用户名或密码错误|";
    const struct {
        std::int64_t advanceMillis;
        std::string name;
        std::string password;
        std::string reply;
    } steps[] = {
        {0, "demo", "wrong", refused},
        {0, "demo", "wrong", refused},
        {0, "demo", "wrong", refused},
        {0, "demo", "demo123", "0|登录失败次数过多，请1秒后再试|"},
        {999, "demo", "demo123", "0|登录失败次数过多，请1秒后再试|"},
        {1, "demo", "wrong", refused},
        {1'999, "demo", "demo123", "0|登录失败次数过多，请1秒后再试|"},
        {1, "demo", "wrong", refused},
        {4'000, "demo", "wrong", refused},
        {0, "demo", "demo123", "0|登录失败次数过多，请4秒后再试|"},
        {4'000, "demo", "demo123", "1|"},
        {0, "nobody", "wrong", refused},
        {0, "demo", "demo123", "0|登录失败次数过多，请1秒后再试|"},
        {60'001, "demo", "demo123", "1|"},
        {0, "demo", "wrong", refused},
        {0, "demo", "demo123", "1|"},
    };
    for (const auto& step : steps) {
        advanceRealTime(step.advanceMillis);
        const std::string reply = post("BetUserLogin.asp", loginBody(step.name, step.password));
        EXPECT_EQ(reply.substr(0, step.reply.size()), step.reply)
            << step.name << " " << step.password << " after " << step.advanceMillis << " ms";
    }
}

TEST_F(AccountPagesTest, SecondLoginEndsTheFirstSession) {
    const TestSession first = login("demo", "demo123");
    const TestSession second = login("demo", "demo123");
    ASSERT_NE(first.token, second.token);
    const std::string serverTime = "&Ver=" + base64("2.8.1");
    EXPECT_EQ(post("BetFlashTime.asp", prefix(first) + serverTime),
              "4|您的帐号已在其他地方登录，请重新登录|");
    EXPECT_EQ(post("BetFlashTime.asp", prefix(second) + serverTime), "1|0|1|2013-05-01 09:15:00");
}

TEST_F(AccountPagesTest, LogoutEndsTheSession) {
    const TestSession session = login("demo", "demo123");
    EXPECT_EQ(post("BetUserLogout.asp", prefix(session)), "1|已注销");
    EXPECT_EQ(post("BetUserLogout.asp", prefix(session)), "4|您已注销登录，请重新登录|");
    EXPECT_EQ(post("BetGetUserInfoID.asp", prefix(session) + lotteryScope()),
              "4|您已注销登录，请重新登录|");
}

TEST_F(AccountPagesTest, AnUnusedSessionTimesOutInRealTime) {
    ServiceOptions options = defaultOptions();
    options.sessionIdleSeconds = 60;
    restartService(options);
    const TestSession busy = login("demo", "demo123");
    addUser("idle", "idle123");
    const TestSession idle = login("idle", "idle123");
    const std::string serverTime = "&Ver=" + base64("2.8.1");
    for (int step = 0; step < 3; ++step) {
        advanceRealTime(50'000);
        EXPECT_EQ(post("BetFlashTime.asp", prefix(busy) + serverTime).substr(0, 2), "1|");
    }
    EXPECT_EQ(post("BetFlashTime.asp", prefix(idle) + serverTime), "4|登录已超时，请重新登录|");
    EXPECT_EQ(post("BetFlashTime.asp", prefix(busy) + serverTime), "1|150|1|2013-05-01 09:15:00");
}

TEST_F(AccountPagesTest, ForeignOrUnknownTokensAreRefused) {
    addUser("bob", "bob123");
    const TestSession demo = login("demo", "demo123");
    const TestSession bob = login("bob", "bob123");
    const std::string scope = lotteryScope();
    EXPECT_EQ(post("BetGetUserInfoID.asp", prefix({"demo", bob.token}) + scope),
              "0|登录信息无效，请重新登录|");
    EXPECT_EQ(post("BetGetUserInfoID.asp", prefix({"demo", std::string(32, '0')}) + scope),
              "0|登录信息无效，请重新登录|");
    EXPECT_EQ(post("BetGetUserInfoID.asp", "UserName=demo&" + timeToken() + scope),
              "0|请求缺少字段“OnLogin”|");
    EXPECT_EQ(post("BetGetUserInfoID.asp", prefix(demo) + scope), "1|1");
}

TEST_F(AccountPagesTest, ServerTimeTellsOnlineTimeUsersOnlineAndServiceTime) {
    addUser("bob", "bob123");
    const TestSession demo = login("demo", "demo123");
    advanceRealTime(125'400);
    login("bob", "bob123");
    controlClock("Advance=61");
    EXPECT_EQ(post("BetFlashTime.asp", prefix(demo) + "&Ver=" + base64("2.8.1")),
              "1|125|2|2013-05-01 09:16:01");
}

TEST_F(AccountPagesTest, UserIdNeedsAKnownLotteryAndPlay) {
    const std::int64_t bobId = addUser("bob", "bob123");
    const TestSession bob = login("bob", "bob123");
    EXPECT_EQ(post("BetGetUserInfoID.asp", prefix(bob) + lotteryScope("天津时时彩")),
              "1|" + std::to_string(bobId));
    EXPECT_EQ(post("BetGetUserInfoID.asp", prefix(bob) + lotteryScope("北京时时彩")),
              "0|彩种名称不正确|");
    EXPECT_EQ(post("BetGetUserInfoID.asp",
                   prefix(bob) + "&LotteryName=重庆时时彩&LotteryPlay=四星&LotteryType=组选"),
              "0|玩法名称不正确|");
    EXPECT_EQ(post("BetGetUserInfoID.asp",
                   prefix(bob) + "&LotteryName=重庆时时彩&LotteryPlay=五星&LotteryType=定位胆"),
              "1|" + std::to_string(bobId));
}

TEST_F(AccountPagesTest, FollowAndFollowCounts) {
    const std::int64_t bobId = addUser("bob", "bob123");
    const TestSession demo = login("demo", "demo123");
    const TestSession bob = login("bob", "bob123");
    const std::string scope = lotteryScope();
    const auto act = [&](const TestSession& session, const std::string& fields) {
        return post("BetAttentionUser.asp", prefix(session) + fields);
    };
    const std::string followBob = "&AttenUserName=bob&UserInfoID=" + std::to_string(bobId) + scope;
    EXPECT_EQ(act(demo, scope + "&AttentionAct=2"), "1|Atten=0|Fans=0");
    EXPECT_EQ(act(demo, followBob + "&AttentionAct=1"), "1|Atten=1|Fans=0");
    EXPECT_EQ(act(demo, followBob + "&AttentionAct=1"), "1|Atten=1|Fans=0");
    EXPECT_EQ(act(bob, "&AttenUserName=demo&UserInfoID=0" + scope + "&AttentionAct=1"),
              "1|Atten=1|Fans=1");
    EXPECT_EQ(act(demo, followBob + "&AttentionAct=0"), "1|Atten=0|Fans=1");
    EXPECT_EQ(act(demo, "&AttenUserName=demo&UserInfoID=1" + scope + "&AttentionAct=1"),
              "0|不能关注自己|");
    EXPECT_EQ(act(demo, "&AttenUserName=bob&UserInfoID=1" + scope + "&AttentionAct=1"),
              "0|用户不存在|");
    EXPECT_EQ(act(demo, "&AttenUserName=carol&UserInfoID=0" + scope + "&AttentionAct=1"),
              "0|用户不存在|");
    EXPECT_EQ(act(demo, scope + "&AttentionAct=3"), "0|字段“AttentionAct”的值不正确|");
    EXPECT_EQ(act(bob, scope + "&AttentionAct=2"), "1|Atten=1|Fans=0");
}

}  // namespace
}  // namespace quorstat::service
