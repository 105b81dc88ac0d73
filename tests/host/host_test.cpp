#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtTest>

#include "quorlan_dialog.h"
#include "scripted_prompter.h"

namespace {

const QString kTitle = QStringLiteral("『Norvane』投注统计系统");

QString fakeModule(const char* variant) {
    return QStringLiteral(FAKE_MODULES_DIR "/%1/Quorstat").arg(QLatin1String(variant));
}

}  // namespace

class HostTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void moduleIsFoundBesideTheProgramOrInItsLibraryDirectory_data();
    void moduleIsFoundBesideTheProgramOrInItsLibraryDirectory();
    void missingModuleIsReportedAndTheTrayStays();
    void moduleLackingAnExportIsReported();
    void moduleThatFailsToRunIsExitedAndReported();
    void realModuleFillsTheClientArea();
    void trayComesOnceTheLoginDialogIsPainted();
    void exitEventsEndTheRunOnce();
    void closingAsksTheModuleOnlyWhileLoggedIn_data();
    void closingAsksTheModuleOnlyWhileLoggedIn();
    void dataBoxKeyNeedsALogin();
    void secondStartShowsTheFirstAndEnds();

private:
    QStringList calls() const;
    QTemporaryDir dir_;
    QString logPath_;
};

void HostTest::init() {
    logPath_ = dir_.filePath(QStringLiteral("calls-%1.log").arg(QTest::currentTestFunction()));
    qputenv("FAKE_MODULE_LOG", logPath_.toUtf8());
    qputenv("QUORSTAT_DATA_DIR", dir_.path().toUtf8());
    qunsetenv("FAKE_RUN_FAILS");
    qunsetenv("FAKE_LOGGED_IN");
    qunsetenv("FAKE_EXIT_FLAG");
}

QStringList HostTest::calls() const {
    QFile file(logPath_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void HostTest::moduleIsFoundBesideTheProgramOrInItsLibraryDirectory_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("found");
    QTest::newRow("copied program directory") << QStringList{"bin/Quorstat.so"} << "bin/Quorstat";
    QTest::newRow("installed") << QStringList{"lib/quorstat/Quorstat.so"}
                               << "lib/quorstat/Quorstat";
    QTest::newRow("beside wins") << QStringList{"bin/Quorstat.so", "lib/quorstat/Quorstat.so"}
                                 << "bin/Quorstat";
    QTest::newRow("not a library beside")
        << QStringList{"bin/Quorstat.txt", "lib/quorstat/Quorstat.so"} << "lib/quorstat/Quorstat";
    QTest::newRow("nowhere") << QStringList{} << "bin/Quorstat";
}

void HostTest::moduleIsFoundBesideTheProgramOrInItsLibraryDirectory() {
    QFETCH(QStringList, files);
    QFETCH(QString, found);
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    for (const QString& file : files) {
        QVERIFY(QDir(prefix.path()).mkpath(QFileInfo(file).path()));
        QFile touched(prefix.filePath(file));
        QVERIFY(touched.open(QIODevice::WriteOnly));
    }
    QCOMPARE(ModuleBinding::locate(prefix.filePath(QStringLiteral("bin")) + QLatin1Char('/')),
             prefix.filePath(found));
}

void HostTest::missingModuleIsReportedAndTheTrayStays() {
    ScriptedPrompter prompter;
    CQuorlanDlg dialog(kTitle, dir_.filePath(QStringLiteral("nowhere/Quorstat")));
    QVERIFY(!dialog.initialize());
    QCOMPARE(prompter.messages.size(), size_t(1));
    QCOMPARE(prompter.messages[0].text, QStringLiteral("加载投注统计模块失败"));
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("提示信息"));
    QVERIFY(dialog.trayIcon() != nullptr);
    QCOMPARE(dialog.trayIcon()->toolTip(), kTitle);
    QVERIFY(dialog.isHidden());
}

void HostTest::moduleLackingAnExportIsReported() {
    ScriptedPrompter prompter;
    CQuorlanDlg dialog(kTitle, fakeModule("missing_export"));
    QVERIFY(!dialog.initialize());
    QCOMPARE(prompter.messages.at(0).text,
             QStringLiteral("加载投注统计模块失败，请重新安装本软件"));
    QVERIFY(calls().isEmpty());
}

void HostTest::moduleThatFailsToRunIsExitedAndReported() {
    ScriptedPrompter prompter;
    qputenv("FAKE_RUN_FAILS", "1");
    CQuorlanDlg dialog(kTitle, fakeModule("complete"));
    QVERIFY(!dialog.initialize());
    QCOMPARE(prompter.messages.at(0).text, QStringLiteral("初始化投注统计模块失败"));
    QCOMPARE(calls(), (QStringList{"init", "run", "exit"}));
}

void HostTest::realModuleFillsTheClientArea() {
    ScriptedPrompter prompter;
    CQuorlanDlg dialog(kTitle, QStringLiteral(REAL_MODULE));
    QVERIFY(dialog.initialize());
    QVERIFY(prompter.messages.empty());
    QVERIFY(dialog.moduleWindow() != nullptr);
    QCOMPARE(dialog.windowTitle(), kTitle);
    dialog.show();
    dialog.resize(800, 600);
    QTRY_COMPARE(dialog.moduleWindow()->geometry(), dialog.rect());
    dialog.exitProgram();
}

void HostTest::trayComesOnceTheLoginDialogIsPainted() {
    ScriptedPrompter prompter;
    CQuorlanDlg dialog(kTitle, QStringLiteral(REAL_MODULE));
    QVERIFY(dialog.initialize());
    QVERIFY(dialog.trayIcon() == nullptr);
    QTRY_VERIFY(dialog.trayIcon() != nullptr);
    QVERIFY(dialog.trayIcon()->isVisible());
    QCOMPARE(dialog.trayIcon()->toolTip(), kTitle);
    dialog.exitProgram();
}

void HostTest::exitEventsEndTheRunOnce() {
    for (const HostEvent kind : {HostEvent::Exit, HostEvent::Exit2}) {
        QFile::remove(logPath_);
        CQuorlanDlg dialog(kTitle, fakeModule("complete"));
        QVERIFY(dialog.initialize());
        QSignalSpy ended(&dialog, &CQuorlanDlg::exitRequested);
        QCoreApplication::postEvent(&dialog, new QEvent(hostEventType(kind)));
        QTRY_COMPARE(ended.count(), 1);
        dialog.exitProgram();  // the run is over: the module is not exited twice
        QCOMPARE(calls().count(QStringLiteral("exit")), 1);
    }
}

void HostTest::closingAsksTheModuleOnlyWhileLoggedIn_data() {
    QTest::addColumn<QByteArray>("loggedIn");
    QTest::addColumn<QByteArray>("exitFlag");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("exited");
    QTest::addColumn<bool>("visible");
    QTest::newRow("logged out") << QByteArray("0") << QByteArray("1") << false << true << false;
    QTest::newRow("exit") << QByteArray("1") << QByteArray("0") << true << true << false;
    QTest::newRow("to tray") << QByteArray("1") << QByteArray("1") << true << false << false;
    QTest::newRow("cancel") << QByteArray("1") << QByteArray("2") << true << false << true;
}

void HostTest::closingAsksTheModuleOnlyWhileLoggedIn() {
    QFETCH(QByteArray, loggedIn);
    QFETCH(QByteArray, exitFlag);
    QFETCH(bool, asked);
    QFETCH(bool, exited);
    QFETCH(bool, visible);
    qputenv("FAKE_LOGGED_IN", loggedIn);
    qputenv("FAKE_EXIT_FLAG", exitFlag);
    QFile::remove(logPath_);
    CQuorlanDlg dialog(kTitle, fakeModule("complete"));
    QVERIFY(dialog.initialize());
    dialog.show();
    QSignalSpy ended(&dialog, &CQuorlanDlg::exitRequested);
    dialog.close();
    QCOMPARE(calls().contains(QStringLiteral("getExitFlag")), asked);
    QCOMPARE(calls().contains(QStringLiteral("exit")), exited);
    QCOMPARE(ended.count(), exited ? 1 : 0);
    QCOMPARE(dialog.isVisible(), visible);
}

void HostTest::dataBoxKeyNeedsALogin() {
    for (const char* loggedIn : {"0", "1"}) {
        qputenv("FAKE_LOGGED_IN", loggedIn);
        QFile::remove(logPath_);
        CQuorlanDlg dialog(kTitle, fakeModule("complete"));
        QVERIFY(dialog.initialize());
        auto* target = new QWidget(dialog.moduleWindow());
        QKeyEvent ctrlQ(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
        QKeyEvent ctrlF2(QEvent::KeyPress, Qt::Key_F2, Qt::ControlModifier);
        QCoreApplication::sendEvent(target, &ctrlQ);
        QCoreApplication::sendEvent(target, &ctrlF2);
        const QStringList expected = QByteArray(loggedIn) == "1"
                                         ? QStringList{"showDataBox", "showDataBox"}
                                         : QStringList{"preTranslate", "preTranslate"};
        QCOMPARE(calls().mid(2, 2), expected);
        dialog.exitProgram();
    }
}

void HostTest::secondStartShowsTheFirstAndEnds() {
    const QString name = QStringLiteral("probe-%1").arg(QCoreApplication::applicationPid());
    QProcess first;
    first.start(QStringLiteral(INSTANCE_PROBE), {name});
    QVERIFY(first.waitForReadyRead(5000));
    QCOMPARE(first.readLine().trimmed(), QByteArray("primary"));

    QProcess second;
    second.start(QStringLiteral(INSTANCE_PROBE), {name});
    QVERIFY(second.waitForFinished(5000));
    QCOMPARE(second.readAllStandardOutput().trimmed(), QByteArray("secondary"));

    QVERIFY(first.waitForFinished(5000));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(first.readAllStandardOutput().trimmed(), QByteArray("shown"));
}

QTEST_MAIN(HostTest)
#include "host_test.moc"
