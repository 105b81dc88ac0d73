#include "release_check.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <thread>

#include "loopback_server.h"

namespace {

using quorstat::testing::LoopbackServer;

void serve(httplib::Server& server, const std::string& location, const std::string& list) {
    server.Get(location + "DetailList.zip", [list](const httplib::Request&, httplib::Response& r) {
        r.set_content(list, "application/octet-stream");
    });
}

constexpr const char* kFirst = "/BetUpdate/Package1/";
constexpr const char* kSecond = "/BetUpdate/Package2/";

TEST(ReleaseCheck, ComparesTheFirstLinesOfBothLocationsAsText) {
    struct Case {
        const char* first;
        const char* second;
        bool newer;
    } cases[] = {
        {"2.8.1\r\nQuorstat.so\r\n", "2.8.1\r\nQuorstat.so\r\n", false},
        {"2.9.0\r\nfiles", "2.8.1", true},
        {"2.8.1", "2.9.0\r\n", true},
        {"2.10.0\r\n", "2.8.1\r\n", false},  // text comparison: "2.10.0" < "2.8.1"
        {"\r\n2.9.0", "2.9.0", false},       // an empty version line is malformed
        {"2.9.0", "", false},
    };
    for (const auto& c : cases) {
        const LoopbackServer host([&](httplib::Server& server) {
            serve(server, kFirst, c.first);
            serve(server, kSecond, c.second);
        });
        EXPECT_EQ(ReleaseCheck(host.address()).newerReleaseAvailable("2.8.1"), c.newer)
            << c.first << " / " << c.second;
    }
}

TEST(ReleaseCheck, OnlyTheFirstLocationReachableMeansNoRelease) {
    const LoopbackServer host([](httplib::Server& server) { serve(server, kFirst, "9.9.9\r\n"); });
    EXPECT_FALSE(ReleaseCheck(host.address()).newerReleaseAvailable("2.8.1"));
}

TEST(ReleaseCheck, AListWithoutAnnouncedLengthIsNotFetched) {
    const LoopbackServer host([](httplib::Server& server) {
        serve(server, kSecond, "2.9.0\r\n");
        server.Get(std::string(kFirst) + "DetailList.zip",
                   [](const httplib::Request&, httplib::Response& response) {
                       response.set_chunked_content_provider("text/plain",
                                                             [](size_t, httplib::DataSink& sink) {
                                                                 sink.write("2.9.0\r\n", 7);
                                                                 sink.done();
                                                                 return true;
                                                             });
                   });
    });
    const ReleaseCheck check(host.address());
    EXPECT_FALSE(check.fetchList(kFirst).has_value());
    EXPECT_EQ(check.fetchList(kSecond), "2.9.0\r\n");
    EXPECT_FALSE(check.newerReleaseAvailable("2.8.1"));
}

TEST(ReleaseCheck, UnreachableOrSilentHostsEndWithinTheLimit) {
    EXPECT_FALSE(ReleaseCheck("").newerReleaseAvailable("2.8.1"));
    EXPECT_FALSE(ReleaseCheck("127.0.0.1:1").newerReleaseAvailable("2.8.1"));

    const LoopbackServer host([](httplib::Server& server) {
        server.Get(std::string(kFirst) + "DetailList.zip",
                   [](const httplib::Request&, httplib::Response& response) {
                       std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                       response.set_content("2.9.0", "text/plain");
                   });
    });
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReleaseCheck(host.address(), 300).newerReleaseAvailable("2.8.1"));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(1400));
}

}  // namespace
