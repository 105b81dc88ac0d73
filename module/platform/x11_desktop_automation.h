#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/desktop_automation.h"

// Xlib's types without its macros.
struct _XDisplay;

// The desktop through X11: windows by WM_CLASS and title, EWMH requests to the window manager,
// the clipboard through Qt (the program owns the selection until another program takes it), keys
// through XTest into the focused target, or sent to the target itself when it does not hold the
// focus, so that keys never land in another program.
class X11DesktopAutomation : public quorstat::DesktopAutomation {
public:
    X11DesktopAutomation();
    ~X11DesktopAutomation() override;
    X11DesktopAutomation(const X11DesktopAutomation&) = delete;
    X11DesktopAutomation& operator=(const X11DesktopAutomation&) = delete;

    bool available() override;
    std::vector<quorstat::DesktopWindow> topLevelWindows() override;
    bool exists(std::uint64_t window) override;
    bool isMinimised(std::uint64_t window) override;
    void restore(std::uint64_t window) override;
    void minimise(std::uint64_t window) override;
    void close(std::uint64_t window) override;
    void keepAbove(std::uint64_t window, bool above) override;
    bool setClipboardText(std::string_view text) override;
    void paste(std::uint64_t window) override;
    void pressReturn(std::uint64_t window) override;
    void holdControl(bool down) override;
    bool openShortcut(const std::string& target, const std::string& arguments) override;

private:
    using XWindow = unsigned long;
    using XAtom = unsigned long;

    _XDisplay* display();
    XWindow root();
    XAtom atom(const char* name);
    bool windowManagerSupports(const char* name);
    std::vector<XWindow> clientWindows();
    std::vector<XAtom> atomList(XWindow window, const char* property);
    std::string property(XWindow window, const char* name, XAtom* type = nullptr);
    long cardinal(XWindow window, const char* name, long fallback);
    std::string title(XWindow window);
    std::string className(XWindow window);
    void sendToWindowManager(XWindow window, const char* message, std::initializer_list<long> data);
    bool focusWithin(XWindow window);
    void pressKey(XWindow window, unsigned long keysym, bool control);

    _XDisplay* display_ = nullptr;
    bool opened_ = false;
    bool xtest_ = false;
    bool controlDown_ = false;
};
