#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/saved_accounts.h"
#include "core/send_config_file.h"
#include "core/window_filter.h"
#include "test_files.h"

namespace quorstat {
namespace {

using testing::le32;
using testing::shortString;

// ud.dat of a machine whose drive label is "SYS盘", with 张三 (password "abc123") and 李四 (none).
std::string windowsUserFile() {
    return le32(0x01337958) + le32(1) + le32(0) + shortString("U1lTxcw") + le32(2) +
           shortString("1cXI/Q") + shortString("YWJjMTIz") + shortString("wO7LxA") +
           shortString("");
}

TEST(SavedAccountsFile, ReadsWhatTheWindowsProgramWrote) {
    SavedAccounts accounts;
    accounts.autoLogin = true;
    ReadSavedAccounts(windowsUserFile(), "SYS盘", accounts);
    EXPECT_TRUE(accounts.rememberPassword);
    EXPECT_FALSE(accounts.autoLogin);
    const std::vector<tagCONFIG_LONIN> expected = {{"张三", "abc123"}, {"李四", ""}};
    EXPECT_EQ(accounts.entries, expected);
    EXPECT_EQ(WriteSavedAccounts(accounts, "SYS盘"), windowsUserFile());
}

TEST(SavedAccountsFile, AnotherMachineGetsAnEmptyListWithRememberOnAndAutoLoginOff) {
    std::string file = windowsUserFile();
    file.replace(8, 4, le32(1));  // autoLogin on
    SavedAccounts accounts;
    accounts.rememberPassword = false;
    ReadSavedAccounts(file, "DATA", accounts);
    EXPECT_EQ(accounts, (SavedAccounts{true, false, {}}));
}

TEST(SavedAccountsFile, EmptyLabelBindsToAMachineWithoutLabel) {
    const SavedAccounts saved{false, false, {{"张三", ""}}};
    SavedAccounts loaded;
    ReadSavedAccounts(WriteSavedAccounts(saved, ""), "", loaded);
    EXPECT_EQ(loaded, saved);
}

TEST(SavedAccountsFile, UndecodableTextEndsTheReadKeepingEarlierEntries) {
    const std::string file = le32(0x01337958) + le32(1) + le32(1) + shortString("") + le32(3) +
                             shortString("1cXI/Q") + shortString("cHc") + shortString("wO7L*A") +
                             shortString("") + shortString("Zg") + shortString("");
    SavedAccounts accounts;
    ReadSavedAccounts(file, "", accounts);
    EXPECT_EQ(accounts, (SavedAccounts{true, true, {{"张三", "pw"}}}));

    SavedAccounts badLabel;
    badLabel.rememberPassword = false;
    ReadSavedAccounts(le32(0x01337958) + le32(0) + le32(1) + shortString("!!") + le32(0), "",
                      badLabel);
    EXPECT_EQ(badLabel, (SavedAccounts{false, true, {}}));
}

// The current layout: six settings, close text, signatures, their index, then the windows.
std::string windowsSendFile() {
    return le32(0x01337A16) + le32(3) + le32(1) + le32(0) + le32(1) + le32(0) + le32(1) +
           shortString("0") + le32(2) + shortString("\xBA\xC3\xD4\xCB") + shortString("B") +
           le32(1) + le32(2) +
           // a shortcut, its handle from the old run, and a window of the group 我的群
           le32(1) + le32(1) + le32(0x000A0B0C) + le32(1) +
           shortString("\xCE\xD2\xB5\xC4\xC8\xBA") + shortString("C:\\QQ\\QQScLauncher.exe") +
           shortString("/uin:1") + shortString("") + le32(0) + le32(2) + le32(0) + le32(0) +
           shortString("\xB5\xE7\xC4\xD4\xB9\xDC\xBC\xD2") + shortString("") + shortString("") +
           shortString("n");
}

tagCONFIG_QQSEND expectedSendConfig() {
    tagCONFIG_QQSEND config;
    config.interval = 3;
    config.sendAfterSubmit = 1;
    config.minimiseAfterSend = 0;
    config.keepOpenWindows = 1;
    config.useGeneral = 0;
    config.sendMode = 1;
    config.closeAfterSend = "0";
    config.signatures = {"好运", "B"};
    config.signatureIndex = 1;
    config.items = {{1, 1, 0, 1, "我的群", "C:\\QQ\\QQScLauncher.exe", "/uin:1", ""},
                    {0, 2, 0, 0, "电脑管家", "", "", "n"}};
    return config;
}

TEST(SendConfigFile, ReadsTheCurrentLayoutAndWritesItBack) {
    tagCONFIG_QQSEND config;
    EXPECT_TRUE(ReadSendConfig(windowsSendFile(), config));
    EXPECT_EQ(config, expectedSendConfig());
    std::string expectedBytes = windowsSendFile();
    expectedBytes.replace(expectedBytes.find(le32(0x000A0B0C)), 4, le32(0));
    EXPECT_EQ(WriteSendConfig(config), expectedBytes);
}

TEST(SendConfigFile, ReadsTheTwoOlderVersions) {
    const std::string june = le32(0x0133795F) + le32(5) + le32(1) + le32(1) + le32(1) + le32(1) +
                             le32(1) + le32(1) + le32(7) + shortString("\xCE\xD2\xB5\xC4\xC8\xBA") +
                             shortString("q.exe") + shortString("-a");
    tagCONFIG_QQSEND fromJune;
    EXPECT_TRUE(ReadSendConfig(june, fromJune));
    tagCONFIG_QQSEND expected;
    expected.interval = 5;
    expected.sendAfterSubmit = expected.minimiseAfterSend = expected.keepOpenWindows = 1;
    expected.items = {{1, 1, 0, 0, "我的群", "q.exe", "-a", ""}};
    EXPECT_EQ(fromJune, expected);
    EXPECT_EQ(fromJune.closeAfterSend, "1");
    EXPECT_EQ(fromJune.signatureIndex, 0);

    const std::string july = le32(0x013379CB) + le32(0) + le32(0) + le32(0) + le32(1) + le32(1) +
                             le32(1) + shortString("0") + le32(1) + le32(0) + le32(1) + le32(0) +
                             le32(1) + shortString("A") + shortString("") + shortString("") +
                             shortString("x");
    tagCONFIG_QQSEND fromJuly;
    EXPECT_TRUE(ReadSendConfig(july, fromJuly));
    expected = tagCONFIG_QQSEND{};
    expected.interval = 0;
    expected.useGeneral = expected.sendMode = 1;
    expected.closeAfterSend = "0";
    expected.items = {{0, 1, 0, 1, "A", "", "", "x"}};
    EXPECT_EQ(fromJuly, expected);
}

TEST(SendConfigFile, UnknownMagicChangesNothingAndACutFileKeepsWhatWasRead) {
    tagCONFIG_QQSEND config = expectedSendConfig();
    EXPECT_FALSE(ReadSendConfig(le32(0x01337A17) + le32(9), config));
    EXPECT_EQ(config, expectedSendConfig());

    const std::string file = windowsSendFile();
    tagCONFIG_QQSEND cut;
    EXPECT_TRUE(ReadSendConfig(file.substr(0, file.size() - 3), cut));
    EXPECT_EQ(cut.signatures, expectedSendConfig().signatures);
    ASSERT_EQ(cut.items.size(), 1u);
    EXPECT_EQ(cut.items[0].windowTitle, "我的群");
}

std::string windowsFilterFile() {
    return le32(0x01337B3E) + le32(3) + shortString("QQ") +
           shortString("\xCF\xFB\xCF\xA2\xBA\xD0\xD7\xD3") + shortString("") +
           shortString("2015-11-02 10:00:00") + le32(7) + shortString("x");
}

TEST(WindowFilterFile, ReadsWhatTheWindowsProgramWroteAndWritesItBack) {
    WindowFilter filter;
    EXPECT_TRUE(ReadWindowFilter(windowsFilterFile(), filter));
    EXPECT_EQ(filter, (WindowFilter{{"QQ", "消息盒子", ""}, "2015-11-02 10:00:00", 7, "x"}));
    EXPECT_EQ(WriteWindowFilter(filter), windowsFilterFile());
}

TEST(WindowFilterFile, DefaultHasEighteenTitlesEndingWithAnEmptyOne) {
    const WindowFilter filter = DefaultWindowFilter();
    ASSERT_EQ(filter.titles.size(), 18u);
    EXPECT_EQ(filter.titles.front(), "TXMenuWindow");
    EXPECT_EQ(filter.titles[3], "电脑管家");
    EXPECT_EQ(filter.titles[16], "游戏加速");
    EXPECT_EQ(filter.titles.back(), "");
    EXPECT_TRUE(filter.stamp.empty() && filter.extra.empty() && filter.value == 0);
}

TEST(WindowFilterFile, AnIncompleteTitleListIsNotALoadedFilter) {
    const std::string file = windowsFilterFile();
    WindowFilter filter;
    EXPECT_FALSE(ReadWindowFilter(file.substr(0, 14), filter));
    WindowFilter tailCut;
    EXPECT_TRUE(ReadWindowFilter(file.substr(0, file.size() - 6), tailCut));
    EXPECT_EQ(tailCut.titles.size(), 3u);
    EXPECT_EQ(tailCut.value, 0);
}

// A count of 2^31 in a small file must end at the end of the data, not allocate for the count.
TEST(DataFiles, AbsurdCountsEndAtTheEndOfTheData) {
    const std::string huge = le32(0x80000000u);
    const std::string hugeMinusOne = le32(0x7FFFFFFFu);

    SavedAccounts accounts;
    ReadSavedAccounts(le32(0x01337958) + le32(1) + le32(0) + shortString("") + hugeMinusOne +
                          shortString("Zg") + shortString(""),
                      "", accounts);
    EXPECT_EQ(accounts.entries.size(), 1u);

    tagCONFIG_QQSEND config;
    EXPECT_TRUE(ReadSendConfig(le32(0x01337A16) + std::string(24, '\0') + shortString("1") +
                                   hugeMinusOne + shortString("a"),
                               config));
    EXPECT_EQ(config.signatures, std::vector<std::string>{"a"});

    WindowFilter filter;
    EXPECT_FALSE(
        ReadWindowFilter(le32(0x01337B3E) + hugeMinusOne + std::string(32, '\x01'), filter));

    WindowFilter negative;
    EXPECT_TRUE(ReadWindowFilter(
        le32(0x01337B3E) + huge + shortString("s") + le32(1) + shortString(""), negative));
    EXPECT_TRUE(negative.titles.empty());
    EXPECT_EQ(negative.stamp, "s");
}

}  // namespace
}  // namespace quorstat
