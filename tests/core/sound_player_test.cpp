#include "core/sound_player.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/recording_sound_output.h"

namespace quorstat {
namespace {

std::map<int, std::string> fakeResources() {
    std::map<int, std::string> resources;
    for (int digit = 0; digit <= 9; ++digit)
        resources[sound_id::kDigitZero + digit] = "digit" + std::to_string(digit);
    resources[sound_id::kChime] = "chime";
    resources[sound_id::kPlanHit] = "hit";
    return resources;
}

void waitUntilDrained(const SoundPlayer& player) {
    for (int i = 0; i < 300 && player.pendingCount() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

TEST(SoundPlayer, PlaysQueuedSoundsInOrderWithTheDescribedFallbacks) {
    const auto wave = std::filesystem::temp_directory_path() / "quorstat_sound_test.wav";
    std::ofstream(wave) << "RIFF";
    RecordingSoundOutput output;
    SoundPlayer player(output, fakeResources());
    for (const char digit : std::string("30582"))
        player.queue({1, sound_id::kDigitZero + (digit - '0'), {}});
    player.queue({0, 0, wave.string()});
    player.queue({0, 0, "/nonexistent/draw.wav"});
    player.queue({0, 0, ""});
    player.queue({1, 0, {}});     // resource 0 plays nothing
    player.queue({1, 9999, {}});  // an unknown resource plays nothing either
    player.queue({1, sound_id::kPlanHit, {}});
    ASSERT_TRUE(player.start());
    waitUntilDrained(player);
    player.stop();
    std::filesystem::remove(wave);

    const std::vector<std::string> expected = {
        "data:digit3",           "data:digit0", "data:digit5", "data:digit8", "data:digit2",
        "file:" + wave.string(), "data:chime",  "data:chime",  "data:hit"};
    EXPECT_EQ(output.played(), expected);
}

TEST(SoundPlayer, StopDropsWhatIsQueued) {
    RecordingSoundOutput output;
    SoundPlayer player(output, fakeResources());
    for (int i = 0; i < 50; ++i)
        player.queue({1, sound_id::kChime, {}});
    player.stop();  // never started: nothing plays, nothing hangs
    EXPECT_TRUE(output.played().empty());
    ASSERT_TRUE(player.start());
    player.stop();
    EXPECT_EQ(player.pendingCount(), 0u);
}

}  // namespace
}  // namespace quorstat
