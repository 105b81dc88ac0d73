#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/qq_send_config.h"
#include "platform/shell_link.h"

namespace quorstat {

inline constexpr std::string_view kBadIntervalText =
    "发送时间间隔设置不正确，只能设置为 0-10 之间的数字";
inline constexpr std::int32_t kFallbackInterval = 2;
inline constexpr std::string_view kNoValidShortcutText = "没有选择有效的QQ快捷方式文件";
inline constexpr std::string_view kAmpersandInFilterText = "输入的字符中不能包含'&'";
inline constexpr std::string_view kBadIntervalsText = "设置不正确";

// The seconds between two targets as typed: a whole number 0-10, blanks around it allowed.
std::optional<std::int32_t> ParseSendInterval(std::string_view typed);

// The item a messenger shortcut gives, or none for a link that starts another program.
std::optional<QQITEM> ShortcutItem(const std::filesystem::path& linkFile, const ShellLink& link);

// The filter editor's text: one title per line (the empty title is an empty line).
std::string WindowFilterEditText(const std::vector<std::string>& titles);
// The filter to send, "A#B#", from the editor's lines; repeated lines count once. None when a
// line holds "&", which the request body cannot carry.
std::optional<std::string> WindowFilterSetUp(std::string_view editText);

// One refresh interval as the interval editor offers it.
struct IntervalChoice {
    std::string_view key;
    std::string_view label;
    std::string_view unit;
    int min;
    int max;
};
const std::array<IntervalChoice, 7>& IntervalChoices();
// "RefServerTime=30#...#" from the typed values in the order of IntervalChoices(); none when a
// value is not a whole number within its range.
std::optional<std::string> IntervalSetUp(const std::array<std::string, 7>& typed);

}  // namespace quorstat
