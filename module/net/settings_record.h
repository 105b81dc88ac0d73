#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"

namespace quorstat {

// A setting kept by the service: the window-title filter or the refresh intervals.
struct SettingsRecord {
    std::string setUp;
    std::string modifyTime;  // sent back as ModifyTime with later requests
};

// The record of a read reply "1|SetUp=...|ModifyTime=...|...", without its first two characters.
SettingsRecord ParseSettingsRecord(std::string_view text);

// The window titles of a filter, each ended by "#" (the last one may lack it): "A##B#" and "A#B##"
// both hold an empty title, so a filter read back from its text keeps every title.
std::vector<std::string> SplitWindowFilter(std::string_view setUp);
// Each distinct title (first occurrence kept) followed by "#".
std::string FormatWindowFilter(const std::vector<std::string>& titles);

// "RefServerTime=30#...": seconds, and minutes for RefTopHtml, into milliseconds. Unknown keys
// and values that are not a positive number of milliseconds leave the interval as it was.
void ApplyIntervalSetup(std::string_view setUp, RefreshIntervals& intervals);
std::string FormatIntervalSetup(const RefreshIntervals& intervals);
// One interval in the unit of its key (seconds, minutes for RefTopHtml); 0 for an unknown key.
int IntervalSetupValue(const RefreshIntervals& intervals, std::string_view key);

}  // namespace quorstat
