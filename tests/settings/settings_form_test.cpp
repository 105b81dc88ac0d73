#include "settings/settings_form.h"

#include <gtest/gtest.h>

#include <functional>

#include "test_files.h"

namespace quorstat {
namespace {

using testing::TempDir;
using testing::writeFile;

// The live settings the dialog opens on in the cases below.
Settings liveSettings() {
    Settings s;
    s.lotteryNowSoundFile = "a.wav";
    s.lotteryPreTip = true;
    s.lotteryPreTipSeconds = 30;
    s.planPlanListPrePageCount = 50;
    s.shareUserListPrePageCount = 40;
    s.shareUserListSearchItemTmpRecordCount = 77;  // not in the dialog
    return s;
}

TEST(SettingsForm, OkStoresTheFormInRangeOrRefusesThePreDrawSeconds) {
    struct Case {
        const char* what;
        std::function<void(SettingsForm&)> typed;
        bool refused;
        std::function<void(Settings&)> stored;  // the changes to the live settings
    };
    const auto nothing = [](Settings&) {};
    const Case cases[] = {
        {"the unchanged form", [](SettingsForm&) {}, false, nothing},
        {"users 0", [](SettingsForm& f) { f.shareUserListPrePageCount = "0"; }, false,
         [](Settings& s) { s.shareUserListPrePageCount = 5; }},
        {"users 500", [](SettingsForm& f) { f.shareUserListPrePageCount = "500"; }, false,
         [](Settings& s) { s.shareUserListPrePageCount = 100; }},
        {"users 80", [](SettingsForm& f) { f.shareUserListPrePageCount = "80"; }, false,
         [](Settings& s) { s.shareUserListPrePageCount = 80; }},
        {"users empty", [](SettingsForm& f) { f.shareUserListPrePageCount = ""; }, false,
         [](Settings& s) { s.shareUserListPrePageCount = 5; }},
        {"own plans 70000", [](SettingsForm& f) { f.planPlanListPrePageCount = "70000"; }, false,
         [](Settings& s) { s.planPlanListPrePageCount = 0; }},
        {"own plans 65535", [](SettingsForm& f) { f.planPlanListPrePageCount = "65535"; }, false,
         [](Settings& s) { s.planPlanListPrePageCount = 65535; }},
        {"own plans -3", [](SettingsForm& f) { f.planPlanListPrePageCount = "-3"; }, false,
         [](Settings& s) { s.planPlanListPrePageCount = 0; }},
        {"shared plans 70000", [](SettingsForm& f) { f.sharePlanListPrePageCount = "70000"; },
         false, nothing},
        {"shared plans 15", [](SettingsForm& f) { f.sharePlanListPrePageCount = "15"; }, false,
         [](Settings& s) { s.sharePlanListPrePageCount = 15; }},
        {"pre-draw 20", [](SettingsForm& f) { f.lotteryPreTipSeconds = "20"; }, false,
         [](Settings& s) { s.lotteryPreTipSeconds = 20; }},
        {"pre-draw 120", [](SettingsForm& f) { f.lotteryPreTipSeconds = "120"; }, false,
         [](Settings& s) { s.lotteryPreTipSeconds = 120; }},
        // A refused form changes nothing, not even the boxes before the seconds.
        {"pre-draw 19",
         [](SettingsForm& f) {
             f.closeWndToSystemTray = true;
             f.lotteryPreTipSeconds = "19";
         },
         true, nothing},
        {"pre-draw 121", [](SettingsForm& f) { f.lotteryPreTipSeconds = "121"; }, true, nothing},
        {"pre-draw not a number", [](SettingsForm& f) { f.lotteryPreTipSeconds = "abc"; }, true,
         nothing},
        // With the pre-draw warning off its seconds are still checked, as the edit still holds
        // them.
        {"pre-draw 5 while off",
         [](SettingsForm& f) {
             f.lotteryPreTip = false;
             f.lotteryPreTipSeconds = "5";
         },
         true, nothing},
        {"draw sound back to Default", [](SettingsForm& f) { f.lotteryNowSoundFile.clear(); },
         false, [](Settings& s) { s.lotteryNowSoundFile.clear(); }},
        {"new-plan sound chosen and the chime for draws",
         [](SettingsForm& f) {
             f.shareFileNewPlaySound = "b.wav";
             f.lotteryPlaySoundType = 1;
         },
         false,
         [](Settings& s) {
             s.shareFileNewPlaySound = "b.wav";
             s.lotteryPlaySoundType = 1;
         }},
        {"the look",
         [](SettingsForm& f) {
             f.planTextFont.faceName = "楷体";
             f.planTextFont.height = -24;
             f.planTextFore = 0x0000FF;
             f.planTextBack = 0xFFFFFF;
         },
         false,
         [](Settings& s) {
             s.planTextFont.faceName = "楷体";
             s.planTextFont.height = -24;
             s.planTextFore = 0x0000FF;
             s.planTextBack = 0xFFFFFF;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings live = liveSettings();
        SettingsForm form = FormFromSettings(live);
        c.typed(form);
        Settings expected = liveSettings();
        c.stored(expected);

        const auto refusal = AcceptSettingsForm(form, live);
        EXPECT_EQ(refusal.value_or(""), c.refused ? "开奖前提示秒数设置不正确，范围20-120" : "");
        EXPECT_EQ(live, expected);
    }
}

TEST(SettingsForm, EnableRulesFollowTheGoverningBoxes) {
    struct Case {
        bool playSound;
        int soundType;
        bool preTip;
        bool newPlanSound;
        SettingsEnabled expected;
    };
    const Case cases[] = {
        {true, 0, false, false, {true, false, false, false}},
        {true, 1, false, false, {true, true, false, false}},
        {false, 1, false, false, {false, false, false, false}},
        {false, 0, true, false, {false, false, true, false}},
        {true, 0, false, true, {true, false, false, true}},
    };
    for (const Case& c : cases) {
        SettingsForm form;
        form.lotteryPlaySound = c.playSound;
        form.lotteryPlaySoundType = c.soundType;
        form.lotteryPreTip = c.preTip;
        form.shareIsNewPlaySound = c.newPlanSound;
        EXPECT_EQ(EnabledControls(form), c.expected)
            << c.playSound << c.soundType << c.preTip << c.newPlanSound;
    }
}

TEST(SettingsForm, DefaultsAreTheDialogsOwn) {
    SettingsForm expected;
    expected.exitPrompt = true;
    expected.unregPrompt = true;
    expected.lotteryShowAnimation = true;
    expected.lotteryPopupTrayTip = true;
    expected.lotteryPlaySound = true;
    expected.lotteryPreTipSeconds = "60";
    expected.planStatBeforePasteClrEdit = true;
    expected.planStatAfterSubmitClrEdit = true;
    expected.planPlanListPrePageCount = "20";
    expected.shareUserListPrePageCount = "20";
    expected.sharePlanListPrePageCount = "20";
    expected.planTextBack = 0xF2F2F2;
    expected.planTextFont = {19, 0, 0, 0, 400, 0, 0, 0, 1, 2, 1, 0, 0, "微软雅黑"};
    EXPECT_EQ(DefaultSettingsForm(false), expected);

    expected.planTextFont.height = 12;
    expected.planTextFont.faceName = "宋体";
    EXPECT_EQ(DefaultSettingsForm(true), expected);
}

TEST(SettingsForm, SoundChoicesComeFromTheSoundDirectory) {
    TempDir dir;
    const auto sounds = dir.path() / "Sound";
    EXPECT_TRUE(ListSoundFiles(sounds).empty());
    EXPECT_TRUE(std::filesystem::is_directory(sounds));

    for (const char* name : {"叮咚.wav", "b.wav", "a.WAV", "notes.txt", "wav", "b.wav.bak"})
        writeFile(sounds / name, "RIFF");
    std::filesystem::create_directory(sounds / "folder.wav");
    const std::vector<std::string> files = ListSoundFiles(sounds);
    EXPECT_EQ(files, (std::vector<std::string>{"a.WAV", "b.wav", "叮咚.wav"}));

    struct Case {
        const char* stored;
        int index;
    };
    const Case cases[] = {{"", 0}, {"b.wav", 2}, {"叮咚.wav", 3}, {"gone.wav", 0}, {"A.WAV", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(SoundChoiceIndex(files, c.stored), c.index) << c.stored;

    const SoundItem file = SoundPreview(sounds, "b.wav", sound_id::kChime);
    EXPECT_EQ(file.kind, 0);
    EXPECT_EQ(file.filePath, (sounds / "b.wav").string());
    EXPECT_TRUE(file.preview);
    const SoundItem builtIn = SoundPreview(sounds, "", sound_id::kDrawSound);
    EXPECT_EQ(builtIn.kind, 1);
    EXPECT_EQ(builtIn.resourceId, 3433);
    EXPECT_TRUE(builtIn.preview);
}

}  // namespace
}  // namespace quorstat
