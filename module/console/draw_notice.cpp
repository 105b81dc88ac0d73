#include "console/draw_notice.h"

#include <fmt/format.h>

#include "core/text_codec.h"

namespace quorstat {
namespace {

enum SoundType { kSpokenDigits = 0, kSoundFile = 1 };

SoundItem fileItem(const std::filesystem::path& soundDir, const std::string& fileName) {
    // A missing file (or none chosen) plays the chime instead.
    return {0, 0, (soundDir / fileName).string()};
}

}  // namespace

std::string DrawBalloonText(std::string_view lotteryName, int issue, std::string_view numbers) {
    return TruncateAnsi(fmt::format("{}\r\n期号：{}\r\n奖号：{}", lotteryName, issue, numbers),
                        kBalloonTextBytes);
}

std::vector<SoundItem> DrawSoundItems(const Settings& settings, const std::filesystem::path& soundDir,
                                      std::string_view numbers) {
    std::vector<SoundItem> items;
    if (!settings.lotteryPlaySound)
        return items;
    if (settings.lotteryPlaySoundType == kSoundFile) {
        items.push_back(fileItem(soundDir, settings.lotteryNowSoundFile));
    } else if (settings.lotteryPlaySoundType == kSpokenDigits) {
        for (const char c : numbers) {
            if (c >= '0' && c <= '9')
                items.push_back({1, sound_id::kDigitZero + (c - '0'), {}});
        }
    }
    return items;
}

SoundItem PreDrawSoundItem(const Settings& settings, const std::filesystem::path& soundDir) {
    return fileItem(soundDir, settings.lotteryPreSoundFile);
}

}  // namespace quorstat
