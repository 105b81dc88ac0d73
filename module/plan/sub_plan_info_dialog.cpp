#include "plan/sub_plan_info_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

#include "console/current_scope.h"
#include "console/plan_text.h"
#include "core/quorstat_app.h"
#include "net/request_types.h"
#include "plan/lottery_table.h"
#include "plan/own_plan_grid.h"
#include "plan/play_table.h"
#include "ui/grid_ctrl.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

using quorstat::OwnPlanList;
using quorstat::tagPLANITEM;
namespace RequestType = quorstat::RequestType;

enum MenuCommand { CopyNumbers = 1, ViewPlan, StopPlans, DeletePlans, ToBigBase };

constexpr int kPromptMs = 800;

}  // namespace

CSubPlanInfoDialog::CSubPlanInfoDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("ownPlanList"));
    buildControls();

    soundReadyTimer_ = new QTimer(this);
    soundReadyTimer_->setSingleShot(true);
    connect(soundReadyTimer_, &QTimer::timeout, this, [this] { soundReady_ = true; });
    drawReloadTimer_ = new QTimer(this);
    drawReloadTimer_->setSingleShot(true);
    connect(drawReloadTimer_, &QTimer::timeout, this, [this] { LoadPage(0, Load::Incremental); });
    settlementTimer_ = new QTimer(this);
    settlementTimer_->setSingleShot(true);
    connect(settlementTimer_, &QTimer::timeout, this, [this] { LoadPage(0, Load::Incremental); });
    actionTimer_ = new QTimer(this);
    connect(actionTimer_, &QTimer::timeout, this, &CSubPlanInfoDialog::sendNextAction);
    retryTimer_ = new QTimer(this);
    retryTimer_->setSingleShot(true);
    connect(retryTimer_, &QTimer::timeout, this, [this] { LoadPage(); });
}

void CSubPlanInfoDialog::buildControls() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("ownPlanTabs"));
    planText_ = new QPlainTextEdit(this);
    planText_->setObjectName(QStringLiteral("planText"));
    app_.planTextLook.applyTo(*planText_);
    tabs_->addTab(planText_, QStringLiteral("方案文本"));
    tabs_->addTab(buildListPage(), QStringLiteral("方案列表"));
    tabs_->setCurrentIndex(app_.settings.tabIndexMyPlan == TextTab ? TextTab : ListTab);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == TextTab)
            composeIfStale();
        app_.settings.tabIndexMyPlan = index;
        app_.SaveSettings();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    struct Action {
        const char* text;
        const char* name;
        void (CSubPlanInfoDialog::*run)();
    };
    const Action actions[] = {
        {"群发", "groupSend", &CSubPlanInfoDialog::groupSend},
        {"复制", "copyText", &CSubPlanInfoDialog::copyPlanText},
        {"清空", "clearPlans", &CSubPlanInfoDialog::clearPlans},
        {"导出", "exportList", &CSubPlanInfoDialog::exportList},
        {"刷新", "refresh", &CSubPlanInfoDialog::refresh},
    };
    for (const Action& action : actions) {
        QPushButton* button = addButton(QString::fromUtf8(action.text), action.name);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, action.run);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
}

QWidget* CSubPlanInfoDialog::buildListPage() {
    auto* page = new QWidget(this);
    grid_ = new CGridCtrl(page);
    grid_->setObjectName(QStringLiteral("ownPlanGrid"));
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->SetContent(quorstat::OwnPlanGrid({}, {}));
    connect(grid_, &CGridCtrl::recordActivated, this,
            [this](std::size_t record) { requestDetail(record, RequestType::PlanDetailView); });
    connect(grid_, &CGridCtrl::linkClicked, this, &CSubPlanInfoDialog::onLinkClicked);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            &CSubPlanInfoDialog::showContextMenu);
    // The plan text follows the order the user sorted the list in.
    connect(grid_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &CSubPlanInfoDialog::RecomposePlanText);

    statistics_ = new QLabel(page);
    statistics_->setObjectName(QStringLiteral("planStatistics"));

    auto* paging = new QHBoxLayout;
    paging->addWidget(statistics_, 1);
    const std::pair<const char*, const char*> pagers[] = {{"首页", "firstPage"},
                                                          {"上页", "previousPage"},
                                                          {"下页", "nextPage"},
                                                          {"尾页", "lastPage"}};
    std::vector<QPushButton*> pageButtons;
    for (const auto& [text, name] : pagers) {
        pageButtons.push_back(addButton(QString::fromUtf8(text), name));
        paging->addWidget(pageButtons.back());
    }
    QPushButton* goTo = addButton(QStringLiteral("转到"), "goToPage");
    pageEdit_ = new QLineEdit(page);
    pageEdit_->setObjectName(QStringLiteral("pageEdit"));
    pageEdit_->setFixedWidth(48);
    pagerLabel_ = new QLabel(toQString(list_.pagerLabel()), page);
    pagerLabel_->setObjectName(QStringLiteral("pagerLabel"));
    paging->addWidget(goTo);
    paging->addWidget(pageEdit_);
    paging->addWidget(pagerLabel_);

    quorstat::PageCursor& pages = list_.pages();
    connect(pageButtons[0], &QPushButton::clicked, this,
            [this, &pages] { turnPage(pages.first()); });
    connect(pageButtons[1], &QPushButton::clicked, this,
            [this, &pages] { turnPage(pages.previous()); });
    connect(pageButtons[2], &QPushButton::clicked, this,
            [this, &pages] { turnPage(pages.next()); });
    connect(pageButtons[3], &QPushButton::clicked, this,
            [this, &pages] { turnPage(pages.last()); });
    connect(goTo, &QPushButton::clicked, this,
            [this, &pages] { turnPage(pages.goTo(pageEdit_->text().toStdString())); });
    connect(pageEdit_, &QLineEdit::returnPressed, goTo, &QPushButton::click);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(grid_, 1);
    layout->addLayout(paging);
    return page;
}

QPushButton* CSubPlanInfoDialog::addButton(const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

int CSubPlanInfoDialog::pageSize() const {
    return std::max(app_.settings.planPlanListPrePageCount, 0);
}

// ---- loading and replies -------------------------------------------------------------------

void CSubPlanInfoDialog::LoadPage(int page, Load kind) {
    const bool resized = pageSize() != requestedPageSize_;
    if (resized)
        page = 1;
    if (page > 0)
        list_.pages().showPage(page);
    quorstat::PlanListPage request;
    request.page = list_.pages().currentPage();
    request.pageSize = pageSize();
    // A stamp only tells whether the list changed since the page on screen was listed.
    if (kind == Load::Incremental && !resized)
        request.stamp = list_.changeStamp();
    requestedPage_ = request.page;
    requestedPageSize_ = request.pageSize;
    app_.queue(app_.catalogue().ownPlanList(quorstat::CurrentScope(app_), request));
}

void CSubPlanInfoDialog::OnPlanListReply(const std::string& reply, int flag) {
    // An upload and a reset answer with the first page.
    const int page = flag == 1 ? 1 : requestedPage_;
    const quorstat::PlanListDraw draw{app_.lotteryId, app_.draw.issuesPerDay(),
                                      app_.draw.closedIssue};
    const OwnPlanList::Result result = list_.apply(reply, page, pageSize(), draw);
    switch (result.outcome) {
        case OwnPlanList::Outcome::Unchanged:
            fill();
            return;
        case OwnPlanList::Outcome::Malformed:
        case OwnPlanList::Outcome::Incomplete:
            // Never a message: the page is asked again, after a second so that a service
            // answering nonsense is not flooded.
            fill();
            retryTimer_->start(kRetryMs);
            return;
        case OwnPlanList::Outcome::Filled:
            retryTimer_->stop();
            break;
    }
    pagerLabel_->setText(toQString(list_.pagerLabel()));
    statistics_->setText(toQString(list_.statisticsLabel()));
    fill();
    RecomposePlanText();
    playSound(result.sound);
    scheduleSettlementReload();
}

void CSubPlanInfoDialog::ClearPlanListStamp() {
    list_.clearChangeStamp();
}

// A refill keeps the rows the user selected and where he scrolled to.
void CSubPlanInfoDialog::fill() {
    std::vector<std::int32_t> selected;
    for (const std::size_t record : grid_->SelectedRecords())
        if (record < list_.plans().size())
            selected.push_back(list_.plans()[record].planId);
    const int scroll = grid_->verticalScrollBar()->value();

    quorstat::OwnPlanGridContext context;
    context.lotteryId = app_.lotteryId;
    context.currentIssue = app_.draw.currentIssue;
    context.fiveStar = app_.play.starCount == 5;
    context.currentPage = list_.pages().currentPage();
    context.pageSize = pageSize();
    grid_->SetContent(quorstat::OwnPlanGrid(list_.plans(), context));

    grid_->SelectRecords([&](std::size_t record) {
        return std::find(selected.begin(), selected.end(), list_.plans()[record].planId) !=
               selected.end();
    });
    grid_->verticalScrollBar()->setValue(scroll);
}

void CSubPlanInfoDialog::playSound(quorstat::PlanSound sound) {
    if (sound == quorstat::PlanSound::None)
        return;
    const bool play = isVisible() && soundReady_ && soundArmed_ && app_.settings.planEndPlaySound;
    soundArmed_ = false;
    if (play && app_.soundPlayer)
        app_.soundPlayer->queue({1, quorstat::PlanSoundResource(sound), {}});
}

void CSubPlanInfoDialog::scheduleSettlementReload() {
    if (list_.settlementDue(app_.draw.lastDrawIssue))
        settlementTimer_->start(app_.intervals.ownPlanAfterBetNum);
    else
        settlementTimer_->stop();
}

std::string CSubPlanInfoDialog::PlanText() const {
    composeIfStale();
    return planText_->toPlainText()
        .replace(QLatin1Char('\n'), QStringLiteral("\r\n"))
        .toStdString();
}

// Composed when it is shown or used: a list of many plans is not written twice over while the
// user looks at the list.
void CSubPlanInfoDialog::RecomposePlanText() {
    textStale_ = true;
    if (tabs_->currentIndex() == TextTab)
        composeIfStale();
}

void CSubPlanInfoDialog::composeIfStale() const {
    if (!textStale_)
        return;
    const quorstat::tagTEMPLATEITEM* item =
        quorstat::TemplateInUse(app_.templates.items, app_.currentTemplateName);
    if (!item)
        return;
    textStale_ = false;
    // The records are the list's positions: in ascending order they are the list as it came.
    const std::vector<std::size_t> order = grid_->ShownRecords();
    std::vector<tagPLANITEM> sorted;
    if (!std::is_sorted(order.begin(), order.end())) {
        for (const std::size_t record : order)
            sorted.push_back(list_.plans()[record]);
    }
    const std::span<const tagPLANITEM> shown =
        sorted.empty() ? std::span(list_.plans()) : std::span<const tagPLANITEM>(sorted);
    const std::string text = quorstat::ComposePlanText(*item, shown, list_.summary(),
                                                       quorstat::CurrentPlanTextContext(app_));
    // The line breaks are the edit's own; PlanText() gives them back as "\r\n".
    QString shownText = toQString(text);
    shownText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shownText == planText_->toPlainText())
        return;
    planText_->setUpdatesEnabled(false);
    planText_->setPlainText(shownText);
    planText_->verticalScrollBar()->setValue(planText_->verticalScrollBar()->maximum());
    planText_->setUpdatesEnabled(true);
}

void CSubPlanInfoDialog::Reset() {
    list_.clear();
    list_.clearChangeStamp();
    list_.pages().reset();
    drawReloadTimer_->stop();
    settlementTimer_->stop();
    retryTimer_->stop();
    actionTimer_->stop();
    pendingActions_.clear();
    fill();
    textStale_ = false;
    planText_->clear();
    statistics_->clear();
    pagerLabel_->setText(toQString(list_.pagerLabel()));
    soundReady_ = false;
    soundReadyTimer_->start(kSoundReadyMs);
    if (app_.isLoggedIn())
        LoadPage();
}

void CSubPlanInfoDialog::OnNewDraw() {
    soundArmed_ = true;
    drawReloadTimer_->start(kDrawReloadMs);
    RecomposePlanText();
}

void CSubPlanInfoDialog::OnIssueChanged() {
    fill();
}

void CSubPlanInfoDialog::refresh() {
    LoadPage();
}

void CSubPlanInfoDialog::turnPage(bool changed) {
    if (changed)
        LoadPage();
}

// ---- actions -----------------------------------------------------------------------------

bool CSubPlanInfoDialog::confirm(const QString& question) {
    return Prompter::instance().message(this, question, Prompter::defaultCaption(),
                                        Prompter::Icon::Question,
                                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void CSubPlanInfoDialog::onLinkClicked(std::size_t record, int column) {
    if (record >= list_.plans().size())
        return;
    if (column == quorstat::kPlanDetail) {
        requestDetail(record, RequestType::PlanDetailView);
        return;
    }
    const std::string_view link =
        quorstat::PlanActionLink(list_.plans()[record], app_.draw.currentIssue);
    if (link == "停止")
        stopPlan(record);
    else if (link == "删除")
        deletePlan(record);
}

void CSubPlanInfoDialog::requestDetail(std::size_t record, int use) {
    if (record >= list_.plans().size())
        return;
    app_.queue(app_.catalogue().planDetail(quorstat::CurrentScope(app_),
                                           static_cast<quorstat::PlanDetailUse>(use), app_.userName,
                                           list_.plans()[record].planId));
}

void CSubPlanInfoDialog::stopPlan(std::size_t record) {
    const std::int32_t planId = list_.plans()[record].planId;
    if (confirm(QStringLiteral("确定要停止此方案吗？")))
        sendPlanActions(RequestType::PlanCancel, {planId});
}

void CSubPlanInfoDialog::deletePlan(std::size_t record) {
    const std::int32_t planId = list_.plans()[record].planId;
    if (confirm(QStringLiteral("确定要删除此方案吗？")))
        sendPlanActions(RequestType::PlanDelete, {planId});
}

void CSubPlanInfoDialog::stopSelected() {
    const auto planIds = quorstat::PlansToStop(list_.plans(), grid_->SelectedRecords());
    if (confirm(QStringLiteral("确定要停止选中方案吗？")))
        sendPlanActions(RequestType::PlanCancel, planIds);
}

void CSubPlanInfoDialog::deleteSelected() {
    const auto planIds = quorstat::PlansToDelete(list_.plans(), grid_->SelectedRecords());
    if (confirm(QStringLiteral("确定要删除选中方案吗？")))
        sendPlanActions(RequestType::PlanDelete, planIds);
}

// The service gets the requests 200 ms apart; the window does not wait for them.
void CSubPlanInfoDialog::sendPlanActions(int type, const std::vector<std::int32_t>& planIds) {
    const int page = list_.pages().currentPage();
    const quorstat::LotteryScope scope = quorstat::CurrentScope(app_);
    const quorstat::RequestCatalogue catalogue = app_.catalogue();
    for (const std::int32_t planId : planIds) {
        auto request = type == RequestType::PlanCancel
                           ? catalogue.planCancel(scope, page, pageSize(), planId)
                           : catalogue.planDelete(scope, page, pageSize(), planId);
        if (request)
            pendingActions_.push_back(std::move(*request));
    }
    requestedPage_ = page;
    if (!actionTimer_->isActive())
        sendNextAction();
}

void CSubPlanInfoDialog::sendNextAction() {
    if (pendingActions_.empty()) {
        actionTimer_->stop();
        return;
    }
    app_.queue(std::move(pendingActions_.front()));
    pendingActions_.pop_front();
    actionTimer_->start(kActionPauseMs);
}

void CSubPlanInfoDialog::showContextMenu(const QPoint& at) {
    const std::vector<std::size_t> records = grid_->SelectedRecords();
    if (records.empty())
        return;
    const quorstat::OwnPlanMenuItems items = quorstat::MenuItemsFor(list_.plans(), records);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ownPlanMenu"));
    menu.addAction(QStringLiteral("复制号码"))->setData(CopyNumbers);
    menu.addAction(QStringLiteral("查看方案"))->setData(ViewPlan);
    if (items.stop)
        menu.addAction(QStringLiteral("停止方案"))->setData(StopPlans);
    if (items.remove)
        menu.addAction(QStringLiteral("删除方案"))->setData(DeletePlans);
    menu.addSeparator();
    QAction* bigBase = menu.addAction(QStringLiteral("转到大底盒"));
    bigBase->setData(ToBigBase);
    bigBase->setEnabled(!app_.dataBoxWnd.isNull());

    const QAction* chosen =
        Prompter::instance().popupMenu(menu, grid_->viewport()->mapToGlobal(at));
    if (!chosen)
        return;
    switch (chosen->data().toInt()) {
        case CopyNumbers:
            requestDetail(records.front(), RequestType::PlanDetailCopy);
            break;
        case ViewPlan:
            requestDetail(records.front(), RequestType::PlanDetailView);
            break;
        case StopPlans:
            stopSelected();
            break;
        case DeletePlans:
            deleteSelected();
            break;
        case ToBigBase:
            transferToBigBase();
            break;
    }
}

void CSubPlanInfoDialog::transferToBigBase() {
    if (app_.dataBoxWnd.isNull())
        return;
    emit bigBaseTransferRequested(quorstat::PlansForBigBase(list_.plans(), grid_->SelectedRecords(),
                                                            app_.userName, app_.userInfoId));
}

void CSubPlanInfoDialog::clearPlans() {
    if (list_.plans().empty()) {
        Prompter::instance().message(this, QStringLiteral("方案已经为空"));
        return;
    }
    if (!confirm(
            QStringLiteral("确定要清空所有方案吗？\r\n\r\n此操作会删除所有方案并且无法恢复。")))
        return;
    requestedPage_ = 1;
    app_.queue(app_.catalogue().planReset(quorstat::CurrentScope(app_)));
    list_.clear();
    fill();
    textStale_ = false;
    planText_->clear();
}

void CSubPlanInfoDialog::copyPlanText() {
    composeIfStale();
    const QString text = planText_->toPlainText();
    if (text.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(text);
    Prompter::instance().prompt(this, QStringLiteral("复制方案成功"), kPromptMs);
}

void CSubPlanInfoDialog::groupSend() {
    const QString text = toQString(PlanText()).replace(QChar(0x3000), QLatin1Char(' ')).trimmed();
    if (text.isEmpty()) {
        Prompter::instance().message(this,
                                     QStringLiteral("没有可以群发的方案，请提交方案后群发。"));
        return;
    }
    emit groupSendRequested(text, false);
}

void CSubPlanInfoDialog::exportList() {
    const std::string name = quorstat::OwnPlanExportName(
        app_.draw.serverTime, quorstat::LotteryName(app_.lotteryId),
        quorstat::PlayStarName(app_.playId), quorstat::PlayKindName(app_.playId), app_.userName);
    if (grid_->Export(toQString(name), {}))
        Prompter::instance().prompt(this, QStringLiteral("导出方案列表完成"), kPromptMs);
}
