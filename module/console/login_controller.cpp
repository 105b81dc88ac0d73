#include "console/login_controller.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "console/tools_login_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "net/login_rules.h"
#include "net/reply_text.h"
#include "platform/shell.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

constexpr int kSwitchAccountCommand = 0xFF00;

}  // namespace

CLoginController::CLoginController(CQuorstatApp& app, QWidget* console)
    : QObject(console),
      app_(app),
      console_(console),
      pictures_(std::async(std::launch::async, &LoginPictures::load,
                           QString::fromStdString(app.paths.imageDir.string()))) {}

CLoginController::~CLoginController() {
    destroyLoginDialog();
}

void CLoginController::start() {
    if (!app_.userName.empty() && !app_.password.empty() && app_.runLotteryArg != 0) {
        app_.ResetSession();
        app_.sessionToken.clear();
        app_.queue(app_.catalogue().loginFromHost(app_.userName, app_.password));
        return;
    }
    showLoginDialog(true);
}

void CLoginController::showLoginDialog(bool allowAutoLogin) {
    if (app_.hostWnd)
        app_.hostWnd->hide();
    console_->hide();
    console_->setEnabled(false);
    destroyLoginDialog();

    QList<CToolsLoginDialog::SavedAccount> saved;
    for (const auto& entry : app_.savedAccounts.entries)
        saved.append({toQString(entry.userName), toQString(entry.password)});
    const QString imageDir = QString::fromStdString(app_.paths.imageDir.string());
    // The pictures read at the start serve the first dialog; a later one reads them again.
    const LoginPictures pictures =
        pictures_.valid() ? pictures_.get() : LoginPictures::load(imageDir);
    loginDialog_ = new CToolsLoginDialog(saved, pictures, console_);
    connect(loginDialog_, &CToolsLoginDialog::loginRequested, this,
            &CLoginController::loginFromDialog);
    connect(loginDialog_, &CToolsLoginDialog::closeRequested, this, &CLoginController::endProgram);
    connect(loginDialog_, &CToolsLoginDialog::linkRequested, this, [this](const QString& page) {
        Shell::instance().openUrl(QStringLiteral("http://%1:%2/%3")
                                      .arg(toQString(app_.serverHost))
                                      .arg(app_.serverPort)
                                      .arg(page));
    });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = loginDialog_->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        loginDialog_->move(frame.topLeft());
    }
    loginDialog_->show();
    fillDialog(allowAutoLogin);
}

void CLoginController::fillDialog(bool allowAutoLogin) {
    const auto& accounts = app_.savedAccounts;
    loginDialog_->setSwitches(accounts.rememberPassword, accounts.autoLogin);
    if (!app_.pendingUserName.empty()) {
        loginDialog_->setUserName(toQString(app_.pendingUserName));
        loginDialog_->setPassword(QString());
        app_.pendingUserName.clear();
        return;
    }
    if (accounts.entries.empty())
        return;
    const auto& latest = accounts.entries.back();
    loginDialog_->setUserName(toQString(latest.userName));
    loginDialog_->setPassword(accounts.rememberPassword ? toQString(latest.password) : QString());
    if (accounts.autoLogin && allowAutoLogin)
        loginFromDialog();
}

void CLoginController::destroyLoginDialog() {
    delete loginDialog_.data();
    loginDialog_ = nullptr;
}

void CLoginController::loginFromDialog() {
    if (!loginDialog_)
        return;
    loginDialog_->setLoginEnabled(false);
    loginDialog_->setStatus(QStringLiteral("正在登录服务器..."));
    const std::string userName = quorstat::RemoveSpaces(loginDialog_->userName().toStdString());
    const std::string password = loginDialog_->password().toStdString();
    if (const auto refusal = quorstat::CheckLoginInput(userName, password)) {
        loginDialog_->setLoginEnabled(true);
        tell(toQString(*refusal));
        return;
    }
    sendLogin(userName, password);
}

void CLoginController::sendLogin(const std::string& userName, const std::string& password) {
    auto request = app_.catalogue().login(userName, password);
    app_.ResetSession();
    app_.userName = userName;
    app_.password = password;
    app_.sessionToken.clear();
    app_.queue(std::move(request));
}

bool CLoginController::checkReplyStatus(const quorstat::ServiceRequest& request) {
    const auto status = quorstat::StatusCode(request.reply);
    if (!status)
        return true;
    const QString message = toQString(quorstat::Message(request.reply));
    switch (*status) {
        case '3': {
            const auto answer = Prompter::instance().message(
                loginDialog_ ? static_cast<QWidget*>(loginDialog_.data()) : console_, message,
                Prompter::defaultCaption(), Prompter::Icon::Information,
                QMessageBox::Yes | QMessageBox::No);
            if (answer == QMessageBox::Yes) {
                const QString upgrader = QString::fromStdString(app_.paths.appDir.string()) + "/" +
                                         QString::fromLatin1(quorstat::kUpgraderFileName);
                if (!QFileInfo::exists(upgrader)) {
                    Prompter::instance().message(
                        console_, QStringLiteral("无法启动升级程序，请重新安装本软件"),
                        Prompter::defaultCaption(), Prompter::Icon::Error);
                    return false;
                }
                Shell::instance().startProgram(upgrader, {});
            }
            endProgram();
            return false;
        }
        case '4':
            if (loginDialog_)
                loginDialog_->resetAfterFailure();
            emit sessionStopped();
            showLoginDialog(false);
            tell(message, true);
            return false;
        case '5':
            tell(message, true);
            return true;
        case '6':
            tell(message, true);
            endProgram();
            return false;
        default:
            return true;
    }
}

void CLoginController::onLoginReply(const quorstat::ServiceRequest& request) {
    const quorstat::LoginReply reply = quorstat::ParseLoginReply(request.reply);
    if (reply.outcome != quorstat::LoginReply::Outcome::Accepted) {
        loginFailed(toQString(reply.message));
        return;
    }
    app_.tailPersonal = reply.tailPersonal;
    app_.tailMode = reply.tailMode;
    app_.adminMenus = reply.adminMenus;
    app_.sessionToken = reply.token;
    if (loginDialog_)
        rememberAccount();
    emit loggedIn();
}

void CLoginController::loginFailed(const QString& message) {
    if (loginDialog_)
        loginDialog_->resetAfterFailure();
    tell(message);
}

void CLoginController::rememberAccount() {
    quorstat::RememberAccount(app_.savedAccounts, app_.userName, app_.password,
                              loginDialog_->rememberPassword(), loginDialog_->autoLogin());
    if (!app_.SaveSavedAccounts())
        tell(QStringLiteral("保存帐号失败：%1")
                 .arg(QString::fromStdString(app_.paths.userFile.string())));
}

void CLoginController::onLogoutReply(const quorstat::ServiceRequest& request) {
    if (request.reply.empty())
        return;
    app_.userName.clear();
    app_.password.clear();
    app_.sessionToken.clear();
    emit sessionStopped();
    showLoginDialog(false);
}

QStringList CLoginController::accountMenuNames() const {
    QStringList names;
    for (const auto& name : quorstat::AccountMenuNames(app_.savedAccounts, app_.userName))
        names << toQString(name);
    return names;
}

void CLoginController::showAccountMenu(QWidget* anchor) {
    if (app_.savedAccounts.entries.empty())
        return;
    QMenu menu(console_);
    const QStringList names = accountMenuNames();
    CToolsLoginDialog::addAccountEntries(menu, names);
    if (!names.isEmpty())
        menu.addSeparator();
    menu.addAction(QStringLiteral("切换帐号"))->setData(kSwitchAccountCommand);
    const QPoint at = anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos();
    const QAction* chosen = Prompter::instance().popupMenu(menu, at);
    if (!chosen)
        return;
    if (chosen->data().toInt() == kSwitchAccountCommand)
        switchAccount();
    else
        switchToSavedAccount(chosen->text());
}

void CLoginController::switchAccount() {
    if (app_.settings.unregPrompt &&
        Prompter::instance().message(console_, QStringLiteral("确定要退出当前登录吗？"),
                                     Prompter::defaultCaption(), Prompter::Icon::Information,
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    queueLogout();
}

void CLoginController::switchToSavedAccount(const QString& name) {
    const std::string userName = name.toStdString();
    for (const auto& entry : app_.savedAccounts.entries) {
        if (entry.userName != userName)
            continue;
        if (!entry.password.empty()) {
            sendLogin(entry.userName, entry.password);
            return;
        }
    }
    app_.pendingUserName = userName;
    queueLogout();
}

void CLoginController::queueLogout() {
    app_.queue(app_.catalogue().logout());
}

void CLoginController::tell(const QString& text, bool topmost) {
    QWidget* parent = loginDialog_ ? static_cast<QWidget*>(loginDialog_.data()) : console_;
    if (topmost && parent)
        parent->raise();
    Prompter::instance().message(parent, text);
}

void CLoginController::endProgram() {
    if (app_.hostWnd)
        QCoreApplication::postEvent(app_.hostWnd, new QEvent(hostEventType(HostEvent::Exit)));
}
