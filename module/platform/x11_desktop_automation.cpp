#include "platform/x11_desktop_automation.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QString>
#include <algorithm>
#include <initializer_list>

#include "platform/shell.h"

// Xlib last: its macros (None, Bool, Status) would clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

quorstat::DesktopAutomation* installed = nullptr;

// A window may go away between two requests; the default handler would end the program for the
// BadWindow that follows. Every call checks its own result instead.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

// EWMH: the request comes from the user's side, so the window manager does not refuse it.
constexpr long kSourceUser = 2;
constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
constexpr long kPropertyLongs = 1 << 16;

struct XFreeDeleter {
    void operator()(void* data) const {
        if (data)
            XFree(data);
    }
};

struct RawProperty {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    std::unique_ptr<unsigned char, XFreeDeleter> data;
};

RawProperty readProperty(Display* display, Window window, Atom name) {
    RawProperty raw;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, name, 0, kPropertyLongs, False, AnyPropertyType,
                           &raw.type, &raw.format, &raw.count, &after, &data) == Success)
        raw.data.reset(data);
    return raw;
}

}  // namespace

quorstat::DesktopAutomation& quorstat::DesktopAutomation::instance() {
    static X11DesktopAutomation desktop;
    return installed ? *installed : desktop;
}

void quorstat::DesktopAutomation::install(DesktopAutomation* automation) {
    installed = automation;
}

X11DesktopAutomation::X11DesktopAutomation() = default;

X11DesktopAutomation::~X11DesktopAutomation() {
    if (!display_)
        return;
    if (controlDown_)
        holdControl(false);
    XCloseDisplay(display_);
}

Display* X11DesktopAutomation::display() {
    if (opened_)
        return display_;
    opened_ = true;
    display_ = XOpenDisplay(nullptr);
    if (!display_)
        return nullptr;
    XSetErrorHandler(ignoreError);
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    xtest_ = XTestQueryExtension(display_, &event, &error, &major, &minor);
    return display_;
}

bool X11DesktopAutomation::available() {
    return display() != nullptr;
}

X11DesktopAutomation::XWindow X11DesktopAutomation::root() {
    return DefaultRootWindow(display_);
}

X11DesktopAutomation::XAtom X11DesktopAutomation::atom(const char* name) {
    return XInternAtom(display_, name, False);
}

std::string X11DesktopAutomation::property(XWindow window, const char* name, XAtom* type) {
    const RawProperty raw = readProperty(display_, window, atom(name));
    if (type)
        *type = raw.type;
    if (!raw.data || raw.format != 8)
        return {};
    return std::string(reinterpret_cast<const char*>(raw.data.get()), raw.count);
}

// A property of 32-bit items (atoms, windows, cardinals), which Xlib hands over as longs.
std::vector<X11DesktopAutomation::XAtom> X11DesktopAutomation::atomList(XWindow window,
                                                                        const char* name) {
    const RawProperty raw = readProperty(display_, window, atom(name));
    if (!raw.data || raw.format != 32)
        return {};
    const auto* items = reinterpret_cast<const unsigned long*>(raw.data.get());
    return std::vector<XAtom>(items, items + raw.count);
}

long X11DesktopAutomation::cardinal(XWindow window, const char* name, long fallback) {
    const auto values = atomList(window, name);
    return values.empty() ? fallback : static_cast<long>(values.front());
}

// Only a window manager that is running now answers for its _NET_SUPPORTED list.
bool X11DesktopAutomation::windowManagerSupports(const char* name) {
    const auto check = atomList(root(), "_NET_SUPPORTING_WM_CHECK");
    XWindowAttributes attributes;
    if (check.empty() || !XGetWindowAttributes(display_, check.front(), &attributes))
        return false;
    const auto supported = atomList(root(), "_NET_SUPPORTED");
    return std::find(supported.begin(), supported.end(), atom(name)) != supported.end();
}

// The window manager's list of managed windows; without one, the mapped children of the root.
std::vector<X11DesktopAutomation::XWindow> X11DesktopAutomation::clientWindows() {
    if (windowManagerSupports("_NET_CLIENT_LIST"))
        return atomList(root(), "_NET_CLIENT_LIST");
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, root(), &rootReturn, &parent, &children, &count))
        return {};
    const std::unique_ptr<Window, XFreeDeleter> owned(children);
    std::vector<XWindow> mapped;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display_, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            mapped.push_back(children[i]);
    }
    return mapped;
}

// _NET_WM_NAME, else WM_NAME in whichever encoding it carries; bytes that are not UTF-8 become
// U+FFFD, so a title never breaks the texts it is compared with or stored in.
std::string X11DesktopAutomation::title(XWindow window) {
    Atom type = 0;
    const std::string name = property(window, "_NET_WM_NAME");
    if (!name.empty())
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toStdString();
    std::string legacy = property(window, "WM_NAME", &type);
    if (legacy.empty())
        return {};
    if (type == XA_STRING)
        return QString::fromLatin1(legacy.data(), static_cast<qsizetype>(legacy.size()))
            .toStdString();
    if (type == atom("COMPOUND_TEXT")) {
        XTextProperty text{reinterpret_cast<unsigned char*>(legacy.data()), type, 8, legacy.size()};
        char** list = nullptr;
        int count = 0;
        if (Xutf8TextPropertyToTextList(display_, &text, &list, &count) >= Success && count > 0)
            legacy = list[0];
        if (list)
            XFreeStringList(list);
    }
    return QString::fromUtf8(legacy.data(), static_cast<qsizetype>(legacy.size())).toStdString();
}

std::string X11DesktopAutomation::className(XWindow window) {
    XClassHint hint{nullptr, nullptr};
    if (!XGetClassHint(display_, window, &hint))
        return {};
    const std::unique_ptr<char, XFreeDeleter> name(hint.res_name);
    const std::unique_ptr<char, XFreeDeleter> type(hint.res_class);
    return type ? std::string(type.get()) : std::string();
}

std::vector<quorstat::DesktopWindow> X11DesktopAutomation::topLevelWindows() {
    std::vector<quorstat::DesktopWindow> windows;
    if (!display())
        return windows;
    for (const XWindow window : clientWindows())
        windows.push_back({window, className(window), title(window)});
    return windows;
}

bool X11DesktopAutomation::exists(std::uint64_t window) {
    XWindowAttributes attributes;
    if (!display() || !XGetWindowAttributes(display_, window, &attributes))
        return false;
    return attributes.map_state == IsViewable || isMinimised(window);
}

bool X11DesktopAutomation::isMinimised(std::uint64_t window) {
    if (!display())
        return false;
    if (cardinal(window, "WM_STATE", NormalState) == IconicState)
        return true;
    const auto states = atomList(window, "_NET_WM_STATE");
    return std::find(states.begin(), states.end(), atom("_NET_WM_STATE_HIDDEN")) != states.end();
}

void X11DesktopAutomation::sendToWindowManager(XWindow window, const char* message,
                                               std::initializer_list<long> data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(message);
    event.xclient.format = 32;
    std::copy(data.begin(), data.end(), event.xclient.data.l);
    XSendEvent(display_, root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void X11DesktopAutomation::restore(std::uint64_t window) {
    if (!display())
        return;
    XMapWindow(display_, window);
    if (windowManagerSupports("_NET_ACTIVE_WINDOW"))
        sendToWindowManager(window, "_NET_ACTIVE_WINDOW", {kSourceUser, CurrentTime});
    XFlush(display_);
}

// Without a window manager there is nothing to minimise to; the window stays.
void X11DesktopAutomation::minimise(std::uint64_t window) {
    if (!display())
        return;
    XIconifyWindow(display_, window, DefaultScreen(display_));
    XFlush(display_);
}

void X11DesktopAutomation::close(std::uint64_t window) {
    if (!display())
        return;
    if (windowManagerSupports("_NET_CLOSE_WINDOW")) {
        sendToWindowManager(window, "_NET_CLOSE_WINDOW", {CurrentTime, kSourceUser});
    } else {
        const auto protocols = atomList(window, "WM_PROTOCOLS");
        const XAtom deleteWindow = atom("WM_DELETE_WINDOW");
        if (std::find(protocols.begin(), protocols.end(), deleteWindow) == protocols.end())
            return;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = atom("WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
    }
    XFlush(display_);
}

void X11DesktopAutomation::keepAbove(std::uint64_t window, bool above) {
    if (!display())
        return;
    if (windowManagerSupports("_NET_WM_STATE_ABOVE"))
        sendToWindowManager(window, "_NET_WM_STATE",
                            {above ? kStateAdd : kStateRemove,
                             static_cast<long>(atom("_NET_WM_STATE_ABOVE")), 0, kSourceUser});
    if (above) {
        if (windowManagerSupports("_NET_ACTIVE_WINDOW")) {
            sendToWindowManager(window, "_NET_ACTIVE_WINDOW", {kSourceUser, CurrentTime});
        } else {
            XRaiseWindow(display_, window);
            XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        }
    }
    XFlush(display_);
}

// X11 text uses bare line feeds; "\r\n" would paste as two line breaks.
bool X11DesktopAutomation::setClipboardText(std::string_view text) {
    QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(value, QClipboard::Clipboard);
    return clipboard->ownsClipboard();
}

bool X11DesktopAutomation::focusWithin(XWindow window) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    while (focus != None && focus != PointerRoot) {
        if (focus == window)
            return true;
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, focus, &rootReturn, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        focus = parent;
    }
    return false;
}

void X11DesktopAutomation::pressKey(XWindow window, unsigned long keysym, bool control) {
    const KeyCode code = XKeysymToKeycode(display_, keysym);
    if (code == 0)
        return;
    if (xtest_ && focusWithin(window)) {
        const KeyCode controlCode = XKeysymToKeycode(display_, XK_Control_L);
        const bool pressControl = control && !controlDown_;
        if (pressControl)
            XTestFakeKeyEvent(display_, controlCode, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        if (pressControl)
            XTestFakeKeyEvent(display_, controlCode, False, CurrentTime);
    } else {
        XEvent event{};
        XKeyEvent& key = event.xkey;
        key.display = display_;
        key.window = window;
        key.root = root();
        key.time = CurrentTime;
        key.same_screen = True;
        key.keycode = code;
        key.state = (control || controlDown_) ? ControlMask : 0;
        key.type = KeyPress;
        XSendEvent(display_, window, True, KeyPressMask, &event);
        key.type = KeyRelease;
        XSendEvent(display_, window, True, KeyReleaseMask, &event);
    }
    XFlush(display_);
}

void X11DesktopAutomation::paste(std::uint64_t window) {
    if (display())
        pressKey(window, XK_v, true);
}

void X11DesktopAutomation::pressReturn(std::uint64_t window) {
    if (display())
        pressKey(window, XK_Return, false);
}

void X11DesktopAutomation::holdControl(bool down) {
    if (!display())
        return;
    controlDown_ = down;
    if (!xtest_)
        return;
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_Control_L), down, CurrentTime);
    XFlush(display_);
}

bool X11DesktopAutomation::openShortcut(const std::string& target, const std::string& arguments) {
    return Shell::instance().startProgram(
        QString::fromStdString(target), QProcess::splitCommand(QString::fromStdString(arguments)));
}
