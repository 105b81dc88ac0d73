#include "platform/recording_sound_output.h"

namespace quorstat {

void RecordingSoundOutput::playWaveData(std::string_view wave, const std::atomic<bool>&) {
    std::lock_guard lock(mutex_);
    played_.push_back("data:" + std::string(wave));
}

void RecordingSoundOutput::playWaveFile(const std::filesystem::path& file,
                                        const std::atomic<bool>&) {
    std::lock_guard lock(mutex_);
    played_.push_back("file:" + file.string());
}

std::vector<std::string> RecordingSoundOutput::played() const {
    std::lock_guard lock(mutex_);
    return played_;
}

}  // namespace quorstat
