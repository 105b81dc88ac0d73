// The group-send job on a made-up desktop: which windows it sends to, and every key step with its
// time.
#include <gtest/gtest.h>

#include <optional>

#include "console/group_send_job.h"
#include "console/group_send_text.h"
#include "core/app_state.h"
#include "fake_desktop.h"

namespace quorstat {
namespace {

QQITEM windowItem(std::string title, int allowed = 1) {
    QQITEM item;
    item.windowTitle = std::move(title);
    item.allowed = allowed;
    return item;
}

QQITEM shortcutItem(std::string title, std::string target, int autoClose = 1, int allowed = 1) {
    QQITEM item;
    item.targetKind = 1;
    item.allowed = allowed;
    item.autoClose = autoClose;
    item.windowTitle = std::move(title);
    item.shortcutFile = std::move(target);
    item.arguments = "/uin:1";
    return item;
}

enum class Start { Plan, SilentPlan, Custom };

// What a whole send showed, from its start to its end, with the clock moved by every pause.
struct Shown {
    std::vector<std::string> prompts;
    std::vector<std::string> messages;
    bool asked = false;
    bool completed = false;
};

Shown record(const GroupSendUpdate& update, Shown shown) {
    if (!update.prompt.empty())
        shown.prompts.push_back(update.prompt + "/" + std::to_string(update.promptMs));
    if (!update.message.empty())
        shown.messages.push_back(update.message);
    shown.completed = shown.completed || update.completed;
    return shown;
}

Shown runSend(GroupSendJob& job, FakeDesktop& desktop, const AppState& app, Start start,
              const std::string& text = "plan", std::optional<bool> cancelMerged = {}) {
    GroupSendUpdate update = start == Start::Custom
                                 ? job.startCustomSend(text, app)
                                 : job.startPlanSend(text, start == Start::SilentPlan, app);
    Shown shown;
    if (update.askMerged) {
        shown.asked = true;
        update = job.answerMerged(cancelMerged.value_or(false));
    }
    shown = record(update, shown);
    while (update.wakeInMs) {
        desktop.now += *update.wakeInMs;
        update = job.step();
        shown = record(update, shown);
    }
    EXPECT_FALSE(job.running());
    EXPECT_FALSE(desktop.controlHeld());
    return shown;
}

const std::string kTitle511(511, 'x');

TEST(GroupSendJob, ChoosesTheAllowedWindowsInTitleOrder) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> windows;  // class, title
        std::vector<QQITEM> items;
        Start start;
        std::optional<bool> cancelMerged;
        std::vector<std::string> sentTo;
        std::vector<std::string> prompts;
        bool asked;
    };
    const std::string qq = "TXGuiFoundation";
    const std::vector<Case> cases = {
        {"only the allowed one",
         {{qq, "A"}, {qq, "B"}},
         {windowItem("A", 0), windowItem("B")},
         Start::Plan,
         {},
         {"B"},
         {"QQ群发完成/1000"},
         false},
        {"forbidden, filtered, message box and other classes never",
         {{qq, "电脑管家"}, {qq, "张三 - 消息盒子"}, {"Other", "B"}, {qq, "A"}, {qq, "B"}},
         {windowItem("A", 2), windowItem("电脑管家"), windowItem("张三 - 消息盒子"),
          windowItem("B")},
         Start::Plan,
         {},
         {"B"},
         {"QQ群发完成/1000"},
         false},
        {"ANSI order, one target per window of a title",
         {{qq, "张三"}, {qq, "李四"}, {qq, "A"}, {qq, "李四"}},
         {windowItem("张三"), windowItem("李四"), windowItem("A")},
         Start::Custom,
         {},
         {"A", "李四", "李四", "张三"},
         {"QQ群发完成/1000"},
         false},
        {"a title is read to 511 bytes",
         {{qq, kTitle511 + "yyyy"}},
         {windowItem(kTitle511)},
         Start::Plan,
         {},
         {kTitle511 + "yyyy"},
         {"QQ群发完成/1000"},
         false},
        {"merged window, go on",
         {{qq, "3个会话"}, {qq, "B"}},
         {windowItem("B"), windowItem("3个会话")},
         Start::Plan,
         false,
         {"3个会话", "B"},
         {"QQ群发完成/1000"},
         true},
        {"merged window, cancel",
         {{qq, "3个会话"}, {qq, "B"}},
         {windowItem("B")},
         Start::Plan,
         true,
         {},
         {},
         true},
        {"no allowed window, plan send",
         {{qq, "A"}},
         {windowItem("A", 0)},
         Start::Plan,
         {},
         {},
         {"没有可以发送的QQ窗口，请点击群发设置勾选“允许”发送的QQ。/800"},
         false},
        {"no allowed window, after an upload",
         {{qq, "A"}},
         {windowItem("A", 0)},
         Start::SilentPlan,
         {},
         {},
         {},
         false},
        {"no allowed window, custom send",
         {},
         {windowItem("A")},
         Start::Custom,
         {},
         {},
         {"没有可以发送的QQ窗口，请重新进行设置。/800"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        for (const auto& [className, title] : c.windows)
            desktop.add(title, className);
        AppState app;
        app.windowFilter = DefaultWindowFilter();
        app.generalSendConfig.sendMode = 1;
        app.generalSendConfig.items = c.items;
        app.customSendConfig = app.generalSendConfig;
        GroupSendJob job(desktop);
        const Shown shown = runSend(job, desktop, app, c.start, "plan", c.cancelMerged);
        EXPECT_EQ(desktop.pastedTitles(), c.sentTo);
        EXPECT_EQ(shown.prompts, c.prompts);
        EXPECT_EQ(shown.asked, c.asked);
    }
}

TEST(GroupSendJob, StepsThroughEveryWindowWithItsPauses) {
    struct Case {
        const char* name;
        int interval;
        bool minimiseAfterSend;
        bool clipboardBusy;
        std::vector<std::string> titles;  // all allowed; in title order already
        std::string minimised;            // one window starts minimised
        std::string vanishing;            // one window closes at `vanishesAt`
        long vanishesAt;
        std::vector<std::string> log;
        std::vector<std::string> prompts;
    };
    const std::vector<Case> cases = {
        {"one window",
         2,
         false,
         false,
         {"B"},
         "",
         "",
         0,
         {"0 clipboard", "200 above B", "400 paste B", "600 return B", "800 ctrl down",
          "1000 ctrl+return B", "1200 ctrl up", "1400 normal B"},
         {"QQ群发完成/1000"}},
        {"two windows two seconds apart, a busy clipboard",
         2,
         false,
         true,
         {"A", "B"},
         "",
         "",
         0,
         {"0 clipboard busy", "200 above A", "400 paste A", "600 return A", "800 ctrl down",
          "1000 ctrl+return A", "1200 ctrl up", "1400 normal A", "3400 clipboard busy",
          "3600 above B", "3800 paste B", "4000 return B", "4200 ctrl down", "4400 ctrl+return B",
          "4600 ctrl up", "4800 normal B"},
         {"QQ群发完成/1000"}},
        {"interval 0, a minimised window, minimise after sending",
         0,
         true,
         false,
         {"A", "B"},
         "B",
         "",
         0,
         {"0 clipboard", "200 above A", "400 paste A", "600 return A", "800 ctrl down",
          "1000 ctrl+return A", "1200 ctrl up", "1400 normal A", "1400 minimise A",
          "1400 clipboard", "1600 restore B", "1800 above B", "2000 paste B", "2200 return B",
          "2400 ctrl down", "2600 ctrl+return B", "2800 ctrl up", "3000 normal B",
          "3000 minimise B"},
         {"QQ群发完成/1000"}},
        {"the second of three is gone: the third is never tried",
         1,
         false,
         false,
         {"A", "B", "C"},
         "",
         "B",
         1000,
         {"0 clipboard", "200 above A", "400 paste A", "600 return A", "800 ctrl down",
          "1000 ctrl+return A", "1200 ctrl up", "1400 normal A"},
         {"无法找到窗口，发送失败/800"}},
        {"closed while Control is down: Control is let go",
         1,
         false,
         false,
         {"A"},
         "",
         "A",
         900,
         {"0 clipboard", "200 above A", "400 paste A", "600 return A", "800 ctrl down",
          "1000 ctrl up"},
         {"无法找到窗口，发送失败/800"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        desktop.clipboardBusy = c.clipboardBusy;
        AppState app;
        app.generalSendConfig.sendMode = 1;
        app.generalSendConfig.interval = c.interval;
        app.generalSendConfig.minimiseAfterSend = c.minimiseAfterSend;
        for (const std::string& title : c.titles) {
            auto& window = desktop.window(desktop.add(title));
            window.minimised = title == c.minimised;
            if (title == c.vanishing)
                window.vanishesAt = c.vanishesAt;
            app.generalSendConfig.items.push_back(windowItem(title));
        }
        GroupSendJob job(desktop);
        const Shown shown = runSend(job, desktop, app, Start::Plan);
        EXPECT_EQ(desktop.log, c.log);
        EXPECT_EQ(shown.prompts, c.prompts);
        EXPECT_EQ(shown.completed, c.prompts.front() == "QQ群发完成/1000");
    }
}

TEST(GroupSendJob, ShortcutModeOpensAndLooksThreeTimes) {
    struct Case {
        const char* name;
        bool alreadyOpen;
        long appearsAfter;  // after the shortcut was started; FakeDesktop::kNever for never
        int autoClose;
        bool minimiseAfterSend;
        std::vector<std::string> log;
        std::vector<std::string> prompts;
    };
    const std::vector<std::string> keys = {"above 张三", "paste 张三",       "return 张三",
                                           "ctrl down",  "ctrl+return 张三", "ctrl up"};
    const auto timed = [&](long from, std::vector<std::string> head, std::string last) {
        std::vector<std::string> log = std::move(head);
        log.push_back(std::to_string(from) + " clipboard");
        for (std::size_t i = 0; i < keys.size(); ++i)
            log.push_back(std::to_string(from + 200 * long(i + 1)) + " " + keys[i]);
        log.push_back(std::to_string(from + 1400) + " normal 张三");
        if (!last.empty())
            log.push_back(std::to_string(from + 1400) + " " + last);
        return log;
    };
    const std::string open = "0 open C:\\QQ\\Bin\\QQScLauncher.exe /uin:1";
    const std::vector<Case> cases = {
        {"already open: never closed", true, 0, 1, false, timed(0, {}, ""), {"QQ群发完成/1000"}},
        {"already open, minimised after sending",
         true,
         0,
         1,
         true,
         timed(0, {}, "minimise 张三"),
         {"QQ群发完成/1000"}},
        {"found at the first look",
         false,
         300,
         1,
         false,
         timed(500, {open}, "close 张三"),
         {"QQ群发完成/1000"}},
        {"found at the third look",
         false,
         1500,
         0,
         true,
         timed(1500, {open}, "minimise 张三"),
         {"QQ群发完成/1000"}},
        {"not there after three looks",
         false,
         1501,
         1,
         false,
         {open},
         {"无法找到窗口，发送失败/800"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        if (c.alreadyOpen)
            desktop.add("张三");
        FakeDesktop::Window opened;
        opened.className = "TXGuiFoundation";
        opened.title = "张三";
        desktop.shortcutWindows["C:\\QQ\\Bin\\QQScLauncher.exe"] = {opened, c.appearsAfter};
        AppState app;
        app.generalSendConfig.sendMode = 0;
        app.generalSendConfig.minimiseAfterSend = c.minimiseAfterSend;
        app.generalSendConfig.items = {
            shortcutItem("张三", "C:\\QQ\\Bin\\QQScLauncher.exe", c.autoClose),
            shortcutItem("李四", "C:\\QQ\\Bin\\QQScLauncher.exe", 1, 0), windowItem("张三")};
        GroupSendJob job(desktop);
        const Shown shown = runSend(job, desktop, app, Start::Plan);
        EXPECT_EQ(desktop.log, c.log);
        EXPECT_EQ(shown.prompts, c.prompts);
    }
}

TEST(GroupSendJob, RefusesASecondSendAndSaysWhenNothingCanGo) {
    FakeDesktop desktop;
    desktop.add("B");
    AppState app;
    app.generalSendConfig.sendMode = 1;
    app.generalSendConfig.items = {windowItem("B")};
    app.customSendConfig.sendMode = 0;
    GroupSendJob job(desktop);

    const GroupSendUpdate first = job.startPlanSend("plan", false, app);
    ASSERT_EQ(first.wakeInMs, 200);
    EXPECT_EQ(job.startPlanSend("other", false, app).prompt, kSendRunningText);
    EXPECT_EQ(job.startPlanSend("other", true, app).prompt, "");
    EXPECT_EQ(job.startCustomSend("other", app).prompt, kSendRunningText);
    EXPECT_EQ(job.sendText(), "plan");
    EXPECT_EQ(job.sendTargets().size(), 1u);

    // The program ends half-way: Control held down is let go, the window goes back to normal.
    desktop.now = 200;
    job.step();
    desktop.now = 400;
    job.step();
    desktop.now = 600;
    job.step();
    desktop.now = 800;
    job.step();
    ASSERT_TRUE(desktop.controlHeld());
    job.abort();
    EXPECT_FALSE(desktop.controlHeld());
    EXPECT_EQ(desktop.log.back(), "800 normal B");
    EXPECT_FALSE(job.running());

    EXPECT_EQ(job.startCustomSend("typed", app).prompt, kNoCustomShortcutText);
    app.generalSendConfig.sendMode = 0;
    EXPECT_EQ(job.startPlanSend("plan", false, app).prompt, kNoPlanShortcutText);
    EXPECT_EQ(job.startPlanSend("plan", true, app).prompt, "");
    desktop.hasDisplay = false;
    EXPECT_EQ(job.startCustomSend("typed", app).message, kNoDesktopText);
    EXPECT_EQ(job.startPlanSend("plan", true, app).message, "");
    EXPECT_FALSE(job.running());
}

TEST(GroupSendText, AddsTheExtraLineAndTheTailLine) {
    struct Case {
        const char* name;
        bool custom;
        std::string typed;
        int signatureIndex;
        int tail;  // tailPersonal for plan sends, tailMode for custom sends
        std::string sent;
    };
    const std::vector<Case> cases = {
        {"plan, no extra line, no tail", false, "方案", -1, 0, "方案"},
        {"plan, second extra line", false, "方案", 1, 0, "方案\r\n签名二"},
        {"plan, index past the list", false, "方案", 2, 0, "方案"},
        {"plan, extra line and tail", false, "方案", 0, 1,
         "方案\r\n签名一\r\n以上方案由『Norvane』投注统计系统自动发送！"},
        {"custom, tail mode 0", true, "你好", 0, 0, "你好"},
        {"custom, tail mode 1", true, "你好", 0, 1,
         "你好\r\n以上信息由『Norvane』投注统计系统发送，所发内容由QQ本人负责。"},
        {"custom, tail mode 2", true, "你好", 0, 2,
         "你好\r\n以上信息由『Norvane』投注统计系统发送。"},
        {"custom, tail mode 3", true, "你好", 0, 3,
         "你好\r\n以上信息由『Norvane』投注统计系统发送，所发内容由QQ本人负责。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDesktop desktop;
        desktop.add("B");
        AppState app;
        app.generalSendConfig.sendMode = 1;
        app.generalSendConfig.items = {windowItem("B")};
        app.generalSendConfig.signatures = {"签名一", "签名二"};
        app.generalSendConfig.signatureIndex = c.signatureIndex;
        app.customSendConfig.useGeneral = 1;
        app.tailPersonal = c.custom ? 0 : c.tail;
        app.tailMode = c.custom ? c.tail : 0;
        GroupSendJob job(desktop);
        runSend(job, desktop, app, c.custom ? Start::Custom : Start::Plan, c.typed);
        EXPECT_EQ(desktop.clipboard, c.sent);
    }
}

TEST(GroupSendText, TrimsWhiteAndFullWidthSpaces) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\u3000 方案\u3000一 \r\n", "方案 一"},
        {"  \t\r\n\u3000", ""},
        {"a\u3000\u3000b", "a  b"},
        {"不变", "不变"},
    };
    for (const auto& [typed, sent] : cases)
        EXPECT_EQ(TrimmedSendText(typed), sent) << typed;
}

}  // namespace
}  // namespace quorstat
