#include "share/sub_share_user_dialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

#include "console/current_scope.h"
#include "core/quorstat_app.h"
#include "plan/play_table.h"
#include "share/user_list_grids.h"
#include "share/user_search.h"
#include "ui/call_later.h"
#include "ui/grid_ctrl.h"
#include "ui/qt_text.h"

namespace {

using quorstat::tagUSERINFO;

const QString kUpdating = QStringLiteral("正在更新用户列表...");
const QString kListHint =
    QStringLiteral("【点击标题排序；双击查看方案；右键关注用户、调整稳度周期和交集运算】");

const QString kCompactCells = QStringLiteral(
    "QTableView { font-size: 12px; } QTableView::item { padding: 0 2px; }"
    "QHeaderView::section { font-size: 12px; padding: 3px 2px; }");

struct DataBoxItem {
    const char* text;
    int box;
    bool newGroup;
};

constexpr DataBoxItem kDataBoxItems[] = {
    {"转大底盒", 0, false},
    {"转大底盒（新建组）", 0, true},
    {"转方案盒", 1, false},
    {"转方案盒（新建组）", 1, true},
};

// The names selected in a grid, by the cell under the selection (a whole row of the detailed
// grid, single cells of the compact one).
QSet<QString> selectedNames(const CGridCtrl* grid, int nameColumn) {
    QSet<QString> names;
    for (const QModelIndex& index : grid->selectionModel()->selectedIndexes())
        if (nameColumn < 0 || index.column() == nameColumn)
            names.insert(index.data().toString());
    names.remove(QString());
    return names;
}

void reselect(CGridCtrl* grid, const QSet<QString>& names, int nameColumn) {
    QAbstractItemModel* model = grid->model();
    QItemSelection selection;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            if (nameColumn >= 0 && column != nameColumn)
                continue;
            const QModelIndex index = model->index(row, column);
            if (names.contains(index.data().toString()))
                selection.select(index, index);
        }
    }
    const auto how = nameColumn >= 0 ? QItemSelectionModel::Select | QItemSelectionModel::Rows
                                     : QItemSelectionModel::Select;
    grid->selectionModel()->select(selection, how);
}

// Each column as wide as its longest text; the columns fill the grid's width without a scroll
// bar: spare room is shared out, and when room is short the widest give it up first.
void fitColumnsToWidth(CGridCtrl* grid) {
    constexpr int kPadding = 10;
    constexpr int kSortArrow = 14;
    constexpr int kLeastWidth = 30;
    const QAbstractItemModel* model = grid->model();
    const QFontMetrics cells(grid->font());
    QFont headerFont = grid->font();
    headerFont.setBold(true);
    const QFontMetrics headers(headerFont);
    QHeaderView* header = grid->horizontalHeader();
    std::vector<int> widths;
    for (int column = 0; column < model->columnCount(); ++column) {
        // Every header keeps room for the sort arrow, so a click never moves the columns.
        int width =
            headers.horizontalAdvance(model->headerData(column, Qt::Horizontal).toString()) +
            kSortArrow;
        for (int row = 0; row < model->rowCount(); ++row)
            width = std::max(width,
                             cells.horizontalAdvance(model->index(row, column).data().toString()));
        widths.push_back(std::max(width + kPadding, kLeastWidth));
    }
    if (widths.empty())
        return;
    int excess = std::accumulate(widths.begin(), widths.end(), 0) - grid->viewport()->width();
    for (std::size_t column = 0; excess < 0; column = (column + 1) % widths.size(), ++excess)
        ++widths[column];
    for (; excess > 0; --excess) {
        const auto widest = std::max_element(widths.begin(), widths.end());
        if (*widest <= kLeastWidth)
            break;
        --*widest;
    }
    for (std::size_t column = 0; column < widths.size(); ++column)
        header->resizeSection(static_cast<int>(column), widths[column]);
}

}  // namespace

CSubShareUserDialog::CSubShareUserDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent),
      app_(app),
      settingsFile_(app.paths.dataDir / quorstat::kSearchUserConfigFileName),
      settings_(settingsFile_.load()) {
    setObjectName(QStringLiteral("userList"));
    buildControls();
    OnSelectionChanged();
}

void CSubShareUserDialog::buildControls() {
    status_ = new QLabel(kUpdating, this);
    status_->setObjectName(QStringLiteral("userListStatus"));
    detail_ = new QCheckBox(QStringLiteral("详细"), this);
    detail_->setObjectName(QStringLiteral("detail"));
    detail_->setChecked(settings_.detail != 0);
    attentionFront_ = new QCheckBox(QStringLiteral("关注排前"), this);
    attentionFront_->setObjectName(QStringLiteral("attentionFront"));
    attentionFront_->setChecked(app_.settings.shareUserAttentionFront);
    topOwn_ = new QCheckBox(QStringLiteral("置顶自己"), this);
    topOwn_->setObjectName(QStringLiteral("topOwn"));
    topOwn_->setChecked(app_.settings.shareUserTopOwn);

    auto* top = new QHBoxLayout;
    top->addWidget(status_, 1);
    top->addWidget(detail_);
    top->addWidget(attentionFront_);
    top->addWidget(topOwn_);
    auto* refresh = addButton(QStringLiteral("刷新"), QStringLiteral("refresh"));
    top->addWidget(refresh);

    detailGrid_ = new CGridCtrl(this);
    detailGrid_->setObjectName(QStringLiteral("detailGrid"));
    // The service orders the list; a header click asks it for another order.
    detailGrid_->setSortingEnabled(false);
    detailGrid_->horizontalHeader()->setSectionsClickable(true);
    detailGrid_->horizontalHeader()->setSortIndicatorShown(true);
    detailGrid_->setContextMenuPolicy(Qt::CustomContextMenu);
    compactGrid_ = new CGridCtrl(this);
    compactGrid_->setObjectName(QStringLiteral("compactGrid"));
    compactGrid_->setSortingEnabled(false);
    compactGrid_->horizontalHeader()->hide();
    compactGrid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    compactGrid_->setContextMenuPolicy(Qt::CustomContextMenu);
    // Thirteen columns share the list's 700 pixels.
    for (CGridCtrl* grid : {detailGrid_, compactGrid_})
        grid->setStyleSheet(grid->styleSheet() + kCompactCells);
    compactGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    detailGrid_->viewport()->installEventFilter(this);

    auto* paging = new QHBoxLayout;
    auto* first = addButton(QStringLiteral("首页"), QStringLiteral("firstPage"));
    auto* previous = addButton(QStringLiteral("上页"), QStringLiteral("previousPage"));
    auto* next = addButton(QStringLiteral("下页"), QStringLiteral("nextPage"));
    auto* last = addButton(QStringLiteral("尾页"), QStringLiteral("lastPage"));
    auto* goTo = addButton(QStringLiteral("转到"), QStringLiteral("goToPage"));
    pageEdit_ = new QLineEdit(this);
    pageEdit_->setObjectName(QStringLiteral("pageEdit"));
    pageEdit_->setFixedWidth(48);
    pageLabel_ = new QLabel(toQString(page_.label()), this);
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    for (QWidget* control : {static_cast<QWidget*>(first), static_cast<QWidget*>(previous),
                             static_cast<QWidget*>(next), static_cast<QWidget*>(last),
                             static_cast<QWidget*>(goTo), static_cast<QWidget*>(pageEdit_)})
        paging->addWidget(control);
    paging->addWidget(pageLabel_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(detailGrid_, 1);
    layout->addWidget(compactGrid_, 1);
    layout->addLayout(paging);
    showChosenGrid();
    fillGrids();

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("userListMenu"));
    refreshTimer_ = new QTimer(this);
    connect(refreshTimer_, &QTimer::timeout, this, [this] { RefreshList(Refresh::Incremental); });

    connect(refresh, &QPushButton::clicked, this, [this] { RefreshList(Refresh::Incremental); });
    connect(first, &QPushButton::clicked, this, [this] { turnPage(page_.first()); });
    connect(previous, &QPushButton::clicked, this, [this] { turnPage(page_.previous()); });
    connect(next, &QPushButton::clicked, this, [this] { turnPage(page_.next()); });
    connect(last, &QPushButton::clicked, this, [this] { turnPage(page_.last()); });
    connect(goTo, &QPushButton::clicked, this,
            [this] { turnPage(page_.goTo(pageEdit_->text().toStdString())); });
    connect(pageEdit_, &QLineEdit::returnPressed, goTo, &QPushButton::click);
    connect(detail_, &QCheckBox::toggled, this, &CSubShareUserDialog::onDetailToggled);
    connect(attentionFront_, &QCheckBox::toggled, this, &CSubShareUserDialog::onOrderOptionToggled);
    connect(topOwn_, &QCheckBox::toggled, this, &CSubShareUserDialog::onOrderOptionToggled);
    connect(detailGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CSubShareUserDialog::onHeaderClicked);
    connect(detailGrid_, &CGridCtrl::recordActivated, this, [this](std::size_t record) {
        if (plansAvailable_ && record < page_.users().size())
            emit userPlansRequested(page_.users()[record]);
    });
    connect(compactGrid_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& at) {
        const tagUSERINFO* user = userNamed(at.data().toString());
        if (plansAvailable_ && user)
            emit userPlansRequested(*user);
    });
    connect(detailGrid_, &QWidget::customContextMenuRequested, this,
            &CSubShareUserDialog::showDetailMenu);
    connect(compactGrid_, &QWidget::customContextMenuRequested, this,
            &CSubShareUserDialog::showCompactMenu);
}

QPushButton* CSubShareUserDialog::addButton(const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

// ---- requests and replies ---------------------------------------------------------------

void CSubShareUserDialog::RefreshList(Refresh kind) {
    quorstat::UserListQuery query;
    query.page = page_.currentPage();
    query.pageSize = app_.settings.shareUserListPrePageCount;
    query.topOwn = app_.settings.shareUserTopOwn;
    query.factorCycle = app_.settings.factorCycle;
    if (kind == Refresh::Incremental)
        query.stamp = page_.stamp();
    app_.queue(app_.catalogue().userList(quorstat::CurrentScope(app_),
                                         quorstat::MakeUserListQuery(settings_, query)));
}

void CSubShareUserDialog::ApplySearch(const quorstat::tagSEARCHUSERCONFIG& settings) {
    settings_ = settings;
    settings_.detail = detail_->isChecked() ? 1 : 0;
    saveSettings();
    RestartFromFirstPage();
}

void CSubShareUserDialog::RestartFromFirstPage() {
    page_.setPage(1);
    RefreshList(Refresh::Full);
}

void CSubShareUserDialog::OnListReply(const std::string& reply) {
    if (page_.apply(reply, app_.settings.shareUserListPrePageCount)) {
        pageLabel_->setText(toQString(page_.label()));
        status_->setText(kListHint);
    }
    fillGrids();
}

void CSubShareUserDialog::SetFollowed(std::string_view userName, bool followed) {
    if (page_.setFollowed(userName, followed))
        fillGrids();
}

void CSubShareUserDialog::Reset() {
    page_.reset();
    fillGrids();
    pageLabel_->setText(toQString(page_.label()));
    status_->setText(kUpdating);
    refreshTimer_->stop();
    if (!app_.isLoggedIn())
        return;
    CallLater(this, kShowRefreshMs, [this] { RefreshList(Refresh::Incremental); });
    if (isVisible())
        refreshTimer_->start(app_.intervals.userList);
}

void CSubShareUserDialog::OnSelectionChanged() {
    page_.clear();
    page_.clearStamp();
    fillGrids();
    // The data-box items stay once a number play has been chosen.
    if (quorstat::playFamily(app_.playId) == quorstat::PlayFamily::number)
        dataBoxEnabled_ = true;
}

void CSubShareUserDialog::turnPage(bool changed) {
    if (changed)
        RefreshList(Refresh::Full);
}

void CSubShareUserDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CallLater(this, kShowRefreshMs, [this] { RefreshList(Refresh::Incremental); });
    refreshTimer_->start(app_.intervals.userList);
}

// The grid learns its width only when it is laid out and shown.
bool CSubShareUserDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == detailGrid_->viewport() && event->type() == QEvent::Resize)
        fitColumnsToWidth(detailGrid_);
    return QWidget::eventFilter(watched, event);
}

void CSubShareUserDialog::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    refreshTimer_->stop();
}

// ---- grids ------------------------------------------------------------------------------

// A refill keeps what the user selected and where he scrolled to, so the timer's refreshes do
// not take them away.
void CSubShareUserDialog::fillGrids() {
    const QSet<QString> detailNames =
        selectedNames(detailGrid_, static_cast<int>(quorstat::kUserNameColumn));
    const QSet<QString> compactNames = selectedNames(compactGrid_, -1);
    const int detailScroll = detailGrid_->verticalScrollBar()->value();
    const int compactScroll = compactGrid_->verticalScrollBar()->value();

    const int firstRow = (page_.currentPage() - 1) * app_.settings.shareUserListPrePageCount + 1;
    detailGrid_->SetContent(quorstat::DetailedUserGrid(page_.users(), firstRow, app_.userName,
                                                       app_.settings.factorCycle));
    compactGrid_->SetContent(quorstat::CompactUserGrid(page_.users()));
    showSortIndicator();
    fitColumnsToWidth(detailGrid_);

    reselect(detailGrid_, detailNames, static_cast<int>(quorstat::kUserNameColumn));
    reselect(compactGrid_, compactNames, -1);
    detailGrid_->verticalScrollBar()->setValue(detailScroll);
    compactGrid_->verticalScrollBar()->setValue(compactScroll);
}

void CSubShareUserDialog::showChosenGrid() {
    detailGrid_->setVisible(settings_.detail != 0);
    compactGrid_->setVisible(settings_.detail == 0);
}

void CSubShareUserDialog::showSortIndicator() {
    QHeaderView* header = detailGrid_->horizontalHeader();
    if (settings_.sortColumn == 0)
        header->setSortIndicator(-1, Qt::AscendingOrder);
    else
        header->setSortIndicator(settings_.sortColumn,
                                 settings_.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CSubShareUserDialog::saveSettings() {
    // A file that cannot be written leaves the settings in force for this run.
    settingsFile_.save(settings_);
}

void CSubShareUserDialog::onHeaderClicked(int column) {
    if (!quorstat::ClickSortColumn(settings_, column)) {
        showSortIndicator();
        return;
    }
    saveSettings();
    showSortIndicator();
    RefreshList(Refresh::Full);
}

void CSubShareUserDialog::onDetailToggled(bool on) {
    settings_.detail = on ? 1 : 0;
    saveSettings();
    showChosenGrid();
}

void CSubShareUserDialog::onOrderOptionToggled() {
    app_.settings.shareUserAttentionFront = attentionFront_->isChecked();
    app_.settings.shareUserTopOwn = topOwn_->isChecked();
    app_.SaveSettings();
    RefreshList(Refresh::Full);
}

const tagUSERINFO* CSubShareUserDialog::userNamed(const QString& name) const {
    if (name.isEmpty())
        return nullptr;
    for (const tagUSERINFO& user : page_.users())
        if (toQString(user.userName) == name)
            return &user;
    return nullptr;
}

// ---- context menus ------------------------------------------------------------------------

void CSubShareUserDialog::showDetailMenu(const QPoint& at) {
    const int row = detailGrid_->rowAt(at.y());
    if (row < 0 || static_cast<std::size_t>(row) >= page_.users().size())
        return;
    // The menu acts on the user it was opened on, whatever list arrives while it is open.
    const tagUSERINFO user = page_.users()[static_cast<std::size_t>(row)];
    menu_->clear();
    if (dataBoxEnabled_ && app_.dataBoxWnd)
        addDataBoxMenu();
    addFollowItem(user);
    addStabilityMenu();
    menu_->addAction(QStringLiteral("复制用户名"), this, &CSubShareUserDialog::copySelectedNames);
    addViewItem(user);
    popUp(at, detailGrid_);
}

void CSubShareUserDialog::showCompactMenu(const QPoint& at) {
    const tagUSERINFO* user = userNamed(compactGrid_->indexAt(at).data().toString());
    if (!user)
        return;
    menu_->clear();
    addViewItem(*user);
    addFollowItem(*user);
    popUp(at, compactGrid_);
}

void CSubShareUserDialog::popUp(const QPoint& at, CGridCtrl* grid) {
    menu_->popup(grid->viewport()->mapToGlobal(at));
}

void CSubShareUserDialog::addViewItem(const tagUSERINFO& user) {
    menu_->addAction(QStringLiteral("查看"), this, [this, user] { emit userPlansRequested(user); })
        ->setEnabled(plansAvailable_);
}

void CSubShareUserDialog::addFollowItem(const tagUSERINFO& user) {
    const bool follow = user.followed == 0;
    QAction* item =
        menu_->addAction(follow ? QStringLiteral("关注") : QStringLiteral("取消关注"), this,
                         [this, user, follow] { emit followRequested(user, follow); });
    // Nobody follows himself.
    item->setEnabled(user.userName != app_.userName);
}

void CSubShareUserDialog::addDataBoxMenu() {
    QMenu* dataBox = menu_->addMenu(QStringLiteral("转数据箱"));
    for (const DataBoxItem& item : kDataBoxItems)
        dataBox->addAction(QString::fromUtf8(item.text), this,
                           [this, item] { transferToDataBox(item.box, item.newGroup); });
}

void CSubShareUserDialog::addStabilityMenu() {
    QMenu* periods = menu_->addMenu(QStringLiteral("稳度周期"));
    for (const quorstat::StabilityPeriod& period : quorstat::kStabilityPeriods) {
        // One tab sets the column of the suffixes apart in a Qt menu.
        QString text = toQString(period.menuText);
        text.replace(QStringLiteral("\t\t"), QStringLiteral("\t"));
        QAction* item = periods->addAction(
            text, this, [this, period] { chooseStabilityPeriod(period.factorCycle); });
        item->setCheckable(true);
        item->setChecked(period.factorCycle == app_.settings.factorCycle);
    }
}

void CSubShareUserDialog::chooseStabilityPeriod(int factorCycle) {
    app_.settings.factorCycle = factorCycle;
    app_.SaveSettings();
    fillGrids();
    RefreshList(Refresh::Full);
}

void CSubShareUserDialog::copySelectedNames() {
    QGuiApplication::clipboard()->setText(
        toQString(quorstat::JoinedNames(page_.users(), detailGrid_->SelectedRecords())));
}

void CSubShareUserDialog::transferToDataBox(int box, bool newGroup) {
    const auto users = quorstat::SharingUsers(page_.users(), detailGrid_->SelectedRecords());
    if (!users.empty())
        emit dataBoxTransferRequested(users, box, newGroup);
}
