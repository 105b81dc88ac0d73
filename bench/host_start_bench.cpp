// Host start until the login dialog is on the screen, against a bare Qt Widgets program started
// the same way, and against three variants of it. All are started as fresh processes on the X
// display of the run (Xvfb under `xvfb-run`) and timed until their window is mapped; they take
// turns, so load on the machine falls on all alike.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "temp_dir.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(30);
constexpr const char* kLoginTitle = "『Norvane』投注统计系统";

// Tells when a top-level window with a given title is mapped on the display.
class MapWatch {
public:
    MapWatch() : display_(XOpenDisplay(nullptr)) {
        if (!display_)
            return;
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
        utf8String_ = XInternAtom(display_, "UTF8_STRING", False);
        XSync(display_, True);
    }
    ~MapWatch() {
        if (display_)
            XCloseDisplay(display_);
    }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool ok() const { return display_ != nullptr; }

    // Forgets the windows of earlier runs.
    void reset() { XSync(display_, True); }

    // Waits for the window; false when the patience runs out first.
    bool waitForWindow(const std::string& title) {
        const auto deadline = Clock::now() + kPatience;
        while (Clock::now() < deadline) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == MapNotify && titleOf(event.xmap.window) == title)
                    return true;
            }
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&connection, 1, 100);
        }
        return false;
    }

private:
    std::string titleOf(Window window) const {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* value = nullptr;
        std::string title;
        if (XGetWindowProperty(display_, window, netWmName_, 0, 1024, False, utf8String_, &type,
                               &format, &count, &after, &value) == Success &&
            value) {
            title.assign(reinterpret_cast<const char*>(value), count);
            XFree(value);
        }
        return title;
    }

    Display* display_;
    Atom netWmName_ = None;
    Atom utf8String_ = None;
};

// A session bus for the run, as a desktop has one: without it Qt would try to start one for each
// program that asks (the host does, for its tray icon).
class SessionBus {
public:
    SessionBus() {
        FILE* daemon = ::popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        if (!daemon)
            return;
        char line[512];
        if (std::fgets(line, sizeof line, daemon))
            address_ = std::string(line, std::strcspn(line, "\n"));
        if (std::fgets(line, sizeof line, daemon))
            pid_ = std::atoi(line);
        ::pclose(daemon);
    }
    ~SessionBus() {
        if (pid_ > 0)
            ::kill(pid_, SIGTERM);
    }
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    const std::string& address() const { return address_; }

private:
    std::string address_;
    pid_t pid_ = 0;
};

// Both programs get the same environment: the X platform, the session bus, and data, temporary
// and runtime directories of their own, so neither finds the other's files nor a running instance.
std::vector<std::string> environmentFor(const quorstat::testing::TempDir& dir,
                                        const SessionBus& bus) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (!variable.starts_with("QT_QPA_PLATFORM=") && !variable.starts_with("TMPDIR=") &&
            !variable.starts_with("XDG_RUNTIME_DIR=") && !variable.starts_with("QUORSTAT_") &&
            !variable.starts_with("DBUS_SESSION_BUS_ADDRESS="))
            variables.push_back(variable);
    }
    const std::string path = dir.path().string();
    variables.insert(variables.end(),
                     {"QT_QPA_PLATFORM=xcb", "TMPDIR=" + path, "XDG_RUNTIME_DIR=" + path,
                      "QUORSTAT_DATA_DIR=" + path + "/Data", "QUORSTAT_SOUND=silent",
                      "QUORSTAT_SERVER=127.0.0.1:1"});
    if (!bus.address().empty())
        variables.push_back("DBUS_SESSION_BUS_ADDRESS=" + bus.address());
    return variables;
}

// Starts the program, waits for its window and ends it; the time to the window, or none.
std::optional<double> secondsToWindow(const char* program, const std::string& title,
                                      const SessionBus& bus, MapWatch& watch) {
    const quorstat::testing::TempDir dir;
    std::vector<std::string> variables = environmentFor(dir, bus);
    std::vector<char*> environment;
    for (std::string& variable : variables)
        environment.push_back(variable.data());
    environment.push_back(nullptr);
    char* arguments[] = {const_cast<char*>(program), nullptr};

    watch.reset();
    const auto start = Clock::now();
    pid_t child = 0;
    if (::posix_spawn(&child, program, nullptr, nullptr, arguments, environment.data()) != 0)
        return std::nullopt;
    const bool shown = watch.waitForWindow(title);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return shown ? std::optional(elapsed.count()) : std::nullopt;
}

// The host and its yardsticks, each started once per round, in this order. The window title is
// how each is recognised; the name is the counter's.
struct Program {
    const char* name;
    const char* path;
    const char* title;
};
constexpr Program kPrograms[] = {
    {"bare", BARE_WIDGETS_PROGRAM, "bare"},          {"linked", LINKED_WIDGETS_PROGRAM, "linked"},
    {"chinese", CHINESE_WIDGETS_PROGRAM, "chinese"}, {"form", FORM_WIDGETS_PROGRAM, "form"},
    {"host", QUORLAN_PROGRAM, kLoginTitle},
};
constexpr std::size_t kBare = 0;
constexpr std::size_t kForm = 3;
constexpr std::size_t kHost = 4;
static_assert(std::string_view(kPrograms[kBare].name) == "bare" &&
              std::string_view(kPrograms[kForm].name) == "form" &&
              std::string_view(kPrograms[kHost].name) == "host");

void BM_HostStartToLoginDialog(benchmark::State& state) {
    MapWatch watch;
    if (!watch.ok()) {
        state.SkipWithError("needs an X display (run under xvfb-run)");
        return;
    }
    const SessionBus bus;
    double total[std::size(kPrograms)] = {};
    for (auto _ : state) {
        for (std::size_t i = 0; i < std::size(kPrograms); ++i) {
            const auto seconds = secondsToWindow(kPrograms[i].path, kPrograms[i].title, bus, watch);
            if (!seconds) {
                state.SkipWithError("a window did not appear");
                return;
            }
            total[i] += *seconds;
            if (i == kHost)
                state.SetIterationTime(*seconds);
        }
    }
    const auto runs = static_cast<double>(state.iterations());
    for (std::size_t i = 0; i < std::size(kPrograms); ++i) {
        const std::string name = kPrograms[i].name;
        state.counters[name + "_ms"] = total[i] / runs * 1000;
        if (i != kBare)
            state.counters[i == kHost ? "ratio" : name + "_ratio"] = total[i] / total[kBare];
    }
    // Against a plain login form: what our own dialog, module and host add to Qt's first widgets.
    state.counters["form_to_host_ratio"] = total[kHost] / total[kForm];
}
BENCHMARK(BM_HostStartToLoginDialog)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
