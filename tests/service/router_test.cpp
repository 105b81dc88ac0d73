#include <set>
#include <thread>
#include <vector>

#include "core/text_codec.h"
#include "service/page_error.h"
#include "service/router.h"
#include "service_fixture.h"

namespace quorstat::service {
namespace {

using RouterTest = ServiceTest;

TEST_F(RouterTest, APageThatFailsKeepsNoneOfItsChanges) {
    ServiceContext& context = app_->context();
    Router router(context);
    const auto halfDone = [&context](const char* key, bool badInput) {
        return [&context, key, badInput](const PageRequest&) -> std::string {
            context.db.query("INSERT INTO meta (key, value) VALUES (?1, 'half')", key).run();
            if (badInput)
                throw PageError("出错了");
            throw std::runtime_error("disk full");
        };
    };
    router.addPage("Refused.asp", Router::Access::Public, halfDone("refused", true));
    router.addPage("Broken.asp", Router::Access::Public, halfDone("broken", false));
    EXPECT_EQ(FromAnsi(router.answer("Refused.asp", timeToken())), "0|出错了|");
    EXPECT_EQ(FromAnsi(router.answer("Broken.asp", timeToken())), "0|服务器内部错误，请稍后再试|");
    std::lock_guard lock(context.lock);
    Statement count =
        context.db.query("SELECT COUNT(*) FROM meta WHERE key IN ('refused', 'broken')");
    ASSERT_TRUE(count.step());
    EXPECT_EQ(count.integer(0), 0);
}

TEST_F(RouterTest, ConcurrentRequestsAreAnsweredOneAtATime) {
    constexpr int kUsers = 4;
    std::vector<TestSession> sessions;
    for (int user = 0; user < kUsers; ++user) {
        const std::string name = "user" + std::to_string(user);
        addUser(name, "pw" + name);
        sessions.push_back(login(name, "pw" + name));
    }
    std::vector<std::vector<std::string>> replies(kUsers);
    std::vector<std::thread> threads;
    for (int user = 0; user < kUsers; ++user) {
        threads.emplace_back([this, user, &sessions, &replies] {
            const TestSession& session = sessions[static_cast<std::size_t>(user)];
            for (int i = 0; i < 6; ++i) {
                replies[static_cast<std::size_t>(user)].push_back(
                    post("BetTempletUp.asp",
                         prefix(session) + "&sUserName=" + session.name +
                             "&TempletID=0&TempletName=模" + std::to_string(i) +
                             "&SignName=&Win=中&Loss=挂&Wait=等&DispCode=1&DispSuccessRatio=1"
                             "&DispMultiple=1&DispProjectDown=1&DispIssueNum=1&DispProfit=1"
                             "&DispProfitCollect=1&DispPosition=1&DispHit=1&DispHitNow=1"
                             "&DispCountNum=0&Sort=1&Remark=&ModifyTime=2024-06-01 08:30:00"));
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    std::set<std::string> ids;
    for (const auto& userReplies : replies)
        for (const std::string& reply : userReplies) {
            ASSERT_EQ(reply.substr(0, 2), "1|") << reply;
            ids.insert(reply);
        }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(kUsers * 6));
    for (const TestSession& session : sessions)
        EXPECT_EQ(post("BetTempletList.asp",
                       prefix(session) + "&sUserName=" + session.name + "&LastModifyTime=")
                      .substr(0, 4),
                  "1|7|");
}

}  // namespace
}  // namespace quorstat::service
