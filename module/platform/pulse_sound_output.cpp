#include "platform/pulse_sound_output.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/pulse_sound_api.h"

namespace {

// A read-only view of wave data in memory for libsndfile.
struct MemoryFile {
    std::string_view data;
    sf_count_t position = 0;
};

sf_count_t memoryLength(void* user) {
    return static_cast<MemoryFile*>(user)->data.size();
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file->data.size());
    const sf_count_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? size : 0;
    file->position = std::clamp<sf_count_t>(base + offset, 0, size);
    return file->position;
}

sf_count_t memoryRead(void* destination, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file->data.size());
    const sf_count_t available = std::min(count, size - file->position);
    std::memcpy(destination, file->data.data() + file->position, static_cast<size_t>(available));
    file->position += available;
    return available;
}

sf_count_t memoryTell(void* user) {
    return static_cast<MemoryFile*>(user)->position;
}

// Plays an open sound file in slices short enough that a stop request is noticed at once.
void playThrough(const PulseSimpleApi& pulse, const SndfileApi& sndfile, SNDFILE* sound,
                 const SF_INFO& info, const std::atomic<bool>& stop) {
    pa_sample_spec spec{PA_SAMPLE_S16LE, static_cast<uint32_t>(info.samplerate),
                        static_cast<uint8_t>(info.channels)};
    int error = 0;
    pa_simple* stream = pulse.streamNew(nullptr, "Quorstat", PA_STREAM_PLAYBACK, nullptr, "notice",
                                        &spec, nullptr, nullptr, &error);
    if (!stream)
        return;
    std::vector<short> slice(static_cast<size_t>(info.samplerate / 20 * info.channels));
    sf_count_t frames = 0;
    while (!stop &&
           (frames = sndfile.readFramesShort(sound, slice.data(), info.samplerate / 20)) > 0)
        pulse.streamWrite(stream, slice.data(), static_cast<size_t>(frames) * info.channels * 2,
                          &error);
    if (!stop)
        pulse.streamDrain(stream, &error);
    pulse.streamFree(stream);
}

// Closes the file, with or without a sound server to play it to.
void playOpenFile(const SndfileApi& sndfile, SNDFILE* sound, const SF_INFO& info,
                  const std::atomic<bool>& stop) {
    if (!sound)
        return;
    if (const PulseSimpleApi* pulse = PulseSimple())
        playThrough(*pulse, sndfile, sound, info, stop);
    sndfile.close(sound);
}

}  // namespace

void PulseSoundOutput::playWaveData(std::string_view wave, const std::atomic<bool>& stop) {
    const SndfileApi* sndfile = Sndfile();
    if (!sndfile)
        return;
    MemoryFile file{wave};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, nullptr, memoryTell};
    SF_INFO info{};
    playOpenFile(*sndfile, sndfile->openVirtual(&io, SFM_READ, &info, &file), info, stop);
}

void PulseSoundOutput::playWaveFile(const std::filesystem::path& file,
                                    const std::atomic<bool>& stop) {
    const SndfileApi* sndfile = Sndfile();
    if (!sndfile)
        return;
    SF_INFO info{};
    playOpenFile(*sndfile, sndfile->open(file.c_str(), SFM_READ, &info), info, stop);
}
