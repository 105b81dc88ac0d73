#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "console/console_dialog.h"
#include "core/atomic_file.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "find_child.h"
#include "plan/plan_form_file.h"
#include "plan/sub_plan_dialog.h"
#include "plan/sub_plan_stat_dialog.h"
#include "plan/tools_plan_detail_dialog.h"
#include "scripted_prompter.h"
#include "ui/history_edit.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();

namespace {

constexpr int kOpenIssue = 130501029;

void type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    emit edit->editingFinished();
}

std::vector<std::int64_t> multiplesOf(const std::vector<quorstat::MultipleRow>& rows) {
    std::vector<std::int64_t> multiples;
    for (const auto& row : rows)
        multiples.push_back(row.multiple);
    return multiples;
}

}  // namespace

class PlanFormWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void theUserComputesATableAndRefusedFieldsAreReset();
    void multiplesAreModifiedThroughTheMenuAndRemembered();
    void presetsAreAddedEditedAndApplied();
    void theFormStateOfTwoLotteriesSurvivesARestart();
    void planDetailShowsTheLinesAndCopiesTheNumbers();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    std::filesystem::path formFile() const {
        return std::filesystem::path(dir_.path().toStdString()) / "MyPlanDataConfig.dat";
    }
    void run();
    CSubPlanStatDialog* form() { return app().console->findChild<CSubPlanStatDialog*>(); }
    // Shows the table's menu and chooses an entry; false when the menu does not offer it.
    bool chooseFromTableMenu(const QString& entry);

    QTemporaryDir dir_;
    std::unique_ptr<QWidget> host_;
    std::unique_ptr<ScriptedPrompter> prompter_;
};

void PlanFormWidgetTest::initTestCase() {
    qputenv("QUORSTAT_DATA_DIR", dir_.path().toUtf8());
    char title[kQstTextBufferSize];
    char version[kQstTextBufferSize];
    QST_Init(title, version);
}

void PlanFormWidgetTest::init() {
    std::filesystem::remove(formFile());
    prompter_ = std::make_unique<ScriptedPrompter>();
    app().lotteryId = 1010;
    app().playId = 1301;
    run();
}

void PlanFormWidgetTest::run() {
    host_ = std::make_unique<QWidget>();
    QVERIFY(QST_Run(host_.get(), nullptr, nullptr, 0) != 0);
    app().console->buildPages();
    // As after the login, which the login dialog holds the window back for.
    app().console->setEnabled(true);
    // The issue open for betting, as the draw-time table would give it.
    app().play.currentIssue = kOpenIssue;
    app().play.issuesPerDay = 120;
    form()->OnIssueChanged();
}

void PlanFormWidgetTest::cleanup() {
    QST_Exit();
    host_.reset();
    prompter_.reset();
}

bool PlanFormWidgetTest::chooseFromTableMenu(const QString& entry) {
    form()->showTableMenu(QPoint(100, 100));
    const auto menus = form()->findChildren<QMenu*>(QStringLiteral("calculatorMenu"));
    if (menus.isEmpty())
        return false;
    QMenu* menu = menus.last();
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == entry)
            chosen = action;
    }
    menu->close();
    if (chosen)
        chosen->trigger();
    return chosen != nullptr;
}

void PlanFormWidgetTest::theUserComputesATableAndRefusedFieldsAreReset() {
    CSubPlanStatDialog* plan = form();
    QVERIFY(plan);
    // The page opens with the chosen tab and the plain rows of one issue.
    QCOMPARE(plan->rows().size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(plan->rows()[0].cells[quorstat::ColIssue]),
             QStringLiteral("130501029期"));

    plan->record().betNumbers = "01 02 03 04 05 06 07 08 09 10";
    child<QRadioButton>(plan, "strategy258")->click();
    QVERIFY(child<QLineEdit>(plan, "fixedRate")->isEnabled());
    QVERIFY(!child<QLineEdit>(plan, "fixedProfit")->isEnabled());
    child<QComboBox>(plan, "issueCount")->setCurrentIndex(9);
    type(child<QLineEdit>(plan, "prize"), QStringLiteral("195"));
    child<QPushButton>(plan, "calculate")->click();
    QVERIFY(prompter_->messages.empty());
    QCOMPARE(multiplesOf(plan->rows()), (std::vector<std::int64_t>{1, 1, 1, 1, 1, 1, 1, 1, 2, 2}));
    QCOMPARE(plan->table()->model()->index(8, quorstat::ColRate).data().toString(),
             QStringLiteral("95.00%"));
    QCOMPARE(plan->record().betNumbers, std::string("01 02 03 04 05 06 07 08 09 10 "));

    // 联动: the prize keeps its ratio to the cost.
    type(child<QLineEdit>(plan, "unitCost"), QStringLiteral("1"));
    QCOMPARE(child<QLineEdit>(plan, "prize")->text(), QStringLiteral("97.500"));
    type(child<QLineEdit>(plan, "unitCost"), QStringLiteral("5000"));
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("单注金额设置不正确"));
    QCOMPARE(child<QLineEdit>(plan, "unitCost")->text(), QStringLiteral("2.0"));
    type(child<QLineEdit>(plan, "prize"), QStringLiteral("abc"));
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("中奖金额设置不正确"));
    QCOMPARE(child<QLineEdit>(plan, "prize")->text(), QStringLiteral("1000.0"));

    // A refused setting of the chosen strategy is shown, replaced and leaves the plain rows.
    type(child<QLineEdit>(plan, "prize"), QStringLiteral("195"));
    child<QLineEdit>(plan, "fixedRate")->setText(QStringLiteral("-3"));
    child<QPushButton>(plan, "calculate")->click();
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("固定利润率设置不正确"));
    QCOMPARE(child<QLineEdit>(plan, "fixedRate")->text(), QStringLiteral("10.00"));
    QCOMPARE(plan->rows().size(), std::size_t(10));
    QVERIFY(plan->rows()[0].cells[quorstat::ColCost].empty());
}

void PlanFormWidgetTest::multiplesAreModifiedThroughTheMenuAndRemembered() {
    CSubPlanStatDialog* plan = form();
    plan->record().betNumbers = "01 02 03 04 05 06 07 08 09 10";
    child<QComboBox>(plan, "issueCount")->setCurrentIndex(3);
    type(child<QLineEdit>(plan, "prize"), QStringLiteral("195"));
    child<QRadioButton>(plan, "strategy262")->click();
    child<QPushButton>(plan, "calculate")->click();
    QCOMPARE(multiplesOf(plan->rows()), (std::vector<std::int64_t>{1, 1, 2, 2}));

    plan->table()->selectionModel()->select(
        QItemSelection(plan->table()->model()->index(1, 0), plan->table()->model()->index(2, 7)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QString refusal;
    prompter_->dialogScripts.push_back([&](QDialog& dialog) {
        auto* input = dialog.findChild<HistoryEdit*>();
        input->setText(QStringLiteral("abc"));
        dialog.accept();
        refusal = prompter_->messages.empty() ? QString() : prompter_->messages.back().text;
        input->setText(QStringLiteral("３ 7"));
        dialog.accept();
        return dialog.result();
    });
    QVERIFY(chooseFromTableMenu(QStringLiteral("修改选中项倍数")));
    QCOMPARE(refusal, QStringLiteral("没有输入有效的倍数"));
    QCOMPARE(multiplesOf(plan->rows()), (std::vector<std::int64_t>{1, 3, 7, 2}));
    QVERIFY(child<QRadioButton>(plan, "strategy256")->isChecked());
    QCOMPARE(plan->record().manualMultiples, (std::vector<std::uint32_t>{1, 3, 7, 2}));
    QCOMPARE(plan->table()->selectionModel()->selectedRows().size(), 2);

    // The next dialog offers what was typed, newest first.
    prompter_->dialogScripts.push_back([&](QDialog& dialog) {
        auto* input = dialog.findChild<HistoryEdit*>();
        refusal = input->entries().join(QLatin1Char('|'));
        input->setText(QStringLiteral("5"));
        dialog.accept();
        return dialog.result();
    });
    QVERIFY(chooseFromTableMenu(QStringLiteral("修改全部项倍数")));
    QCOMPARE(refusal, QStringLiteral("３ 7"));
    QCOMPARE(multiplesOf(plan->rows()), (std::vector<std::int64_t>{5, 5, 5, 5}));

    plan->table()->clearSelection();
    QVERIFY(!chooseFromTableMenu(QStringLiteral("修改选中项倍数")));
    QVERIFY(!chooseFromTableMenu(QStringLiteral("复制毛利润到初始资金")));
    plan->table()->selectRow(3);
    QVERIFY(chooseFromTableMenu(QStringLiteral("复制毛利润到初始资金")));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("975.00"));
    QCOMPARE(child<QLineEdit>(plan, "capital")->text(), QStringLiteral("975.00"));
}

void PlanFormWidgetTest::presetsAreAddedEditedAndApplied() {
    CSubPlanStatDialog* plan = form();
    plan->record().betNumbers = "01 02 03 04 05 06 07 08 09 10";
    child<QComboBox>(plan, "issueCount")->setCurrentIndex(2);
    type(child<QLineEdit>(plan, "prize"), QStringLiteral("195"));
    child<QRadioButton>(plan, "strategy262")->click();
    child<QComboBox>(plan, "raiseMode")->setCurrentIndex(1);
    child<QLineEdit>(plan, "raiseEvery")->setText(QStringLiteral("1"));
    child<QPushButton>(plan, "calculate")->click();
    QCOMPARE(multiplesOf(plan->rows()), (std::vector<std::int64_t>{1, 2, 4}));

    QVERIFY(chooseFromTableMenu(QStringLiteral("添加到预设")));
    prompter_->answers.push_back(QMessageBox::No);
    QVERIFY(chooseFromTableMenu(QStringLiteral("添加到预设")));
    QCOMPARE(prompter_->messages.back().text,
             QStringLiteral("存在相同的预设数据，是否要继续添加？"));
    auto* presets = child<QComboBox>(plan, "presets");
    QCOMPARE(presets->count(), 2);
    QCOMPARE(presets->itemText(1), QStringLiteral("预设1"));

    // The editor: a second preset of three issues, refused once for its count of multiples.
    QStringList itemMessages;
    prompter_->dialogScripts.push_back([&](QDialog& editor) {
        for (QPushButton* button : editor.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("添加"))
                button->click();
        }
        return editor.findChild<QTableWidget*>()->rowCount() == 2 ? int(QDialog::Accepted)
                                                                  : int(QDialog::Rejected);
    });
    prompter_->dialogScripts.push_back([&](QDialog& item) {
        child<QLineEdit>(&item, "presetName")->setText(QStringLiteral("稳健"));
        child<QLineEdit>(&item, "presetIssues")->setText(QStringLiteral("3"));
        child<QLineEdit>(&item, "presetMultiples")->setText(QStringLiteral("1 1"));
        item.accept();
        itemMessages << prompter_->messages.back().text;
        child<QLineEdit>(&item, "presetMultiples")->setText(QStringLiteral("1 1 3"));
        item.accept();
        return item.result();
    });
    presets->activated(0);
    QCOMPARE(itemMessages, QStringList{QStringLiteral("倍数个数不正确，")});
    QCOMPARE(prompter_->dialogTitles.mid(prompter_->dialogTitles.size() - 2),
             (QStringList{QStringLiteral("预设编辑器"), QStringLiteral("新建预设数据")}));
    QCOMPARE(presets->count(), 3);
    const auto stored = quorstat::ReadPlanFormFile(*quorstat::ReadWholeFile(formFile()));
    QCOMPARE(stored.size(), std::size_t(1));
    QCOMPARE(stored[0].presets.size(), std::size_t(2));
    QCOMPARE(stored[0].presets[1].presetMultiples, (std::vector<std::uint32_t>{1, 1, 3}));

    // Choosing it fills the table with its multiples and computes them by hand.
    presets->activated(2);
    QCOMPARE(multiplesOf(plan->rows()), (std::vector<std::int64_t>{1, 1, 3}));
    QCOMPARE(QString::fromStdString(plan->rows()[2].cells[quorstat::ColTotal]),
             QStringLiteral("100.00"));
    QCOMPARE(plan->record().manualMultiples, (std::vector<std::uint32_t>{1, 1, 3}));
}

void PlanFormWidgetTest::theFormStateOfTwoLotteriesSurvivesARestart() {
    // A damaged file is left alone while the user changes nothing.
    QST_Exit();
    const std::string damaged = "not a form file";
    { std::ofstream(formFile(), std::ios::binary) << damaged; }
    run();
    QST_Exit();
    QCOMPARE(quorstat::ReadWholeFile(formFile()), std::optional<std::string>(damaged));

    app().settings.tabIndexTotal = 1;
    run();
    QCOMPARE(app().console->findChild<QTabWidget*>(QStringLiteral("tabs"))->currentIndex(), 1);
    QCOMPARE(app().settings.tabIndexTotal, 1);
    app().console->SelectPlay(1302);
    type(child<QLineEdit>(form(), "prize"), QStringLiteral("950"));
    child<QComboBox>(form(), "issueCount")->setCurrentIndex(6);
    app().console->SelectLottery(1011);
    QCOMPARE(child<QLineEdit>(form(), "prize")->text(), QStringLiteral("1000.000"));
    child<QRadioButton>(form(), "strategy259")->click();
    child<QLineEdit>(form(), "fixedProfit")->setText(QStringLiteral("250"));
    QST_Exit();

    run();
    QCOMPARE(app().lotteryId, 1011);
    QVERIFY(child<QRadioButton>(form(), "strategy259")->isChecked());
    QCOMPARE(child<QLineEdit>(form(), "fixedProfit")->text(), QStringLiteral("250.00"));
    app().console->SelectLottery(1010);
    QCOMPARE(child<QLineEdit>(form(), "prize")->text(), QStringLiteral("950.000"));
    QCOMPARE(child<QComboBox>(form(), "issueCount")->currentText(), QStringLiteral("7"));
    QVERIFY(child<QRadioButton>(form(), "strategy256")->isChecked());
    app().settings.tabIndexTotal = 0;
}

void PlanFormWidgetTest::planDetailShowsTheLinesAndCopiesTheNumbers() {
    quorstat::tagPLANITEM plan;
    plan.userName = "demo";
    plan.lotteryName = "重庆时时彩";
    plan.starName = "两星";
    plan.kindName = "单选";
    plan.positions = "45";
    plan.betCount = 2;
    plan.numbers = "12 34 ";
    QStringList lines;
    prompter_->dialogScripts.push_back([&](QDialog& dialog) {
        lines = static_cast<CToolsPlanDetailDialog&>(dialog).lines();
        child<QPushButton>(&dialog, "copyNumbers")->click();
        return int(QDialog::Accepted);
    });
    app().console->findChild<CSubPlanDialog*>()->ShowPlanDetail(plan);
    QCOMPARE(prompter_->dialogTitles.back(), QStringLiteral("方案详情"));
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines[1], QStringLiteral("投注类型：重庆时时彩，两星单选，位置：后二"));
    QCOMPARE(lines[8], QStringLiteral("投注号码【2注】："));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12 34 "));
    QCOMPARE(prompter_->prompts.back(), QStringLiteral("复制号码成功"));
}

QTEST_MAIN(PlanFormWidgetTest)
#include "plan_form_widget_test.moc"
