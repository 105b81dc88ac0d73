#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "service/civil_time.h"

namespace quorstat::service {

// How the service treats connections (see ConnectionHub); times in milliseconds.
struct ConnectionPolicy {
    // Threads that run pages; none of them waits on a client.
    int workers = 16;
    // Connections one address may hold open at once.
    int connectionsPerPeer = 64;
    // How long a connection may sit without a request, before its first and between requests.
    std::int64_t idleMillis = 15'000;
    // The longest pause while a request arrives, and while its reply is taken.
    std::int64_t readTimeoutMillis = 5'000;
    std::int64_t writeTimeoutMillis = 5'000;
    // From the first byte of a request to the last of its reply; the client gives up after 20 s.
    std::int64_t requestMillis = 20'000;
};

// How failed logins are slowed (see LoginThrottle); times in milliseconds.
struct LoginThrottleOptions {
    int freeFailuresPerName = 5;
    // Higher: many users may share one address behind a router.
    int freeFailuresPerPeer = 20;
    std::int64_t firstDelayMillis = 1'000;
    std::int64_t longestDelayMillis = 300'000;
    std::int64_t forgetAfterMillis = 900'000;
};

struct ServiceOptions {
    std::string listenAddress = "127.0.0.1";
    int port = 8080;  // 0 picks a free port
    std::string databasePath;
    // Set when the clock is virtual from the start; the speed alone starts it at the local time.
    std::optional<CivilSeconds> clockStart;
    std::optional<double> clockSpeed;
    std::optional<std::uint64_t> seed;
    // Empty for the standard tables, "demo", or a file with tables.
    std::string drawTables;
    std::string releaseVersion1 = "2.8.1";
    std::string releaseVersion2 = "2.8.1";
    std::size_t maxBodyBytes = 2 * 1024 * 1024;
    ConnectionPolicy connections;
    std::int64_t sessionIdleSeconds = 1800;
    // Where the control token is written at start; empty: beside the database.
    std::string controlTokenFile;
    // PBKDF2 iterations of newly stored passwords.
    int passwordIterations = 210'000;
    LoginThrottleOptions loginThrottle;
};

struct CommandLine {
    enum class Action { Serve, AddUser, Help, Version };
    Action action = Action::Serve;
    ServiceOptions options;
    std::string userName;
    std::string password;
    bool manager = false;
};

// Throws std::invalid_argument with a message for the user.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);
std::string usageText();
// $XDG_DATA_HOME/quorstat-service/service.db, or under ~/.local/share.
std::string defaultDatabasePath();
// The control token file of these options: the one named, or the database path + "-token".
std::string controlTokenPath(const ServiceOptions& options);

}  // namespace quorstat::service
