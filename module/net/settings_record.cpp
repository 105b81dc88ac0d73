#include "net/settings_record.h"

#include <algorithm>
#include <array>
#include <climits>

#include "net/reply_text.h"
#include "net/tagged_fields.h"

namespace quorstat {
namespace {

using R = SettingsRecord;

// Remark= and Allow= are sent but not used.
constexpr std::array<FieldRule<R>, 2> settingsRules{{
    {"SetUp=", Assign<R, &R::setUp, ToText>},
    {"ModifyTime=", Assign<R, &R::modifyTime, ToText>},
}};

struct IntervalKey {
    std::string_view key;
    int RefreshIntervals::*member;
    int unitMs;
};

constexpr std::array<IntervalKey, 7> intervalKeys{{
    {"RefServerTime", &RefreshIntervals::serverTime, 1000},
    {"RefBetNum", &RefreshIntervals::betNum, 1000},
    {"RefUserList", &RefreshIntervals::userList, 1000},
    {"RefPlanList", &RefreshIntervals::planList, 1000},
    {"RefFansCount", &RefreshIntervals::fansCount, 1000},
    {"RefTopHtml", &RefreshIntervals::topHtml, 60000},
    {"RefOwnPlanAfterBetNum", &RefreshIntervals::ownPlanAfterBetNum, 1000},
}};

}  // namespace

SettingsRecord ParseSettingsRecord(std::string_view text) {
    SettingsRecord record;
    ReadTaggedFields<R>(text, settingsRules, record);
    return record;
}

std::vector<std::string> SplitWindowFilter(std::string_view setUp) {
    std::vector<std::string> titles;
    while (!setUp.empty()) {
        const std::size_t end = setUp.find('#');
        titles.emplace_back(setUp.substr(0, end));
        if (end == std::string_view::npos)
            break;
        setUp.remove_prefix(end + 1);
    }
    return titles;
}

std::string FormatWindowFilter(const std::vector<std::string>& titles) {
    std::vector<std::string_view> written;
    std::string text;
    for (const std::string& title : titles) {
        if (std::find(written.begin(), written.end(), title) != written.end())
            continue;
        written.push_back(title);
        text += title;
        text += '#';
    }
    return text;
}

void ApplyIntervalSetup(std::string_view setUp, RefreshIntervals& intervals) {
    ForEachItem(setUp, '#', SplitMode::Lenient, [&](std::string_view item) {
        const std::string_view key = item.substr(0, item.find('='));
        const auto known = std::find_if(intervalKeys.begin(), intervalKeys.end(),
                                        [&](const IntervalKey& entry) { return entry.key == key; });
        if (known == intervalKeys.end() || key.size() == item.size())
            return true;
        const std::int32_t value = ReadInt(item.substr(key.size() + 1));
        // A zero or overflowing interval would make its timer spin.
        if (value > 0 && value <= INT_MAX / known->unitMs)
            intervals.*(known->member) = value * known->unitMs;
        return true;
    });
}

int IntervalSetupValue(const RefreshIntervals& intervals, std::string_view key) {
    for (const IntervalKey& entry : intervalKeys)
        if (entry.key == key)
            return intervals.*(entry.member) / entry.unitMs;
    return 0;
}

std::string FormatIntervalSetup(const RefreshIntervals& intervals) {
    std::string text;
    for (const IntervalKey& entry : intervalKeys) {
        text += entry.key;
        text += '=';
        text += std::to_string(intervals.*(entry.member) / entry.unitMs);
        text += '#';
    }
    return text;
}

}  // namespace quorstat
