// The logged-in window against the stand-in service on a virtual clock, over real HTTP.
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "console/console_dialog.h"
#include "console/sub_control_dialog.h"
#include "console/sub_status_dialog.h"
#include "console_test_support.h"
#include "scripted_prompter.h"
#include "service_session.h"

class ConsoleEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void theFirstDrawAfterLoginOpensTheWindowQuietly();
    void aDrawOnTheServiceIsShownAndAnnounced();
    void switchingTheLotteryResetsAndReloads();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CConsoleDialog& console() { return *app().console; }

    ScriptedPrompter prompter_;
    BalloonHost host_;
    ServiceSession session_{"2013-05-01 09:15:00"};
};

void ConsoleEndToEndTest::initTestCase() {
    QVERIFY(session_.start(host_));
    app().settings.lotteryPopupTrayTip = true;
    app().settings.lotteryPlaySound = true;
    app().settings.lotteryPlaySoundType = 0;
}

void ConsoleEndToEndTest::cleanupTestCase() {
    session_.stop();
}

void ConsoleEndToEndTest::theFirstDrawAfterLoginOpensTheWindowQuietly() {
    QVERIFY(host_.isHidden());
    QVERIFY(session_.logIn());
    QVERIFY(host_.isVisible());
    QVERIFY(host_.isMaximized());
    QVERIFY(console().isVisible());
    // 重庆 draws every five minutes after midnight until 01:55, then from 10:00.
    QCOMPARE(app().draw.closedIssue, 130501023);
    QCOMPARE(app().draw.currentIssue, 130501024);
    QCOMPARE(app().draw.lastDrawIssue, 130501023);
    QCOMPARE(app().draw.lastDrawNumbers.size(), std::size_t(5));
    QVERIFY(app().draw.bettingOpen());
    QVERIFY(host_.balloons.isEmpty());
    QTest::qWait(200);
    QVERIFY(PlayedResources().empty());

    QTRY_COMPARE(app().draw.historyIssues.size(), std::size_t(4));
    QCOMPARE(app().draw.historyIssues.front(), 130501022);
    QTRY_VERIFY(!console().templatePicker()->currentText().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(
        console().controlPanel()->banner()->toPlainText().contains(QStringLiteral("重庆时时彩")),
        10000);
}

void ConsoleEndToEndTest::aDrawOnTheServiceIsShownAndAnnounced() {
    QVERIFY(session_.setClock("2013-05-01 10:00:05"));
    // The next server-time refresh brings the clock past the draw time.
    console().statusPanel()->RunStep(CSubStatusDialog::kServerTimeTimer);
    QTRY_COMPARE(app().draw.closedIssue, 130501024);
    QCOMPARE(app().draw.currentIssue, 130501025);
    QTRY_COMPARE_WITH_TIMEOUT(app().draw.lastDrawIssue, 130501024, 10000);

    const std::string numbers = app().draw.lastDrawNumbers;
    QTRY_COMPARE(host_.balloons.size(), 1);
    QCOMPARE(host_.balloons[0], QStringLiteral("重庆时时彩\r\n期号：130501024\r\n奖号：%1")
                                    .arg(QString::fromStdString(numbers)));
    std::vector<int> spoken;
    for (const char digit : numbers)
        spoken.push_back(3102 + (digit - '0'));
    QTRY_COMPARE(PlayedResources(), spoken);
    QTRY_COMPARE(app().draw.historyIssues.front(), 130501023);
}

void ConsoleEndToEndTest::switchingTheLotteryResetsAndReloads() {
    host_.balloons.clear();
    QTest::mouseClick(console().findChild<QPushButton*>(QStringLiteral("lotteryButton")),
                      Qt::LeftButton);
    auto* menu = console().findChild<QMenu*>(QStringLiteral("lotteryMenu"));
    QTRY_VERIFY(menu->isVisible());
    QAction* xinjiang = menu->actions().at(1);
    QCOMPARE(xinjiang->text(), QStringLiteral("新疆时时彩"));
    menu->hide();
    xinjiang->trigger();

    QCOMPARE(app().lotteryId, 1011);
    QCOMPARE(app().draw.lastDrawIssue, 0);
    QVERIFY(app().draw.historyIssues.empty());
    // 新疆's lottery day runs from 10:10 to 02:00 the next morning.
    QTRY_COMPARE_WITH_TIMEOUT(app().draw.closedIssue, 130430096, 10000);
    QCOMPARE(app().draw.currentIssue, 130501001);
    QTRY_COMPARE_WITH_TIMEOUT(app().draw.lastDrawIssue, 130430096, 10000);
    QTRY_COMPARE(app().draw.historyIssues.size(), std::size_t(4));
    QCOMPARE(app().draw.historyIssues.front(), 130430095);
    QVERIFY(host_.balloons.isEmpty());
}

QTEST_MAIN(ConsoleEndToEndTest)
#include "console_e2e_test.moc"
