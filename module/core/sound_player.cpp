#include "core/sound_player.h"

#include <filesystem>

namespace quorstat {

SoundPlayer::SoundPlayer(SoundOutput& output, std::map<int, std::string> waveResources)
    : output_(output), waveResources_(std::move(waveResources)) {}

SoundPlayer::~SoundPlayer() {
    stop();
}

void SoundPlayer::queue(SoundItem item) {
    {
        std::lock_guard lock(mutex_);
        if (item.preview)
            std::erase_if(queue_, [](const SoundItem& waiting) { return waiting.preview; });
        queue_.push_back(std::move(item));
    }
    wake_.notify_one();
}

std::size_t SoundPlayer::pendingCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

bool SoundPlayer::start() {
    return thread_.start([this] { run(); });
}

void SoundPlayer::stop() {
    {
        std::lock_guard lock(mutex_);
        queue_.clear();
    }
    thread_.stop(mutex_, wake_);
}

bool SoundPlayer::takeNext(SoundItem& item) {
    std::unique_lock lock(mutex_);
    if (queue_.empty())
        wake_.wait_for(lock, kIdleSleep, [this] { return thread_.stopping() || !queue_.empty(); });
    if (thread_.stopping() || queue_.empty())
        return false;
    item = std::move(queue_.front());
    queue_.pop_front();
    return true;
}

void SoundPlayer::run() {
    while (!thread_.stopping()) {
        SoundItem item;
        if (takeNext(item))
            play(item);
    }
}

void SoundPlayer::play(const SoundItem& item) {
    if (item.kind != 0) {
        playResource(item.resourceId);
        return;
    }
    std::error_code error;
    if (!item.filePath.empty() && std::filesystem::is_regular_file(item.filePath, error))
        output_.playWaveFile(item.filePath, thread_.flag());
    else
        playResource(sound_id::kChime);
}

void SoundPlayer::playResource(int id) {
    const auto found = waveResources_.find(id);
    if (found != waveResources_.end())
        output_.playWaveData(found->second, thread_.flag());
}

}  // namespace quorstat
