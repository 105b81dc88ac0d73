#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan/plan_form_data.h"

namespace quorstat {

// The names the 预设 list offers for an issue count, in stored order.
std::vector<std::string> PresetNamesFor(const std::vector<PRESETDATA>& presets, int issueCount);

// "预设%d" with the smallest number from 1 that no preset is named with yet.
std::string NextPresetName(const std::vector<PRESETDATA>& presets);

// Whether a preset already holds these issues and multiples, under any name.
bool HasSamePreset(const std::vector<PRESETDATA>& presets, int issues,
                   const std::vector<std::uint32_t>& multiples);

// The fields of the preset item dialog, in the order they are checked.
enum class PresetField { Name, Issues, Multiples };

struct PresetItemProblem {
    PresetField field;
    std::string message;
};

// Checks the item dialog's fields; `otherNames` are the names of every other row.
std::optional<PresetItemProblem> CheckPresetItem(std::string_view name, std::string_view issuesText,
                                                 std::string_view multiplesText,
                                                 const std::vector<std::string>& otherNames);

}  // namespace quorstat
