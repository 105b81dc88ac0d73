#include "templates/send_settings_rules.h"

#include <algorithm>
#include <charconv>

#include "core/ascii_case.h"
#include "net/settings_record.h"

namespace quorstat {
namespace {

constexpr std::string_view kLauncherName = "QQScLauncher.exe";
constexpr std::string_view kLinkSuffix = ".lnk";

std::optional<int> parseWholeNumber(std::string_view typed) {
    const std::size_t first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    typed = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
    if (error != std::errc() || end != typed.data() + typed.size())
        return std::nullopt;
    return value;
}

// Windows paths ignore the case of ASCII letters.
bool containsIgnoringCase(std::string_view text, std::string_view part) {
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at)
        if (EqualsIgnoringCase(text.substr(at, part.size()), part))
            return true;
    return false;
}

constexpr std::array<IntervalChoice, 7> kIntervalChoices{{
    {"RefServerTime", "刷新服务器时间的间隔", "秒", 20, 60},
    {"RefBetNum", "刷新开奖号码的间隔", "秒", 10, 30},
    {"RefUserList", "刷新用户列表的间隔", "秒", 30, 60},
    {"RefPlanList", "刷新方案列表的间隔", "秒", 15, 60},
    {"RefFansCount", "刷新粉丝数的间隔", "秒", 60, 180},
    {"RefTopHtml", "刷新顶部页面的间隔", "分钟", 5, 30},
    {"RefOwnPlanAfterBetNum", "更新开奖号后", "秒，开始刷新自己的方案列表", 5, 20},
}};

}  // namespace

std::optional<std::int32_t> ParseSendInterval(std::string_view typed) {
    const auto seconds = parseWholeNumber(typed);
    if (!seconds || *seconds < 0 || *seconds > 10)
        return std::nullopt;
    return *seconds;
}

std::optional<QQITEM> ShortcutItem(const std::filesystem::path& linkFile, const ShellLink& link) {
    if (!containsIgnoringCase(link.targetPath, kLauncherName))
        return std::nullopt;
    std::string name = linkFile.filename().string();
    if (name.size() >= kLinkSuffix.size() &&
        EqualsIgnoringCase(std::string_view(name).substr(name.size() - kLinkSuffix.size()),
                           kLinkSuffix))
        name.resize(name.size() - kLinkSuffix.size());
    QQITEM item;
    item.targetKind = 1;
    item.allowed = 1;
    item.autoClose = 1;
    item.windowTitle = std::move(name);
    item.shortcutFile = link.targetPath;
    item.arguments = link.arguments;
    return item;
}

std::string WindowFilterEditText(const std::vector<std::string>& titles) {
    std::string text;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += titles[i];
    }
    return text;
}

std::optional<std::string> WindowFilterSetUp(std::string_view editText) {
    if (editText.find('&') != std::string_view::npos)
        return std::nullopt;
    std::vector<std::string> titles;
    while (true) {
        const std::size_t end = editText.find('\n');
        std::string_view line = editText.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        titles.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        editText.remove_prefix(end + 1);
    }
    return FormatWindowFilter(titles);
}

const std::array<IntervalChoice, 7>& IntervalChoices() {
    return kIntervalChoices;
}

std::optional<std::string> IntervalSetUp(const std::array<std::string, 7>& typed) {
    std::string setUp;
    for (std::size_t i = 0; i < kIntervalChoices.size(); ++i) {
        const IntervalChoice& choice = kIntervalChoices[i];
        const auto value = parseWholeNumber(typed[i]);
        if (!value || *value < choice.min || *value > choice.max)
            return std::nullopt;
        setUp += std::string(choice.key) + "=" + std::to_string(*value) + "#";
    }
    return setUp;
}

}  // namespace quorstat
