#pragma once

#include <algorithm>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop_automation.h"

// A desktop of made-up windows on a clock the test moves. Every action is logged as
// "<ms> <action> <title>", so a test compares the whole key sequence with its timing.
class FakeDesktop : public quorstat::DesktopAutomation {
public:
    static constexpr long kNever = std::numeric_limits<long>::max();

    struct Window {
        std::uint64_t handle = 0;
        std::string className;
        std::string title;
        long appearsAt = 0;
        long vanishesAt = kNever;
        bool minimised = false;
    };

    long now = 0;
    bool hasDisplay = true;
    bool clipboardBusy = false;
    std::string clipboard;
    std::vector<std::string> log;

    // The titles that got the text, in sending order.
    std::vector<std::string> pastedTitles() const {
        std::vector<std::string> titles;
        for (const std::string& line : log)
            if (const auto at = line.find(" paste "); at != std::string::npos)
                titles.push_back(line.substr(at + 7));
        return titles;
    }
    // A started shortcut target makes this window appear after the given delay.
    std::map<std::string, std::pair<Window, long>> shortcutWindows;

    std::uint64_t add(std::string title, std::string className = "TXGuiFoundation") {
        Window window;
        window.handle = nextHandle_++;
        window.className = std::move(className);
        window.title = std::move(title);
        windows_.push_back(window);
        return window.handle;
    }
    Window& window(std::uint64_t handle) {
        return *std::find_if(windows_.begin(), windows_.end(),
                             [&](const Window& w) { return w.handle == handle; });
    }

    bool available() override { return hasDisplay; }
    std::vector<quorstat::DesktopWindow> topLevelWindows() override {
        std::vector<quorstat::DesktopWindow> shown;
        for (const Window& w : windows_)
            if (isThere(w))
                shown.push_back({w.handle, w.className, w.title});
        return shown;
    }
    bool exists(std::uint64_t handle) override {
        return std::any_of(windows_.begin(), windows_.end(),
                           [&](const Window& w) { return w.handle == handle && isThere(w); });
    }
    bool isMinimised(std::uint64_t handle) override { return window(handle).minimised; }
    void restore(std::uint64_t handle) override {
        window(handle).minimised = false;
        record("restore", handle);
    }
    void minimise(std::uint64_t handle) override {
        window(handle).minimised = true;
        record("minimise", handle);
    }
    void close(std::uint64_t handle) override {
        record("close", handle);
        window(handle).vanishesAt = now;
    }
    void keepAbove(std::uint64_t handle, bool above) override {
        record(above ? "above" : "normal", handle);
    }
    bool setClipboardText(std::string_view text) override {
        if (clipboardBusy) {
            log.push_back(std::to_string(now) + " clipboard busy");
            return false;
        }
        clipboard = text;
        log.push_back(std::to_string(now) + " clipboard");
        return true;
    }
    void paste(std::uint64_t handle) override { record("paste", handle); }
    void pressReturn(std::uint64_t handle) override {
        record(control_ ? "ctrl+return" : "return", handle);
    }
    void holdControl(bool down) override {
        control_ = down;
        log.push_back(std::to_string(now) + (down ? " ctrl down" : " ctrl up"));
    }
    bool openShortcut(const std::string& target, const std::string& arguments) override {
        log.push_back(std::to_string(now) + " open " + target + " " + arguments);
        const auto known = shortcutWindows.find(target);
        if (known == shortcutWindows.end())
            return false;
        Window window = known->second.first;
        window.handle = nextHandle_++;
        window.appearsAt = now + known->second.second;
        windows_.push_back(window);
        return true;
    }

    bool controlHeld() const { return control_; }

private:
    bool isThere(const Window& w) const { return w.appearsAt <= now && now < w.vanishesAt; }
    void record(const char* action, std::uint64_t handle) {
        log.push_back(std::to_string(now) + " " + action + " " + window(handle).title);
    }

    std::vector<Window> windows_;
    std::uint64_t nextHandle_ = 0x100;
    bool control_ = false;
};
