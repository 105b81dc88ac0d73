#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <future>

#include "console/login_pictures.h"

#include "net/service_request.h"

class CQuorstatApp;
class CToolsLoginDialog;
class QWidget;

// The window side of logging in and out: the login dialog, the login and logout replies, the
// status prefix of every reply and the account menu. The central window owns one and routes
// replies of types 1 and 2, and every reply's status, through it.
class CLoginController : public QObject {
    Q_OBJECT
public:
    CLoginController(CQuorstatApp& app, QWidget* console);
    ~CLoginController() override;

    // At the central window's start: a direct login with the host's credentials, or the dialog.
    void start();
    // Hides host and central window and shows a new login dialog.
    void showLoginDialog(bool allowAutoLogin);
    // Applies the program-wide status codes; false when the reply must not be handled further.
    bool checkReplyStatus(const quorstat::ServiceRequest& request);
    void onLoginReply(const quorstat::ServiceRequest& request);
    void onLogoutReply(const quorstat::ServiceRequest& request);
    // The saved-accounts menu, opened below `anchor`.
    void showAccountMenu(QWidget* anchor);
    // The menu's entries: saved names other than the current user, newest first.
    QStringList accountMenuNames() const;
    // A saved name chosen from the account menu.
    void switchToSavedAccount(const QString& name);
    // "切换帐号": log out, after asking when the user wants to be asked.
    void switchAccount();

    // The dialog's login button: checks the input and queues the login.
    void loginFromDialog();

    CToolsLoginDialog* loginDialog() const { return loginDialog_; }
    // After the first draw-number reply: the dialog has done its work.
    void destroyLoginDialog();

signals:
    // A login succeeded: the central window resets its panels and queues the logged-in sequence.
    void loggedIn();
    // The session is over (logout reply or status "4"): refresh timers must stop.
    void sessionStopped();

private:
    void fillDialog(bool allowAutoLogin);
    void sendLogin(const std::string& userName, const std::string& password);
    void queueLogout();
    void loginFailed(const QString& message);
    void rememberAccount();
    void tell(const QString& text, bool topmost = false);
    void endProgram();

    CQuorstatApp& app_;
    QWidget* console_;
    QPointer<CToolsLoginDialog> loginDialog_;
    std::future<LoginPictures> pictures_;
};
