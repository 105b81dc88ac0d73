#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan/plan_form_data.h"

namespace quorstat {

// The export file of the preset editor: the head "PresetData", a row count, then per row the
// name, the issue count and the multiples, each as text.
inline constexpr std::string_view kPresetFileHead = "PresetData";

std::string WritePresetFile(const std::vector<PRESETDATA>& presets);
// The rows of a whole preset file; none for another head or a file cut short, so a failed import
// changes nothing.
std::optional<std::vector<PRESETDATA>> ReadPresetFile(std::string_view bytes);

}  // namespace quorstat
