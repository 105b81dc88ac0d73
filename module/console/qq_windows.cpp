#include "console/qq_windows.h"

#include <algorithm>

#include "core/text_codec.h"

namespace quorstat {
namespace {

constexpr std::size_t kWindowTextBytes = 511;
constexpr std::string_view kMessageBoxMarker = "- 消息盒子";

bool isChatWindow(const std::string& title, const std::vector<std::string>& filter) {
    return !title.empty() && title.find(kMessageBoxMarker) == std::string::npos &&
           std::find(filter.begin(), filter.end(), title) == filter.end();
}

}  // namespace

std::vector<QQITEM> EnumerateQQWindows(DesktopAutomation& desktop,
                                       const std::vector<std::string>& filter) {
    struct Found {
        std::string sortKey;
        QQITEM item;
    };
    std::vector<Found> found;
    for (const DesktopWindow& window : desktop.topLevelWindows()) {
        if (window.className != kQQWindowClass)
            continue;
        std::string title = TruncateAnsi(window.title, kWindowTextBytes);
        if (!isChatWindow(title, filter))
            continue;
        QQITEM item;
        item.hwnd = window.handle;
        item.windowTitle = std::move(title);
        found.push_back({ToAnsi(item.windowTitle), std::move(item)});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.sortKey < b.sortKey; });
    std::vector<QQITEM> windows;
    windows.reserve(found.size());
    for (Found& entry : found)
        windows.push_back(std::move(entry.item));
    return windows;
}

bool AnyMergedWindow(const std::vector<QQITEM>& windows) {
    return std::any_of(windows.begin(), windows.end(), [](const QQITEM& window) {
        return window.windowTitle.find(kMergedWindowMarker) != std::string::npos;
    });
}

}  // namespace quorstat
