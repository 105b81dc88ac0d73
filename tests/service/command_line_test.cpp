#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "core/text_codec.h"
#include "service/password_digest.h"
#include "service/service_context.h"
#include "service/service_options.h"

namespace quorstat::service {
namespace {

TEST(CommandLine, ReadsServerOptions) {
    const CommandLine command = parseCommandLine({"--port",
                                                  "9000",
                                                  "--db",
                                                  "/tmp/x.db",
                                                  "--start",
                                                  "2013-05-01 09:15:00",
                                                  "--speed",
                                                  "0.5",
                                                  "--seed",
                                                  "42",
                                                  "--draw-table",
                                                  "demo",
                                                  "--release-version",
                                                  "2.9.0",
                                                  "--listen",
                                                  "0.0.0.0",
                                                  "--max-body",
                                                  "65536",
                                                  "--session-idle",
                                                  "600",
                                                  "--workers",
                                                  "4",
                                                  "--peer-connections",
                                                  "300",
                                                  "--token-file",
                                                  "/run/x.token"});
    EXPECT_EQ(command.action, CommandLine::Action::Serve);
    const ServiceOptions& options = command.options;
    EXPECT_EQ(options.port, 9000);
    EXPECT_EQ(options.databasePath, "/tmp/x.db");
    EXPECT_EQ(formatDateTime(*options.clockStart), "2013-05-01 09:15:00");
    EXPECT_EQ(options.clockSpeed, 0.5);
    EXPECT_EQ(options.seed, 42u);
    EXPECT_EQ(options.drawTables, "demo");
    EXPECT_EQ(options.releaseVersion1, "2.9.0");
    EXPECT_EQ(options.releaseVersion2, "2.9.0");
    EXPECT_EQ(options.listenAddress, "0.0.0.0");
    EXPECT_EQ(options.maxBodyBytes, 65536u);
    EXPECT_EQ(options.sessionIdleSeconds, 600);
    EXPECT_EQ(options.connections.workers, 4);
    EXPECT_EQ(options.connections.connectionsPerPeer, 300);
    EXPECT_EQ(controlTokenPath(options), "/run/x.token");

    const CommandLine defaults = parseCommandLine({});
    EXPECT_EQ(defaults.options.listenAddress, "127.0.0.1");
    EXPECT_EQ(defaults.options.port, 8080);
    EXPECT_TRUE(defaults.options.databasePath.ends_with("/quorstat-service/service.db"));
    EXPECT_FALSE(defaults.options.clockStart || defaults.options.clockSpeed);
    EXPECT_EQ(controlTokenPath(defaults.options), defaults.options.databasePath + "-token");
}

TEST(CommandLine, ReadsAddUser) {
    const CommandLine command = parseCommandLine({"adduser", "老王", "pass", "--admin"});
    EXPECT_EQ(command.action, CommandLine::Action::AddUser);
    EXPECT_EQ(command.userName, "老王");
    EXPECT_EQ(command.password, "pass");
    EXPECT_TRUE(command.manager);
}

TEST(CommandLine, RefusesBadArguments) {
    const std::vector<std::vector<std::string>> bad = {{"--port"},
                                                       {"--port", "70000"},
                                                       {"--port", "80x"},
                                                       {"--start", "today"},
                                                       {"--start", "1999-12-31 23:59:59"},
                                                       {"--speed", "-1"},
                                                       {"--seed", "-3"},
                                                       {"--bogus", "1"},
                                                       {"serve"},
                                                       {"adduser", "only"},
                                                       {"--admin"},
                                                       {"--max-body", "10"},
                                                       {"--session-idle", "1"},
                                                       {"--workers", "0"},
                                                       {"--peer-connections", "0"}};
    for (const auto& arguments : bad)
        EXPECT_THROW(parseCommandLine(arguments), std::invalid_argument) << arguments[0];
}

class ServiceExecutable : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("quorstat-service-cli-" + std::to_string(std::random_device()()));
        database_ = (directory_ / "data" / "service.db").string();
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    int run(const std::string& arguments) {
        const std::string command = std::string("'") + QUORSTAT_SERVICE_EXE + "' " + arguments +
                                    " --db '" + database_ + "' >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::filesystem::path directory_;
    std::string database_;
};

TEST_F(ServiceExecutable, AddUserCreatesTheDatabaseAndAUserWhoCanLogIn) {
    EXPECT_EQ(run("adduser 老王 'pass word' --admin"), 0);
    EXPECT_EQ(run("adduser alice secret"), 0);
    EXPECT_NE(run("adduser alice other"), 0);
    EXPECT_NE(run("adduser 'a b' secret"), 0);
    EXPECT_NE(run("adduser bob 123456789012345678901"), 0);
    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(run("--port nine"), 0);

    ServiceOptions options;
    options.databasePath = database_;
    ServiceContext context(options, ServiceClock::systemMillis);
    const auto boss = context.accounts.findUser("老王");
    ASSERT_TRUE(boss);
    EXPECT_TRUE(boss->manager);
    EXPECT_TRUE(PasswordHasher::verify(PasswordDigest(ToAnsi("pass word")),
                                       context.accounts.passwordHash(boss->id)));
    const auto alice = context.accounts.findUser("alice");
    ASSERT_TRUE(alice);
    EXPECT_FALSE(alice->manager);
    EXPECT_FALSE(
        PasswordHasher::verify(PasswordDigest("other"), context.accounts.passwordHash(alice->id)));
    EXPECT_FALSE(context.accounts.findUser("bob"));
}

}  // namespace
}  // namespace quorstat::service
