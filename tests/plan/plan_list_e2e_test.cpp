// The own-plan list against the stand-in service on its virtual clock, over real HTTP: plans are
// listed as they go up, deleted, settled by a draw and stopped, and the list reads the service's
// replies and sounds as a user expects.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "console/console_dialog.h"
#include "console/sub_status_dialog.h"
#include "console_test_support.h"
#include "core/quorstat_app.h"
#include "databox/tools_data_box_dialog.h"
#include "databox/tools_data_box_sub_dialog.h"
#include "plan/bet_numbers_edit.h"
#include "plan/bet_numbers_field.h"
#include "plan/number_entry_panel.h"
#include "plan/own_plan_grid.h"
#include "plan/sub_plan_dialog.h"
#include "plan/sub_plan_info_dialog.h"
#include "plan/sub_plan_stat_dialog.h"
#include "scripted_prompter.h"
#include "service_session.h"
#include "ui/grid_ctrl.h"
#include "xls_reader.h"

namespace {

constexpr int kLongWaitMs = 15000;

// A plan settled on the draw of 029 and a plan running on, as the service writes them.
std::string listReply(const std::string& plans) {
    const auto count = std::to_string(std::count(plans.begin(), plans.end(), '$'));
    return "1|" + count + "|" + count + "|X|CH=2|CUH=1|LMT=2013-05-01 10:50:01#" + plans;
}
const std::string kHitOnTheLastDraw =
    "PID=1|LTP=三星|LTT=单选|POS=123|BN=1|INS=1|I1=130501029|I2=130501029|PS=1|NIN=1$";
const std::string kRunningOn =
    "PID=2|LTP=三星|LTT=单选|POS=123|BN=1|INS=3|I1=130501029|I2=130501031|PS=0|NIN=2$";

}  // namespace

class PlanListEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void plansAreListedDeletedSettledAndStopped();
    void theListExportsAsASpreadsheetOthersRead();
    void aBrokenReplyIsReloadedWithoutAMessage();
    void theEndOfPlanSoundWaitsForADrawTheSettingAndTheStart();
    void pagesMenuAndClearingFollowTheSelection();

private:
    CQuorstatApp& app() { return session_.app(); }
    CSubPlanDialog* page() { return app().console->findChild<CSubPlanDialog*>(); }
    CSubPlanInfoDialog* list() { return page()->planList(); }
    CGridCtrl* grid() { return list()->grid(); }
    QString cell(int row, std::size_t column) {
        return grid()->model()->index(row, static_cast<int>(column)).data().toString();
    }
    void submit(const QString& numbers, int issues);
    void clickAction(int row);

    ScriptedPrompter prompter_;
    BalloonHost host_;
    ServiceSession session_{"2013-05-01 10:41:10"};
};

void PlanListEndToEndTest::initTestCase() {
    QVERIFY(session_.start(host_));
    QVERIFY(session_.logIn());
    app().console->SelectTab(0);
    list()->tabs()->setCurrentIndex(CSubPlanInfoDialog::ListTab);
}

void PlanListEndToEndTest::cleanupTestCase() {
    session_.stop();
}

void PlanListEndToEndTest::submit(const QString& numbers, int issues) {
    CSubPlanStatDialog* form = page()->planForm();
    const std::size_t before = list()->list().plans().size();
    form->numberEntry()->numbersField()->edit()->setPlainText(numbers);
    form->findChild<QCheckBox*>(QStringLiteral("position0"))->setChecked(true);
    form->findChild<QComboBox*>(QStringLiteral("issueCount"))->setCurrentIndex(issues - 1);
    form->findChild<QPushButton*>(QStringLiteral("calculate"))->click();
    prompter_.answers = {QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes};
    form->findChild<QPushButton*>(QStringLiteral("submit"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(list()->list().plans().size(), before + 1, kLongWaitMs);
    prompter_.answers.clear();
}

void PlanListEndToEndTest::clickAction(int row) {
    const QModelIndex index = grid()->model()->index(row, static_cast<int>(quorstat::kPlanAction));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
}

void PlanListEndToEndTest::plansAreListedDeletedSettledAndStopped() {
    QCOMPARE(app().draw.currentIssue, 130501029);
    submit(QStringLiteral("000 001 002 003 004 005 006 007 008 009"), 3);
    submit(QStringLiteral("999"), 1);
    submit(QStringLiteral("555"), 1);
    QCOMPARE(grid()->model()->rowCount(), 3);
    // The service lists the latest plan first; rows count down.
    QCOMPARE(cell(0, quorstat::kPlanRowNumber), QStringLiteral("3"));
    QCOMPARE(cell(0, quorstat::kPlanIssues), QStringLiteral("029 - 029"));
    QCOMPARE(cell(0, quorstat::kPlanPositions), QStringLiteral("前三"));
    QCOMPARE(cell(0, quorstat::kPlanDrawCode), QStringLiteral("*****"));
    QCOMPARE(cell(0, quorstat::kPlanState), QStringLiteral("等(1)"));
    QCOMPARE(cell(0, quorstat::kPlanAction), QStringLiteral("删除"));
    QCOMPARE(cell(2, quorstat::kPlanBets), QStringLiteral("10"));
    QCOMPARE(list()->pagerLabel()->text(), QStringLiteral("1/1"));
    QVERIFY(QString::fromStdString(list()->PlanText()).contains(QStringLiteral("029 - 031")));

    // "删除" asks, and the service's list comes back without the plan.
    prompter_.answers = {QMessageBox::Yes};
    clickAction(0);
    QTRY_COMPARE_WITH_TIMEOUT(list()->list().plans().size(), std::size_t(2), kLongWaitMs);
    QCOMPARE(prompter_.messages.back().text, QStringLiteral("确定要删除此方案吗？"));
    QCOMPARE(cell(0, quorstat::kPlanIssues), QStringLiteral("029 - 029"));
    QCOMPARE(cell(0, quorstat::kPlanBets), QStringLiteral("1"));

    // The draw of 029 settles the one-issue plan; the three-issue plan hits or goes on.
    QVERIFY(session_.setClock("2013-05-01 10:50:05"));
    app().console->statusPanel()->RunStep(CSubStatusDialog::kServerTimeTimer);
    QTRY_COMPARE_WITH_TIMEOUT(app().draw.lastDrawIssue, 130501029, kLongWaitMs);
    const std::string drawn = app().draw.lastDrawNumbers;
    const std::string front = drawn.substr(0, 3);
    QTRY_VERIFY_WITH_TIMEOUT(cell(0, quorstat::kPlanState) != QStringLiteral("等(1)"), kLongWaitMs);
    QCOMPARE(cell(0, quorstat::kPlanDrawCode), QString::fromStdString(drawn));
    QCOMPARE(cell(0, quorstat::kPlanState),
             front == "999" ? QStringLiteral("中(1)") : QStringLiteral("挂(1)"));
    QCOMPARE(cell(0, quorstat::kPlanAction), QString());
    const bool firstHits = front < "010";
    QCOMPARE(cell(1, quorstat::kPlanState),
             firstHits ? QStringLiteral("中(1)") : QStringLiteral("等(2)"));
    QVERIFY(list()->statisticsLabel()->text().startsWith(QStringLiteral("最大连中：")));
    QVERIFY(QString::fromStdString(list()->PlanText()).contains(QString::fromStdString(drawn)));
    if (firstHits)
        return;

    // "停止" on the plan that goes on; it keeps what it played.
    QCOMPARE(cell(1, quorstat::kPlanAction), QStringLiteral("停止"));
    const QString stake = cell(1, quorstat::kPlanStake);
    prompter_.answers = {QMessageBox::Yes};
    clickAction(1);
    QTRY_COMPARE_WITH_TIMEOUT(cell(1, quorstat::kPlanState), QStringLiteral("停(2)"), kLongWaitMs);
    QCOMPARE(prompter_.messages.back().text, QStringLiteral("确定要停止此方案吗？"));
    QCOMPARE(cell(1, quorstat::kPlanStake), stake);
    QCOMPARE(cell(1, quorstat::kPlanAction), QString());
}

void PlanListEndToEndTest::theListExportsAsASpreadsheetOthersRead() {
    const QString path = session_.dataPath(QStringLiteral("plans.xls"));
    prompter_.fileNames = {path};
    list()->findChild<QPushButton*>(QStringLiteral("exportList"))->click();
    QCOMPARE(prompter_.saveDialogs.back().dir,
             QStringLiteral("2013-05-01-重庆时时彩三星单选-demo-方案列表"));
    QCOMPARE(prompter_.prompts.back(), QStringLiteral("导出方案列表完成"));

    const XlsReadBack book = ReadXls(path.toStdString());
    QVERIFY(book.opened);
    QCOMPARE(book.sheetNames, std::vector<std::string>{"sheet"});
    const int rows = grid()->model()->rowCount();
    QCOMPARE(book.rows.size(), std::size_t(rows + 1));
    QCOMPARE(book.text(0, 0), std::string("序号"));
    QCOMPARE(book.text(0, 14), std::string("操作"));
    for (int row = 0; row < rows; ++row)
        for (std::size_t column = 0; column < quorstat::kPlanColumnCount; ++column)
            QCOMPARE(QString::fromStdString(book.text(std::size_t(row) + 1, column)),
                     cell(row, column));
}

void PlanListEndToEndTest::aBrokenReplyIsReloadedWithoutAMessage() {
    const std::size_t listed = list()->list().plans().size();
    QVERIFY(listed > 0);
    const std::size_t messages = prompter_.messages.size();
    list()->OnPlanListReply("1|1|1|X|#PID=3|INS=1|I1=130501029|I2=130501029$", -1);
    QCOMPARE(list()->list().plans().size(), std::size_t(0));
    QTRY_COMPARE_WITH_TIMEOUT(list()->list().plans().size(), listed, kLongWaitMs);
    list()->OnPlanListReply("", -1);
    list()->OnPlanListReply("0|服务器忙", -1);
    QCOMPARE(list()->list().plans().size(), listed);
    QCOMPARE(prompter_.messages.size(), messages);
}

void PlanListEndToEndTest::theEndOfPlanSoundWaitsForADrawTheSettingAndTheStart() {
    CSubPlanInfoDialog* plans = list();
    auto played = [] { return PlayedResources().size(); };
    QTRY_VERIFY_WITH_TIMEOUT(!plans->soundReadyTimer()->isActive(), kLongWaitMs);
    app().settings.planEndPlaySound = true;
    // 029 is the draw passed last; both plans ask for a sound, the later in the reply decides.
    const std::size_t before = played();
    plans->OnPlanListReply(listReply(kHitOnTheLastDraw + kRunningOn), -1);
    plans->OnNewDraw();
    QCOMPARE(PlayedResources().size(), before);  // not armed when the reply came
    plans->OnPlanListReply(listReply(kRunningOn + kHitOnTheLastDraw), -1);
    QTRY_COMPARE(played(), before + 1);
    QCOMPARE(PlayedResources().back(), 3143);
    // Armed once per draw.
    plans->OnPlanListReply(listReply(kRunningOn), -1);
    plans->OnNewDraw();
    app().settings.planEndPlaySound = false;
    plans->OnPlanListReply(listReply(kRunningOn), -1);
    plans->OnNewDraw();
    app().settings.planEndPlaySound = true;
    plans->OnPlanListReply(listReply(kRunningOn), -1);
    QTRY_COMPARE(played(), before + 2);
    QCOMPARE(PlayedResources().back(), 3148);
    QCOMPARE(plans->statisticsLabel()->text(),
             QStringLiteral("最大连中：2，最大连挂：1，更新：2013-05-01 10:50:01"));
    // A new start is quiet for ten seconds.
    plans->Reset();
    plans->OnNewDraw();
    plans->OnPlanListReply(listReply(kRunningOn), -1);
    // Sounds play in the order queued: a chime queued now is the next one played, unless the
    // reply queued a sound before it.
    app().soundPlayer->queue({1, quorstat::sound_id::kChime, {}});
    QTRY_COMPARE(played(), before + 3);
    QCOMPARE(PlayedResources().back(), quorstat::sound_id::kChime);
    QVERIFY(plans->soundReadyTimer()->isActive());
}

void PlanListEndToEndTest::pagesMenuAndClearingFollowTheSelection() {
    // Two plans at one a page; another page size starts again at page 1. The page size is set
    // before the list starts again, so that no reply to a request of the old size is in flight.
    app().settings.planPlanListPrePageCount = 1;
    list()->Reset();
    QTRY_COMPARE_WITH_TIMEOUT(list()->pagerLabel()->text(), QStringLiteral("1/2"), kLongWaitMs);
    QCOMPARE(cell(0, quorstat::kPlanRowNumber), QStringLiteral("1"));
    const QString first = cell(0, quorstat::kPlanIssues);
    list()->findChild<QPushButton*>(QStringLiteral("nextPage"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(list()->pagerLabel()->text(), QStringLiteral("2/2"), kLongWaitMs);
    QCOMPARE(cell(0, quorstat::kPlanRowNumber), QStringLiteral("2"));
    QVERIFY(cell(0, quorstat::kPlanIssues) != first);
    list()->findChild<QLineEdit*>(QStringLiteral("pageEdit"))->setText(QStringLiteral("abc"));
    list()->findChild<QPushButton*>(QStringLiteral("goToPage"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(list()->pagerLabel()->text(), QStringLiteral("1/2"), kLongWaitMs);
    app().settings.planPlanListPrePageCount = 0;
    list()->findChild<QPushButton*>(QStringLiteral("refresh"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(grid()->model()->rowCount(), 2, kLongWaitMs);

    // Settled plans can be neither stopped nor deleted.
    grid()->selectAll();
    emit grid()->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(prompter_.menus.back(),
             (QStringList{QStringLiteral("复制号码"), QStringLiteral("查看方案"),
                          QStringLiteral("转到大底盒")}));

    // The selected plans go to the data box's big-base box, which shows itself and fetches them.
    QSignalSpy handed(list(), &CSubPlanInfoDialog::bigBaseTransferRequested);
    prompter_.menuChoices = {QStringLiteral("转到大底盒")};
    emit grid()->customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(handed.count(), 1);
    const auto plans = handed[0][0].value<std::vector<quorstat::BoxUser>>();
    QCOMPARE(plans.size(), std::size_t(2));
    QCOMPARE(plans[0].name, std::string("demo"));
    QCOMPARE(plans[0].userId, app().userInfoId);
    QCOMPARE(plans[1].planId, list()->list().plans()[1].planId);
    QVERIFY(app().dataBoxWnd->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(app().console->isEnabled(), kLongWaitMs);
    const auto* window = qobject_cast<CToolsDataBoxDialog*>(app().dataBoxWnd);
    QCOMPARE(window->box(quorstat::BoxKind::bigBase)->list()->model()->rowCount(), 2);
    app().dataBoxWnd->hide();

    // "清空" asks, and the service's empty list comes back; a second time there is nothing to
    // clear.
    prompter_.answers = {QMessageBox::Yes};
    list()->findChild<QPushButton*>(QStringLiteral("clearPlans"))->click();
    QVERIFY(prompter_.messages.back().text.startsWith(QStringLiteral("确定要清空所有方案吗？")));
    QCOMPARE(grid()->model()->rowCount(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(
        list()->statisticsLabel()->text().contains(QStringLiteral("最大连挂：-")), kLongWaitMs);
    QVERIFY(list()->PlanText().empty());
    list()->findChild<QPushButton*>(QStringLiteral("clearPlans"))->click();
    QCOMPARE(prompter_.messages.back().text, QStringLiteral("方案已经为空"));
}

QTEST_MAIN(PlanListEndToEndTest)
#include "plan_list_e2e_test.moc"
