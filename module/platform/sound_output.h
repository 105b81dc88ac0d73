#pragma once

#include <atomic>
#include <filesystem>
#include <string_view>

namespace quorstat {

// Plays wave data to the end, blocking; returns early when `stop` becomes true.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void playWaveData(std::string_view wave, const std::atomic<bool>& stop) = 0;
    virtual void playWaveFile(const std::filesystem::path& file, const std::atomic<bool>& stop) = 0;
};

}  // namespace quorstat
