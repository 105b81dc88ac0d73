// The nine functions through which the host drives the module.
#include <QPointer>
#include <QWidget>
#include <cstring>

#include "console/console_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "core/tools_exit_prompt_dialog.h"
#include "databox/data_box_window.h"
#include "plan/sub_plan_dialog.h"
#include "share/sub_share_dialog.h"
#include "share/sub_share_plan_dialog.h"
#include "share/tools_ranking_dialog.h"
#include "templates/template_controller.h"
#include "ui/prompter.h"
#include "ui/wait_cursor.h"

namespace {

void copyText(char* out, std::string_view text) {
    if (!out)
        return;
    const std::size_t length = std::min(text.size(), std::size_t(kQstTextBufferSize - 1));
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

// The console's pages and the windows that hang off them.
void attachPages(CQuorstatApp& app) {
    auto* planPage = new CSubPlanDialog(app);
    app.console->attachPlanPanel(planPage, planPage);
    QObject::connect(planPage, &CSubPlanDialog::groupSendRequested, app.console,
                     &CConsoleDialog::postGroupSend);
    auto* sharePage = new CSubShareDialog(app);
    auto* sharePlans = new CSubSharePlanDialog(app);
    QObject::connect(sharePlans, &CSubSharePlanDialog::followRequested, sharePage,
                     &CSubShareDialog::Follow);
    sharePage->attachPlanPanel(sharePlans, sharePlans);
    app.console->attachSharePanel(sharePage, sharePage);
    CreateDataBoxWindow(app, *planPage, *sharePage, *sharePlans);
    QPointer<CSubShareDialog> followingPage = sharePage;
    app.console->setRankingDialogFactory([&app, followingPage](int kind, QWidget* parent) {
        auto follow = [followingPage](const quorstat::tagUSERINFO& user) {
            if (followingPage)
                followingPage->Follow(user, true);
        };
        return std::make_unique<CToolsRankingDialog>(app, kind, follow, parent);
    });
    new CTemplateController(app, *app.console);
}

}  // namespace

QST_API void QST_Init(char* titleOut, char* versionOut) {
    CQuorstatApp& app = CQuorstatApp::instance();
    if (app.initDone)
        return;
    app.initDone = true;
    copyText(titleOut, quorstat::kProductTitle);
    copyText(versionOut, quorstat::kProductVersion);
}

QST_API std::intptr_t QST_Run(void* host, const char* userName, const char* password,
                              int lotteryId) {
    CQuorstatApp& app = CQuorstatApp::instance();
    if (!host || app.console)
        return 0;
    auto* hostWidget = static_cast<QWidget*>(host);
    app.hostWnd = hostWidget;
    app.userName = userName ? userName : "";
    app.password = password ? password : "";
    app.runLotteryArg = lotteryId;
    if (lotteryId != 0)
        app.lotteryId = lotteryId;
    if (!app.startThreads())
        return 0;
    app.console = new CConsoleDialog(hostWidget);
    app.console->buildPagesLater([&app] { attachPages(app); });
    app.console->start();
    return reinterpret_cast<std::intptr_t>(static_cast<QWidget*>(app.console));
}

QST_API void QST_Exit() {
    WaitCursor wait;
    CQuorstatApp& app = CQuorstatApp::instance();
    app.stopThreads();
    delete app.console;
    app.console = nullptr;
}

QST_API int QST_GetExitFlag() {
    CQuorstatApp& app = CQuorstatApp::instance();
    auto& settings = app.settings;
    if (!settings.exitPrompt)
        return settings.closeWndToSystemTray ? kQstHideToTray : kQstExit;
    CToolsExitPromptDialog dialog(settings.closeWndToSystemTray, settings.exitPrompt,
                                  app.hostWnd.data());
    if (Prompter::instance().exec(dialog) != QDialog::Accepted)
        return kQstCancelled;
    settings.closeWndToSystemTray = dialog.closeToTray();
    settings.exitPrompt = dialog.askAgain();
    return settings.closeWndToSystemTray ? kQstHideToTray : kQstExit;
}

QST_API int QST_IsLogin() {
    return CQuorstatApp::instance().isLoggedIn() ? 1 : 0;
}

QST_API void QST_Logout() {
    CQuorstatApp& app = CQuorstatApp::instance();
    if (app.isLoggedIn() && app.console)
        app.console->showAccountMenu();
}

QST_API void QST_GetTrayFlag(int* minimizeToTray, int* closeToTray, int* exitPrompt) {
    const auto& settings = CQuorstatApp::instance().settings;
    if (minimizeToTray)
        *minimizeToTray = settings.minimizeToSystemTray ? 1 : 0;
    if (closeToTray)
        *closeToTray = settings.closeWndToSystemTray ? 1 : 0;
    if (exitPrompt)
        *exitPrompt = settings.exitPrompt ? 1 : 0;
}

QST_API void QST_ShowDataBox() {
    CQuorstatApp::instance().toggleDataBox();
}

QST_API int QST_DllPreTranslateMessage(QstMessage* message) {
    if (!message)
        return 0;
    return CQuorstatApp::instance().preTranslateMessage(message->receiver, message->event) ? 1 : 0;
}
