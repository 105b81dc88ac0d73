#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "console/console_dialog.h"
#include "console/login_controller.h"
#include "console/tools_login_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "recording_shell.h"
#include "scripted_prompter.h"

namespace {

// Receives what the module posts to its host.
class RecordingHost : public QWidget {
public:
    int exitEvents = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() == hostEventType(HostEvent::Exit))
            ++exitEvents;
        return QWidget::event(event);
    }
};

quorstat::ServiceRequest reply(int type, const std::string& text) {
    quorstat::ServiceRequest request;
    request.type = type;
    request.reply = text;
    return request;
}

}  // namespace

class LoginDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void switchesPullEachOtherAlong();
    void aSavedNameFillsItsPassword();
    void buildLabelAndFallbackSize();
    void escapeDoesNotHideTheDialogButClosingEndsTheProgram();
    void statusCodesActBeforeTheReply();
    void aSavedAccountWithoutPasswordOpensTheDialogWithItsName();
    void bothAccountMenusAreAnsweredByThePrompter();
    void linksOpenThroughTheShell();

private:
    QTemporaryDir dir_;
    RecordingHost host_;
};

void LoginDialogTest::initTestCase() {
    qputenv("QUORSTAT_DATA_DIR", dir_.path().toUtf8());
    CQuorstatApp::instance().hostWnd = &host_;
}

void LoginDialogTest::switchesPullEachOtherAlong() {
    CToolsLoginDialog dialog({}, LoginPictures::load(dir_.path()));
    dialog.setSwitches(true, true);
    dialog.findChild<QCheckBox*>("check3018")->setChecked(false);
    QVERIFY(!dialog.autoLogin());
    dialog.findChild<QCheckBox*>("check3020")->setChecked(true);
    QVERIFY(dialog.rememberPassword());
}

void LoginDialogTest::aSavedNameFillsItsPassword() {
    CToolsLoginDialog dialog({{"alice", "pa"}, {"bob", ""}, {"carol", "pc"}},
                             LoginPictures::load(dir_.path()));
    QCOMPARE(dialog.menuNames(), (QStringList{"carol", "bob", "alice"}));
    auto* name = dialog.findChild<QLineEdit*>("edit3015");
    QTest::keyClicks(name, "alic");
    QCOMPARE(dialog.password(), QString());
    QTest::keyClicks(name, "e");
    QCOMPARE(dialog.password(), QStringLiteral("pa"));
    QTest::keyClicks(name, "x");
    QCOMPARE(dialog.password(), QString());
}

void LoginDialogTest::buildLabelAndFallbackSize() {
    QCOMPARE(CToolsLoginDialog::buildLabel("Nov  6 2015"), QStringLiteral("Build 20151106"));
    QCOMPARE(CToolsLoginDialog::buildLabel("Dec 25 2026"), QStringLiteral("Build 20261225"));
    CToolsLoginDialog dialog({}, LoginPictures::load(dir_.filePath("no-images")));
    QCOMPARE(dialog.size(), QSize(600, 350));
}

void LoginDialogTest::escapeDoesNotHideTheDialogButClosingEndsTheProgram() {
    CToolsLoginDialog dialog({}, LoginPictures::load(dir_.path()));
    QSignalSpy closing(&dialog, &CToolsLoginDialog::closeRequested);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    dialog.close();
    QCOMPARE(closing.count(), 1);
}

void LoginDialogTest::statusCodesActBeforeTheReply() {
    ScriptedPrompter prompter;
    QWidget console;
    CLoginController login(CQuorstatApp::instance(), &console);
    QVERIFY(login.checkReplyStatus(reply(3, "")));
    QVERIFY(login.checkReplyStatus(reply(3, "1|ok|")));
    QVERIFY(login.checkReplyStatus(reply(3, "5|请注意|x")));
    QCOMPARE(prompter.messages.back().text, QStringLiteral("请注意"));

    QVERIFY(!login.checkReplyStatus(reply(3, "6|服务暂停|")));
    QCOMPARE(prompter.messages.back().text, QStringLiteral("服务暂停"));
    QTRY_COMPARE(host_.exitEvents, 1);

    // A newer version is required but there is no updater: say so and keep running.
    prompter.answers.push_back(QMessageBox::Yes);
    QVERIFY(!login.checkReplyStatus(reply(3, "3|请升级到新版本|")));
    QCOMPARE(prompter.messages.back().text, QStringLiteral("无法启动升级程序，请重新安装本软件"));
    QCOMPARE(prompter.messages.back().icon, Prompter::Icon::Error);
    QCoreApplication::sendPostedEvents(&host_);
    QCOMPARE(host_.exitEvents, 1);
    prompter.answers.push_back(QMessageBox::No);
    QVERIFY(!login.checkReplyStatus(reply(3, "3|请升级到新版本|")));
    QTRY_COMPARE(host_.exitEvents, 2);
}

void LoginDialogTest::aSavedAccountWithoutPasswordOpensTheDialogWithItsName() {
    ScriptedPrompter prompter;
    auto& app = CQuorstatApp::instance();
    app.savedAccounts.entries = {{"alice", "pa"}, {"bob", ""}};
    app.userName = "alice";
    QWidget console;
    CLoginController login(app, &console);
    QCOMPARE(login.accountMenuNames(), QStringList{"bob"});
    login.switchToSavedAccount(QStringLiteral("bob"));
    QCOMPARE(app.pendingUserName, std::string("bob"));
    login.onLogoutReply(reply(2, "1|"));
    QVERIFY(app.userName.empty());
    QVERIFY(login.loginDialog() != nullptr);
    QCOMPARE(login.loginDialog()->userName(), QStringLiteral("bob"));
    QCOMPARE(login.loginDialog()->password(), QString());
    QVERIFY(app.pendingUserName.empty());

    login.onLogoutReply(reply(2, ""));  // an empty reply changes nothing
    QVERIFY(login.loginDialog() != nullptr);
}

void LoginDialogTest::bothAccountMenusAreAnsweredByThePrompter() {
    ScriptedPrompter prompter;
    CToolsLoginDialog dialog({{"alice", "pa"}, {"bob", "pb"}}, LoginPictures::load(dir_.path()));
    auto* accounts = dialog.findChild<QPushButton*>("button3183");
    prompter.menuChoices = {QStringLiteral("alice")};
    accounts->click();
    QCOMPARE(prompter.menus.back(), (QStringList{"bob", "alice"}));
    QCOMPARE(dialog.userName(), QStringLiteral("alice"));
    QCOMPARE(dialog.password(), QStringLiteral("pa"));
    accounts->click();  // closed without a choice
    QCOMPARE(dialog.userName(), QStringLiteral("alice"));

    auto& app = CQuorstatApp::instance();
    app.savedAccounts.entries = {{"alice", "pa"}, {"bob", ""}};
    app.userName = "alice";
    app.settings.unregPrompt = true;
    QWidget console;
    CLoginController login(app, &console);
    prompter.menuChoices = {QStringLiteral("切换帐号")};
    prompter.answers = {QMessageBox::No};
    login.showAccountMenu(nullptr);
    QCOMPARE(prompter.menus.back(), (QStringList{"bob", "切换帐号"}));
    QCOMPARE(prompter.messages.back().text, QStringLiteral("确定要退出当前登录吗？"));
    prompter.menuChoices = {QStringLiteral("bob")};
    login.showAccountMenu(nullptr);
    QCOMPARE(app.pendingUserName, std::string("bob"));
    app.pendingUserName.clear();
}

void LoginDialogTest::linksOpenThroughTheShell() {
    RecordingShell shell;
    auto& app = CQuorstatApp::instance();
    app.serverHost = "example.invalid";
    app.serverPort = 8080;
    QWidget console;
    CLoginController login(app, &console);
    login.showLoginDialog(false);
    login.loginDialog()->findChild<QPushButton*>("link3174")->click();
    login.loginDialog()->findChild<QPushButton*>("link3171")->click();
    QCOMPARE(shell.urls, (QStringList{"http://example.invalid:8080/NrvURL.asp?TYPE=FindPasswd",
                                      "http://example.invalid:8080/NrvURL.asp?TYPE=BbsReg"}));
}

QTEST_MAIN(LoginDialogTest)
#include "login_dialog_test.moc"
