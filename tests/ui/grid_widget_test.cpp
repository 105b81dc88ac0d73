#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include "core/text_codec.h"
#include "no_write_access.h"
#include "scripted_prompter.h"
#include "ui/grid_ctrl.h"
#include "ui/grid_model.h"
#include "ui/grid_text.h"
#include "ui/list_check_menu.h"
#include "xls_reader.h"

Q_DECLARE_METATYPE(std::vector<QMessageBox::StandardButton>)

namespace {

using quorstat::GridColumn;
using quorstat::GridCompare;
using quorstat::GridContent;
using quorstat::GridRow;

GridRow Row(std::vector<std::string> cells) {
    GridRow row;
    row.cells = std::move(cells);
    return row;
}

// Four plans and their total, like the own-plan list: 序号, 状态, 利润 (a number), 详情 (a link).
GridContent Plans() {
    GridContent grid;
    grid.columns = {{"序号"},
                    {"状态"},
                    {"利润", false, GridCompare::Number},
                    {"详情", false, GridCompare::Text, true}};
    grid.rows = {Row({"4", "等(1)", "0.00", "查看"}), Row({"3", "中(2)", "18.00", "查看"}),
                 Row({"2", "挂(3)", "-6.00", "查看"}), Row({"1", "停(1)", "-2.00", "查看"}),
                 Row({"合计", "", "10.00", ""})};
    grid.rows[1].cellColours = {{}, {0xFF0000, {}}};
    grid.rows[2].colours.text = 0x969696;
    grid.summaryRows = 1;
    return grid;
}

// `columns` named columns and `rows` rows whose cells are left out (empty).
GridContent Sized(int columns, int rows) {
    GridContent grid;
    for (int column = 0; column < columns; ++column)
        grid.columns.push_back({"c" + std::to_string(column)});
    grid.rows.resize(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        grid.rows[static_cast<std::size_t>(row)].cells = {"r" + std::to_string(row)};
    return grid;
}

QStringList Column(const QAbstractItemModel& model, int column) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ClickHeader(CGridCtrl& grid, int column) {
    QHeaderView* header = grid.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, 5));
}

// An item view takes a double click only on the cell the button went down on.
void DoubleClick(QAbstractItemView& view, const QModelIndex& index) {
    const QPoint at = view.visualRect(index).center();
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
}

const QString kColumnsQuestion =
    QStringLiteral("列表中列数过多，最多只能导出前255列，是否继续导出？");
const QString kRowsQuestion =
    QStringLiteral("列表中数据过多，最多只能导出前65000行，是否继续导出？");
const QString kLongQuestion =
    QStringLiteral("列表中数据行数超过1万行，可能需要比较长的时间，是否继续导出？");
const QString kFailed = QStringLiteral("导出文件错误，请重新操作");

}  // namespace

class GridWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void modelPassesTheModelTester();
    void headerClicksSortAndKeepTheSummaryLast();
    void rowsAndLinksReportTheirRecords();
    void exportAsksItsQuestionsInOrder_data();
    void exportAsksItsQuestionsInOrder();
    void exportChoosesFileAndFormat();
    void exportIntoReadOnlyDirectoryShowsTheMessage_data();
    void exportIntoReadOnlyDirectoryShowsTheMessage();
    void checkMenuChecksAndSelectsRows();
    void summaryRowStandsOutAtTheBottom();

private:
    QTemporaryDir dir_;
};

void GridWidgetTest::modelPassesTheModelTester() {
    GridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setContent(Plans());
    model.sort(2, Qt::DescendingOrder);
    model.sort(0, Qt::AscendingOrder);
    model.setContent(Sized(3, 40));
    model.sort(-1);
    model.setContent({});
    QCOMPARE(model.rowCount(), 0);
}

void GridWidgetTest::headerClicksSortAndKeepTheSummaryLast() {
    CGridCtrl grid;
    grid.resize(600, 300);
    grid.show();
    grid.SetContent(Plans());
    QCOMPARE(Column(*grid.model(), 2), (QStringList{"0.00", "18.00", "-6.00", "-2.00", "10.00"}));

    ClickHeader(grid, 2);
    QCOMPARE(Column(*grid.model(), 2), (QStringList{"-6.00", "-2.00", "0.00", "18.00", "10.00"}));
    ClickHeader(grid, 2);
    QCOMPARE(Column(*grid.model(), 2), (QStringList{"18.00", "0.00", "-2.00", "-6.00", "10.00"}));

    // The next reply keeps the user's order, and the exports follow what is shown.
    GridContent next = Plans();
    next.rows[0].cells[2] = "50.00";
    grid.SetContent(std::move(next));
    QCOMPARE(Column(*grid.model(), 0), (QStringList{"4", "3", "1", "2", "合计"}));
    QVERIFY(grid.GetText(false).startsWith(QStringLiteral("4    等(1) 50.00 查看\r\n")));
}

void GridWidgetTest::rowsAndLinksReportTheirRecords() {
    CGridCtrl grid;
    grid.resize(600, 300);
    grid.show();
    grid.SetContent(Plans());
    grid.sortByColumn(2, Qt::AscendingOrder);  // -6, -2, 0, 18: records 2, 3, 0, 1
    QSignalSpy activated(&grid, &CGridCtrl::recordActivated);
    QSignalSpy links(&grid, &CGridCtrl::linkClicked);

    const QModelIndex link = grid.model()->index(1, 3);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(link).center());
    QCOMPARE(links.size(), 1);
    QCOMPARE(links[0][0].value<std::size_t>(), std::size_t{3});
    QCOMPARE(links[0][1].toInt(), 3);
    DoubleClick(grid, grid.model()->index(0, 1));
    QCOMPARE(activated.size(), 1);
    QCOMPARE(activated[0][0].value<std::size_t>(), std::size_t{2});
    grid.setCurrentIndex(grid.model()->index(3, 0));
    QTest::keyClick(&grid, Qt::Key_Return);
    QCOMPARE(activated.size(), 2);
    QCOMPARE(activated[1][0].value<std::size_t>(), std::size_t{1});

    // The summary row is no record: no link, no activation, not among the selected.
    const QModelIndex summary = grid.model()->index(4, 1);
    DoubleClick(grid, summary);
    QCOMPARE(activated.size(), 2);
    grid.selectAll();
    QCOMPARE(grid.SelectedRecords(), (std::vector<std::size_t>{2, 3, 0, 1}));
}

void GridWidgetTest::exportAsksItsQuestionsInOrder_data() {
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<std::vector<QMessageBox::StandardButton>>("answers");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<int>("sheetColumns");  // 0: nothing written
    QTest::addColumn<int>("sheetRows");     // the header row included

    using Answers = std::vector<QMessageBox::StandardButton>;
    const auto yes = QMessageBox::Yes;
    const auto no = QMessageBox::No;
    QTest::newRow("300 columns, yes")
        << 300 << 2 << Answers{yes} << QStringList{kColumnsQuestion} << 255 << 3;
    QTest::newRow("300 columns, no")
        << 300 << 2 << Answers{no} << QStringList{kColumnsQuestion} << 0 << 0;
    QTest::newRow("300 columns and 10 001 rows")
        << 300 << 10001 << Answers{yes, no} << QStringList{kColumnsQuestion, kLongQuestion} << 0
        << 0;
    QTest::newRow("10 000 rows") << 1 << 10000 << Answers{} << QStringList{} << 1 << 10001;
    QTest::newRow("10 001 rows") << 1 << 10001 << Answers{yes} << QStringList{kLongQuestion} << 1
                                 << 10002;
    QTest::newRow("65 001 rows") << 1 << 65001 << Answers{yes} << QStringList{kRowsQuestion} << 1
                                 << 65001;
}

void GridWidgetTest::exportAsksItsQuestionsInOrder() {
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(std::vector<QMessageBox::StandardButton>, answers);
    QFETCH(QStringList, questions);
    QFETCH(int, sheetColumns);
    QFETCH(int, sheetRows);
    ScriptedPrompter prompter;
    prompter.answers.assign(answers.begin(), answers.end());
    CGridCtrl grid;
    grid.SetContent(Sized(columns, rows));
    const QString path = dir_.filePath(QStringLiteral("asked.xls"));
    QFile::remove(path);

    QCOMPARE(grid.Export(path, QStringLiteral("xls")), sheetColumns > 0);
    QStringList asked;
    for (const auto& shown : prompter.messages) {
        asked << shown.text;
        QCOMPARE(shown.caption, QStringLiteral("提示信息"));
        QCOMPARE(shown.icon, Prompter::Icon::Question);
        QCOMPARE(shown.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(shown.defaultButton, QMessageBox::No);
    }
    QCOMPARE(asked, questions);
    QVERIFY(prompter.saveDialogs.empty());
    if (sheetColumns == 0) {
        QVERIFY(!QFile::exists(path));
        return;
    }
    const XlsReadBack book = ReadXls(path.toStdString());
    QVERIFY(book.opened);
    QCOMPARE(static_cast<int>(book.rows.size()), sheetRows);
    QCOMPARE(static_cast<int>(book.rows[0].size()), sheetColumns);
    QCOMPARE(book.text(0, static_cast<std::size_t>(sheetColumns - 1)),
             "c" + std::to_string(sheetColumns - 1));
    QCOMPARE(book.text(static_cast<std::size_t>(sheetRows - 1), 0),
             "r" + std::to_string(sheetRows - 2));
}

void GridWidgetTest::exportChoosesFileAndFormat() {
    ScriptedPrompter prompter;
    CGridCtrl grid;
    grid.SetContent(Plans());
    const QByteArray table = QByteArray::fromStdString(quorstat::GridText(grid.Content(), true));
    QCOMPARE(grid.GetText(true), QString::fromStdString(quorstat::FromAnsi(table.toStdString())));

    // No extension: both kinds offered, the chosen file's suffix decides.
    const QString chosenText = dir_.filePath(QStringLiteral("chosen.TXT"));
    prompter.fileNames = {chosenText};
    QVERIFY(grid.Export(QStringLiteral("2024-05-01-方案列表"), QString()));
    QCOMPARE(prompter.saveDialogs.back().filter,
             QStringLiteral("EXCEL文件(*.xls);;文本文件(*.txt)"));
    QCOMPARE(prompter.saveDialogs.back().defaultSuffix, QStringLiteral("xls"));
    QCOMPARE(ReadAll(chosenText), table);

    // A name that already ends in the extension is taken as it stands.
    const QString direct = dir_.filePath(QStringLiteral("direct.txt"));
    QVERIFY(grid.Export(direct, QStringLiteral("txt")));
    QCOMPARE(prompter.saveDialogs.size(), std::size_t{1});
    QCOMPARE(ReadAll(direct), table);

    // Any other name asks; cancelling writes nothing.
    QVERIFY(!grid.Export(dir_.filePath(QStringLiteral("cancelled")), QStringLiteral("xls")));
    QCOMPARE(prompter.saveDialogs.back().filter, QStringLiteral("EXCEL文件(*.xls)"));
    QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("cancelled"))));
    QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("cancelled.xls"))));

    const QString sheet = dir_.filePath(QStringLiteral("chosen.xls"));
    prompter.fileNames = {sheet};
    QVERIFY(grid.Export(QStringLiteral("plans"), QStringLiteral("xls")));
    const XlsReadBack book = ReadXls(sheet.toStdString());
    QVERIFY(book.opened);
    QCOMPARE(book.text(2, 1), std::string("中(2)"));
    QCOMPARE(book.text(5, 0), std::string("合计"));
    QVERIFY(prompter.messages.empty());
}

void GridWidgetTest::exportIntoReadOnlyDirectoryShowsTheMessage_data() {
    QTest::addColumn<QString>("extension");
    QTest::newRow("text") << QStringLiteral("txt");
    QTest::newRow("spreadsheet") << QStringLiteral("xls");
}

void GridWidgetTest::exportIntoReadOnlyDirectoryShowsTheMessage() {
    QFETCH(QString, extension);
    const QString locked = dir_.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(locked));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ScriptedPrompter prompter;
    CGridCtrl grid;
    grid.SetContent(Plans());
    const QString path = locked + QStringLiteral("/plans.") + extension;
    {
        DirectoryModesApply modes;
        QVERIFY(!grid.Export(path, extension));
    }
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(prompter.messages.size(), std::size_t{1});
    QCOMPARE(prompter.messages[0].text, kFailed);
    QCOMPARE(prompter.messages[0].caption, QStringLiteral("提示信息"));
    QCOMPARE(prompter.messages[0].icon, Prompter::Icon::Information);
    QCOMPARE(QDir(locked).entryList(QDir::Files), QStringList());
}

void GridWidgetTest::checkMenuChecksAndSelectsRows() {
    QStandardItemModel model;
    for (int row = 0; row < 5; ++row) {
        auto* item = new QStandardItem(QStringLiteral("user%1").arg(row));
        item->setCheckable(true);
        item->setCheckState(row == 1 ? Qt::Checked : Qt::Unchecked);
        model.appendRow(item);
    }
    model.appendRow(new QStandardItem(QStringLiteral("合计")));  // cannot be checked
    QTableView view;
    view.setModel(&model);
    ListCheckMenu* menu = ListCheckMenu::attach(&view);
    QCOMPARE(view.contextMenuPolicy(), Qt::CustomContextMenu);
    auto trigger = [menu](const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                action->trigger();
                return true;
            }
        }
        return false;
    };
    auto states = [&model] {
        QString marks;
        for (int row = 0; row < model.rowCount(); ++row)
            marks += model.item(row)->isCheckable()
                         ? (model.item(row)->checkState() == Qt::Checked ? 'x' : '.')
                         : '-';
        return marks;
    };

    const std::pair<QString, QString> steps[] = {
        {QStringLiteral("反勾选"), QStringLiteral("x.xxx-")},
        {QStringLiteral("勾选偶数行"), QStringLiteral(".x.x.-")},
        {QStringLiteral("勾选奇数行"), QStringLiteral("x.x.x-")},
        {QStringLiteral("全不勾选"), QStringLiteral(".....-")},
        {QStringLiteral("全勾选"), QStringLiteral("xxxxx-")},
    };
    for (const auto& [command, expected] : steps) {
        QVERIFY2(trigger(command), qPrintable(command));
        QCOMPARE(states(), expected);
    }

    trigger(QStringLiteral("勾选偶数行"));
    QVERIFY(trigger(QStringLiteral("选中勾选行")));
    QList<int> selected;
    for (const QModelIndex& index : view.selectionModel()->selectedRows())
        selected << index.row();
    std::sort(selected.begin(), selected.end());
    QCOMPARE(selected, (QList<int>{1, 3}));
}

void GridWidgetTest::summaryRowStandsOutAtTheBottom() {
    GridContent grid = Plans();
    for (int i = 0; i < 300; ++i)
        grid.rows.insert(grid.rows.begin(), Row({std::to_string(i + 5), "等(1)", "1.00", "查看"}));
    CGridCtrl view;
    view.resize(640, 420);
    view.show();
    view.SetContent(std::move(grid));
    view.scrollToBottom();
    const int summary = view.model()->rowCount() - 1;
    const QRect cell = view.visualRect(view.model()->index(summary, 1));
    QVERIFY(view.viewport()->rect().contains(cell));
    const QImage shot = view.viewport()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(cell.left() + 3, cell.center().y())), QColor(0xEF, 0xE6, 0xD2));
    QCOMPARE(view.model()->index(summary, 0).data(Qt::FontRole).value<QFont>().bold(), true);
    QCOMPARE(view.model()->index(summary - 3, 1).data(Qt::ForegroundRole).value<QColor>(),
             QColor(0xFF, 0, 0));
    if (const QByteArray shotPath = qgetenv("QUORSTAT_GRID_SHOT"); !shotPath.isEmpty())
        view.grab().save(QString::fromLocal8Bit(shotPath));
}

QTEST_MAIN(GridWidgetTest)
#include "grid_widget_test.moc"
