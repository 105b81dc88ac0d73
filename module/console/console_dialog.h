#pragma once

#include <QWidget>

#include "net/request_handler.h"

class CLoginController;

// The module's central window, a child filling the host window. It receives every finished
// request; the panels that follow the draws and plans join it with the console's own work.
class CConsoleDialog : public QWidget, public quorstat::RequestHandler {
    Q_OBJECT
public:
    explicit CConsoleDialog(QWidget* host);
    ~CConsoleDialog() override;

    // The status panel's account menu (switch account, log out).
    void showAccountMenu();

    void OnRequestDone(quorstat::ServiceRequest& request) override;
    quorstat::RequestProgressView* loginProgressView() override;

    CLoginController* loginController() const { return login_; }

private:
    void onLoggedIn();

    CLoginController* login_;
};
