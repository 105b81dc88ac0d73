#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/atomic_file.h"
#include "core/ini_document.h"
#include "core/text_codec.h"
#include "platform/os_version.h"
#include "test_files.h"

namespace quorstat {
namespace {

using testing::TempDir;

class AppFiles : public ::testing::Test {
protected:
    AppFiles() {
        state.paths = AppPaths::ForAppDir(dir.path());
        state.paths.createDataDir();
        state.machineLabel = "SYS盘";
    }

    AppState restarted() const {
        AppState next;
        next.paths = state.paths;
        next.machineLabel = state.machineLabel;
        next.LoadFilesAtStartup();
        return next;
    }

    TempDir dir;
    AppState state;
};

TEST_F(AppFiles, EndOfARunRewritesOutOfRangeSettings) {
    testing::writeFile(state.paths.settingsFile,
                       "[Global]\r\nLottID=1016\r\n[SystemSettings]\r\nExitPrompt=7\r\n"
                       "Share_UserList_PrePageCount=4\r\n");
    state.LoadFilesAtStartup();
    state.SaveFilesAtEnd();
    const IniDocument ini = IniDocument::Load(state.paths.settingsFile);
    EXPECT_EQ(ini.value("Global", "LottID"), "1010");
    EXPECT_EQ(ini.value("SystemSettings", "ExitPrompt"), "1");
    EXPECT_EQ(ini.value("SystemSettings", "Share_UserList_PrePageCount"), "20");
    EXPECT_TRUE(std::filesystem::exists(state.paths.sendFile));
    EXPECT_TRUE(std::filesystem::exists(state.paths.sendConfigFile));
}

TEST_F(AppFiles, FirstStartGetsDefaultsAndTheDefaultFilter) {
    state.LoadFilesAtStartup();
    EXPECT_EQ(state.lotteryId, 1010);
    EXPECT_EQ(state.windowFilter, DefaultWindowFilter());
    EXPECT_EQ(state.savedAccounts, SavedAccounts{});
    EXPECT_EQ(state.generalSendConfig, tagCONFIG_QQSEND{});

    testing::writeFile(state.paths.filterFile, "garbage");
    EXPECT_EQ(restarted().windowFilter, DefaultWindowFilter());
}

TEST_F(AppFiles, EveryFileSurvivesARestart) {
    state.LoadFilesAtStartup();
    state.lotteryId = 1013;
    state.settings.lotteryNowSoundFile = "/声音/a.wav";
    state.savedAccounts = {false, false, {{"张三", ""}, {"li", "pw"}}};
    state.generalSendConfig.signatures = {"好运"};
    state.generalSendConfig.items = {{1, 1, 0x1234, 1, "我的群", "q.lnk", "", ""}};
    state.customSendConfig.closeAfterSend = "0";
    state.windowFilter = {{"QQ", "游戏"}, "2015-11-02", 3, "t"};
    EXPECT_TRUE(state.SaveSavedAccounts());
    EXPECT_TRUE(state.SaveWindowFilter());
    state.SaveFilesAtEnd();

    const AppState next = restarted();
    EXPECT_EQ(next.lotteryId, 1013);
    EXPECT_EQ(next.settings, state.settings);
    EXPECT_EQ(next.savedAccounts, state.savedAccounts);
    EXPECT_EQ(next.customSendConfig, state.customSendConfig);
    EXPECT_EQ(next.windowFilter, state.windowFilter);
    ASSERT_EQ(next.generalSendConfig.items.size(), 1u);
    EXPECT_EQ(next.generalSendConfig.items[0].hwnd, 0u);  // a handle is only good for one run
    EXPECT_EQ(next.generalSendConfig.signatures, state.generalSendConfig.signatures);
}

TEST_F(AppFiles, SavedAccountsAreReadableByTheOwnerOnly) {
    state.savedAccounts.entries = {{"张三", "secret"}};
    ASSERT_TRUE(state.SaveSavedAccounts());
    struct stat info {};
    ASSERT_EQ(::stat(state.paths.userFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    state.machineLabel = "OTHER";
    const AppState elsewhere = restarted();
    EXPECT_TRUE(elsewhere.savedAccounts.entries.empty());
    EXPECT_TRUE(elsewhere.savedAccounts.rememberPassword);
    EXPECT_FALSE(elsewhere.savedAccounts.autoLogin);
}

TEST_F(AppFiles, APageCountAboveSixtyFromTheDialogSurvivesTheNextStart) {
    state.LoadFilesAtStartup();
    state.settings.shareUserListPrePageCount = 100;
    ASSERT_TRUE(state.SaveSettings());
    EXPECT_EQ(IniDocument::Load(state.paths.settingsFile)
                  .getInt("SystemSettings", "Share_UserList_PrePageCount", 0),
              100);
    EXPECT_EQ(restarted().settings.shareUserListPrePageCount, 100);
}

// The older plan-text font belongs to Windows XP; a Linux kernel numbered 5 is no reason for it.
TEST_F(AppFiles, AKernelVersionSelectsNeitherTheXpFontNorAnythingElseOfXp) {
    struct Case {
        const char* release;
        int major;
        int minor;
    } cases[] = {{"5.10.0-28-amd64", 5, 10}, {"5.4", 5, 4}, {"6.1.0-18-amd64", 6, 1}, {"", 0, 0}};
    for (const auto& c : cases) {
        const OsVersion version = OsVersionFromKernelRelease(c.release);
        EXPECT_EQ(version.major, c.major) << c.release;
        EXPECT_EQ(version.minor, c.minor) << c.release;
        AppState started;
        started.paths = state.paths;
        started.windowsXp = version.windowsXp;
        started.LoadFilesAtStartup();
        EXPECT_EQ(started.settings.planTextFont.faceName, "微软雅黑") << c.release;
        EXPECT_EQ(started.settings.planTextFont.height, 19) << c.release;
    }
}

TEST_F(AppFiles, WithoutTheDataDirectoryNothingIsWrittenAndDefaultsStay) {
    std::filesystem::remove_all(state.paths.dataDir);
    state.LoadFilesAtStartup();
    EXPECT_FALSE(state.SaveSettings());
    EXPECT_FALSE(state.SaveSavedAccounts());
    EXPECT_FALSE(state.SaveSendConfigs());
    EXPECT_FALSE(state.SaveWindowFilter());
    EXPECT_FALSE(std::filesystem::exists(state.paths.dataDir));
    EXPECT_EQ(state.windowFilter, DefaultWindowFilter());
}

// The module writes its files from a static destructor when the program ends; converting text there
// must still work.
TEST(AppFilesAtExit, TextStillConvertsInAStaticDestructor) {
    struct AtExit {
        ~AtExit() {
            if (ToAnsi("张三") != "\xD5\xC5\xC8\xFD" || FromAnsi("\xD5\xC5\xC8\xFD") != "张三")
                std::abort();
        }
    };
    static const AtExit atExit;
    EXPECT_EQ(ToAnsi("张三"), "\xD5\xC5\xC8\xFD");
}

}  // namespace
}  // namespace quorstat
