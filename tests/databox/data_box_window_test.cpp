// The data box window without a service: the member list's context menu for every kind of
// selection, and the boxes kept across a change of play and a restart of the window.
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include "console/console_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "databox/box_clipboard.h"
#include "databox/box_file.h"
#include "databox/tools_data_box_dialog.h"
#include "databox/tools_data_box_sub_dialog.h"
#include "databox/tools_data_box_sub_pop_dialog.h"
#include "scripted_prompter.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();

namespace {

using quorstat::BoxKind;

const QStringList kListEdits = {"删除", "清空", "复制", "复制到新建组", "剪切", "剪切到新建组"};

quorstat::PlayState playOf(int playId) {
    quorstat::PlayState play;
    play.selectLottery(1010);
    play.selectPlay(playId);
    return play;
}

QStringList rowNames(const quorstat::tagPLANBIGPDATA& group) {
    QStringList names;
    for (const auto& child : group.children)
        names << QString::fromStdString(child->name) +
                     (child->group() ? QStringLiteral("(%1)").arg(child->children.size())
                                     : QString());
    return names;
}

void selectRows(QTableView* list, const QList<int>& rows) {
    list->clearSelection();
    for (const int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

}  // namespace

class DataBoxWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void theContextMenuOffersWhatAppliesToTheSelection_data();
    void theContextMenuOffersWhatAppliesToTheSelection();
    void anEditFromTheMenuIsWrittenAtOnceAndAPlayChangeKeepsBothBoxes();
    void aBoxSavedWithItsButtonOpensAgain();
    void aTransferThatCannotBeSentEndsItsWaitAtOnce();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CToolsDataBoxDialog* window() { return qobject_cast<CToolsDataBoxDialog*>(app().dataBoxWnd); }
    void fillBox(BoxKind kind);

    QTemporaryDir dir_;
    std::unique_ptr<QWidget> host_;
    std::unique_ptr<ScriptedPrompter> prompter_;
};

void DataBoxWindowTest::initTestCase() {
    qputenv("QUORSTAT_DATA_DIR", dir_.path().toUtf8());
    char title[kQstTextBufferSize];
    char version[kQstTextBufferSize];
    QST_Init(title, version);
}

void DataBoxWindowTest::init() {
    // The old prompter uninstalls itself when it goes, so it goes first.
    prompter_.reset();
    prompter_ = std::make_unique<ScriptedPrompter>();
    // Boxes are written on a play change only while someone is logged in.
    app().sessionToken = "token";
    app().lotteryId = 1010;
    app().playId = 1302;
    app().play = playOf(1302);
    host_ = std::make_unique<QWidget>();
    QVERIFY(QST_Run(host_.get(), nullptr, nullptr, 0) != 0);
    app().console->buildPages();
    // As after the login, which the login dialog holds the window back for.
    app().console->setEnabled(true);
    QVERIFY(window());
}

void DataBoxWindowTest::cleanup() {
    QST_Exit();
    host_.reset();
    for (const int playId : {1302, 1303})
        for (const BoxKind kind : {BoxKind::plan, BoxKind::bigBase})
            std::filesystem::remove(
                quorstat::BoxTemporaryFile(app().paths.dataDir, {kind, 1010, playId}));
}

void DataBoxWindowTest::cleanupTestCase() {
    app().sessionToken.clear();
}

// Rows 甲, 乙 and a group of 丙 and 丁.
void DataBoxWindowTest::fillBox(BoxKind kind) {
    const auto user = [](const char* name, std::int32_t userId) {
        auto item = quorstat::NewItemNode();
        item->name = name;
        item->userId = userId;
        return item;
    };
    auto group = quorstat::NewGroupNode();
    group->children.push_back(user("丙", 9));
    group->children.push_back(user("丁", 10));
    auto root = quorstat::NewGroupNode();
    root->children.push_back(user("甲", 7));
    root->children.push_back(user("乙", 8));
    root->children.push_back(std::move(group));
    window()->box(kind)->setTree(*root);
}

void DataBoxWindowTest::theContextMenuOffersWhatAppliesToTheSelection_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<bool>("copiedFirst");
    QTest::addColumn<bool>("inGroupEditor");
    QTest::addColumn<QStringList>("items");
    const int plan = int(BoxKind::plan);
    const int bigBase = int(BoxKind::bigBase);
    const QStringList mainBox = {"运算", "验证"};
    const QStringList files = {"打开 ...", "保存 ..."};
    // The tools around "新建组 ..." when some but not all rows are selected and none is a group.
    const QStringList partTools = {"自动分组（选中项）...", "自动分组（所有项）...", "新建组 ...",
                                   "选中组批量容错 ...", "所有组批量容错 ..."};
    QTest::newRow("nothing selected")
        << plan << QList<int>{} << false << false
        << mainBox + QStringList{"自动分组 ...", "新建组 ...", "组批量容错 ...", "清空"} + files;
    QTest::newRow("one user") << plan << QList<int>{0} << false << false
                              << mainBox + partTools + kListEdits + files;
    QTest::newRow("one group") << plan << QList<int>{2} << false << false
                               << mainBox + QStringList{"自动分组（选中项）...",
                                                        "自动分组（所有项）...",
                                                        "新建组 ...",
                                                        "编辑组 ...",
                                                        "解散组",
                                                        "选中组批量容错 ...",
                                                        "所有组批量容错 ..."} +
                                      kListEdits + files;
    QTest::newRow("everything") << plan << QList<int>{0, 1, 2} << false << false
                                << mainBox +
                                       QStringList{"自动分组 ...", "新建组 ...", "解散组",
                                                   "组批量容错 ..."} +
                                       kListEdits + files;
    QTest::newRow("one plan of the big-base box")
        << bigBase << QList<int>{1} << false << false
        << mainBox + QStringList{"查看"} + partTools + kListEdits + files;
    QTest::newRow("two plans of the big-base box") << bigBase << QList<int>{0, 1} << false << false
                                                   << mainBox + partTools + kListEdits + files;
    QTest::newRow("after a copy, nothing selected")
        << plan << QList<int>{} << true << false
        << mainBox + QStringList{"自动分组 ...", "新建组 ...", "组批量容错 ...", "清空", "粘贴"} +
               files;
    QTest::newRow("one plan in the group editor")
        << bigBase << QList<int>{1} << false << true << partTools + kListEdits + files;
}

void DataBoxWindowTest::theContextMenuOffersWhatAppliesToTheSelection() {
    QFETCH(int, kind);
    QFETCH(QList<int>, selection);
    QFETCH(bool, copiedFirst);
    QFETCH(bool, inGroupEditor);
    QFETCH(QStringList, items);
    fillBox(BoxKind(kind));
    CToolsDataBoxSubDialog* box = window()->box(BoxKind(kind));
    quorstat::BoxClipboard clipboard;
    CToolsDataBoxSubDialog editor(app(), BoxKind(kind), clipboard,
                                  CToolsDataBoxSubDialog::Mode::groupEditor);
    if (inGroupEditor) {
        editor.setTree(box->box().root());
        box = &editor;
    }
    QCOMPARE(rowNames(box->box().root()), (QStringList{"甲", "乙", "新建组(2)"}));
    if (copiedFirst) {
        selectRows(box->list(), {0});
        prompter_->menuChoices.push_back(QStringLiteral("复制"));
        box->showContextMenu({});
    }
    selectRows(box->list(), selection);
    box->showContextMenu({});
    QCOMPARE(prompter_->menus.back(), items);
}

void DataBoxWindowTest::anEditFromTheMenuIsWrittenAtOnceAndAPlayChangeKeepsBothBoxes() {
    fillBox(BoxKind::plan);
    CToolsDataBoxSubDialog* plan = window()->box(BoxKind::plan);
    const auto planFile1302 =
        quorstat::BoxTemporaryFile(app().paths.dataDir, {BoxKind::plan, 1010, 1302});

    // 甲 and 乙 cut into a group of their own: the file has it before anything else happens.
    selectRows(plan->list(), {0, 1});
    prompter_->menuChoices.push_back(QStringLiteral("剪切到新建组"));
    plan->showContextMenu({});
    QCOMPARE(rowNames(plan->box().root()), (QStringList{"新建组(2)", "新建组001(2)"}));
    auto written = quorstat::LoadBoxFile(planFile1302, {BoxKind::plan, 1010, 1302});
    QVERIFY(written);
    QCOMPARE(rowNames(*written), (QStringList{"新建组(2)", "新建组001(2)"}));
    QCOMPARE(rowNames(*written->children[1]), (QStringList{"甲", "乙"}));

    // "编辑组 ..." edits a copy; "确定" puts it back with the tolerance and name of its controls.
    prompter_->dialogScripts.push_back([](QDialog& dialog) {
        auto& editor = dynamic_cast<CToolsDataBoxSubPopDialog&>(dialog);
        editor.findChild<QCheckBox*>(QStringLiteral("rootTolerance"))->setChecked(true);
        editor.findChild<QLineEdit*>(QStringLiteral("rootToleranceText"))->setText("1");
        editor.findChild<QLineEdit*>(QStringLiteral("groupName"))->setText("新建组001");
        editor.accept();
        return editor.result();
    });
    selectRows(plan->list(), {0});
    prompter_->menuChoices.push_back(QStringLiteral("编辑组 ..."));
    plan->showContextMenu({});
    QCOMPARE(prompter_->dialogTitles.back(), QStringLiteral("编辑组"));
    // The name is taken by the other group, so a number is appended to it.
    QCOMPARE(rowNames(plan->box().root()), (QStringList{"新建组001001(2)", "新建组001(2)"}));
    written = quorstat::LoadBoxFile(planFile1302, {BoxKind::plan, 1010, 1302});
    QCOMPARE(written->children[0]->toleranceText, std::string("1"));
    QCOMPARE(written->children[0]->toleranceOn, 1);

    // The root's tolerance travels with the box; the play changes to 四星单选.
    plan->findChild<QCheckBox*>(QStringLiteral("rootTolerance"))->setChecked(true);
    plan->findChild<QLineEdit*>(QStringLiteral("rootToleranceText"))
        ->setText(QStringLiteral("0,1"));
    app().playId = 1303;
    app().play = playOf(1303);
    window()->ClearBoxes();
    QCOMPARE(rowNames(plan->box().root()), QStringList{});
    QCOMPARE(plan->box().play().playId, 1303);

    // Back on 三星单选 after a restart of the module: the box is as it was left.
    QST_Exit();
    host_ = std::make_unique<QWidget>();
    app().playId = 1302;
    app().play = playOf(1302);
    QVERIFY(QST_Run(host_.get(), nullptr, nullptr, 0) != 0);
    app().console->buildPages();
    plan = window()->box(BoxKind::plan);
    QCOMPARE(rowNames(plan->box().root()), (QStringList{"新建组001001(2)", "新建组001(2)"}));
    QCOMPARE(rowNames(*plan->box().root().children[0]), (QStringList{"丙", "丁"}));
    QCOMPARE(plan->box().root().toleranceText, std::string("0,1"));
    QVERIFY(plan->findChild<QCheckBox*>(QStringLiteral("rootTolerance"))->isChecked());
    QCOMPARE(plan->list()->model()->index(1, 1).data().toString(), QStringLiteral("新建组001"));
    QCOMPARE(plan->list()->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
}

void DataBoxWindowTest::aBoxSavedWithItsButtonOpensAgain() {
    fillBox(BoxKind::plan);
    CToolsDataBoxSubDialog* plan = window()->box(BoxKind::plan);
    const auto click = [plan](const char* name) {
        plan->findChild<QPushButton*>(QString::fromUtf8(name))->click();
    };
    plan->findChild<QCheckBox*>(QStringLiteral("rootTolerance"))->setChecked(true);
    plan->findChild<QLineEdit*>(QStringLiteral("rootToleranceText"))->setText(QStringLiteral("2"));
    const QString file = dir_.filePath(QStringLiteral("box.dat"));
    prompter_->fileNames = {file};
    click("保存");
    QVERIFY(QFileInfo::exists(file));

    prompter_->answers = {QMessageBox::Yes};
    click("清空");
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("确定要删除所有用户吗？"));
    QCOMPARE(rowNames(plan->box().root()), QStringList{});
    plan->findChild<QCheckBox*>(QStringLiteral("rootTolerance"))->setChecked(false);

    prompter_->fileNames = {file};
    click("打开");
    QCOMPARE(rowNames(plan->box().root()), (QStringList{"甲", "乙", "新建组(2)"}));
    QCOMPARE(plan->list()->model()->rowCount(), 3);
    QVERIFY(plan->findChild<QCheckBox*>(QStringLiteral("rootTolerance"))->isChecked());
    QCOMPARE(plan->findChild<QLineEdit*>(QStringLiteral("rootToleranceText"))->text(),
             QStringLiteral("2"));
    // Opened is as good as edited: the temporary file has it at once.
    const auto kept = quorstat::LoadBoxFile(
        quorstat::BoxTemporaryFile(app().paths.dataDir, {BoxKind::plan, 1010, 1302}),
        {BoxKind::plan, 1010, 1302});
    QVERIFY(kept);
    QCOMPARE(rowNames(*kept), (QStringList{"甲", "乙", "新建组(2)"}));
}

void DataBoxWindowTest::aTransferThatCannotBeSentEndsItsWaitAtOnce() {
    // Logged out: no request can be built, so no reply would ever close the prompt.
    app().sessionToken.clear();
    window()->ReceiveUsers({{"甲", 7, 0, 1}}, BoxKind::bigBase, false);
    CToolsDataBoxSubDialog* bigBase = window()->box(BoxKind::bigBase);
    QCOMPARE(window()->tabs()->currentWidget(), bigBase);
    QVERIFY(!bigBase->waiting());
    QVERIFY(!bigBase->box().waiting());
    QVERIFY(bigBase->isEnabled());
    QVERIFY(app().console->isEnabled());
    QCOMPARE(prompter_->messages.back().text, QStringLiteral("未能发送请求，请确认已登录后再试"));
    QCOMPARE(rowNames(bigBase->box().root()), QStringList{"甲"});
}

QTEST_MAIN(DataBoxWindowTest)
#include "data_box_window_test.moc"
