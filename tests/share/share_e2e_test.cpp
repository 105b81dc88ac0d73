// The sharing page against the stand-in service with 41 users who have settled plans: the list,
// its filters, its order, its pages and following, as a user works them.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "console/console_dialog.h"
#include "console/sub_status_dialog.h"
#include "core/atomic_file.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "find_child.h"
#include "scripted_prompter.h"
#include "service/service_app.h"
#include "service_users.h"
#include "share/search_user_config.h"
#include "share/sub_share_dialog.h"
#include "share/sub_share_user_dialog.h"
#include "ui/grid_ctrl.h"
#include "ui/history_edit.h"

QST_API void QST_Init(char*, char*);
QST_API std::intptr_t QST_Run(void*, const char*, const char*, int);
QST_API void QST_Exit();

namespace {

constexpr int kSuccessRateColumn = 9;

QString cell(const CGridCtrl* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

QStringList column(const CGridCtrl* grid, int column) {
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts << cell(grid, row, column);
    return texts;
}

// The success rates shown, in order; true when they run the given way and are not all equal.
bool sortedBySuccessRate(const CGridCtrl* grid, bool ascending) {
    std::vector<double> rates;
    for (const QString& text : column(grid, kSuccessRateColumn))
        rates.push_back(text.chopped(1).toDouble());
    if (rates.size() < 2 || rates.front() == rates.back())
        return false;
    return ascending ? std::is_sorted(rates.begin(), rates.end())
                     : std::is_sorted(rates.rbegin(), rates.rend());
}

}  // namespace

class ShareEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void theSharingPageListsTheServicesUsers();
    void filtersNarrowTheListAndBadOnesAreRefused();
    void sortingBySuccessRateAsksAscendingThenDescending();
    void pagingReachesTheLastPage();
    void followingAUserMarksHimAndChangesTheCounts();
    void theMenuCopiesNamesAndHandsUsersToTheDataBox();
    void theCompactGridShowsNamesOnly();

private:
    CQuorstatApp& app() { return CQuorstatApp::instance(); }
    CSubShareDialog* page() { return app().console->findChild<CSubShareDialog*>(); }
    CSubShareUserDialog* list() { return page()->userList(); }
    CGridCtrl* grid() { return list()->detailGrid(); }
    QString label() { return child<QLabel>(list(), QStringLiteral("pageLabel"))->text(); }
    void click(const char* name) { child<QPushButton>(page(), QString::fromLatin1(name))->click(); }
    void setFilter(const char* key, bool on, const QString& text);
    void clickHeader(int section);
    QMenu* openMenuOnRow(int row);
    std::filesystem::path dataFile(const std::string& name) const {
        return std::filesystem::path(dir_.filePath(QStringLiteral("Data")).toStdString()) / name;
    }

    QTemporaryDir dir_;
    std::unique_ptr<quorstat::service::ServiceApp> service_;
    ScriptedPrompter prompter_;
    QWidget host_;
};

void ShareEndToEndTest::initTestCase() {
    quorstat::service::ServiceOptions options;
    options.port = 0;
    options.databasePath = dir_.filePath(QStringLiteral("service.db")).toStdString();
    options.clockStart = quorstat::service::parseDateTime("2013-05-01 09:15:00");
    options.clockSpeed = 0.0;
    options.seed = 11;
    service_ = std::make_unique<quorstat::service::ServiceApp>(options);
    QVERIFY(service_->start());

    // 高手01..高手40 with one to six plans each and demo with one hit, settled at 10:00.
    ServiceUsers(*service_).seedDemoList();

    qputenv("QUORSTAT_DATA_DIR", dir_.filePath(QStringLiteral("Data")).toUtf8());
    qputenv("QUORSTAT_SERVER", "127.0.0.1:" + QByteArray::number(service_->port()));
    char title[kQstTextBufferSize];
    char version[kQstTextBufferSize];
    QST_Init(title, version);
    app().settings.shareUserTopOwn = false;
    app().playId = 1302;
    QVERIFY(QST_Run(&host_, "demo", "demo123", 1010) != 0);
    QTRY_VERIFY_WITH_TIMEOUT(app().console->isVisible(), 10000);
    QVERIFY(page());
}

void ShareEndToEndTest::cleanupTestCase() {
    QST_Exit();
    service_->stop();
}

void ShareEndToEndTest::setFilter(const char* key, bool on, const QString& text) {
    child<QCheckBox>(page(), QString::fromLatin1(key) + QStringLiteral("On"))->setChecked(on);
    child<HistoryEdit>(page(), QString::fromLatin1(key))->setText(text);
}

void ShareEndToEndTest::clickHeader(int section) {
    QHeaderView* header = grid()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

QMenu* ShareEndToEndTest::openMenuOnRow(int row) {
    const QRect cellRect = grid()->visualRect(grid()->model()->index(row, 1));
    emit grid()->customContextMenuRequested(cellRect.center());
    QMenu* menu = list()->contextMenu();
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 5000))
        return nullptr;
    menu->hide();
    return menu;
}

void ShareEndToEndTest::theSharingPageListsTheServicesUsers() {
    app().console->SelectTab(1);
    QTRY_COMPARE_WITH_TIMEOUT(label(), QStringLiteral("1/3页，共41个用户"), 10000);
    QCOMPARE(grid()->model()->rowCount(), 20);
    QCOMPARE(cell(grid(), 0, 0), QStringLiteral("1"));
    QCOMPARE(cell(grid(), 19, 0), QStringLiteral("20"));
    QCOMPARE(
        child<QLabel>(list(), QStringLiteral("userListStatus"))->text(),
        QStringLiteral("【点击标题排序；双击查看方案；右键关注用户、调整稳度周期和交集运算】"));
    QVERIFY(list()->refreshTimer()->isActive());
    QCOMPARE(list()->refreshTimer()->interval(), app().intervals.userList);
}

void ShareEndToEndTest::filtersNarrowTheListAndBadOnesAreRefused() {
    setFilter("SearchPlanAllCountLog", true, QStringLiteral("   "));
    click("search");
    QCOMPARE(prompter_.messages.back().text, QStringLiteral("总方案数输入不正确"));
    QCOMPARE(prompter_.messages.back().caption, QStringLiteral("提示信息"));

    // 高手10 to 高手19, of whom 高手12 and 高手16 have fewer than three plans.
    setFilter("SearchUserNameLog", true, QStringLiteral("高手 1"));
    setFilter("SearchPlanAllCountLog", true, QStringLiteral(">= 3"));
    click("search");
    QTRY_COMPARE_WITH_TIMEOUT(label(), QStringLiteral("1/1页，共8个用户"), 10000);
    QStringList names = column(grid(), 1);
    names.sort();
    QCOMPARE(names, (QStringList{"高手10", "高手11", "高手13", "高手14", "高手15", "高手17",
                                 "高手18", "高手19"}));
    QCOMPARE(child<HistoryEdit>(page(), QStringLiteral("SearchPlanAllCountLog"))->text(),
             QStringLiteral(">=3"));
    QCOMPARE(quorstat::ReadWholeFile(dataFile("SearchLog/SearchPlanAllCountLog.log")),
             std::optional<std::string>(">=3\r\n"));
    const auto stored =
        quorstat::ReadSearchUserConfig(*quorstat::ReadWholeFile(dataFile("SearchUserConfig.dat")));
    QVERIFY(stored);
    QCOMPARE(stored->filterText[0], std::string("高手1"));
    QCOMPARE(stored->filterText[1], std::string(">=3"));

    click("resetFilters");
    QVERIFY(!child<HistoryEdit>(page(), QStringLiteral("SearchUserNameLog"))->isEnabled());
    click("search");
    QTRY_COMPARE_WITH_TIMEOUT(label(), QStringLiteral("1/3页，共41个用户"), 10000);
}

void ShareEndToEndTest::sortingBySuccessRateAsksAscendingThenDescending() {
    QVERIFY(!sortedBySuccessRate(grid(), true));
    clickHeader(kSuccessRateColumn);
    QTRY_VERIFY_WITH_TIMEOUT(sortedBySuccessRate(grid(), true), 10000);
    QCOMPARE(grid()->horizontalHeader()->sortIndicatorSection(), kSuccessRateColumn);
    QCOMPARE(grid()->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);

    clickHeader(kSuccessRateColumn);
    QTRY_VERIFY_WITH_TIMEOUT(sortedBySuccessRate(grid(), false), 10000);
    QCOMPARE(cell(grid(), 0, kSuccessRateColumn), QStringLiteral("100.00%"));
    QCOMPARE(grid()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(list()->settings().sortColumn, kSuccessRateColumn);
    QCOMPARE(list()->settings().ascending, 0);
}

void ShareEndToEndTest::pagingReachesTheLastPage() {
    child<QLineEdit>(list(), QStringLiteral("pageEdit"))->setText(QStringLiteral("9"));
    click("goToPage");
    QTRY_COMPARE_WITH_TIMEOUT(label(), QStringLiteral("3/3页，共41个用户"), 10000);
    QCOMPARE(grid()->model()->rowCount(), 1);
    QCOMPARE(cell(grid(), 0, 0), QStringLiteral("41"));
    // The lowest success rate comes last.
    QCOMPARE(cell(grid(), 0, kSuccessRateColumn), QStringLiteral("0.00%"));

    click("firstPage");
    QTRY_COMPARE_WITH_TIMEOUT(label(), QStringLiteral("1/3页，共41个用户"), 10000);
}

void ShareEndToEndTest::followingAUserMarksHimAndChangesTheCounts() {
    auto* counts = child<QLabel>(app().console->statusPanel(), QStringLiteral("followCounts"));
    QTRY_COMPARE(counts->text(), QStringLiteral("关注：0 粉丝：0"));
    // demo leads the list with the only 100.00%.
    QCOMPARE(cell(grid(), 0, 1), QStringLiteral("demo"));
    const QString name = cell(grid(), 1, 1);

    QMenu* menu = openMenuOnRow(1);
    QVERIFY(menu);
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{"转数据箱", "关注", "稳度周期", "复制用户名", "查看"}));
    menu->actions().at(1)->trigger();
    // Marked at once, before the service answers.
    QCOMPARE(grid()->model()->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
             QColor(255, 255, 0));
    QCOMPARE(grid()->model()->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
             QColor(0, 255, 255));
    QTRY_COMPARE_WITH_TIMEOUT(counts->text(), QStringLiteral("关注：1 粉丝：0"), 10000);

    // "我的关注" lists him alone, as the service now knows it.
    child<QRadioButton>(page(), QStringLiteral("listMode1"))->click();
    click("search");
    QTRY_COMPARE_WITH_TIMEOUT(label(), QStringLiteral("1/1页，共1个用户"), 10000);
    QCOMPARE(cell(grid(), 0, 1), name);
    QMenu* again = openMenuOnRow(0);
    QVERIFY(again);
    // After "转数据箱".
    QCOMPARE(again->actions().at(1)->text(), QStringLiteral("取消关注"));

    // Nobody follows himself.
    click("resetFilters");
    setFilter("SearchUserNameLog", true, QStringLiteral("demo"));
    click("search");
    QTRY_COMPARE_WITH_TIMEOUT(label(), QStringLiteral("1/1页，共1个用户"), 10000);
    QTRY_COMPARE(cell(grid(), 0, 1), QStringLiteral("demo"));
    QMenu* own = openMenuOnRow(0);
    QVERIFY(own);
    QVERIFY(!own->actions().at(1)->isEnabled());
}

void ShareEndToEndTest::theMenuCopiesNamesAndHandsUsersToTheDataBox() {
    click("resetFilters");
    click("search");
    QTRY_COMPARE_WITH_TIMEOUT(label(), QStringLiteral("1/3页，共41个用户"), 10000);
    QSignalSpy transfers(page(), &CSubShareDialog::dataBoxTransferRequested);
    grid()->selectRow(3);
    grid()->selectionModel()->select(grid()->model()->index(1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);

    QMenu* menu = openMenuOnRow(3);
    QVERIFY(menu);
    QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("转数据箱"));
    const QList<QAction*> boxes = menu->actions().at(0)->menu()->actions();
    QCOMPARE(boxes.size(), 4);
    QCOMPARE(boxes.at(3)->text(), QStringLiteral("转方案盒（新建组）"));
    boxes.at(3)->trigger();
    QCOMPARE(transfers.size(), 1);
    const auto users = transfers.at(0).at(0).value<std::vector<quorstat::tagUSERINFO>>();
    QCOMPARE(users.size(), std::size_t(2));
    QCOMPARE(QString::fromStdString(users[0].userName), cell(grid(), 1, 1));
    QCOMPARE(QString::fromStdString(users[1].userName), cell(grid(), 3, 1));
    QCOMPARE(transfers.at(0).at(1).toInt(), 1);
    QCOMPARE(transfers.at(0).at(2).toBool(), true);

    for (QAction* action : menu->actions())
        if (action->text() == QStringLiteral("复制用户名"))
            action->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), cell(grid(), 1, 1) + "," + cell(grid(), 3, 1));
}

void ShareEndToEndTest::theCompactGridShowsNamesOnly() {
    child<QCheckBox>(list(), QStringLiteral("detail"))->setChecked(false);
    QVERIFY(list()->compactGrid()->isVisible());
    QVERIFY(!grid()->isVisible());
    QCOMPARE(list()->compactGrid()->model()->rowCount(), 3);
    QCOMPARE(list()->compactGrid()->model()->columnCount(), 7);
    QCOMPARE(cell(list()->compactGrid(), 0, 0), cell(grid(), 0, 1));
    const auto stored =
        quorstat::ReadSearchUserConfig(*quorstat::ReadWholeFile(dataFile("SearchUserConfig.dat")));
    QCOMPARE(stored->detail, 0);
}

QTEST_MAIN(ShareEndToEndTest)
#include "share_e2e_test.moc"
