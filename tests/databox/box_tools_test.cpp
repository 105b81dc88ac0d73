// The grouping and batch tolerance dialogs and the user's box files, driven as a user would
// through the scripted prompter, on boxes without their window.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "box_test_support.h"
#include "core/quorstat_app.h"
#include "databox/box_file.h"
#include "databox/box_tools.h"
#include "databox/data_box.h"
#include "databox/tools_batch_error_dialog.h"
#include "databox/tools_grouping_dialog.h"
#include "find_child.h"
#include "scripted_prompter.h"

using namespace quorstat;
using namespace quorstat::testing;

namespace {

void pressOk(QDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// Ten items named 0..9.
std::unique_ptr<tagPLANBIGPDATA> tenItems() {
    auto root = NewGroupNode();
    for (int i = 0; i < 10; ++i)
        root->children.push_back(item("12", std::to_string(i)));
    return root;
}

}  // namespace

class BoxToolsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void groupingDialogChecksAndYields_data();
    void groupingDialogChecksAndYields();
    void groupingDialogShowsTheSettingsAndAnswersKeys();
    void batchDialogChecksAndYields_data();
    void batchDialogChecksAndYields();
    void autoGroupingAndBatchToleranceEditTheBox();
    void bigBaseBoxExportsAndImportsAFlatPrj();
    void planBoxFileRoundTripsAndAFailedSaveIsTold();
    void aFileOfAnotherLotteryLeavesTheBoxUnchanged();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    std::filesystem::path historyDir() { return app().paths.dataDir / "SearchLog"; }
    QString file(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    std::unique_ptr<DataBox> box(BoxKind kind, int lotteryId = 1010);

    QTemporaryDir dir_;
    std::unique_ptr<ScriptedPrompter> prompter_;
};

void BoxToolsTest::initTestCase() {
    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
}

void BoxToolsTest::init() {
    app().settings = Settings{};
    std::filesystem::remove_all(historyDir());
    prompter_.reset();
    prompter_ = std::make_unique<ScriptedPrompter>();
}

std::unique_ptr<DataBox> BoxToolsTest::box(BoxKind kind, int lotteryId) {
    auto created = std::make_unique<DataBox>(kind, app().paths.dataDir, false);
    created->load(boxPlay(1301, lotteryId));
    return created;
}

void BoxToolsTest::groupingDialogChecksAndYields_data() {
    QTest::addColumn<bool>("bySize");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("order");          // 顺序, 交叉, 随机
    QTest::addColumn<QString>("tolerance");  // empty: not checked
    QTest::addColumn<QString>("message");    // empty: accepted
    const auto row = [](const char* name, bool bySize, const char* count, int order,
                        const char* tolerance, const char* message) {
        QTest::newRow(name) << bySize << QString(count) << order << QString(tolerance)
                            << QString::fromUtf8(message);
    };
    row("3 groups", false, "3", 0, "", "");
    row("11 groups", false, "11", 1, "", "组数设置不正确");
    row("no count", false, "x", 1, "", "组数设置不正确");
    row("groups of 4", true, "4", 1, "", "");
    row("groups of 0", true, "0", 2, "", "每组个数设置不正确");
    row("groups of 11", true, "11", 2, "", "每组个数设置不正确");
    row("blank tolerance", false, "2", 2, " ", "容错设置不正确");
    row("tolerance", false, "2", 2, "0,1", "");
}

void BoxToolsTest::groupingDialogChecksAndYields() {
    QFETCH(bool, bySize);
    QFETCH(QString, count);
    QFETCH(int, order);
    QFETCH(QString, tolerance);
    QFETCH(QString, message);
    const char* orders[] = {"sequential", "dealt", "random"};

    CToolsGroupingDialog dialog(historyDir(), app().settings, 10);
    dialog.show();
    child<QRadioButton>(&dialog, bySize ? "bySize" : "byCount")->click();
    child<QComboBox>(&dialog, bySize ? "groupSize" : "groupCount")->setCurrentText(count);
    child<QRadioButton>(&dialog, orders[order])->click();
    child<QCheckBox>(&dialog, "sameSize")->setChecked(true);
    child<QCheckBox>(&dialog, "toleranceOn")->setChecked(!tolerance.isEmpty());
    child<QLineEdit>(&dialog, CToolsGroupingDialog::kToleranceHistoryKey)->setText(tolerance);
    child<QLineEdit>(&dialog, CToolsGroupingDialog::kNameHistoryKey)->setText(" 甲组 ");
    pressOk(dialog);

    if (!message.isEmpty()) {
        QCOMPARE(prompter_->messages.size(), std::size_t{1});
        QCOMPARE(prompter_->messages[0].text, message);
        QCOMPARE(prompter_->messages[0].caption, QStringLiteral("提示信息"));
        QVERIFY(dialog.isVisible());
        QVERIFY(app().settings == Settings{});
        return;
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const GroupingOptions& options = dialog.options();
    QCOMPARE(options.mode, bySize ? GroupingMode::bySize : GroupingMode::byCount);
    QCOMPARE(options.count, count.toInt());
    QCOMPARE(int(options.order), order);
    QVERIFY(options.sameSize);
    QCOMPARE(options.toleranceOn, !tolerance.isEmpty());
    QCOMPARE(options.name, std::string("甲组"));
    // Stored for the next grouping; the combo not chosen keeps its count.
    const Settings& stored = app().settings;
    QCOMPARE((std::vector<int>{stored.groupMode, stored.groupCount, stored.userCountPerGroup,
                               stored.groupType, stored.sameUserCount, stored.errorInGroup}),
             (std::vector<int>{bySize, bySize ? 1 : count.toInt(), bySize ? count.toInt() : 1,
                               order, 1, !tolerance.isEmpty()}));
    CToolsGroupingDialog again(historyDir(), app().settings, 10);
    QCOMPARE(child<QLineEdit>(&again, CToolsGroupingDialog::kNameHistoryKey)->text(),
             QStringLiteral("甲组"));
    QCOMPARE(child<QLineEdit>(&again, CToolsGroupingDialog::kToleranceHistoryKey)->text(),
             tolerance);
}

void BoxToolsTest::groupingDialogShowsTheSettingsAndAnswersKeys() {
    app().settings.groupMode = 1;
    app().settings.groupCount = 3;
    app().settings.userCountPerGroup = 4;
    app().settings.groupType = 1;
    CToolsGroupingDialog dialog(historyDir(), app().settings, 10);
    dialog.show();
    auto* groupCount = child<QComboBox>(&dialog, "groupCount");
    auto* groupSize = child<QComboBox>(&dialog, "groupSize");
    auto* tolerance = child<QLineEdit>(&dialog, CToolsGroupingDialog::kToleranceHistoryKey);
    QVERIFY(child<QRadioButton>(&dialog, "dealt")->isChecked());
    QCOMPARE(groupSize->currentText(), QStringLiteral("4"));
    QVERIFY(groupSize->isEnabled() && !groupCount->isEnabled() && !tolerance->isEnabled());
    child<QRadioButton>(&dialog, "byCount")->click();
    child<QCheckBox>(&dialog, "toleranceOn")->click();
    QVERIFY(!groupSize->isEnabled() && groupCount->isEnabled() && tolerance->isEnabled());

    QStringList tabOrder;
    for (QWidget* at = child<QWidget>(&dialog, "byCount"); tabOrder.size() < 11;
         at = at->nextInFocusChain()) {
        if (at->focusPolicy() & Qt::TabFocus && at->isEnabled() && !at->objectName().isEmpty())
            tabOrder << at->objectName();
    }
    QCOMPARE(tabOrder,
             QStringList({"byCount", "groupCount", "bySize", "sequential", "dealt", "random",
                          "sameSize", "toleranceOn", CToolsGroupingDialog::kToleranceHistoryKey,
                          CToolsGroupingDialog::kNameHistoryKey, "byCount"}));

    QTest::keyClick(groupCount->lineEdit(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));  // tolerance on without a text
    tolerance->setText(QStringLiteral("1"));
    if (const QByteArray shot = qgetenv("QUORSTAT_GROUPING_SHOT"); !shot.isEmpty())
        dialog.grab().save(QString::fromLocal8Bit(shot));
    QTest::keyClick(groupCount->lineEdit(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.options().count, 3);
}

void BoxToolsTest::batchDialogChecksAndYields_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "" << true << "容错数输入不正确";
    QTest::newRow("no values") << "无" << true << "容错数输入不正确";
    QTest::newRow("list") << "0 1" << true << "";
    QTest::newRow("switched off") << "2" << false << "";
}

void BoxToolsTest::batchDialogChecksAndYields() {
    QFETCH(QString, text);
    QFETCH(bool, on);
    QFETCH(QString, message);
    CToolsBatchErrorDialog dialog(historyDir());
    dialog.show();
    auto* enabled = child<QCheckBox>(&dialog, "enabled");
    QVERIFY(enabled->isChecked());
    enabled->setChecked(on);
    child<QLineEdit>(&dialog, CToolsBatchErrorDialog::kHistoryKey)->setText(text);
    pressOk(dialog);
    if (!message.isEmpty()) {
        QCOMPARE(prompter_->messages.size(), std::size_t{1});
        QCOMPARE(prompter_->messages[0].text, message);
        QVERIFY(dialog.isVisible());
        return;
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.toleranceOn(), on);
    QCOMPARE(dialog.toleranceText(), text.toStdString());
    CToolsBatchErrorDialog again(historyDir());
    QCOMPARE(child<QLineEdit>(&again, CToolsBatchErrorDialog::kHistoryKey)->text(), text);
}

void BoxToolsTest::autoGroupingAndBatchToleranceEditTheBox() {
    auto plan = box(BoxKind::plan);
    plan->replaceRoot(tenItems());
    QVERIFY(!RunAutoGrouping(app(), *plan, {0, 1}, nullptr));  // cancelled
    QVERIFY(plan->root() == *tenItems());
    prompter_->dialogScripts.push_back([](QDialog& dialog) {
        child<QComboBox>(&dialog, "groupCount")->setCurrentText(QStringLiteral("3"));
        pressOk(dialog);
        return dialog.result();
    });
    QVERIFY(RunAutoGrouping(app(), *plan, {9, 2, 4, 3}, nullptr));
    QCOMPARE(prompter_->dialogTitles, QStringList({"自动分组", "自动分组"}));
    QCOMPARE(names(plan->root()), (std::vector<std::string>{"0", "1", "5", "6", "7", "8", "新建组",
                                                            "新建组001", "新建组002"}));
    QCOMPARE(names(*plan->root().children[6]), (std::vector<std::string>{"2", "3"}));
    QCOMPARE(names(*plan->root().children[8]), (std::vector<std::string>{"9"}));
    QCOMPARE(app().settings.groupCount, 3);

    prompter_->dialogScripts.push_back([](QDialog& dialog) {
        child<QLineEdit>(&dialog, CToolsBatchErrorDialog::kHistoryKey)->setText("0-1");
        pressOk(dialog);
        return dialog.result();
    });
    QVERIFY(RunBatchTolerance(app(), *plan, {0, 6, 8}, nullptr));
    QVERIFY(!RunBatchTolerance(app(), *plan, {7}, nullptr));  // cancelled
    std::vector<std::string> tolerances;
    for (const auto& child : plan->root().children)
        tolerances.push_back(std::to_string(child->toleranceOn) + child->toleranceText);
    QCOMPARE(tolerances,
             (std::vector<std::string>{"0", "0", "0", "0", "0", "0", "10-1", "0", "10-1"}));

    // A row nested as deep as a tree may go cannot go into a new group.
    plan->root().children.push_back(chain(kMaxTreeDepth - 1));
    const tagPLANBIGPDATA before = plan->root();
    QVERIFY(!RunAutoGrouping(app(), *plan, {0, 9}, nullptr));
    QCOMPARE(prompter_->messages.size(), std::size_t{1});
    QCOMPARE(prompter_->messages.back().text, QString::fromUtf8(kTooDeepMessage));
    QCOMPARE(prompter_->dialogTitles.size(), qsizetype{4});
    QVERIFY(plan->root() == before);
}

void BoxToolsTest::bigBaseBoxExportsAndImportsAFlatPrj() {
    auto bigBase = box(BoxKind::bigBase);
    bigBase->root().children = nodes(
        item("12 34", "甲"),
        group(nodes(with(item("56", "乙"), mandatory), with(item("07", "丙"), complemented)), "1"));
    const tagPLANBIGPDATA exported = bigBase->root();
    const QString prj = file("box.prj");
    prompter_->menuChoices = {"保存为prj文件（Norvane专业版文件）",
                              "打开prj文件（Norvane专业版文件）",
                              "打开prj文件（Norvane专业版文件）"};
    prompter_->fileNames = {prj, prj};
    SaveBoxFileAs(app(), *bigBase, nullptr, {});
    QCOMPARE(prompter_->menus.front(),
             QStringList({"保存为dat文件（投注系统文件）", "保存为prj文件（Norvane专业版文件）"}));
    QCOMPARE(prompter_->saveDialogs.back().filter, QStringLiteral("大底文件(*.prj)"));
    QVERIFY(prompter_->saveDialogs.back().dir.endsWith(
        QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + "大底文件.prj"));
    QVERIFY(bigBase->root() == exported);

    QVERIFY(OpenBoxFile(app(), *bigBase, nullptr, {}));
    QVERIFY(prompter_->messages.empty());
    std::vector<std::string> items;
    for (const auto& node : bigBase->root().children)
        items.push_back(node->name + node->numbers() + std::to_string(node->positive) +
                        std::to_string(node->tolerant) + std::to_string(node->isGroup));
    QCOMPARE(items, (std::vector<std::string>{"甲12 34 110", "乙56 100", "丙07 010"}));
    // The file dialog cancelled.
    QVERIFY(!OpenBoxFile(app(), *bigBase, nullptr, {}));
    QCOMPARE(bigBase->root().children.size(), std::size_t{3});
}

void BoxToolsTest::planBoxFileRoundTripsAndAFailedSaveIsTold() {
    auto plan = box(BoxKind::plan);
    // As the plan box shows them after loading.
    plan->root().children = nodes(with(item("12", "甲"), filteredOut),
                                  group(nodes(with(item("34", "乙"), filteredOut)), "0,1"));
    const tagPLANBIGPDATA saved = plan->root();
    const QString dat = file("plan.dat");
    prompter_->fileNames = {dat, dat, file("missing/plan.dat")};
    SaveBoxFileAs(app(), *plan, nullptr, {});
    QCOMPARE(prompter_->saveDialogs.back().filter, QStringLiteral("方案盒数据(*.dat)"));
    plan->replaceRoot(nullptr);
    QVERIFY(OpenBoxFile(app(), *plan, nullptr, {}));
    QVERIFY(plan->root() == saved);
    QVERIFY(prompter_->menus.empty() && prompter_->messages.empty());

    SaveBoxFileAs(app(), *plan, nullptr, {});
    // The second dialog starts where the first file went.
    QCOMPARE(prompter_->saveDialogs.back().dir,
             dir_.filePath(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                           "方案盒数据.dat"));
    QCOMPARE(prompter_->messages.size(), std::size_t{1});
    QCOMPARE(prompter_->messages[0].text, QStringLiteral("保存文件失败"));

    SaveBoxFileAs(app(), *plan, nullptr, {});  // cancelled
    QCOMPARE(prompter_->messages.size(), std::size_t{1});
}

void BoxToolsTest::aFileOfAnotherLotteryLeavesTheBoxUnchanged() {
    auto other = box(BoxKind::plan, 1011);
    other->root().children = nodes(item("12", "甲"));
    const QString dat = file("other.dat");
    QVERIFY(SaveBoxFile(dat.toStdString(), other->scope(), other->root()));
    auto plan = box(BoxKind::plan);
    plan->root().children = nodes(item("34", "乙"));
    const tagPLANBIGPDATA before = plan->root();
    prompter_->fileNames = {dat};
    QVERIFY(!OpenBoxFile(app(), *plan, nullptr, {}));
    QVERIFY(plan->root() == before);
    QVERIFY(prompter_->messages.empty());
    // The big-base box's menu closed without a choice.
    auto bigBase = box(BoxKind::bigBase);
    QVERIFY(!OpenBoxFile(app(), *bigBase, nullptr, {}));
    QCOMPARE(prompter_->menus.back().size(), qsizetype{2});
    QVERIFY(bigBase->root().children.empty());
}

QTEST_MAIN(BoxToolsTest)
#include "box_tools_test.moc"
