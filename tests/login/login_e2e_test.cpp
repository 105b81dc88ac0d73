// Logging in through the login dialog against the stand-in service, over real HTTP.
#include <httplib.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "console/console_dialog.h"
#include "console/login_controller.h"
#include "console/tools_login_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "core/text_codec.h"
#include "net/request_types.h"
#include "scripted_prompter.h"
#include "service/service_app.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();

class LoginEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void typingIntoTheDialogLogsIn();
    void aWrongPasswordShowsTheServicesMessage();
    void aLoginElsewhereEndsTheSessionWithoutAutomaticLogin();
    void theSavedAccountIsOfferedWithAndWithoutItsPassword();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CLoginController& login() { return *app().console->loginController(); }
    CToolsLoginDialog* dialog() { return login().loginDialog(); }
    void logInThroughDialog(const QString& name, const QString& password, bool remember = true);
    void logOut();
    void loginElsewhere();

    QTemporaryDir dir_;
    std::unique_ptr<quorstat::service::ServiceApp> service_;
    ScriptedPrompter prompter_;
    QWidget host_;
};

void LoginEndToEndTest::initTestCase() {
    quorstat::service::ServiceOptions options;
    options.port = 0;
    options.databasePath = dir_.filePath(QStringLiteral("service.db")).toStdString();
    service_ = std::make_unique<quorstat::service::ServiceApp>(options);
    QVERIFY(service_->start());
    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
    qputenv("QUORSTAT_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(service_->port()));
    char title[kQstTextBufferSize];
    char version[kQstTextBufferSize];
    QST_Init(title, version);
    QVERIFY(QST_Run(&host_, nullptr, nullptr, 0) != 0);
    QTRY_VERIFY(dialog() != nullptr);
    QVERIFY(host_.isHidden());
}

void LoginEndToEndTest::cleanupTestCase() {
    QST_Exit();
    service_->stop();
}

void LoginEndToEndTest::logInThroughDialog(const QString& name, const QString& password,
                                           bool remember) {
    QTRY_VERIFY(dialog() != nullptr);
    auto* userName = dialog()->findChild<QLineEdit*>(QStringLiteral("edit3015"));
    auto* passwordEdit = dialog()->findChild<QLineEdit*>(QStringLiteral("edit3013"));
    userName->clear();
    QTest::keyClicks(userName, name);
    passwordEdit->clear();  // a saved name has just filled in its password
    QTest::keyClicks(passwordEdit, password);
    dialog()->findChild<QCheckBox*>(QStringLiteral("check3018"))->setChecked(remember);
    QTest::mouseClick(dialog()->findChild<QPushButton*>(QStringLiteral("button3016")),
                      Qt::LeftButton);
}

void LoginEndToEndTest::logOut() {
    prompter_.answers.push_back(QMessageBox::Yes);
    login().switchAccount();
    QTRY_VERIFY(!app().isLoggedIn());
    QTRY_VERIFY(dialog() != nullptr);
}

// The same account logs in from another machine, which ends this session.
void LoginEndToEndTest::loginElsewhere() {
    quorstat::AppState elsewhere;
    const auto request = quorstat::RequestCatalogue(elsewhere).login("demo", "demo123");
    httplib::Client client("127.0.0.1", service_->port());
    const auto reply =
        client.Post((std::string(quorstat::kServerPath) +
                     std::string(quorstat::RequestPage(quorstat::RequestType::Login)))
                        .c_str(),
                    quorstat::ToAnsi(request->body), "application/x-www-form-urlencoded");
    QVERIFY(reply && reply->body.starts_with("1|"));
}

void LoginEndToEndTest::typingIntoTheDialogLogsIn() {
    logInThroughDialog(QStringLiteral(" de mo "), QStringLiteral("demo123"));
    QTRY_VERIFY(app().isLoggedIn());
    QCOMPARE(app().userName, std::string("demo"));
    // The dialog stays until the first draw numbers have come.
    QTRY_VERIFY_WITH_TIMEOUT(dialog() == nullptr, 10000);
    QVERIFY(host_.isVisible());
    QCOMPARE(app().savedAccounts.entries.back().userName, std::string("demo"));
    QCOMPARE(app().savedAccounts.entries.back().password, std::string("demo123"));
    struct stat info {};
    QCOMPARE(::stat(app().paths.userFile.c_str(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0600u);
}

void LoginEndToEndTest::aWrongPasswordShowsTheServicesMessage() {
    logOut();
    prompter_.messages.clear();
    logInThroughDialog(QStringLiteral("demo"), QStringLiteral("wrong"));
    QTRY_COMPARE(prompter_.messages.size(), size_t(1));
    QCOMPARE(prompter_.messages[0].text, QStringLiteral("用户名或密码错误"));
    QVERIFY(!app().isLoggedIn());
    QVERIFY(dialog()->findChild<QPushButton*>(QStringLiteral("button3016"))->isEnabled());
    QCOMPARE(dialog()->findChild<QLabel*>(QStringLiteral("status3186"))->text(),
             CToolsLoginDialog::initialStatus());
}

void LoginEndToEndTest::aLoginElsewhereEndsTheSessionWithoutAutomaticLogin() {
    logInThroughDialog(QStringLiteral("demo"), QStringLiteral("demo123"));
    QTRY_VERIFY(app().isLoggedIn());
    app().savedAccounts.autoLogin = true;
    const std::string token = app().sessionToken;
    loginElsewhere();
    prompter_.messages.clear();
    QVERIFY(app().queue(app().catalogue().serverTime()));
    QTRY_VERIFY(dialog() != nullptr);
    QTRY_COMPARE(prompter_.messages.size(), size_t(1));
    QVERIFY(!prompter_.messages[0].text.isEmpty());
    QVERIFY(host_.isHidden());
    // No automatic login: the old token stays until the user logs in again.
    QTest::qWait(300);
    QCOMPARE(app().sessionToken, token);
    QVERIFY(dialog()->findChild<QPushButton*>(QStringLiteral("button3016"))->isEnabled());
    app().savedAccounts.autoLogin = false;
}

void LoginEndToEndTest::theSavedAccountIsOfferedWithAndWithoutItsPassword() {
    login().showLoginDialog(false);
    QCOMPARE(dialog()->userName(), QStringLiteral("demo"));
    QCOMPARE(dialog()->password(), QStringLiteral("demo123"));

    logInThroughDialog(QStringLiteral("demo"), QStringLiteral("demo123"), false);
    QTRY_VERIFY_WITH_TIMEOUT(app().isLoggedIn() && dialog() == nullptr, 10000);
    QCOMPARE(app().savedAccounts.entries.back().password, std::string());
    logOut();
    QCOMPARE(dialog()->userName(), QStringLiteral("demo"));
    QCOMPARE(dialog()->password(), QString());
    QVERIFY(!dialog()->findChild<QCheckBox*>(QStringLiteral("check3018"))->isChecked());
}

QTEST_MAIN(LoginEndToEndTest)
#include "login_e2e_test.moc"
