#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sound_output.h"

namespace quorstat {

// Plays nothing and remembers what it was asked to play: for tests and machines without audio.
class RecordingSoundOutput : public SoundOutput {
public:
    void playWaveData(std::string_view wave, const std::atomic<bool>& stop) override;
    void playWaveFile(const std::filesystem::path& file, const std::atomic<bool>& stop) override;

    // "data:<bytes>" or "file:<path>" per played sound, in playing order.
    std::vector<std::string> played() const;
    // Waits until `count` sounds have been played; false when `timeout` came first.
    bool waitForPlayed(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    void record(std::string entry);

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<std::string> played_;
};

}  // namespace quorstat
