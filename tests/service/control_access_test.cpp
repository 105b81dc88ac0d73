#include <sys/stat.h>

#include <fstream>

#include "core/text_codec.h"
#include "service_fixture.h"

namespace quorstat::service {
namespace {

using ControlAccessTest = ServiceTest;

// A web page open in a browser on the same machine reaches loopback too, so the token alone is
// not enough: a request that names a page it comes from is refused.
TEST_F(ControlAccessTest, ControlRequestsNeedTheTokenAndNoWebPage) {
    const std::string token = "Bearer " + app_->controlToken();
    const struct {
        httplib::Headers headers;
        int status;
        std::string reply;
    } cases[] = {
        {{}, 403, "0|控制令牌不正确|"},
        {{{"Authorization", "Bearer "}}, 403, "0|控制令牌不正确|"},
        {{{"Authorization", token + "0"}}, 403, "0|控制令牌不正确|"},
        {{{"Authorization", app_->controlToken()}}, 403, "0|控制令牌不正确|"},
        {{{"Authorization", token}, {"Origin", "http://evil.example"}},
         403,
         "0|不接受网页发出的控制请求|"},
        {{{"Authorization", token}, {"Referer", "http://evil.example/page.html"}},
         403,
         "0|不接受网页发出的控制请求|"},
        {{{"Authorization", token}}, 200, "1|2013-05-01 09:16:00|0"},
    };
    httplib::Client client("127.0.0.1", app_->port());
    for (const auto& test : cases) {
        const auto result = client.Post("/control/clock", test.headers, "Advance=60",
                                        "application/x-www-form-urlencoded");
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, test.status) << test.reply;
        EXPECT_EQ(FromAnsi(result->body), test.reply);
        const auto rankings = client.Post("/control/rankings", test.headers, "", "text/plain");
        ASSERT_TRUE(rankings);
        EXPECT_EQ(rankings->status, test.status) << test.reply;
    }
    const auto read = client.Get("/control/clock", {{"Origin", "http://evil.example"}});
    ASSERT_TRUE(read);
    EXPECT_EQ(read->status, 403);
}

TEST_F(ControlAccessTest, TheTokenFileIsTheServiceUsersAloneAndGoesWithTheService) {
    const std::string path = app_->context().options.databasePath + "-token";
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    std::ifstream file(path);
    std::string text;
    std::getline(file, text);
    EXPECT_EQ(text, app_->controlToken());
    EXPECT_EQ(text.size(), 64u);

    const std::string firstToken = app_->controlToken();
    restartService(defaultOptions());
    EXPECT_NE(app_->controlToken(), firstToken);
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace quorstat::service
