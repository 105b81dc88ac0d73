#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "core/sound_player.h"

namespace quorstat {

// The host's balloon takes at most this many bytes of ANSI text.
inline constexpr std::size_t kBalloonTextBytes = 127;

// Lottery name, issue and numbers on three lines, cut to what the balloon takes.
std::string DrawBalloonText(std::string_view lotteryName, int issue, std::string_view numbers);

// What announces new numbers: the spoken digits in order, or the chosen sound file.
std::vector<SoundItem> DrawSoundItems(const Settings& settings, const std::filesystem::path& soundDir,
                                      std::string_view numbers);

// The warning shortly before a draw.
SoundItem PreDrawSoundItem(const Settings& settings, const std::filesystem::path& soundDir);

}  // namespace quorstat
