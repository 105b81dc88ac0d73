#include "console/console_dialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "console/login_controller.h"
#include "console/tools_login_dialog.h"
#include "core/quorstat_app.h"
#include "net/request_types.h"

namespace {

constexpr QSize kHostSize{1024, 768};

// The host leaves its size to the module: centre it at the size the console is laid out for.
void presentHost(QWidget* host) {
    QRect frame(QPoint(0, 0), kHostSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    host->setGeometry(frame);
    host->showMaximized();
}

}  // namespace

CConsoleDialog::CConsoleDialog(QWidget* host)
    : QWidget(host), login_(new CLoginController(CQuorstatApp::instance(), this)) {
    setObjectName(QStringLiteral("consoleDialog"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, CQuorstatApp::instance().dialogBackground);
    colours.setColor(QPalette::WindowText, CQuorstatApp::instance().textColor);
    setPalette(colours);
    CQuorstatApp::instance().requestHandler = this;
    connect(login_, &CLoginController::loggedIn, this, &CConsoleDialog::onLoggedIn);
    // After QST_Run has returned, so the host knows this window before it is hidden.
    QTimer::singleShot(0, login_, &CLoginController::start);
}

CConsoleDialog::~CConsoleDialog() {
    auto& app = CQuorstatApp::instance();
    if (app.requestHandler == this)
        app.requestHandler = nullptr;
}

void CConsoleDialog::showAccountMenu() {
    login_->showAccountMenu(nullptr);
}

void CConsoleDialog::OnRequestDone(quorstat::ServiceRequest& request) {
    if (!login_->checkReplyStatus(request))
        return;
    switch (request.type) {
        case quorstat::RequestType::Login:
            login_->onLoginReply(request);
            break;
        case quorstat::RequestType::Logout:
            login_->onLogoutReply(request);
            break;
        default:
            break;
    }
}

quorstat::RequestProgressView* CConsoleDialog::loginProgressView() {
    return login_->loginDialog();
}

void CConsoleDialog::onLoggedIn() {
    // Until the draw panels exist, the first view after a login is the (empty) working window.
    login_->destroyLoginDialog();
    setEnabled(true);
    show();
    if (auto* host = CQuorstatApp::instance().hostWnd.data())
        presentHost(host);
}
