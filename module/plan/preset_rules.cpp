#include "plan/preset_rules.h"

#include <algorithm>

#include "net/reply_text.h"
#include "plan/multiples_text.h"

namespace quorstat {

namespace {

constexpr int kFewestPresetIssues = 2;

}  // namespace

std::vector<std::string> PresetNamesFor(const std::vector<PRESETDATA>& presets, int issueCount) {
    std::vector<std::string> names;
    for (const PRESETDATA& preset : presets) {
        if (preset.presetIssues == issueCount)
            names.push_back(preset.presetName);
    }
    return names;
}

std::string NextPresetName(const std::vector<PRESETDATA>& presets) {
    for (std::size_t number = 1;; ++number) {
        std::string name = "预设" + std::to_string(number);
        if (std::ranges::none_of(presets,
                                 [&](const PRESETDATA& p) { return p.presetName == name; }))
            return name;
    }
}

bool HasSamePreset(const std::vector<PRESETDATA>& presets, int issues,
                   const std::vector<std::uint32_t>& multiples) {
    return std::ranges::any_of(presets, [&](const PRESETDATA& preset) {
        return preset.presetIssues == issues && preset.presetMultiples == multiples;
    });
}

std::optional<PresetItemProblem> CheckPresetItem(std::string_view name, std::string_view issuesText,
                                                 std::string_view multiplesText,
                                                 const std::vector<std::string>& otherNames) {
    if (name.empty())
        return PresetItemProblem{PresetField::Name, "请输入预设数据名称"};
    if (std::ranges::find(otherNames, name) != otherNames.end())
        return PresetItemProblem{PresetField::Name, "已经存在相同的预设数据名称，请使用其他名称"};
    const int issues = ReadInt(issuesText);
    if (issues < kFewestPresetIssues || issues > kMaxIssueCount)
        return PresetItemProblem{PresetField::Issues, "期数设置不正确，期数范围：2-99"};
    if (ParseMultiplesText(multiplesText).size() != static_cast<std::size_t>(issues))
        return PresetItemProblem{PresetField::Multiples, "倍数个数不正确，"};
    return std::nullopt;
}

}  // namespace quorstat
