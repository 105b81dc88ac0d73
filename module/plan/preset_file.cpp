#include "plan/preset_file.h"

#include "core/archive_reader.h"
#include "core/archive_writer.h"
#include "net/reply_text.h"
#include "plan/multiples_text.h"

namespace quorstat {

std::string WritePresetFile(const std::vector<PRESETDATA>& presets) {
    ArchiveWriter out;
    out.writeString(kPresetFileHead);
    out.writeUInt32(static_cast<std::uint32_t>(presets.size()));
    for (const PRESETDATA& preset : presets) {
        out.writeString(preset.presetName);
        out.writeString(std::to_string(preset.presetIssues));
        out.writeString(JoinMultiples(preset.presetMultiples));
    }
    return out.bytes();
}

std::optional<std::vector<PRESETDATA>> ReadPresetFile(std::string_view bytes) {
    ArchiveReader in(bytes);
    std::string head;
    std::uint32_t count = 0;
    if (!in.readRawString(head) || head != kPresetFileHead || !in.readUInt32(count))
        return std::nullopt;
    std::vector<PRESETDATA> presets;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name;
        std::string issues;
        std::string multiples;
        if (!in.readString(name) || !in.readString(issues) || !in.readString(multiples))
            return std::nullopt;
        presets.push_back(PRESETDATA{name, {}, ReadInt(issues), ParseMultiplesText(multiples)});
    }
    return presets;
}

}  // namespace quorstat
