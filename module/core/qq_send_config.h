#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorstat {

// One target of a QQ group send: a chat window known by its title, or a shortcut that opens one.
struct QQITEM {
    std::int32_t targetKind = 0;  // 0: a window by its title; otherwise a shortcut
    std::int32_t allowed = 0;     // 1: send to it; 0: not chosen; 2: forbidden
    std::uint64_t hwnd = 0;       // the window while the program runs; never kept on disk
    std::int32_t autoClose = 0;
    std::string windowTitle;
    std::string shortcutFile;
    std::string arguments;
    std::string note;

    bool operator==(const QQITEM&) const = default;
};

// The QQ send settings; one general and one custom instance live in the application state.
struct tagCONFIG_QQSEND {
    std::int32_t interval = 2;  // seconds between two targets, 0-10
    std::int32_t sendAfterSubmit = 0;
    std::int32_t reserved = 0;  // copied with the record, never stored
    std::int32_t minimiseAfterSend = 0;
    std::int32_t keepOpenWindows = 1;
    std::int32_t useGeneral = 0;
    std::int32_t sendMode = 0;         // 0: shortcuts; 1: open windows
    std::string closeAfterSend = "1";  // its first character "1" or "0"
    std::vector<std::string> signatures;
    std::int32_t signatureIndex = 0;  // -1 for none
    std::vector<QQITEM> items;

    bool operator==(const tagCONFIG_QQSEND&) const = default;
};

}  // namespace quorstat
