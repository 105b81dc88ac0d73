#include "core/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/text_codec.h"

namespace quorstat {
namespace {

struct Loaded {
    Settings settings;
    int lotteryId = 0;
    int playId = 0;
};

Loaded load(std::string_view iniText, bool windowsXp = false) {
    Loaded loaded;
    LoadSettings(IniDocument::Parse(iniText), windowsXp, loaded.settings, loaded.lotteryId,
                 loaded.playId);
    return loaded;
}

TEST(SettingsFile, RangesAreAppliedWhenRead) {
    struct Case {
        const char* line;
        int Loaded::*id;
        int Settings::*setting;
        int expected;
    } cases[] = {
        {"[Global]\nLottID=1016", &Loaded::lotteryId, nullptr, 1010},
        {"[Global]\nLottID=1015", &Loaded::lotteryId, nullptr, 1015},
        {"[Global]\nPlayID=1301", &Loaded::playId, nullptr, 1301},
        {"[Global]\nPlayID=1311", &Loaded::playId, nullptr, 1311},
        {"[Global]\nPlayID=1312", &Loaded::playId, nullptr, 1302},
        {"[Global]\nTabIndexTotal=2", nullptr, &Settings::tabIndexTotal, 0},
        {"[Global]\nTabIndexSharePlan=1", nullptr, &Settings::tabIndexSharePlan, 1},
        {"[SystemSettings]\nLotteryPreTipSeconds=0", nullptr, &Settings::lotteryPreTipSeconds, 60},
        {"[SystemSettings]\nLotteryPreTipSeconds=20", nullptr, &Settings::lotteryPreTipSeconds, 20},
        {"[SystemSettings]\nLotteryPreTipSeconds=121", nullptr, &Settings::lotteryPreTipSeconds,
         60},
        {"[SystemSettings]\nShare_UserList_PrePageCount=4", nullptr,
         &Settings::shareUserListPrePageCount, 20},
        {"[SystemSettings]\nShare_UserList_PrePageCount=60", nullptr,
         &Settings::shareUserListPrePageCount, 60},
        {"[SystemSettings]\nShare_UserList_PrePageCount=100", nullptr,
         &Settings::shareUserListPrePageCount, 100},
        {"[SystemSettings]\nShare_UserList_PrePageCount=101", nullptr,
         &Settings::shareUserListPrePageCount, 20},
        {"[SystemSettings]\nLotteryPlaySoundType=x", nullptr, &Settings::lotteryPlaySoundType, 0},
        {"[SystemSettings]\nPlan_PlanList_PrePageCount=65536", nullptr,
         &Settings::planPlanListPrePageCount, 0},
        {"[SystemSettings]\nShare_UserListSearch_ItemTmpRecordCount=0", nullptr,
         &Settings::shareUserListSearchItemTmpRecordCount, 100},
        {"[GroupingSettings]\nGroupingSettings_GroupCount=-3", nullptr, &Settings::groupCount, -3},
    };
    for (const auto& c : cases) {
        const Loaded loaded = load(c.line);
        EXPECT_EQ(c.id ? loaded.*c.id : loaded.settings.*c.setting, c.expected) << c.line;
    }
}

TEST(SettingsFile, MissingFileGivesTheTableDefaults) {
    const Loaded loaded = load("");
    EXPECT_EQ(loaded.lotteryId, 1010);
    EXPECT_EQ(loaded.playId, 1302);
    EXPECT_EQ(loaded.settings.lotteryPreTipSeconds, 60);
    EXPECT_FALSE(loaded.settings.shareUserTopOwn);  // the start value is on, the file's default off
    Settings expected;
    expected.shareUserTopOwn = false;
    EXPECT_EQ(loaded.settings, expected);

    const Loaded older = load("", true);
    EXPECT_EQ(older.settings.planTextFont.height, 12);
    EXPECT_EQ(older.settings.planTextFont.faceName, "宋体");
    EXPECT_EQ(load("", false).settings.planTextFont.faceName, "微软雅黑");
}

TEST(SettingsFile, FlagsBytesAndTextsReadLikeTheWindowsProfileReader) {
    const std::string longName(40, 'F');
    const Loaded loaded = load(
        "[systemsettings]\r\nExitPrompt=7\r\nUnregPrompt=\r\n"
        "LotteryShowAnimation=0\r\nLotteryPopupTrayTip=-1\r\n"
        "PlanTextEditLogFont_Italic=300\r\nPlanTextBack=255\r\n"
        "PlanTextEditLogFont_FaceName=" +
        longName +
        "\r\n"
        "LotteryNowSoundFile=\"/home/用户/a.wav\"\r\n");
    const Settings& s = loaded.settings;
    EXPECT_TRUE(s.exitPrompt);
    EXPECT_TRUE(s.unregPrompt);  // an empty value reads as missing
    EXPECT_FALSE(s.lotteryShowAnimation);
    EXPECT_TRUE(s.lotteryPopupTrayTip);
    EXPECT_EQ(s.planTextFont.italic, 44);
    EXPECT_EQ(s.planTextBack, 255u);
    EXPECT_EQ(s.planTextFont.faceName, longName.substr(0, 31));
    EXPECT_EQ(s.lotteryNowSoundFile, "/home/用户/a.wav");
}

TEST(SettingsFile, TextsAreCutInAnsiBytesWithoutSplittingACharacter) {
    std::string chinese;
    for (int i = 0; i < 20; ++i)
        chinese += "雅";
    std::string longPath(300, 'p');
    const Loaded loaded = load("[SystemSettings]\nPlanTextEditLogFont_FaceName=" + chinese +
                               "\nShare_FileNewPlaySound=" + longPath);
    EXPECT_EQ(loaded.settings.planTextFont.faceName, chinese.substr(0, 15 * 3));
    EXPECT_EQ(loaded.settings.shareFileNewPlaySound, longPath.substr(0, 259));
}

TEST(SettingsFile, CuttingKeepsFourByteCharactersWhole) {
    EXPECT_EQ(TruncateAnsi("a😀b", 5), "a😀");
    EXPECT_EQ(TruncateAnsi("a😀b", 4), "a");
    EXPECT_EQ(TruncateAnsi("雅a", 1), "");
}

TEST(SettingsFile, ALineBreakInAValueCannotAddAKey) {
    Settings settings;
    settings.lotteryNowSoundFile = "a.wav\r\n[Server]\r\nHost=elsewhere";
    IniDocument ini;
    StoreSettings(ini, settings, 1012, 1302);
    const IniDocument reread = IniDocument::Parse(ini.text());
    EXPECT_EQ(reread.value("SystemSettings", "LotteryNowSoundFile"), "a.wav");
    EXPECT_FALSE(reread.value("Server", "Host").has_value());
}

TEST(SettingsFile, WritesEveryKeyInTableOrderAndKeepsOtherLines) {
    IniDocument ini = IniDocument::Parse("[Server]\r\nHost=example\r\n[Global]\r\nLottID=1013\r\n");
    Settings settings;
    settings.exitPrompt = true;
    settings.planTextFont.italic = 1;
    StoreSettings(ini, settings, 1012, 1305);
    const std::string text = ini.text();

    std::vector<std::string> sections;
    std::size_t keys = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        if (line.front() == '[')
            sections.push_back(line);
        else
            ++keys;
        at = end + 2;
    }
    EXPECT_EQ(sections, (std::vector<std::string>{"[Server]", "[Global]", "[SystemSettings]",
                                                  "[GroupingSettings]", "[DataBoxSettings]"}));
    EXPECT_EQ(keys, 1u + 10 + 39 + 6 + 9);
    EXPECT_NE(text.find("Host=example\r\n[Global]\r\nLottID=1012\r\nPlayID=1305\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("ExitPrompt=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("PlanTextBack=15921906\r\n"), std::string::npos);
    EXPECT_NE(text.find("PlanTextEditLogFont_Italic=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("[DataBoxSettings]\r\nDataBoxSettings_PosX=0\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("DataBoxSettings_BigpBox_ClrBeforeInto=0\r\n"));
}

// The golden file names every key once, each with a value other than its default: a key the
// program misspells reads as its default and is written under another name.
TEST(SettingsFile, TheGoldenFileGivesEveryValueAndIsWrittenBackByteForByte) {
    const auto golden = ReadWholeFile(QUORSTAT_TEST_DATA "/config.ini");
    ASSERT_TRUE(golden.has_value());
    Settings expected;
    expected.tabIndexTotal = 1;
    expected.tabIndexMyPlan = 1;
    expected.tabIndexSharePlan = 1;
    expected.myPlanUseSinglePos = true;
    expected.myPlanBetByLocation = true;
    expected.shareUserAttentionFront = true;
    expected.factorCycle = 30;
    expected.shareUserTopOwn = true;
    expected.closeWndToSystemTray = true;
    expected.minimizeToSystemTray = true;
    expected.exitPrompt = false;
    expected.unregPrompt = false;
    expected.lotteryShowAnimation = false;
    expected.lotteryPopupTrayTip = false;
    expected.lotteryPlaySound = false;
    expected.lotteryPlaySoundType = 1;
    expected.lotteryNowSoundFile = "/声音/开奖.wav";
    expected.lotteryPreTip = true;
    expected.lotteryPreTipSeconds = 90;
    expected.lotteryPreSoundFile = "/声音/预告.wav";
    expected.planStatBeforePasteClrEdit = false;
    expected.planStatAfterSubmitClrEdit = false;
    expected.planPlanListPrePageCount = 50;
    expected.planEndPlaySound = true;
    expected.shareUserListPrePageCount = 35;
    expected.sharePlanListPrePageCount = 40;
    expected.shareUserListSearchItemTmpRecordCount = 200;
    expected.shareIsNewPlaySound = true;
    expected.shareFileNewPlaySound = "/声音/新方案.wav";
    expected.shareEndPlaySound = true;
    expected.planTextBlankLine = true;
    expected.planTextFore = 8405024;
    expected.planTextBack = 13421772;
    expected.planTextFont = {-16, 2, 3, 4, 700, 1, 1, 1, 134, 3, 2, 5, 49, "楷体"};
    expected.groupMode = 2;
    expected.groupCount = 5;
    expected.userCountPerGroup = 3;
    expected.groupType = 1;
    expected.sameUserCount = 2;
    expected.errorInGroup = 3;
    expected.dataBoxPosX = -20;
    expected.dataBoxPosY = 40;
    expected.dataBoxWndCX = 900;
    expected.dataBoxWndCY = 700;
    expected.dataBoxShowAfterInto = false;
    expected.dataBoxHideAfterSubmit = false;
    expected.dataBoxToMyPlanAfterSubmit = true;
    expected.planBoxClrBeforeInto = true;
    expected.bigpBoxClrBeforeInto = true;

    IniDocument file = IniDocument::FromBytes(*golden);
    Loaded loaded;
    LoadSettings(file, false, loaded.settings, loaded.lotteryId, loaded.playId);
    EXPECT_EQ(loaded.settings, expected);
    EXPECT_EQ(loaded.lotteryId, 1013);
    EXPECT_EQ(loaded.playId, 1305);

    IniDocument written;
    StoreSettings(written, expected, 1013, 1305);
    EXPECT_EQ(written.bytes(), *golden);
    StoreSettings(file, loaded.settings, loaded.lotteryId, loaded.playId);
    EXPECT_EQ(file.bytes(), *golden);
}

TEST(SettingsFile, RoundTripKeepsEveryValue) {
    Settings settings;
    settings.tabIndexMyPlan = 1;
    settings.myPlanBetByLocation = true;
    settings.factorCycle = 30;
    settings.shareUserTopOwn = true;
    settings.closeWndToSystemTray = true;
    settings.exitPrompt = false;
    settings.lotteryPlaySoundType = 1;
    settings.lotteryNowSoundFile = "/音乐/开奖.wav";
    settings.lotteryPreTipSeconds = 90;
    settings.shareUserListPrePageCount = 35;
    settings.planTextFore = 0x00804020;
    settings.planTextFont = {-16, 2, 3, 4, 700, 1, 1, 1, 134, 3, 2, 5, 49, "楷体"};
    settings.groupMode = 2;
    settings.errorInGroup = 3;
    settings.dataBoxPosX = -20;
    settings.dataBoxWndCY = 700;
    settings.dataBoxShowAfterInto = false;
    settings.bigpBoxClrBeforeInto = true;

    IniDocument ini;
    StoreSettings(ini, settings, 1014, 1309);
    const Loaded loaded = load(ini.text(), true);
    EXPECT_EQ(loaded.settings, settings);
    EXPECT_EQ(loaded.lotteryId, 1014);
    EXPECT_EQ(loaded.playId, 1309);
}

}  // namespace
}  // namespace quorstat
