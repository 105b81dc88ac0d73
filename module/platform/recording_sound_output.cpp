#include "platform/recording_sound_output.h"

namespace quorstat {

void RecordingSoundOutput::playWaveData(std::string_view wave, const std::atomic<bool>&) {
    record("data:" + std::string(wave));
}

void RecordingSoundOutput::playWaveFile(const std::filesystem::path& file,
                                        const std::atomic<bool>&) {
    record("file:" + file.string());
}

void RecordingSoundOutput::record(std::string entry) {
    {
        std::lock_guard lock(mutex_);
        played_.push_back(std::move(entry));
    }
    changed_.notify_all();
}

std::vector<std::string> RecordingSoundOutput::played() const {
    std::lock_guard lock(mutex_);
    return played_;
}

bool RecordingSoundOutput::waitForPlayed(std::size_t count,
                                         std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return played_.size() >= count; });
}

}  // namespace quorstat
