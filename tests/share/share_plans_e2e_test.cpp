// Rankings and shared plans against the stand-in service, as a user works them: the rankings are
// made through the control endpoint, the total-points ranking is opened, a user is double-clicked
// and his shared plans appear; the second opening the same day comes from the cache.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "console/console_dialog.h"
#include "core/quorstat_app.h"
#include "scripted_prompter.h"
#include "service/service_app.h"
#include "service_session.h"
#include "service_users.h"
#include "share/ranking_cache.h"
#include "share/sub_share_dialog.h"
#include "share/sub_share_plan_dialog.h"
#include "share/tools_ranking_dialog.h"
#include "ui/grid_ctrl.h"

namespace {

constexpr int kTotalPoints = 1506;
constexpr std::size_t kTotalPanel = 2;

QString cell(const CGridCtrl* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

void doubleClickRow(CGridCtrl* grid, int row) {
    const QPoint at = grid->visualRect(grid->model()->index(row, 1)).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class SharePlansEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void aRankedUsersSharedPlansOpenFromTheTotalPointsRanking();
    void followingTheViewedUserAndAUserWhoDoesNotShare();
    void theSameRankingTheSameDayComesFromTheCacheAndIsNotRefreshedEarly();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CSubSharePlanDialog* plans() { return app().console->findChild<CSubSharePlanDialog*>(); }

    QWidget host_;
    ServiceSession session_{"2013-05-01 09:15:00"};
    ScriptedPrompter prompter_;
};

void SharePlansEndToEndTest::initTestCase() {
    QVERIFY(session_.start(host_));
    // Forty users with plans settled on 2013-05-01, ranked the next morning.
    ServiceUsers users(session_.service());
    users.seedDemoList();
    users.setClock("2013-05-02 09:00:00");
    users.makeRankings();
    QVERIFY(session_.logIn());
    QTRY_VERIFY_WITH_TIMEOUT(app().draw.serverTimeKnown(), 10000);
    QCOMPARE(app().playId, 1302);
    QVERIFY(plans());
}

void SharePlansEndToEndTest::cleanupTestCase() {
    session_.stop();
}

void SharePlansEndToEndTest::aRankedUsersSharedPlansOpenFromTheTotalPointsRanking() {
    QString picked;
    QStringList titles;
    prompter_.dialogScripts.push_back([&](QDialog& dialog) {
        auto& ranking = dynamic_cast<CToolsRankingDialog&>(dialog);
        titles << dialog.windowTitle();
        dialog.show();
        CGridCtrl* total = ranking.grid(kTotalPanel);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(total->model()->rowCount() > 0, 10000); }();
        // The first row is the user with the most points.
        picked = cell(total, 0, 1);
        titles << cell(total, 0, 0);
        doubleClickRow(total, 0);
        return dialog.result();
    });
    app().console->OpenRanking(kTotalPoints);
    QCOMPARE(titles, (QStringList{QStringLiteral("重庆时时彩三星单选 TOP100 总排行榜"),
                                  QStringLiteral("1")}));
    QVERIFY(picked.startsWith(QStringLiteral("高手")));
    QVERIFY(prompter_.prompts.isEmpty());

    // His plans arrive on the sharing page: the list, the text and the statistics line.
    QCOMPARE(app().console->findChild<QTabWidget*>(QStringLiteral("tabs"))->currentIndex(), 1);
    QCOMPARE(QString::fromStdString(plans()->list().user().userName), picked);
    CGridCtrl* grid = plans()->grid();
    QTRY_VERIFY_WITH_TIMEOUT(grid->model()->rowCount() > 0, 10000);
    QVERIFY(plans()->statistics()->text().startsWith(QStringLiteral("用户：") + picked +
                                                     QStringLiteral("，最大连中：")));
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        QCOMPARE(cell(grid, row, 2), QStringLiteral("三星"));
        QVERIFY(cell(grid, row, 9).startsWith(QStringLiteral("中")) ||
                cell(grid, row, 9).startsWith(QStringLiteral("挂")) ||
                cell(grid, row, 9).startsWith(QStringLiteral("等")));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!plans()->planText()->toPlainText().isEmpty(), 10000);
    QVERIFY(app().console->isEnabled());
}

void SharePlansEndToEndTest::followingTheViewedUserAndAUserWhoDoesNotShare() {
    auto* follow = plans()->findChild<QPushButton*>(QStringLiteral("followUser"));
    QCOMPARE(follow->text(), QStringLiteral("关注用户"));
    follow->click();
    QCOMPARE(follow->text(), QStringLiteral("取消关注"));
    QCOMPARE(plans()->list().user().followed, 1);

    quorstat::tagUSERINFO stingy;
    stingy.userName = "高手03";
    stingy.userInfoId = 3;
    stingy.shares = 0;
    app().console->findChild<CSubShareDialog*>()->ShowUserPlans(stingy);
    QCOMPARE(plans()->planText()->toPlainText(),
             QStringLiteral("这个家伙比较吝啬，没有分享方案，您目前无法查看他的方案哦。"));
    QCOMPARE(plans()->statistics()->text(),
             QStringLiteral("没有可显示的方案，请双击用户列表查看方案"));
    QCOMPARE(plans()->grid()->model()->rowCount(), 0);
    // Nothing was asked for: no waiting prompt over the console.
    QVERIFY(app().console->isEnabled());
}

void SharePlansEndToEndTest::theSameRankingTheSameDayComesFromTheCacheAndIsNotRefreshedEarly() {
    const auto cacheFile = quorstat::RankingCachePath(app().paths.dataDir, kTotalPoints);
    QVERIFY(std::filesystem::exists(cacheFile));
    // The service's lists are gone; only the cache can fill the window now.
    ServiceUsers(session_.service()).setClock("2013-05-02 09:20:00");
    {
        auto& context = session_.service().context();
        std::lock_guard lock(context.lock);
        context.db.exec("DELETE FROM ranking_entries");
    }
    int rows = 0;
    bool waited = true;
    prompter_.messages.clear();
    prompter_.dialogScripts.push_back([&](QDialog& dialog) {
        auto& ranking = dynamic_cast<CToolsRankingDialog&>(dialog);
        CGridCtrl* total = ranking.grid(kTotalPanel);
        [&] { QTRY_VERIFY_WITH_TIMEOUT(total->model()->rowCount() > 0, 10000); }();
        rows = total->model()->rowCount();
        waited = ranking.waiting();
        ranking.findChild<QPushButton*>(QStringLiteral("refreshRanking"))->click();
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!prompter_.messages.empty(), 10000); }();
        return int(QDialog::Rejected);
    });
    app().console->OpenRanking(kTotalPoints);
    QVERIFY(rows > 0);
    QVERIFY(!waited);
    QCOMPARE(prompter_.messages.size(), std::size_t(1));
    QCOMPARE(prompter_.messages.front().text, QStringLiteral("当前排行榜数据已经是最新数据"));
}

QTEST_MAIN(SharePlansEndToEndTest)
#include "share_plans_e2e_test.moc"
