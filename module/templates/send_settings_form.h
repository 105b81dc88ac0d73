#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/qq_send_config.h"

namespace quorstat {

// What the send settings dialog shows in its fields besides the lists.
struct SendSettingsEntries {
    bool shortcutMode = true;
    std::string interval;
    bool sendAfterSubmit = false;
    bool minimiseAfterSend = false;
    bool useGeneral = false;
    bool closeAfterSend = false;
};

// The lists of the send settings dialog and the rules that change them, without the widgets.
class SendSettingsForm {
public:
    struct WindowRow {
        QQITEM item;
        bool open = false;  // found by the last refresh; rows not found are drawn grey
    };

    explicit SendSettingsForm(const tagCONFIG_QQSEND& settings);

    static SendSettingsEntries EntriesOf(const tagCONFIG_QQSEND& settings);

    // Entries and lists into `settings`; the text of a problem (the interval), else empty. With a
    // problem the interval becomes 2 and everything else is still taken.
    std::string collect(const SendSettingsEntries& entries, tagCONFIG_QQSEND& settings) const;

    // The windows open now: allowed rows keep their place, rows neither allowed nor open go, and
    // windows of no row join the enabled list, not allowed.
    void refreshWindows(const std::vector<QQITEM>& openWindows);
    // A double click moves a row to the end of the other list; the row to select afterwards in
    // the list it left, or -1 when that list is empty.
    int forbidWindow(std::size_t row);
    int allowWindow(std::size_t row);

    // The answer to "a shortcut of this name is in the list".
    enum class Duplicate { Replace, Keep, Stop };
    void importShortcuts(const std::vector<QQITEM>& imported,
                         const std::function<Duplicate(const std::string& name)>& ask);

    void addSignature(std::string text);
    void removeSignature(std::size_t row);
    // Ticking one extra line unticks the others.
    void enableSignature(std::size_t row, bool enabled);

    std::vector<QQITEM> shortcuts;
    std::vector<WindowRow> enabledWindows;
    std::vector<WindowRow> disabledWindows;
    std::vector<std::string> signatures;
    int signatureIndex = -1;
};

}  // namespace quorstat
