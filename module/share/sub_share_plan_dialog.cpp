#include "share/sub_share_plan_dialog.h"

#include <fmt/format.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "console/console_dialog.h"
#include "console/current_scope.h"
#include "console/plan_text.h"
#include "core/quorstat_app.h"
#include "net/date_time.h"
#include "plan/lottery_table.h"
#include "plan/own_plan_grid.h"
#include "plan/play_table.h"
#include "ui/call_later.h"
#include "ui/grid_ctrl.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

using quorstat::PlanDetailUse;

const QString CSubSharePlanDialog::kLoadingText = QStringLiteral("正在获取方案列表，请稍后...");

CSubSharePlanDialog::CSubSharePlanDialog(CQuorstatApp& app, QWidget* parent)
    : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("sharePlanPanel"));
    buildControls();
    refreshTimer_ = new QTimer(this);
    connect(refreshTimer_, &QTimer::timeout, this, &CSubSharePlanDialog::onRefreshTimer);
    armTimer_ = new QTimer(this);
    armTimer_->setSingleShot(true);
    connect(armTimer_, &QTimer::timeout, this, [this] { list_.armSounds(); });
    redraw();
}

void CSubSharePlanDialog::buildControls() {
    statistics_ = new QLabel(QStringLiteral("统计信息："), this);
    statistics_->setObjectName(QStringLiteral("sharePlanStatistics"));
    follow_ = addButton(QStringLiteral("关注用户"), QStringLiteral("followUser"));
    auto* refresh = addButton(QStringLiteral("刷新"), QStringLiteral("refreshPlans"));
    auto* exportButton = addButton(QStringLiteral("导出"), QStringLiteral("exportPlans"));
    auto* copyText = addButton(QStringLiteral("方案"), QStringLiteral("copyPlanText"));
    auto* copyNumbers = addButton(QStringLiteral("号码"), QStringLiteral("copyNumbers"));
    // The statistics line takes a row of its own: a long name and date must not push the buttons.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {follow_, refresh, exportButton, copyText, copyNumbers})
        buttons->addWidget(button);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("sharePlanTabs"));
    text_ = new QPlainTextEdit(tabs_);
    text_->setObjectName(QStringLiteral("sharePlanText"));
    text_->setReadOnly(true);
    text_->setFont(app_.planTextLook.font);
    grid_ = new CGridCtrl(tabs_);
    grid_->setObjectName(QStringLiteral("sharePlanGrid"));
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    tabs_->addTab(text_, QStringLiteral("方案文本"));
    tabs_->addTab(grid_, QStringLiteral("方案列表"));
    tabs_->setCurrentIndex(app_.settings.tabIndexSharePlan == 1 ? 1 : 0);

    auto* paging = new QHBoxLayout;
    auto* first = addButton(QStringLiteral("首页"), QStringLiteral("planFirstPage"));
    auto* previous = addButton(QStringLiteral("上页"), QStringLiteral("planPreviousPage"));
    auto* next = addButton(QStringLiteral("下页"), QStringLiteral("planNextPage"));
    auto* last = addButton(QStringLiteral("尾页"), QStringLiteral("planLastPage"));
    auto* goTo = addButton(QStringLiteral("转到"), QStringLiteral("planGoToPage"));
    pageEdit_ = new QLineEdit(this);
    pageEdit_->setObjectName(QStringLiteral("planPageEdit"));
    pageEdit_->setFixedWidth(48);
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("planPageLabel"));
    for (QWidget* control :
         std::initializer_list<QWidget*>{first, previous, next, last, goTo, pageEdit_})
        paging->addWidget(control);
    paging->addWidget(pageLabel_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(statistics_);
    layout->addLayout(buttons);
    layout->addWidget(tabs_, 1);
    layout->addLayout(paging);
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("sharePlanMenu"));

    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        app_.settings.tabIndexSharePlan = index;
        app_.SaveSettings();
    });
    connect(follow_, &QPushButton::clicked, this, &CSubSharePlanDialog::onFollowClicked);
    connect(refresh, &QPushButton::clicked, this, [this] { requestPlans(true, Ask::WithPrompt); });
    connect(exportButton, &QPushButton::clicked, this, &CSubSharePlanDialog::exportGrid);
    connect(copyText, &QPushButton::clicked, this, &CSubSharePlanDialog::copyPlanText);
    connect(copyNumbers, &QPushButton::clicked, this, &CSubSharePlanDialog::copySelectedNumbers);
    connect(first, &QPushButton::clicked, this, [this] { turnPage(list_.first()); });
    connect(previous, &QPushButton::clicked, this, [this] { turnPage(list_.previous()); });
    connect(next, &QPushButton::clicked, this, [this] { turnPage(list_.next()); });
    connect(last, &QPushButton::clicked, this, [this] { turnPage(list_.last()); });
    connect(goTo, &QPushButton::clicked, this,
            [this] { turnPage(list_.goTo(pageEdit_->text().toStdString())); });
    connect(pageEdit_, &QLineEdit::returnPressed, goTo, &QPushButton::click);
    connect(grid_, &CGridCtrl::recordActivated, this,
            [this](std::size_t record) { requestDetail(PlanDetailUse::View, record); });
    connect(grid_, &CGridCtrl::linkClicked, this, [this](std::size_t record, int column) {
        if (column == static_cast<int>(quorstat::kPlanDetail))
            requestDetail(PlanDetailUse::View, record);
    });
    connect(grid_, &QWidget::customContextMenuRequested, this, &CSubSharePlanDialog::showMenu);
}

QPushButton* CSubSharePlanDialog::addButton(const QString& text, const QString& name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

int CSubSharePlanDialog::pageSize() const {
    return app_.settings.sharePlanListPrePageCount;
}

// ---- the sharing page's calls -----------------------------------------------------------

void CSubSharePlanDialog::ShowUserPlans(const quorstat::tagUSERINFO& user) {
    using Outcome = quorstat::SharedPlanList::ShowOutcome;
    const Outcome outcome = list_.show(user, app_.adminMenus);
    if (outcome == Outcome::Unchanged)
        return;
    template_.reset();
    redraw();
    if (outcome == Outcome::NotSharing) {
        showNotSharing();
        return;
    }
    armTimer_->start(kArmSoundsMs);
    refreshTimer_->start(app_.intervals.planList);
    app_.queue(app_.catalogue().templateDetail(user.userName));
    requestPlans(false, Ask::WithPrompt);
}

void CSubSharePlanDialog::SetFollowed(std::string_view userName, bool followed) {
    if (list_.setFollowed(userName, followed))
        redraw();
}

void CSubSharePlanDialog::OnSharedPlanReply(const std::string& reply) {
    if (!list_.mayLoad(app_.adminMenus))
        return;
    const quorstat::SharedPlanEvents events = list_.apply(
        reply, pageSize(), app_.draw.lastDrawIssue, app_.lotteryId, app_.draw.issuesPerDay());
    redraw();
    playSounds(events);
}

void CSubSharePlanDialog::ShowTemplate(const std::optional<quorstat::tagTEMPLATEITEM>& item) {
    template_ = item;
    if (list_.mayLoad(app_.adminMenus))
        composeText();
}

void CSubSharePlanDialog::Reset() {
    list_.reset();
    template_.reset();
    refreshTimer_->stop();
    armTimer_->stop();
    redraw();
}

void CSubSharePlanDialog::Reload() {
    if (!list_.mayLoad(app_.adminMenus))
        return;
    list_.first();
    requestPlans(false, Ask::Silent);
}

// The timer brings the settled plans; a draw needs nothing of its own here.
void CSubSharePlanDialog::OnNewDraw() {}

void CSubSharePlanDialog::OnActivated() {
    if (!list_.hasUser())
        return;
    list_.activate();
    CallLater(this, kActivatedRefreshMs, [this] {
        if (list_.mayLoad(app_.adminMenus))
            requestPlans(false, Ask::Silent);
    });
}

void CSubSharePlanDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    OnActivated();
}

// ---- requests ------------------------------------------------------------------------------

void CSubSharePlanDialog::requestPlans(bool incremental, Ask ask) {
    if (!list_.mayLoad(app_.adminMenus))
        return;
    const bool queued = app_.queue(app_.catalogue().sharedPlanList(
        quorstat::CurrentScope(app_), list_.user().userName, list_.query(incremental, pageSize())));
    if (queued && ask == Ask::WithPrompt && app_.console)
        app_.console->beginUpload(kLoadingText);
}

void CSubSharePlanDialog::requestDetail(PlanDetailUse use, std::size_t record) {
    if (record >= list_.plans().size())
        return;
    app_.queue(app_.catalogue().planDetail(quorstat::CurrentScope(app_), use, list_.user().userName,
                                           list_.plans()[record].planId));
}

void CSubSharePlanDialog::turnPage(bool changed) {
    if (changed)
        requestPlans(false, Ask::WithPrompt);
}

void CSubSharePlanDialog::onRefreshTimer() {
    if (list_.mayLoad(app_.adminMenus))
        requestPlans(true, Ask::Silent);
    else if (list_.hasUser())
        showNotSharing();
}

// ---- showing -------------------------------------------------------------------------------

void CSubSharePlanDialog::showNotSharing() {
    statistics_->setText(toQString(quorstat::kNoSharedPlans));
    text_->setPlainText(toQString(quorstat::kStingyUserText));
}

void CSubSharePlanDialog::redraw() {
    statistics_->setText(toQString(list_.statisticsLine()));
    follow_->setText(list_.user().followed == 1 ? QStringLiteral("取消关注")
                                                : QStringLiteral("关注用户"));
    follow_->setEnabled(list_.hasUser() && list_.user().userName != app_.userName);
    pageLabel_->setText(QStringLiteral("%1/%2").arg(list_.currentPage()).arg(list_.pageCount()));
    grid_->SetContent(quorstat::SharedPlanGrid(list_.plans(), {.lotteryId = app_.lotteryId,
                                                               .fiveStar = app_.play.starCount == 5,
                                                               .currentPage = list_.currentPage(),
                                                               .pageSize = pageSize()}));
    composeText();
}

// His own template when he has one, else the one this user writes with.
void CSubSharePlanDialog::composeText() {
    const quorstat::tagTEMPLATEITEM* item =
        template_ ? &*template_
                  : quorstat::TemplateInUse(app_.templates.items, app_.currentTemplateName);
    if (!item || list_.plans().empty()) {
        text_->clear();
        return;
    }
    quorstat::PlanTextContext context = quorstat::CurrentPlanTextContext(app_);
    context.userName = list_.user().userName;
    text_->setPlainText(
        toQString(quorstat::ComposePlanText(*item, list_.plans(), list_.summary(), context)));
}

void CSubSharePlanDialog::playSounds(const quorstat::SharedPlanEvents& events) {
    quorstat::SharedPlanSoundSettings settings;
    settings.pageShown = isVisible();
    settings.newPlanSound = app_.settings.shareIsNewPlaySound;
    settings.newPlanFile = (app_.paths.soundDir / app_.settings.shareFileNewPlaySound).string();
    settings.endSound = app_.settings.shareEndPlaySound;
    for (quorstat::SoundItem& item : list_.sounds(events, settings))
        if (app_.soundPlayer)
            app_.soundPlayer->queue(std::move(item));
}

// ---- buttons and menu -------------------------------------------------------------------

void CSubSharePlanDialog::onFollowClicked() {
    if (list_.hasUser())
        emit followRequested(list_.user(), list_.user().followed != 1);
}

void CSubSharePlanDialog::copyPlanText() {
    const QString text = text_->toPlainText();
    if (text.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(text);
    Prompter::instance().prompt(this, QStringLiteral("复制方案成功"));
}

void CSubSharePlanDialog::copySelectedNumbers() {
    const std::vector<std::size_t> records = grid_->SelectedRecords();
    if (records.empty()) {
        Prompter::instance().prompt(this, QStringLiteral("请先选中要复制号码的方案"));
        return;
    }
    requestDetail(PlanDetailUse::Copy, records.front());
}

void CSubSharePlanDialog::exportGrid() {
    const std::string name = fmt::format(
        "{}-{}{}{}-{}-方案列表", quorstat::FormatDateTime(app_.draw.serverTime).substr(0, 10),
        quorstat::LotteryName(app_.lotteryId), quorstat::PlayStarName(app_.playId),
        quorstat::PlayKindName(app_.playId), list_.user().userName);
    if (grid_->Export(toQString(name), QString()))
        Prompter::instance().prompt(this, QStringLiteral("导出方案列表完成"));
}

void CSubSharePlanDialog::showMenu(const QPoint& at) {
    const std::vector<std::size_t> records = grid_->SelectedRecords();
    if (records.empty())
        return;
    menu_->clear();
    const std::size_t record = records.front();
    menu_->addAction(QStringLiteral("复制号码"), this,
                     [this, record] { requestDetail(PlanDetailUse::Copy, record); });
    menu_->addAction(QStringLiteral("查看方案"), this,
                     [this, record] { requestDetail(PlanDetailUse::View, record); });
    menu_->addSeparator();
    menu_->addAction(QStringLiteral("转到大底盒"), this, &CSubSharePlanDialog::transferToBigBase);
    Prompter::instance().popupMenu(*menu_, grid_->viewport()->mapToGlobal(at));
}

void CSubSharePlanDialog::transferToBigBase() {
    std::vector<quorstat::BoxUser> plans;
    for (const std::size_t record : grid_->SelectedRecords())
        if (record < list_.plans().size())
            plans.push_back({list_.user().userName, list_.user().userInfoId,
                             list_.plans()[record].planId, list_.user().shares});
    if (!plans.empty())
        emit bigBaseTransferRequested(plans);
}
