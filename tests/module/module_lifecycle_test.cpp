#include <QCheckBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include "console/console_dialog.h"
#include "console/tools_login_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "net/crypto_api.h"
#include "net/curl_api.h"
#include "plan/sub_plan_dialog.h"
#include "platform/lnk_api.h"
#include "platform/pulse_sound_api.h"
#include "scripted_prompter.h"
#include "ui/gsf_api.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();
QST_API int QST_GetExitFlag();
QST_API int QST_IsLogin();
QST_API void QST_GetTrayFlag(int*, int*, int*);
QST_API void QST_ShowDataBox();
QST_API int QST_DllPreTranslateMessage(QstMessage*);

class ModuleLifecycleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void initCopiesTheTextsOnlyOnce();
    void runRefusesANullHostAndASecondRun();
    void thePagesComeOnlyOnceTheLoginDialogIsPainted();
    void exitDropsQueuedRequestsAndStopsASlowTransferQuickly();
    void exitFlagWithoutPromptNeverShowsADialog();
    void exitFlagFollowsTheExitPrompt();
    void trayFlagsAndLoginState();
    void dataBoxTogglesOnlyForItsPlays();
    void acceleratorsServeOnlyTheModulesWindows();
    void librariesOpenedAtFirstUseHaveEveryFunction();

private:
    QTemporaryDir dataDir_;
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
};

void ModuleLifecycleTest::initTestCase() {
    qputenv("QUORSTAT_DATA_DIR", dataDir_.path().toUtf8());
}

void ModuleLifecycleTest::initCopiesTheTextsOnlyOnce() {
    char title[kQstTextBufferSize] = {};
    char version[kQstTextBufferSize] = {};
    QST_Init(title, version);
    QCOMPARE(QString::fromUtf8(title), QStringLiteral("『Norvane』投注统计系统"));
    QCOMPARE(QByteArray(version), QByteArray("2.8.1"));

    char untouched[kQstTextBufferSize] = "unchanged";
    QST_Init(untouched, untouched);
    QCOMPARE(QByteArray(untouched), QByteArray("unchanged"));
    QCOMPARE(app().paths.dataDir.string(), dataDir_.path().toStdString());
}

void ModuleLifecycleTest::runRefusesANullHostAndASecondRun() {
    QCOMPARE(QST_Run(nullptr, "user", "pw", 1012), std::intptr_t(0));
    QVERIFY(!app().client);
    QVERIFY(!app().soundPlayer);

    QWidget host;
    const std::intptr_t console = QST_Run(&host, nullptr, nullptr, 1013);
    QVERIFY(console != 0);
    QCOMPARE(reinterpret_cast<QWidget*>(console)->parentWidget(), &host);
    QCOMPARE(app().lotteryId, 1013);
    QVERIFY(app().userName.empty());
    QVERIFY(app().client);
    QVERIFY(app().soundPlayer && app().soundPlayer->isRunning());
    QCOMPARE(QST_Run(&host, nullptr, nullptr, 0), std::intptr_t(0));

    QST_Exit();
    QVERIFY(!app().console);
    QVERIFY(!app().client);
    QST_Exit();  // a second exit finds nothing left to stop
}

namespace {

// Whether the login dialog had been painted when the plan page began to be built.
class StartOrder : public QObject {
public:
    bool pageBuilt = false;
    bool loginPaintedFirst = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<CToolsLoginDialog*>(watched))
            loginPainted_ = true;
        if (!pageBuilt && qobject_cast<CSubPlanDialog*>(watched)) {
            pageBuilt = true;
            loginPaintedFirst = loginPainted_;
        }
        return false;
    }

private:
    bool loginPainted_ = false;
};

}  // namespace

void ModuleLifecycleTest::thePagesComeOnlyOnceTheLoginDialogIsPainted() {
    StartOrder order;
    qApp->installEventFilter(&order);
    QWidget host;
    QVERIFY(QST_Run(&host, nullptr, nullptr, 0) != 0);
    QVERIFY(!app().console->findChild<CSubPlanDialog*>());
    QTRY_VERIFY_WITH_TIMEOUT(app().console->findChild<CSubPlanDialog*>(), 10000);
    qApp->removeEventFilter(&order);
    QVERIFY(order.pageBuilt);
    QVERIFY(order.loginPaintedFirst);
    QST_Exit();
}

void ModuleLifecycleTest::exitDropsQueuedRequestsAndStopsASlowTransferQuickly() {
    // A service that takes the request and never answers.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    app().serverHost = "127.0.0.1";
    app().serverPort = silent.serverPort();
    QWidget host;
    QVERIFY(QST_Run(&host, nullptr, nullptr, 0) != 0);
    for (int i = 0; i < 30; ++i)
        QVERIFY(app().queue(app().catalogue().login("demo", "demo123")));
    QVERIFY(silent.waitForNewConnection(5000));

    QElapsedTimer clock;
    clock.start();
    QST_Exit();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!app().client);
    QVERIFY(!app().console);
}

void ModuleLifecycleTest::exitFlagWithoutPromptNeverShowsADialog() {
    ScriptedPrompter prompter;
    app().settings.exitPrompt = false;
    app().settings.closeWndToSystemTray = true;
    QCOMPARE(QST_GetExitFlag(), 1);
    app().settings.closeWndToSystemTray = false;
    QCOMPARE(QST_GetExitFlag(), 0);
    QVERIFY(prompter.dialogTitles.isEmpty());
}

void ModuleLifecycleTest::exitFlagFollowsTheExitPrompt() {
    ScriptedPrompter prompter;
    app().settings.exitPrompt = true;
    app().settings.closeWndToSystemTray = false;
    prompter.dialogScripts.push_back([](QDialog& dialog) {
        // Exit is pre-selected when closing does not hide to the tray.
        if (!dialog.findChild<QRadioButton*>("radio3002")->isChecked())
            return -1;
        if (dialog.findChild<QCheckBox*>("check3003")->isChecked())
            return -1;
        dialog.findChild<QRadioButton*>("radio3001")->setChecked(true);
        dialog.findChild<QCheckBox*>("check3003")->setChecked(true);
        return int(QDialog::Accepted);
    });
    QCOMPARE(QST_GetExitFlag(), 1);
    QCOMPARE(prompter.dialogTitles, QStringList{QStringLiteral("退出程序设置")});
    QVERIFY(app().settings.closeWndToSystemTray);
    QVERIFY(!app().settings.exitPrompt);

    app().settings.exitPrompt = true;
    prompter.dialogScripts.push_back([](QDialog& dialog) {
        dialog.findChild<QRadioButton*>("radio3002")->setChecked(true);
        return int(QDialog::Rejected);
    });
    QCOMPARE(QST_GetExitFlag(), 2);
    QVERIFY(app().settings.closeWndToSystemTray);
    QVERIFY(app().settings.exitPrompt);
}

void ModuleLifecycleTest::trayFlagsAndLoginState() {
    app().settings.minimizeToSystemTray = true;
    app().settings.closeWndToSystemTray = false;
    app().settings.exitPrompt = true;
    int flags[3] = {-1, -1, -1};
    QST_GetTrayFlag(&flags[0], &flags[1], &flags[2]);
    QCOMPARE(flags[0], 1);
    QCOMPARE(flags[1], 0);
    QCOMPARE(flags[2], 1);

    QCOMPARE(QST_IsLogin(), 0);
    app().sessionToken = "token";
    QCOMPARE(QST_IsLogin(), 1);
    app().sessionToken.clear();
    QCOMPARE(QST_IsLogin(), 0);
}

void ModuleLifecycleTest::dataBoxTogglesOnlyForItsPlays() {
    QWidget dataBox;
    app().dataBoxWnd = &dataBox;
    app().playId = 1307;
    QST_ShowDataBox();
    QVERIFY(dataBox.isHidden());
    app().playId = 1306;
    QST_ShowDataBox();
    QVERIFY(dataBox.isVisible());
    app().playId = 1301;
    QST_ShowDataBox();
    QVERIFY(dataBox.isHidden());
    app().dataBoxWnd = nullptr;
    QST_ShowDataBox();
}

void ModuleLifecycleTest::acceleratorsServeOnlyTheModulesWindows() {
    QWidget host;
    QVERIFY(QST_Run(&host, nullptr, nullptr, 0) != 0);
    int fired = 0;
    app().registerAccelerator(QKeySequence(Qt::CTRL | Qt::Key_K), [&] { ++fired; });
    auto* inside = new QWidget(app().console);
    QWidget elsewhere;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_J, Qt::ControlModifier);

    QstMessage toModule{inside, &press};
    QstMessage toOther{&elsewhere, &press};
    QstMessage otherKey{inside, &other};
    QCOMPARE(QST_DllPreTranslateMessage(&toModule), 1);
    QCOMPARE(QST_DllPreTranslateMessage(&toOther), 0);
    QCOMPARE(QST_DllPreTranslateMessage(&otherKey), 0);
    QCOMPARE(QST_DllPreTranslateMessage(nullptr), 0);
    QCOMPARE(fired, 1);
    QST_Exit();
}

// A misspelt symbol or library name would leave transfers, sounds, shortcuts or spreadsheets
// silently unavailable.
void ModuleLifecycleTest::librariesOpenedAtFirstUseHaveEveryFunction() {
    QVERIFY(quorstat::Curl() != nullptr);
    QVERIFY(quorstat::Crypto() != nullptr);
    QVERIFY(Sndfile() != nullptr);
    QVERIFY(PulseSimple() != nullptr);
    QVERIFY(quorstat::Lnk() != nullptr);
    QVERIFY(quorstat::Gsf() != nullptr);
}

QTEST_MAIN(ModuleLifecycleTest)
#include "module_lifecycle_test.moc"
