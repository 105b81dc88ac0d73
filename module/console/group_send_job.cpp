#include "console/group_send_job.h"

#include <algorithm>

#include "console/group_send_text.h"
#include "console/qq_windows.h"
#include "core/app_state.h"

namespace quorstat {
namespace {

GroupSendUpdate prompt(std::string_view text, int ms = 800) {
    GroupSendUpdate update;
    update.prompt = text;
    update.promptMs = ms;
    return update;
}

GroupSendUpdate message(std::string_view text) {
    GroupSendUpdate update;
    update.message = text;
    return update;
}

bool isAllowedShortcut(const QQITEM& item) {
    return item.targetKind != 0 && item.allowed == 1;
}

bool isAllowedWindow(const QQITEM& item, const std::string& title) {
    return item.targetKind == 0 && item.allowed == 1 && item.windowTitle == title;
}

}  // namespace

GroupSendJob::GroupSendJob(DesktopAutomation& desktop) : desktop_(desktop) {}

GroupSendJob::~GroupSendJob() {
    abort();
}

GroupSendUpdate GroupSendJob::startPlanSend(std::string text, bool silent, const AppState& app) {
    if (running())
        return silent ? GroupSendUpdate{} : prompt(kSendRunningText);
    if (!desktop_.available())
        return silent ? GroupSendUpdate{} : message(kNoDesktopText);
    begin(PlanSendText(std::move(text), app.generalSendConfig, app.tailPersonal),
          app.generalSendConfig, app, false, silent);
    return chooseTargets();
}

// A second send while one runs would take over its targets half-way, so it is refused like a
// plan send.
GroupSendUpdate GroupSendJob::startCustomSend(std::string text, const AppState& app) {
    if (running())
        return prompt(kSendRunningText);
    if (!desktop_.available())
        return message(kNoDesktopText);
    const tagCONFIG_QQSEND& settings =
        app.customSendConfig.useGeneral ? app.generalSendConfig : app.customSendConfig;
    begin(CustomSendText(std::move(text), app.tailMode), settings, app, true, false);
    return chooseTargets();
}

void GroupSendJob::begin(std::string text, const tagCONFIG_QQSEND& settings, const AppState& app,
                         bool custom, bool silent) {
    clear();
    sendText_ = std::move(text);
    sendSettings_ = settings;
    filter_ = app.windowFilter.titles;
    custom_ = custom;
    silent_ = silent;
}

GroupSendUpdate GroupSendJob::chooseTargets() {
    if (!windowMode()) {
        std::copy_if(sendSettings_.items.begin(), sendSettings_.items.end(),
                     std::back_inserter(sendTargets_), isAllowedShortcut);
        return targetsChosen();
    }
    openWindows_ = EnumerateQQWindows(desktop_, filter_);
    if (AnyMergedWindow(openWindows_)) {
        awaitingAnswer_ = true;
        GroupSendUpdate update;
        update.askMerged = true;
        return update;
    }
    return matchWindows();
}

GroupSendUpdate GroupSendJob::answerMerged(bool cancel) {
    if (!awaitingAnswer_)
        return {};
    awaitingAnswer_ = false;
    if (cancel) {
        clear();
        return {};
    }
    return matchWindows();
}

// Each open window takes the first allowed item of its title, so two windows of one title are
// two targets.
GroupSendUpdate GroupSendJob::matchWindows() {
    for (const QQITEM& window : openWindows_) {
        const auto item =
            std::find_if(sendSettings_.items.begin(), sendSettings_.items.end(),
                         [&](const QQITEM& i) { return isAllowedWindow(i, window.windowTitle); });
        if (item == sendSettings_.items.end())
            continue;
        QQITEM target = *item;
        target.hwnd = window.hwnd;
        sendTargets_.push_back(std::move(target));
    }
    openWindows_.clear();
    return targetsChosen();
}

GroupSendUpdate GroupSendJob::targetsChosen() {
    if (sendTargets_.empty()) {
        const bool windows = windowMode();
        clear();
        if (silent_)
            return {};
        if (custom_)
            return prompt(windows ? kNoCustomWindowText : kNoCustomShortcutText);
        return prompt(windows ? kNoPlanWindowText : kNoPlanShortcutText);
    }
    sendIndex_ = 0;
    phase_ = Phase::Locate;
    return step();
}

GroupSendUpdate GroupSendJob::step() {
    while (!sendTargets_.empty()) {
        const Outcome outcome = runPhase();
        switch (outcome.kind) {
            case Outcome::GoOn:
                continue;
            case Outcome::Wait: {
                GroupSendUpdate update;
                update.wakeInMs = outcome.waitMs;
                return update;
            }
            case Outcome::Failed:
                return fail();
            case Outcome::Done:
                return complete();
        }
    }
    return {};
}

GroupSendJob::Outcome GroupSendJob::runPhase() {
    switch (phase_) {
        case Phase::Locate:
            return locate();
        case Phase::LookForOpenedWindow:
            return lookForOpenedWindow();
        case Phase::Clipboard:
            // A clipboard another program holds keeps its content; the paste then uses that.
            desktop_.setClipboardText(sendText_);
            return waitFor(Phase::Restore, kKeyPauseMs);
        case Phase::Restore:
            if (windowGone())
                return {Outcome::Failed};
            if (!desktop_.isMinimised(window_)) {
                phase_ = Phase::Raise;
                return {Outcome::GoOn};
            }
            desktop_.restore(window_);
            return waitFor(Phase::Raise, kKeyPauseMs);
        case Phase::Raise:
            return keyStep(Phase::Paste);
        case Phase::Paste:
            return keyStep(Phase::Return);
        case Phase::Return:
            return keyStep(Phase::ControlDown);
        case Phase::ControlDown:
            return keyStep(Phase::ControlReturn);
        case Phase::ControlReturn:
            return keyStep(Phase::ControlUp);
        case Phase::ControlUp:
            return keyStep(Phase::Finish);
        case Phase::Finish:
            return finishTarget();
    }
    return {Outcome::Failed};
}

GroupSendJob::Outcome GroupSendJob::locate() {
    const QQITEM& target = sendTargets_[sendIndex_];
    alreadyOpen_ = true;
    if (windowMode()) {
        window_ = target.hwnd;
        if (window_ == 0 || windowGone())
            return {Outcome::Failed};
        phase_ = Phase::Clipboard;
        return {Outcome::GoOn};
    }
    if (const auto open = findWindow(target.windowTitle)) {
        window_ = *open;
        phase_ = Phase::Clipboard;
        return {Outcome::GoOn};
    }
    alreadyOpen_ = false;
    looks_ = 0;
    desktop_.openShortcut(target.shortcutFile, target.arguments);
    return waitFor(Phase::LookForOpenedWindow, kShortcutPauseMs);
}

GroupSendJob::Outcome GroupSendJob::lookForOpenedWindow() {
    if (const auto opened = findWindow(sendTargets_[sendIndex_].windowTitle)) {
        window_ = *opened;
        phase_ = Phase::Clipboard;
        return {Outcome::GoOn};
    }
    if (++looks_ == kShortcutLooks)
        return {Outcome::Failed};
    return waitFor(Phase::LookForOpenedWindow, kShortcutPauseMs);
}

// One of the key steps, each followed by the same pause. A window closed half-way ends the job
// like one that was never found.
GroupSendJob::Outcome GroupSendJob::keyStep(Phase next) {
    if (windowGone())
        return {Outcome::Failed};
    switch (phase_) {
        case Phase::Raise:
            desktop_.keepAbove(window_, true);
            raised_ = true;
            break;
        case Phase::Paste:
            desktop_.paste(window_);
            break;
        case Phase::Return:
        case Phase::ControlReturn:
            desktop_.pressReturn(window_);
            break;
        case Phase::ControlDown:
            desktop_.holdControl(true);
            controlHeld_ = true;
            break;
        case Phase::ControlUp:
            releaseControl();
            break;
        default:
            break;
    }
    return waitFor(next, kKeyPauseMs);
}

GroupSendJob::Outcome GroupSendJob::finishTarget() {
    if (windowGone())
        return {Outcome::Failed};
    desktop_.keepAbove(window_, false);
    raised_ = false;
    const QQITEM& target = sendTargets_[sendIndex_];
    if (!windowMode() && target.autoClose != 0 && !alreadyOpen_)
        desktop_.close(window_);
    else if (sendSettings_.minimiseAfterSend != 0)
        desktop_.minimise(window_);
    if (++sendIndex_ == sendTargets_.size())
        return {Outcome::Done};
    const int seconds = std::clamp(sendSettings_.interval, 0, kMaxIntervalSeconds);
    return waitFor(Phase::Locate, seconds * 1000);
}

GroupSendJob::Outcome GroupSendJob::waitFor(Phase next, int ms) {
    phase_ = next;
    return {Outcome::Wait, ms};
}

std::optional<std::uint64_t> GroupSendJob::findWindow(const std::string& title) {
    for (const QQITEM& window : EnumerateQQWindows(desktop_, filter_))
        if (window.windowTitle == title)
            return window.hwnd;
    return std::nullopt;
}

void GroupSendJob::releaseControl() {
    if (!controlHeld_)
        return;
    desktop_.holdControl(false);
    controlHeld_ = false;
}

GroupSendUpdate GroupSendJob::fail() {
    releaseControl();
    clear();
    return prompt(kWindowNotFoundText);
}

GroupSendUpdate GroupSendJob::complete() {
    clear();
    GroupSendUpdate update = prompt(kSendCompleteText, kCompletePromptMs);
    update.completed = true;
    return update;
}

void GroupSendJob::abort() {
    releaseControl();
    if (raised_ && !windowGone())
        desktop_.keepAbove(window_, false);
    clear();
}

void GroupSendJob::clear() {
    sendText_.clear();
    sendIndex_ = 0;
    sendTargets_.clear();
    awaitingAnswer_ = false;
    openWindows_.clear();
    phase_ = Phase::Locate;
    window_ = 0;
    raised_ = false;
}

}  // namespace quorstat
