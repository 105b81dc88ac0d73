#pragma once

#include "platform/sound_output.h"

// Decodes wave data with libsndfile and plays it through the PulseAudio simple API. Without a
// sound server it plays nothing.
class PulseSoundOutput : public quorstat::SoundOutput {
public:
    void playWaveData(std::string_view wave, const std::atomic<bool>& stop) override;
    void playWaveFile(const std::filesystem::path& file, const std::atomic<bool>& stop) override;
};
