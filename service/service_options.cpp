#include "service/service_options.h"

#include "service/service_clock.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace quorstat::service {
namespace {

template <class T>
T numberOption(const std::string& name, const std::string& text, T min, T max) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min ||
        value > max)
        throw std::invalid_argument(name + ": \"" + text + "\" is not a valid value");
    return value;
}

double speedOption(const std::string& text) {
    const std::optional<double> speed = ServiceClock::parseSpeed(text);
    if (!speed)
        throw std::invalid_argument("--speed: \"" + text + "\" is not a speed from 0 to 1000000");
    return *speed;
}

// Applies one "--name value" option; false when the name is not a server option.
bool applyOption(ServiceOptions& options, const std::string& name, const std::string& value) {
    if (name == "--listen") {
        options.listenAddress = value;
    } else if (name == "--port") {
        options.port = numberOption(name, value, 0, 65535);
    } else if (name == "--db") {
        options.databasePath = value;
    } else if (name == "--start") {
        options.clockStart = parseDateTime(value);
        if (!options.clockStart || !ServiceClock::isWithinRange(*options.clockStart))
            throw std::invalid_argument(
                "--start: write a time from 2000 to 2099 as \"YYYY-MM-DD HH:MM:SS\"");
    } else if (name == "--speed") {
        options.clockSpeed = speedOption(value);
    } else if (name == "--seed") {
        options.seed = numberOption<std::uint64_t>(name, value, 0, UINT64_MAX);
    } else if (name == "--draw-table") {
        options.drawTables = value;
    } else if (name == "--release-version") {
        options.releaseVersion1 = options.releaseVersion2 = value;
    } else if (name == "--release-version2") {
        options.releaseVersion2 = value;
    } else if (name == "--max-body") {
        options.maxBodyBytes = numberOption<std::size_t>(name, value, 1024, 64 * 1024 * 1024);
    } else if (name == "--workers") {
        options.connections.workers = numberOption(name, value, 1, 256);
    } else if (name == "--peer-connections") {
        options.connections.connectionsPerPeer = numberOption(name, value, 1, 100000);
    } else if (name == "--token-file") {
        options.controlTokenFile = value;
    } else if (name == "--session-idle") {
        options.sessionIdleSeconds = numberOption<std::int64_t>(name, value, 10, 7 * 86400);
    } else {
        return false;
    }
    return true;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine command;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            command.action = CommandLine::Action::Help;
        } else if (argument == "--version") {
            command.action = CommandLine::Action::Version;
        } else if (argument == "--admin") {
            command.manager = true;
        } else if (argument.starts_with("--")) {
            if (i + 1 >= arguments.size())
                throw std::invalid_argument(argument + " needs a value");
            if (!applyOption(command.options, argument, arguments[i + 1]))
                throw std::invalid_argument("unknown option " + argument);
            ++i;
        } else {
            positional.push_back(argument);
        }
    }
    if (command.options.databasePath.empty())
        command.options.databasePath = defaultDatabasePath();
    if (command.action == CommandLine::Action::Help ||
        command.action == CommandLine::Action::Version)
        return command;
    if (!positional.empty() && positional[0] == "adduser") {
        if (positional.size() != 3)
            throw std::invalid_argument("adduser needs a user name and a password");
        command.action = CommandLine::Action::AddUser;
        command.userName = positional[1];
        command.password = positional[2];
    } else if (!positional.empty()) {
        throw std::invalid_argument("unknown command " + positional[0]);
    } else if (command.manager) {
        throw std::invalid_argument("--admin belongs to adduser");
    }
    return command;
}

std::string usageText() {
    return R"(Usage:
  quorstat-service [options]                       run the service
  quorstat-service adduser NAME PASSWORD [--admin] [--db PATH]
                                                   add a user (--admin: manager right)
  quorstat-service --version                       print the version
Options:
  --listen ADDRESS          address to listen on (default 127.0.0.1)
  --port N                  port (default 8080; 0 picks a free one)
  --db PATH                 database file (default $XDG_DATA_HOME/quorstat-service/service.db)
  --start "Y-M-D H:M:S"     run a virtual clock from this local time
  --speed X                 virtual clock speed (1 = real time, 0 = stopped)
  --seed N                  seed of the drawn digits (default: random)
  --draw-table demo|FILE    draw every two minutes, or read draw-time tables from FILE
  --release-version V       version in both release lists (default 2.8.1)
  --release-version2 V      version in the second release list only
  --max-body BYTES          largest request body accepted (default 2097152)
  --session-idle SECONDS    a session unused this long has ended (default 1800)
  --workers N               threads that answer requests (default 16)
  --peer-connections N      connections one address may hold open (default 64)
  --token-file PATH         where the control token is written (default: the database + "-token")
)";
}

std::string defaultDatabasePath() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    if (dataHome != nullptr && *dataHome != '\0')
        base = dataHome;
    else
        base = std::string(home != nullptr ? home : ".") + "/.local/share";
    return base + "/quorstat-service/service.db";
}

std::string controlTokenPath(const ServiceOptions& options) {
    return options.controlTokenFile.empty() ? options.databasePath + "-token"
                                            : options.controlTokenFile;
}

}  // namespace quorstat::service
