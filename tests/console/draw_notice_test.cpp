#include "console/draw_notice.h"

#include <gtest/gtest.h>

#include "core/text_codec.h"

namespace quorstat {
namespace {

std::vector<int> resourcesOf(const std::vector<SoundItem>& items) {
    std::vector<int> ids;
    for (const SoundItem& item : items) {
        EXPECT_EQ(item.kind, 1);
        ids.push_back(item.resourceId);
    }
    return ids;
}

TEST(DrawBalloonText, NamesLotteryIssueAndNumbers) {
    EXPECT_EQ(DrawBalloonText("重庆时时彩", 130501023, "3,0,5,1,9"),
              "重庆时时彩\r\n期号：130501023\r\n奖号：3,0,5,1,9");
}

TEST(DrawBalloonText, IsCutAt127AnsiBytesWithoutSplittingACharacter) {
    const std::string longNumbers(200, '7');
    const std::string text = DrawBalloonText("重庆时时彩", 130501023, longNumbers);
    EXPECT_EQ(AnsiLength(text), kBalloonTextBytes);
    EXPECT_TRUE(text.starts_with("重庆时时彩\r\n期号：130501023\r\n奖号：777"));

    // 10 + 2 + 6 + 9 + 2 + 6 = 35 bytes before the numbers; a two-byte character would end at 128.
    const std::string chinese = std::string(90, '1') + "开奖";
    const std::string cut = DrawBalloonText("重庆时时彩", 130501023, chinese);
    EXPECT_EQ(AnsiLength(cut), 127u);
    EXPECT_TRUE(cut.ends_with("1开"));
}

TEST(DrawSoundItems, SpeaksTheDigitsInOrderSkippingSeparators) {
    Settings settings;
    settings.lotteryPlaySoundType = 0;
    EXPECT_EQ(resourcesOf(DrawSoundItems(settings, "/opt/q/Sound", "3,0 5-1|9")),
              (std::vector<int>{3105, 3102, 3107, 3103, 3111}));
}

TEST(DrawSoundItems, FollowsTheSoundSettings) {
    Settings settings;
    settings.lotteryPlaySoundType = 1;
    settings.lotteryNowSoundFile = "draw.wav";
    const auto file = DrawSoundItems(settings, "/opt/q/Sound", "30519");
    ASSERT_EQ(file.size(), 1u);
    EXPECT_EQ(file[0].kind, 0);
    EXPECT_EQ(file[0].filePath, "/opt/q/Sound/draw.wav");

    settings.lotteryPlaySoundType = 2;
    EXPECT_TRUE(DrawSoundItems(settings, "/opt/q/Sound", "30519").empty());
    settings.lotteryPlaySoundType = 0;
    settings.lotteryPlaySound = false;
    EXPECT_TRUE(DrawSoundItems(settings, "/opt/q/Sound", "30519").empty());
}

TEST(PreDrawSoundItem, PlaysTheChosenFile) {
    Settings settings;
    settings.lotteryPreSoundFile = "soon.wav";
    const SoundItem item = PreDrawSoundItem(settings, "/opt/q/Sound");
    EXPECT_EQ(item.kind, 0);
    EXPECT_EQ(item.filePath, "/opt/q/Sound/soon.wav");
}

}  // namespace
}  // namespace quorstat
