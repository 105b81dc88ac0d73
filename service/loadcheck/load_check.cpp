// Puts the service under the polling load of many clients on loopback, with idle and slow
// connections beside them if asked, and reports the throughput and the latencies.
#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <future>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "net/curl_api.h"
#include "service/loadcheck/hostile_connections.h"
#include "service/loadcheck/load_client.h"
#include "service/service_app.h"

namespace {

using namespace quorstat::service;

struct LoadOptions {
    int clients = 200;
    int interval = 3;  // seconds from one round of six polls to the next; 0: no pause
    int rounds = 100000;
    int seconds = 60;  // the run ends here at the latest
    int idle = 0;      // connections from 127.0.0.2 that send nothing
    int slow = 0;      // connections from 127.0.0.2 that send a header byte every 2 s
};

int readNumber(std::string_view text, int min, int max) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max)
        throw std::invalid_argument(
            fmt::format("\"{}\" is not a number from {} to {}", text, min, max));
    return value;
}

LoadOptions readOptions(int argc, char** argv) {
    LoadOptions options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        const std::string_view value = argv[i + 1];
        if (name == "--clients")
            options.clients = readNumber(value, 1, 1000);
        else if (name == "--rounds")
            options.rounds = readNumber(value, 1, 100000);
        else if (name == "--seconds")
            options.seconds = readNumber(value, 1, 3600);
        else if (name == "--interval")
            options.interval = readNumber(value, 0, 600);
        else if (name == "--idle")
            options.idle = readNumber(value, 0, 5000);
        else if (name == "--slow")
            options.slow = readNumber(value, 0, 5000);
        else
            throw std::invalid_argument(fmt::format("unknown option {}", name));
    }
    if (argc % 2 == 0)
        throw std::invalid_argument("every option takes a value");
    return options;
}

double percentile(const std::vector<double>& sorted, double share) {
    if (sorted.empty())
        return 0;
    const auto index = static_cast<std::size_t>(share * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

void printLatencies(const char* what, const std::vector<double>& sorted) {
    fmt::print("{} ms: median {:.1f}, 99th percentile {:.1f}, largest {:.1f}\n", what,
               percentile(sorted, 0.5), percentile(sorted, 0.99),
               sorted.empty() ? 0.0 : sorted.back());
}

// A fresh database in a temporary directory, the demo draw tables and a clock running at 60
// times real speed, so that draws come and plans settle while the clients poll. The clients all
// come from 127.0.0.1, where real ones would come from as many addresses, and they measure the
// polling rather than the password hash.
ServiceOptions serviceOptions(const std::filesystem::path& directory, const LoadOptions& load) {
    ServiceOptions options;
    options.port = 0;
    options.databasePath = (directory / "load.db").string();
    options.drawTables = "demo";
    options.clockSpeed = 60.0;
    options.seed = 1;
    options.connections.connectionsPerPeer = load.clients + 16;
    options.passwordIterations = 1000;
    return options;
}

int openIssue(ServiceApp& app) {
    ServiceContext& context = app.context();
    std::lock_guard lock(context.lock);
    return LotteryCalendar::openIssue(*context.calendar.find(1010), context.clock.now()).issue;
}

int run(const LoadOptions& options) {
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / fmt::format("quorstat-load-{}", ::getpid());
    std::filesystem::create_directories(directory);
    ServiceApp app(serviceOptions(directory, options));
    if (!app.start())
        throw std::runtime_error("cannot listen on loopback");
    {
        ServiceContext& context = app.context();
        std::lock_guard lock(context.lock);
        Database::Transaction transaction(context.db);
        for (int i = 1; i <= options.clients; ++i)
            context.accounts.addUser(fmt::format("load{:03}", i), "secret", false);
        transaction.commit();
        // The draws of the last three days, made before the clients come rather than in front
        // of their first requests.
        context.catchUp(context.clock.now());
    }
    // An issue a few draws ahead stays open for the whole run.
    const int issue = openIssue(app) + 3;
    HostileConnections hostile(app.port(), options.idle, options.slow);
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::seconds(options.seconds);
    const std::chrono::milliseconds interval(options.interval * 1000);
    std::vector<std::future<LoadClient::Result>> runs;
    // Real clients poll out of step with each other: the starts are spread over one interval.
    for (int i = 1; i <= options.clients; ++i)
        runs.push_back(std::async(std::launch::async, [&, i] {
            std::this_thread::sleep_until(start + interval * (i - 1) / options.clients);
            LoadClient client(app.port(), fmt::format("load{:03}", i), "secret", issue);
            return client.run(options.rounds, interval, deadline);
        }));
    std::vector<double> setups;
    std::vector<double> polls;
    int failures = 0;
    std::string firstFailure;
    for (auto& future : runs) {
        LoadClient::Result result = future.get();
        setups.insert(setups.end(), result.setupMs.begin(), result.setupMs.end());
        polls.insert(polls.end(), result.pollMs.begin(), result.pollMs.end());
        failures += result.failures;
        if (firstFailure.empty())
            firstFailure = result.firstFailure;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    app.stop();
    std::filesystem::remove_all(directory);

    std::sort(setups.begin(), setups.end());
    std::sort(polls.begin(), polls.end());
    fmt::print("clients {} polling every {} s, requests {}, failures {}, {:.1f} s\n",
               options.clients, options.interval, setups.size() + polls.size(), failures,
               elapsed.count());
    if (options.idle + options.slow > 0)
        fmt::print("beside them {} idle and {} slow connections, opened again {} times\n",
                   options.idle, options.slow, hostile.reopened());
    fmt::print("requests per second {:.0f}\n",
               static_cast<double>(setups.size() + polls.size()) / elapsed.count());
    printLatencies("polls", polls);
    printLatencies("logins and plans", setups);
    if (failures > 0)
        fmt::print("first failure: {}\n", firstFailure);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (!quorstat::Curl()) {
        fmt::print(stderr, "quorstat-service-loadcheck: libcurl could not be loaded\n");
        return 2;
    }
    try {
        return run(readOptions(argc, argv));
    } catch (const std::exception& error) {
        fmt::print(
            stderr,
            "quorstat-service-loadcheck: {}\n"
            "usage: quorstat-service-loadcheck [--clients N] [--interval SECONDS] [--rounds N]\n"
            "                                  [--seconds N] [--idle N] [--slow N]\n",
            error.what());
        return 2;
    }
}
