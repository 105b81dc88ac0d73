#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "core/stoppable_thread.h"
#include "platform/sound_output.h"

namespace quorstat {

// Built-in wave resources of the module.
namespace sound_id {
inline constexpr int kDigitZero = 3102;  // spoken digits "0".."9" are kDigitZero + digit
inline constexpr int kPlanMiss = 3141;
inline constexpr int kPlanHit = 3143;
inline constexpr int kPlanStop = 3148;
inline constexpr int kDrawSound = 3433;
inline constexpr int kChime = 3436;
}  // namespace sound_id

struct SoundItem {
    int kind = 0;        // 0: the file, or the chime when it is missing; else a resource
    int resourceId = 0;  // 0 plays nothing
    std::string filePath;
    bool preview = false;  // a sound the user is choosing: a newer preview replaces it
};

// The single consumer of the sound queue: sounds play one after another in the order requested.
class SoundPlayer {
public:
    SoundPlayer(SoundOutput& output, std::map<int, std::string> waveResources);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // A preview drops the previews still waiting, so running through a list of sounds plays the
    // last one chosen rather than every one passed.
    void queue(SoundItem item);
    std::size_t pendingCount() const;

    bool start();
    // Ends the thread at once: a sound being played is cut off, queued ones are dropped.
    void stop();
    bool isRunning() const { return thread_.isRunning(); }

    static constexpr std::chrono::milliseconds kIdleSleep{300};

private:
    void run();
    bool takeNext(SoundItem& item);
    void play(const SoundItem& item);
    void playResource(int id);

    SoundOutput& output_;
    std::map<int, std::string> waveResources_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<SoundItem> queue_;
    StoppableThread thread_;
};

}  // namespace quorstat
