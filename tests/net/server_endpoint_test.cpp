#include "net/server_endpoint.h"

#include <gtest/gtest.h>

namespace quorstat {
namespace {

TEST(ServerEndpoint, ParsesHostAndPort) {
    struct Case {
        const char* text;
        std::optional<std::pair<std::string, int>> expected;
    };
    const std::vector<Case> cases{
        {"127.0.0.1:8080", std::pair<std::string, int>{"127.0.0.1", 8080}},
        {"service.example:80", std::pair<std::string, int>{"service.example", 80}},
        {"[::1]:9000", std::pair<std::string, int>{"[::1]", 9000}},
        {"::1:9000", std::nullopt},
        {"host", std::nullopt},
        {"host:", std::nullopt},
        {":80", std::nullopt},
        {"host:0", std::nullopt},
        {"host:65536", std::nullopt},
        {"host:80x", std::nullopt},
        {"ho st:80", std::nullopt},
        {"host/path:80", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = ParseHostPort(c.text);
        ASSERT_EQ(parsed.has_value(), c.expected.has_value());
        if (parsed) {
            EXPECT_EQ(parsed->host, c.expected->first);
            EXPECT_EQ(parsed->port, c.expected->second);
        }
    }
}

TEST(ServerEndpoint, ConfigurationWithVariableWinning) {
    const IniDocument config =
        IniDocument::Parse("[server]\nhost=svc.local\nPORT=8081\nPath=api/v1\n");
    AppState state;
    LoadServerEndpoint(state, config, nullptr);
    EXPECT_EQ(state.serverHost, "svc.local");
    EXPECT_EQ(state.serverPort, 8081);
    EXPECT_EQ(state.serverPath, "/api/v1/");

    LoadServerEndpoint(state, config, "127.0.0.1:9000");
    EXPECT_EQ(state.serverHost, "127.0.0.1");
    EXPECT_EQ(state.serverPort, 9000);
    EXPECT_EQ(state.serverPath, "/api/v1/");
}

TEST(ServerEndpoint, DefaultsAndUnusableValues) {
    AppState state;
    LoadServerEndpoint(state, IniDocument::Parse(""), "not an endpoint");
    EXPECT_EQ(state.serverHost, "127.0.0.1");
    EXPECT_EQ(state.serverPort, 80);
    EXPECT_EQ(state.serverPath, "/BetInfo1/release/");

    LoadServerEndpoint(state, IniDocument::Parse("[Server]\nHost=a b\nPort=99999\nPath=\n"),
                       nullptr);
    EXPECT_EQ(state.serverHost, "127.0.0.1");
    EXPECT_EQ(state.serverPort, 80);
    EXPECT_EQ(state.serverPath, "/BetInfo1/release/");
}

TEST(ServerEndpoint, RequestUrl) {
    EXPECT_EQ(RequestUrl("127.0.0.1", 8080, "/BetInfo1/release/", "BetFlashTime.asp"),
              "http://127.0.0.1:8080/BetInfo1/release/BetFlashTime.asp");
}

}  // namespace
}  // namespace quorstat
