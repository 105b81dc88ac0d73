// Puts the service under the polling load of many clients on loopback and reports the
// throughput and the 99th-percentile latency.
#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <future>
#include <mutex>
#include <string_view>
#include <vector>

#include "service/loadcheck/load_client.h"
#include "service/service_app.h"

namespace {

using namespace quorstat::service;

struct LoadOptions {
    int clients = 50;
    int rounds = 40;   // six polls a round
    int seconds = 60;  // the run ends here at the latest
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

// A fresh database in a temporary directory, the demo draw tables and a clock running at 60
// times real speed, so that draws come and plans settle while the clients poll.
ServiceOptions serviceOptions(const std::filesystem::path& directory) {
    ServiceOptions options;
    options.port = 0;
    options.databasePath = (directory / "load.db").string();
    options.drawTables = "demo";
    options.clockSpeed = 60.0;
    options.seed = 1;
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
    ServiceApp app(serviceOptions(directory));
    if (!app.start())
        throw std::runtime_error("cannot listen on loopback");
    {
        ServiceContext& context = app.context();
        std::lock_guard lock(context.lock);
        Database::Transaction transaction(context.db);
        for (int i = 1; i <= options.clients; ++i)
            context.accounts.addUser(fmt::format("load{:03}", i), "secret", false);
        transaction.commit();
    }
    // An issue a few draws ahead stays open for the whole run.
    const int issue = openIssue(app) + 3;
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::seconds(options.seconds);
    std::vector<std::future<LoadClient::Result>> runs;
    for (int i = 1; i <= options.clients; ++i)
        runs.push_back(std::async(std::launch::async, [&, i] {
            LoadClient client(app.port(), fmt::format("load{:03}", i), "secret", issue);
            return client.run(options.rounds, deadline);
        }));
    std::vector<double> latencies;
    int failures = 0;
    std::string firstFailure;
    for (auto& future : runs) {
        LoadClient::Result result = future.get();
        latencies.insert(latencies.end(), result.latenciesMs.begin(), result.latenciesMs.end());
        failures += result.failures;
        if (firstFailure.empty())
            firstFailure = result.firstFailure;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    app.stop();
    std::filesystem::remove_all(directory);

    std::sort(latencies.begin(), latencies.end());
    fmt::print("clients {}, requests {}, failures {}, {:.1f} s\n", options.clients,
               latencies.size(), failures, elapsed.count());
    fmt::print("requests per second {:.0f}\n",
               static_cast<double>(latencies.size()) / elapsed.count());
    fmt::print("latency ms: median {:.1f}, 99th percentile {:.1f}, largest {:.1f}\n",
               percentile(latencies, 0.5), percentile(latencies, 0.99),
               latencies.empty() ? 0.0 : latencies.back());
    if (failures > 0)
        fmt::print("first failure: {}\n", firstFailure);
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(readOptions(argc, argv));
    } catch (const std::exception& error) {
        fmt::print(stderr,
                   "quorstat-service-loadcheck: {}\n"
                   "usage: quorstat-service-loadcheck [--clients N] [--rounds N] [--seconds N]\n",
                   error.what());
        return 2;
    }
}
