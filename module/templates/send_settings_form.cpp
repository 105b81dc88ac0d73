#include "templates/send_settings_form.h"

#include <algorithm>

#include "templates/send_settings_rules.h"

namespace quorstat {
namespace {

constexpr std::int32_t kForbidden = 2;

using WindowRow = SendSettingsForm::WindowRow;

// The row that takes the selection after `row` left a list of `size` rows.
int neighbour(std::size_t row, std::size_t size) {
    if (size == 0)
        return -1;
    return static_cast<int>(std::min(row, size - 1));
}

bool hasTitle(const std::vector<WindowRow>& rows, const std::string& title) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](const WindowRow& row) { return row.item.windowTitle == title; });
}

const QQITEM* openWindow(const std::vector<QQITEM>& open, const std::string& title) {
    const auto found = std::find_if(open.begin(), open.end(), [&](const QQITEM& window) {
        return window.windowTitle == title;
    });
    return found == open.end() ? nullptr : &*found;
}

}  // namespace

SendSettingsForm::SendSettingsForm(const tagCONFIG_QQSEND& settings)
    : signatures(settings.signatures), signatureIndex(settings.signatureIndex) {
    if (signatureIndex < 0 || static_cast<std::size_t>(signatureIndex) >= signatures.size())
        signatureIndex = -1;
    for (const QQITEM& item : settings.items) {
        if (item.targetKind != 0)
            shortcuts.push_back(item);
        else if (item.allowed == kForbidden)
            disabledWindows.push_back({item, false});
        else
            enabledWindows.push_back({item, false});
    }
}

SendSettingsEntries SendSettingsForm::EntriesOf(const tagCONFIG_QQSEND& settings) {
    SendSettingsEntries entries;
    entries.shortcutMode = settings.sendMode == 0;
    entries.interval = std::to_string(settings.interval);
    entries.sendAfterSubmit = settings.sendAfterSubmit != 0;
    entries.minimiseAfterSend = settings.minimiseAfterSend != 0;
    entries.useGeneral = settings.useGeneral != 0;
    entries.closeAfterSend = !settings.closeAfterSend.empty() && settings.closeAfterSend[0] == '1';
    return entries;
}

std::string SendSettingsForm::collect(const SendSettingsEntries& entries,
                                      tagCONFIG_QQSEND& settings) const {
    std::string problem;
    settings.sendMode = entries.shortcutMode ? 0 : 1;
    const auto interval = ParseSendInterval(entries.interval);
    if (!interval)
        problem = kBadIntervalText;
    settings.interval = interval.value_or(kFallbackInterval);
    settings.sendAfterSubmit = entries.sendAfterSubmit ? 1 : 0;
    settings.minimiseAfterSend = entries.minimiseAfterSend ? 1 : 0;
    settings.useGeneral = entries.useGeneral ? 1 : 0;
    settings.keepOpenWindows = 1;
    const char closeFlag = entries.closeAfterSend ? '1' : '0';
    if (settings.closeAfterSend.empty())
        settings.closeAfterSend = std::string(1, closeFlag);
    else
        settings.closeAfterSend[0] = closeFlag;
    settings.signatures = signatures;
    settings.signatureIndex = signatureIndex;
    settings.items = shortcuts;
    for (const WindowRow& row : enabledWindows)
        settings.items.push_back(row.item);
    for (const WindowRow& row : disabledWindows)
        settings.items.push_back(row.item);
    return problem;
}

void SendSettingsForm::refreshWindows(const std::vector<QQITEM>& open) {
    std::vector<WindowRow> enabled;
    for (WindowRow& row : enabledWindows) {
        const QQITEM* window = openWindow(open, row.item.windowTitle);
        if (!window && row.item.allowed != 1)
            continue;
        row.open = window != nullptr;
        row.item.hwnd = window ? window->hwnd : 0;
        enabled.push_back(std::move(row));
    }
    enabledWindows = std::move(enabled);
    for (WindowRow& row : disabledWindows) {
        const QQITEM* window = openWindow(open, row.item.windowTitle);
        row.open = window != nullptr;
        row.item.hwnd = window ? window->hwnd : 0;
    }
    for (const QQITEM& window : open) {
        if (hasTitle(enabledWindows, window.windowTitle) ||
            hasTitle(disabledWindows, window.windowTitle))
            continue;
        QQITEM item = window;
        item.allowed = 0;
        enabledWindows.push_back({std::move(item), true});
    }
}

int SendSettingsForm::forbidWindow(std::size_t row) {
    if (row >= enabledWindows.size())
        return -1;
    WindowRow moved = std::move(enabledWindows[row]);
    enabledWindows.erase(enabledWindows.begin() + static_cast<std::ptrdiff_t>(row));
    moved.item.allowed = kForbidden;
    disabledWindows.push_back(std::move(moved));
    return neighbour(row, enabledWindows.size());
}

int SendSettingsForm::allowWindow(std::size_t row) {
    if (row >= disabledWindows.size())
        return -1;
    WindowRow moved = std::move(disabledWindows[row]);
    disabledWindows.erase(disabledWindows.begin() + static_cast<std::ptrdiff_t>(row));
    moved.item.allowed = 0;
    enabledWindows.push_back(std::move(moved));
    return neighbour(row, disabledWindows.size());
}

void SendSettingsForm::importShortcuts(
    const std::vector<QQITEM>& imported,
    const std::function<Duplicate(const std::string& name)>& ask) {
    for (const QQITEM& item : imported) {
        const auto existing = std::find_if(
            shortcuts.begin(), shortcuts.end(),
            [&](const QQITEM& shortcut) { return shortcut.windowTitle == item.windowTitle; });
        if (existing == shortcuts.end()) {
            shortcuts.push_back(item);
            continue;
        }
        switch (ask(item.windowTitle)) {
            case Duplicate::Replace:
                *existing = item;
                break;
            case Duplicate::Keep:
                break;
            case Duplicate::Stop:
                return;
        }
    }
}

void SendSettingsForm::addSignature(std::string text) {
    signatures.push_back(std::move(text));
}

void SendSettingsForm::removeSignature(std::size_t row) {
    if (row >= signatures.size())
        return;
    signatures.erase(signatures.begin() + static_cast<std::ptrdiff_t>(row));
    const int removed = static_cast<int>(row);
    if (signatureIndex == removed)
        signatureIndex = -1;
    else if (signatureIndex > removed)
        --signatureIndex;
}

void SendSettingsForm::enableSignature(std::size_t row, bool enabled) {
    const int index = static_cast<int>(row);
    if (enabled)
        signatureIndex = index;
    else if (signatureIndex == index)
        signatureIndex = -1;
}

}  // namespace quorstat
