#pragma once

#include <QDialog>
#include <QPixmap>
#include <QStringList>

#include "console/login_pictures.h"
#include "net/request_handler.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

// The login window: user name with the saved-accounts menu, password, the two account switches,
// links for a lost password and a new account, and a status line.
class CToolsLoginDialog : public QDialog, public quorstat::RequestProgressView {
    Q_OBJECT
public:
    struct SavedAccount {
        QString userName;
        QString password;
    };

    CToolsLoginDialog(QList<SavedAccount> savedAccounts, const LoginPictures& pictures,
                      QWidget* parent = nullptr);

    static QString initialStatus();
    // "Build yyyyMMdd" of the day the program was built.
    static QString buildLabel(const char* buildDate);

    QString userName() const;
    QString password() const;
    void setUserName(const QString& name);
    void setPassword(const QString& password);
    bool rememberPassword() const;
    bool autoLogin() const;
    void setSwitches(bool rememberPassword, bool autoLogin);

    void setStatus(const QString& text);
    void showRequestProgress(const std::string& text) override;
    void setLoginEnabled(bool enabled);
    // Back to the state before a login attempt: button usable, first status text.
    void resetAfterFailure();

    // The saved user names, newest first, as the drop-down menu lists them.
    QStringList menuNames() const;
    // Saved user names as menu entries with their command ids, as both account menus show them.
    static void addAccountEntries(QMenu& menu, const QStringList& names);

signals:
    void loginRequested();
    void closeRequested();
    void linkRequested(const QString& page);

protected:
    // Escape must not make the login window vanish with the program still running unseen.
    void reject() override {}
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void onUserNameEdited(const QString& text);
    void showAccountMenu();

    QList<SavedAccount> saved_;
    QPixmap background_;
    QPixmap freeBadge_;
    QLineEdit* userName_ = nullptr;
    QLineEdit* password_ = nullptr;
    QPushButton* login_ = nullptr;
    QPushButton* accounts_ = nullptr;
    QCheckBox* remember_ = nullptr;
    QCheckBox* autoLogin_ = nullptr;
    QLabel* status_ = nullptr;
    QPoint dragOffset_;
};
