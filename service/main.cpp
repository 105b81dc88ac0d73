#include <fmt/format.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "service/service_app.h"
#include "service/service_options.h"

namespace {

using namespace quorstat::service;

void makeDatabaseDirectory(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent);
}

int addUser(const CommandLine& command) {
    makeDatabaseDirectory(command.options.databasePath);
    ServiceContext context(command.options, ServiceClock::systemMillis);
    Database::Transaction transaction(context.db);
    context.accounts.addUser(command.userName, command.password, command.manager);
    transaction.commit();
    fmt::print("added {}{} to {}\n", command.userName, command.manager ? " (manager)" : "",
               command.options.databasePath);
    return 0;
}

std::string clockText(const ServiceOptions& options) {
    if (!options.clockStart && !options.clockSpeed)
        return "real time";
    return fmt::format("virtual from {}, speed {}",
                       options.clockStart ? formatDateTime(*options.clockStart) : "now",
                       options.clockSpeed.value_or(1.0));
}

// Runs until SIGINT or SIGTERM; the signals are blocked before the server threads start so that
// only sigwait sees them.
int serve(const ServiceOptions& options) {
    makeDatabaseDirectory(options.databasePath);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    ServiceApp app(options);
    if (!app.start()) {
        fmt::print(stderr, "quorstat-service: cannot listen on {}:{}\n", options.listenAddress,
                   options.port);
        return 1;
    }
    fmt::print("quorstat-service listening on {}:{} (database {}, clock {})\n",
               options.listenAddress, app.port(), options.databasePath, clockText(options));
    std::fflush(stdout);
    int signal = 0;
    sigwait(&signals, &signal);
    app.stop();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const CommandLine command =
            parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        switch (command.action) {
            case CommandLine::Action::Help:
                fmt::print("{}", usageText());
                return 0;
            case CommandLine::Action::Version:
                fmt::print("quorstat-service {}\n", QUORSTAT_PROJECT_VERSION);
                return 0;
            case CommandLine::Action::AddUser:
                return addUser(command);
            case CommandLine::Action::Serve:
                return serve(command.options);
        }
    } catch (const std::exception& error) {
        fmt::print(stderr, "quorstat-service: {}\n", error.what());
    }
    return 2;
}
