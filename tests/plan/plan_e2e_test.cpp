// A plan from pasted numbers to the service and back, against the stand-in service over real HTTP.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QtTest>

#include "console/console_dialog.h"
#include "core/quorstat_app.h"
#include "net/plan_record.h"
#include "plan/bet_numbers_field.h"
#include "plan/number_entry_panel.h"
#include "plan/sub_plan_dialog.h"
#include "plan/sub_plan_stat_dialog.h"
#include "scripted_prompter.h"
#include "service_session.h"

namespace {

// The plan page as the central window sees it, keeping each plan-list reply on the way.
struct ListeningPlanPanel : quorstat::PlanPanelView {
    explicit ListeningPlanPanel(CSubPlanDialog& planPage) : page(planPage) {}

    void OnPlanListReply(const std::string& reply, int flag) override {
        replies.emplace_back(reply, flag);
        page.OnPlanListReply(reply, flag);
    }
    void ClearPlanListStamp() override { page.ClearPlanListStamp(); }
    std::string PlanText() const override { return page.PlanText(); }
    void RecomposePlanText() override { page.RecomposePlanText(); }
    void ShowPlanDetail(const quorstat::tagPLANITEM& plan) override { page.ShowPlanDetail(plan); }
    void SetShareFlag(bool shared) override { page.SetShareFlag(shared); }
    void Reset() override { page.Reset(); }
    void OnSelectionChanged() override { page.OnSelectionChanged(); }
    void OnIssueChanged() override { page.OnIssueChanged(); }
    void OnNewDraw() override { page.OnNewDraw(); }
    void OnSettingsChanged() override { page.OnSettingsChanged(); }

    CSubPlanDialog& page;
    std::vector<std::pair<std::string, int>> replies;
};

// 200 three-digit numbers, 000 to 149 and 50 of them again, between separators of every kind.
QString pastedNumbers() {
    const QStringList separators = {QStringLiteral("，"), QStringLiteral(" "),
                                    QStringLiteral("\r\n"), QStringLiteral("; "),
                                    QStringLiteral("、号码")};
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("%1").arg(i * 7 % 150, 3, 10, QLatin1Char('0')) +
                separators[i % separators.size()];
    return text;
}

}  // namespace

class PlanEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void pastedNumbersBecomeAPlanOfTheService();

private:
    CQuorstatApp& app() { return session_.app(); }

    ScriptedPrompter prompter_;
    QWidget host_;
    ServiceSession session_{"2013-05-01 10:41:10"};
    // Stays attached until the module ends.
    std::unique_ptr<ListeningPlanPanel> panel_;
};

void PlanEndToEndTest::initTestCase() {
    QVERIFY(session_.start(host_));
    QVERIFY(session_.logIn());
}

void PlanEndToEndTest::cleanupTestCase() {
    session_.stop();
}

void PlanEndToEndTest::pastedNumbersBecomeAPlanOfTheService() {
    auto* page = app().console->findChild<CSubPlanDialog*>();
    panel_ = std::make_unique<ListeningPlanPanel>(*page);
    app().console->attachPlanPanel(page, panel_.get());
    ListeningPlanPanel& panel = *panel_;
    CSubPlanStatDialog* form = page->planForm();
    QCOMPARE(app().playId, 1302);
    QCOMPARE(app().draw.currentIssue, 130501029);

    QGuiApplication::clipboard()->setText(pastedNumbers());
    form->findChild<QPushButton*>(QStringLiteral("pasteNumbers"))->click();
    QTRY_VERIFY(!form->numberEntry()->busy());
    form->findChild<QCheckBox*>(QStringLiteral("position0"))->click();
    form->findChild<QComboBox*>(QStringLiteral("issueCount"))->setCurrentIndex(2);
    form->findChild<QPushButton*>(QStringLiteral("calculate"))->click();
    QCOMPARE(form->rows().size(), std::size_t(3));
    prompter_.answers = {QMessageBox::Yes, QMessageBox::Yes};
    form->findChild<QPushButton*>(QStringLiteral("submit"))->click();
    QCOMPARE(prompter_.messages.size(), std::size_t(2));

    QTRY_COMPARE_WITH_TIMEOUT(panel.replies.size(), std::size_t(1), 10000);
    QCOMPARE(panel.replies[0].second, 1);
    const quorstat::PlanListReply list = quorstat::ParsePlanList(panel.replies[0].first);
    QCOMPARE(list.plans.size(), std::size_t(1));
    const quorstat::tagPLANITEM& plan = list.plans[0];
    QCOMPARE(plan.userName, std::string("demo"));
    QCOMPARE(plan.kindName, std::string("单选"));
    QCOMPARE(plan.positions, std::string("123"));
    QCOMPARE(plan.firstIssue, 130501029);
    QCOMPARE(plan.lastIssue, 130501031);
    QCOMPARE(plan.multiples, std::string("1,1,1"));
    QCOMPARE(plan.betCount, 150);
    QCOMPARE(plan.numbers.size(), std::size_t(150 * 4));
    QCOMPARE(plan.numbers.substr(0, 12), std::string("000 001 002 "));
    QCOMPARE(plan.numbers.substr(plan.numbers.size() - 8), std::string("148 149 "));
    QTRY_COMPARE(prompter_.prompts, QStringList{QStringLiteral("方案提交成功")});
    QVERIFY(form->numberEntry()->numbersField()->isEmpty());
    QVERIFY(app().shareFlag);
}

QTEST_MAIN(PlanEndToEndTest)
#include "plan_e2e_test.moc"
