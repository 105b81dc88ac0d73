#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorstat {

// An outside program's top-level window as the desktop reports it.
struct DesktopWindow {
    std::uint64_t handle = 0;
    std::string className;  // UTF-8
    std::string title;      // UTF-8
};

// What the group send does to other programs' windows: find them, bring them up, paste the
// clipboard into them and press the send keys. Every call returns at once; the pauses between
// the steps are the caller's.
class DesktopAutomation {
public:
    virtual ~DesktopAutomation() = default;

    // False when there is no desktop to drive (no X display); nothing else may then be called.
    virtual bool available() = 0;
    virtual std::vector<DesktopWindow> topLevelWindows() = 0;
    virtual bool exists(std::uint64_t window) = 0;
    virtual bool isMinimised(std::uint64_t window) = 0;
    virtual void restore(std::uint64_t window) = 0;
    virtual void minimise(std::uint64_t window) = 0;
    virtual void close(std::uint64_t window) = 0;
    // Brings the window to the front and keeps it above the others, or lets it go back.
    virtual void keepAbove(std::uint64_t window, bool above) = 0;
    // False when the clipboard could not be taken; it then keeps what it held.
    virtual bool setClipboardText(std::string_view text) = 0;
    virtual void paste(std::uint64_t window) = 0;
    // Return into the window, with Control when holdControl(true) is in force.
    virtual void pressReturn(std::uint64_t window) = 0;
    virtual void holdControl(bool down) = 0;
    // Starts what a messenger shortcut points to; false when it could not be started.
    virtual bool openShortcut(const std::string& target, const std::string& arguments) = 0;

    // The desktop of this session (supplied by the module); install() puts another in its place
    // (tests), null restores it.
    static DesktopAutomation& instance();
    static void install(DesktopAutomation* automation);
};

}  // namespace quorstat
