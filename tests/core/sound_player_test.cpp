#include "core/sound_player.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/recording_sound_output.h"
#include "temp_dir.h"

namespace quorstat {
namespace {

using namespace std::chrono_literals;

std::map<int, std::string> fakeResources() {
    std::map<int, std::string> resources;
    for (int digit = 0; digit <= 9; ++digit)
        resources[sound_id::kDigitZero + digit] = "digit" + std::to_string(digit);
    resources[sound_id::kChime] = "chime";
    resources[sound_id::kPlanHit] = "hit";
    return resources;
}

TEST(SoundPlayer, PlaysQueuedSoundsInOrderWithTheDescribedFallbacks) {
    const testing::TempDir dir;
    const auto wave = dir / "draw.wav";
    std::ofstream(wave) << "RIFF";
    RecordingSoundOutput output;
    SoundPlayer player(output, fakeResources());
    for (const char digit : std::string("30582"))
        player.queue({1, sound_id::kDigitZero + (digit - '0'), {}});
    player.queue({0, 0, wave.string()});
    player.queue({0, 0, (dir / "missing.wav").string()});
    player.queue({0, 0, ""});
    player.queue({1, 0, {}});     // resource 0 plays nothing
    player.queue({1, 9999, {}});  // an unknown resource plays nothing either
    player.queue({1, sound_id::kPlanHit, {}});
    ASSERT_TRUE(player.start());
    // The last sound queued is the ninth to play.
    EXPECT_TRUE(output.waitForPlayed(9, 10s));
    player.stop();

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
