#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/qq_send_config.h"
#include "platform/desktop_automation.h"

namespace quorstat {

class AppState;

inline constexpr std::string_view kSendRunningText = "正确QQ群发中...";
inline constexpr std::string_view kNoPlanShortcutText =
    "没有可以发送的QQ快捷方式，请点击群发设置勾选发送的QQ。";
inline constexpr std::string_view kNoPlanWindowText =
    "没有可以发送的QQ窗口，请点击群发设置勾选“允许”发送的QQ。";
inline constexpr std::string_view kNoCustomShortcutText =
    "没有可以发送的QQ快捷方式，请重新进行设置。";
inline constexpr std::string_view kNoCustomWindowText = "没有可以发送的QQ窗口，请重新进行设置。";
inline constexpr std::string_view kMergedWindowQuestion =
    "发现合并的QQ窗口，合并的QQ窗口不能群发，是否取消发送？";
inline constexpr std::string_view kWindowNotFoundText = "无法找到窗口，发送失败";
inline constexpr std::string_view kSendCompleteText = "QQ群发完成";
inline constexpr std::string_view kNoDesktopText =
    "QQ群发不可用：没有找到可以操作的X11桌面（Wayland下需要XWayland）。";

// What the window has to do after the job moved.
struct GroupSendUpdate {
    std::string prompt;  // a self-closing prompt, shown for promptMs
    int promptMs = 800;
    std::string message;          // a message box
    bool askMerged = false;       // ask kMergedWindowQuestion and pass the answer to answerMerged()
    std::optional<int> wakeInMs;  // call step() again after this many milliseconds
    bool completed = false;       // every target has had the text
};

// Posts one text into the messenger's chat windows, one after another. Every pause is handed
// back as `wakeInMs`, so nothing here ever waits; the window runs the job from a timer.
class GroupSendJob {
public:
    static constexpr int kKeyPauseMs = 200;
    static constexpr int kShortcutPauseMs = 500;
    static constexpr int kShortcutLooks = 3;
    static constexpr int kCompletePromptMs = 1000;
    static constexpr int kMaxIntervalSeconds = 10;

    explicit GroupSendJob(DesktopAutomation& desktop);
    ~GroupSendJob();
    GroupSendJob(const GroupSendJob&) = delete;
    GroupSendJob& operator=(const GroupSendJob&) = delete;

    // The own plan text, already trimmed; `silent` after an upload: no prompt when nothing goes.
    GroupSendUpdate startPlanSend(std::string text, bool silent, const AppState& app);
    // A text typed in the custom-send dialog, already trimmed.
    GroupSendUpdate startCustomSend(std::string text, const AppState& app);
    // The answer to the merged-window question: true cancels the send.
    GroupSendUpdate answerMerged(bool cancel);
    GroupSendUpdate step();
    // Ends the job where it is (the program ends): Control is let go, the window let down.
    void abort();

    bool running() const { return !sendTargets_.empty() || awaitingAnswer_; }
    const std::string& sendText() const { return sendText_; }
    const std::vector<QQITEM>& sendTargets() const { return sendTargets_; }

private:
    enum class Phase {
        Locate,
        LookForOpenedWindow,
        Clipboard,
        Restore,
        Raise,
        Paste,
        Return,
        ControlDown,
        ControlReturn,
        ControlUp,
        Finish,
    };
    struct Outcome {
        enum Kind { GoOn, Wait, Failed, Done } kind;
        int waitMs = 0;
    };

    void begin(std::string text, const tagCONFIG_QQSEND& settings, const AppState& app, bool custom,
               bool silent);
    GroupSendUpdate chooseTargets();
    GroupSendUpdate matchWindows();
    GroupSendUpdate targetsChosen();
    Outcome runPhase();
    Outcome locate();
    Outcome lookForOpenedWindow();
    Outcome keyStep(Phase next);
    Outcome finishTarget();
    Outcome waitFor(Phase next, int ms);
    std::optional<std::uint64_t> findWindow(const std::string& title);
    bool windowMode() const { return sendSettings_.sendMode != 0; }
    bool windowGone() { return !desktop_.exists(window_); }
    void releaseControl();
    GroupSendUpdate fail();
    GroupSendUpdate complete();
    void clear();

    DesktopAutomation& desktop_;
    std::string sendText_;
    std::size_t sendIndex_ = 0;
    tagCONFIG_QQSEND sendSettings_;
    std::vector<QQITEM> sendTargets_;
    std::vector<std::string> filter_;
    bool custom_ = false;
    bool silent_ = false;

    // The windows found at the start, kept while the merged-window question is open.
    bool awaitingAnswer_ = false;
    std::vector<QQITEM> openWindows_;

    Phase phase_ = Phase::Locate;
    std::uint64_t window_ = 0;
    bool alreadyOpen_ = false;
    bool raised_ = false;
    bool controlHeld_ = false;
    int looks_ = 0;
};

}  // namespace quorstat
