// The rules behind the send settings windows: collecting the dialog, the window lists, shortcut
// import from real .lnk files, the manager's filter and interval texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/text_codec.h"
#include "core/window_filter.h"
#include "platform/shell_link.h"
#include "shell_link_file.h"
#include "templates/send_settings_form.h"
#include "templates/send_settings_rules.h"
#include "test_files.h"

namespace quorstat {
namespace {

QQITEM item(int kind, std::string title, int allowed, std::uint64_t hwnd = 0) {
    QQITEM result;
    result.targetKind = kind;
    result.windowTitle = std::move(title);
    result.allowed = allowed;
    result.hwnd = hwnd;
    return result;
}

std::vector<std::string> titlesOf(const std::vector<SendSettingsForm::WindowRow>& rows) {
    std::vector<std::string> titles;
    for (const auto& row : rows)
        titles.push_back(row.item.windowTitle + (row.open ? "" : " (grey)") + "/" +
                         std::to_string(row.item.allowed));
    return titles;
}

TEST(SendSettingsForm, CollectsEntriesAndListsInOrder) {
    struct Case {
        std::string interval;
        bool closeAfterSend;
        std::string storedClose;
        std::int32_t expectedInterval;
        std::string expectedClose;
        std::string problem;
    };
    const std::vector<Case> cases = {
        {"5", true, "0", 5, "1", ""},
        {" 10 ", false, "1abc", 10, "0abc", ""},
        {"0", true, "", 0, "1", ""},
        {"11", false, "1", 2, "0", std::string(kBadIntervalText)},
        {"-1", false, "1", 2, "0", std::string(kBadIntervalText)},
        {"abc", false, "1", 2, "0", std::string(kBadIntervalText)},
        {"", false, "1", 2, "0", std::string(kBadIntervalText)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        tagCONFIG_QQSEND stored;
        stored.reserved = 7;
        stored.keepOpenWindows = 0;
        stored.closeAfterSend = c.storedClose;
        stored.signatures = {"一", "二"};
        stored.signatureIndex = 1;
        stored.items = {item(0, "禁", 2), item(0, "A", 1), item(1, "快", 1), item(0, "B", 0)};
        const SendSettingsForm form(stored);
        SendSettingsEntries entries;
        entries.shortcutMode = false;
        entries.interval = c.interval;
        entries.minimiseAfterSend = true;
        entries.useGeneral = true;
        entries.closeAfterSend = c.closeAfterSend;
        tagCONFIG_QQSEND collected = stored;
        EXPECT_EQ(form.collect(entries, collected), c.problem);
        EXPECT_EQ(collected.interval, c.expectedInterval);
        EXPECT_EQ(collected.closeAfterSend, c.expectedClose);
        EXPECT_EQ(collected.sendMode, 1);
        EXPECT_EQ(collected.minimiseAfterSend, 1);
        EXPECT_EQ(collected.useGeneral, 1);
        EXPECT_EQ(collected.sendAfterSubmit, 0);
        EXPECT_EQ(collected.keepOpenWindows, 1);
        EXPECT_EQ(collected.reserved, 7);
        EXPECT_EQ(collected.signatureIndex, 1);
        // Shortcuts, then enabled windows, then disabled ones.
        const std::vector<QQITEM> order = {item(1, "快", 1), item(0, "A", 1), item(0, "B", 0),
                                           item(0, "禁", 2)};
        EXPECT_EQ(collected.items, order);
    }
}

TEST(SendSettingsForm, RefreshKeepsAllowedRowsAndAddsNewWindows) {
    tagCONFIG_QQSEND stored;
    stored.items = {item(0, "A", 1), item(0, "B", 0), item(0, "C", 0),
                    item(0, "D", 1), item(0, "X", 2), item(0, "Y", 2)};
    SendSettingsForm form(stored);
    form.refreshWindows(
        {item(0, "A", 0, 11), item(0, "C", 0, 13), item(0, "E", 0, 15), item(0, "Y", 0, 16)});
    EXPECT_EQ(titlesOf(form.enabledWindows),
              (std::vector<std::string>{"A/1", "C/0", "D (grey)/1", "E/0"}));
    EXPECT_EQ(titlesOf(form.disabledWindows), (std::vector<std::string>{"X (grey)/2", "Y/2"}));
    EXPECT_EQ(form.enabledWindows[0].item.hwnd, 11u);
    EXPECT_EQ(form.enabledWindows[2].item.hwnd, 0u);
    EXPECT_EQ(form.disabledWindows[1].item.hwnd, 16u);

    // Double clicks move rows to the end of the other list; the selection stays in place.
    EXPECT_EQ(form.forbidWindow(1), 1);
    EXPECT_EQ(form.forbidWindow(2), 1);
    EXPECT_EQ(titlesOf(form.enabledWindows), (std::vector<std::string>{"A/1", "D (grey)/1"}));
    EXPECT_EQ(titlesOf(form.disabledWindows),
              (std::vector<std::string>{"X (grey)/2", "Y/2", "C/2", "E/2"}));
    EXPECT_EQ(form.allowWindow(3), 2);
    EXPECT_EQ(form.allowWindow(0), 0);
    EXPECT_EQ(titlesOf(form.enabledWindows),
              (std::vector<std::string>{"A/1", "D (grey)/1", "E/0", "X (grey)/0"}));
    EXPECT_EQ(form.allowWindow(9), -1);
    SendSettingsForm single(tagCONFIG_QQSEND{});
    single.refreshWindows({item(0, "Z", 0, 1)});
    EXPECT_EQ(single.forbidWindow(0), -1);
}

TEST(SendSettingsForm, ImportAsksForEachNameAlreadyListed) {
    using D = SendSettingsForm::Duplicate;
    struct Case {
        std::vector<D> answers;
        std::vector<std::string> shortcuts;  // title:target
        std::size_t questions;
    };
    const std::vector<Case> cases = {
        {{D::Replace, D::Replace}, {"张三:new", "李四:new", "王五:new"}, 2},
        {{D::Keep, D::Replace}, {"张三:old", "李四:new", "王五:new"}, 2},
        {{D::Stop}, {"张三:old", "李四:old"}, 1},
    };
    for (const Case& c : cases) {
        tagCONFIG_QQSEND stored;
        for (const char* title : {"张三", "李四"}) {
            stored.items.push_back(item(1, title, 1));
            stored.items.back().shortcutFile = "old";
        }
        SendSettingsForm form(stored);
        std::vector<QQITEM> imported;
        for (const char* title : {"张三", "李四", "王五"}) {
            imported.push_back(item(1, title, 1));
            imported.back().shortcutFile = "new";
        }
        std::size_t asked = 0;
        form.importShortcuts(imported, [&](const std::string&) { return c.answers[asked++]; });
        std::vector<std::string> shortcuts;
        for (const QQITEM& shortcut : form.shortcuts)
            shortcuts.push_back(shortcut.windowTitle + ":" + shortcut.shortcutFile);
        EXPECT_EQ(shortcuts, c.shortcuts);
        EXPECT_EQ(asked, c.questions);
    }
}

TEST(SendSettingsForm, OneExtraLineAtMostIsEnabled) {
    tagCONFIG_QQSEND stored;
    stored.signatures = {"一", "二", "三"};
    stored.signatureIndex = 5;
    SendSettingsForm form(stored);
    EXPECT_EQ(form.signatureIndex, -1);
    form.enableSignature(2, true);
    form.removeSignature(0);
    EXPECT_EQ(form.signatureIndex, 1);
    form.enableSignature(0, false);
    EXPECT_EQ(form.signatureIndex, 1);
    form.removeSignature(1);
    EXPECT_EQ(form.signatureIndex, -1);
    form.addSignature("四");
    EXPECT_EQ(form.signatures, (std::vector<std::string>{"二", "四"}));
}

TEST(ShortcutImport, TakesMessengerLinksOnly) {
    const std::string launcher = ToAnsi("C:\\Program Files\\腾讯\\QQ\\Bin\\QQScLauncher.exe");
    const std::string valid = ShellLinkFile::bytes(launcher, u"/uin:12345 /quicklunch:张三");
    struct Case {
        const char* fileName;
        std::string bytes;
        bool readable;
        bool taken;
    };
    const std::vector<Case> cases = {
        {"张三.lnk", valid, true, true},
        {"Group.LNK", ShellLinkFile::bytes("d:\\qq\\qqsclauncher.exe", u""), true, true},
        {"记事本.lnk", ShellLinkFile::bytes("C:\\Windows\\notepad.exe", u"a.txt"), true, false},
        {"cut.lnk", valid.substr(0, 60), false, false},
        {"text.lnk", "not a shortcut at all, only text", false, false},
        {"empty.lnk", "", false, false},
    };
    testing::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        const auto path = dir / c.fileName;
        testing::writeFile(path, c.bytes);
        const auto link = ReadShellLink(path);
        ASSERT_EQ(link.has_value(), c.readable);
        if (!link)
            continue;
        const auto shortcut = ShortcutItem(path, *link);
        EXPECT_EQ(shortcut.has_value(), c.taken);
    }

    const auto link = ReadShellLink(dir / "张三.lnk");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->targetPath, "C:\\Program Files\\腾讯\\QQ\\Bin\\QQScLauncher.exe");
    EXPECT_EQ(link->arguments, "/uin:12345 /quicklunch:张三");
    const auto shortcut = ShortcutItem(dir / "张三.lnk", *link);
    ASSERT_TRUE(shortcut);
    QQITEM expected;
    expected.targetKind = 1;
    expected.allowed = 1;
    expected.autoClose = 1;
    expected.windowTitle = "张三";
    expected.shortcutFile = link->targetPath;
    expected.arguments = link->arguments;
    EXPECT_EQ(*shortcut, expected);
    EXPECT_EQ(ShortcutItem(dir / "Group.LNK", *ReadShellLink(dir / "Group.LNK"))->windowTitle,
              "Group");
    EXPECT_FALSE(ReadShellLink(dir / "missing.lnk"));
}

TEST(ManagerSettings, FilterTextIsOneTitlePerLine) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"A\nB\nA", "A#B#"},
        {"A\r\nB\r\n", "A#B##"},
        {"电脑管家\n\n\nQQ", "电脑管家##QQ#"},
        {"A&B", std::nullopt},
        {"", "#"},
    };
    for (const auto& [text, setUp] : cases)
        EXPECT_EQ(WindowFilterSetUp(text), setUp) << text;
    // The default filter, with its empty title last, goes through the editor unchanged.
    const auto titles = DefaultWindowFilter().titles;
    const auto roundTrip = WindowFilterSetUp(WindowFilterEditText(titles));
    ASSERT_TRUE(roundTrip);
    EXPECT_TRUE(roundTrip->ends_with("游戏加速##")) << *roundTrip;
    EXPECT_EQ(std::count(roundTrip->begin(), roundTrip->end(), '#'), 18);
}

TEST(ManagerSettings, IntervalsMustLieWithinTheirRanges) {
    using Values = std::array<std::string, 7>;
    const std::vector<std::pair<Values, std::optional<std::string>>> cases = {
        {{"30", "10", "35", "15", "60", "10", "5"},
         "RefServerTime=30#RefBetNum=10#RefUserList=35#RefPlanList=15#RefFansCount=60#"
         "RefTopHtml=10#RefOwnPlanAfterBetNum=5#"},
        {{"20", "30", "60", "60", "180", "30", "20"},
         "RefServerTime=20#RefBetNum=30#RefUserList=60#RefPlanList=60#RefFansCount=180#"
         "RefTopHtml=30#RefOwnPlanAfterBetNum=20#"},
        {{"61", "10", "35", "15", "60", "10", "5"}, std::nullopt},
        {{"30", "9", "35", "15", "60", "10", "5"}, std::nullopt},
        {{"30", "10", "35", "15", "60", "4", "5"}, std::nullopt},
        {{"30", "10", "35", "15", "60", "10", "21"}, std::nullopt},
        {{"30", "10", "3x", "15", "60", "10", "5"}, std::nullopt},
        {{"30", "10", "35", "", "60", "10", "5"}, std::nullopt},
    };
    for (const auto& [values, setUp] : cases)
        EXPECT_EQ(IntervalSetUp(values), setUp) << values[0];
}

}  // namespace
}  // namespace quorstat
