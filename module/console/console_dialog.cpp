#include "console/console_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <utility>

#include "console/current_scope.h"
#include "console/data_box_view.h"
#include "console/draw_notice.h"
#include "console/group_send_event.h"
#include "console/group_send_text.h"
#include "console/group_sender.h"
#include "console/login_controller.h"
#include "console/plan_panel_view.h"
#include "console/ranking_view.h"
#include "console/share_panel_view.h"
#include "console/sub_control_dialog.h"
#include "console/sub_status_dialog.h"
#include "console/tools_login_dialog.h"
#include "core/quorstat_api.h"
#include "core/quorstat_app.h"
#include "net/draw_replies.h"
#include "net/reply_text.h"
#include "net/request_types.h"
#include "net/settings_record.h"
#include "plan/lottery_table.h"
#include "plan/play_table.h"
#include "settings/tools_setting_dialog.h"
#include "templates/tools_qq_wnd_filter_editor_dialog.h"
#include "templates/tools_sys_time_set_dialog.h"
#include "ui/call_later.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"
#include "ui/tools_prompt_dialog.h"

namespace {

using quorstat::ServiceRequest;
namespace Type = quorstat::RequestType;

constexpr QSize kHostSize{1024, 768};
constexpr int kRankingMenuFirst = 1501;
const char* const kRankingMenu[] = {"在线TOP100排行榜", "粉丝TOP100排行榜", "昨日TOP100排行榜",
                                    "上周TOP100排行榜", "上月TOP100排行榜", "TOP100总排行榜"};

// "0" is a failure and "2" means nothing new; neither carries a list.
bool carriesList(const std::string& reply) {
    const auto status = quorstat::StatusCode(reply);
    return status && *status != '0' && *status != '2';
}

// Success with something after the status and its separator.
bool succeededWithData(const std::string& reply) {
    return quorstat::StatusCode(reply) == '1' && reply.size() > 2;
}

QPushButton* makeButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

const QString kStyleSheet = QStringLiteral(
    "QPushButton#lotteryButton, QPushButton#playButton, QPushButton#rankingButton {"
    "  color: white; font-size: 14px; font-weight: bold; border: 1px solid #14213f;"
    "  border-radius: 4px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    "  stop:0 #34508d, stop:1 #1d2f5c); }"
    "QPushButton#lotteryButton:hover, QPushButton#playButton:hover,"
    "QPushButton#rankingButton:hover { background: #3b5ba0; }"
    "QPushButton#customSendButton, QPushButton#sendSettingsButton,"
    "QPushButton#templateManagerButton, QPushButton#settingsButton {"
    "  color: #1d2b5c; font-size: 13px; border: 1px solid #c2b28f; border-radius: 4px;"
    "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffdf8, stop:1 #efe6d2); }"
    "QPushButton#customSendButton:hover, QPushButton#sendSettingsButton:hover,"
    "QPushButton#templateManagerButton:hover, QPushButton#settingsButton:hover {"
    "  background: #fffaf0; border-color: #9c8a62; }"
    "QPushButton:disabled { color: #a99f88; }"
    "QComboBox#templatePicker { color: #1d2b5c; border: 1px solid #c2b28f; border-radius: 4px;"
    "  padding: 1px 6px; background: #fffdf8; }"
    "QTabWidget#tabs::pane { border: 1px solid #c2b28f; background: #fffdf8; top: -1px; }"
    "QTabWidget#tabs QTabBar::tab { color: #1d2b5c; font-size: 14px; padding: 5px 22px;"
    "  margin-right: 2px; border: 1px solid #c2b28f; border-bottom: none;"
    "  border-top-left-radius: 5px; border-top-right-radius: 5px; background: #e9dfc8; }"
    "QTabWidget#tabs QTabBar::tab:selected { background: #fffdf8; font-weight: bold; }"
    "QTabWidget#tabs QTabBar::tab:!selected { margin-top: 3px; }");

}  // namespace

CConsoleDialog::CConsoleDialog(QWidget* host) : QWidget(host), app_(CQuorstatApp::instance()) {
    setObjectName(QStringLiteral("consoleDialog"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, app_.dialogBackground);
    colours.setColor(QPalette::WindowText, app_.textColor);
    setPalette(colours);
    setStyleSheet(kStyleSheet);
    buildLogin();
    app_.requestHandler = this;
}

// At once rather than from the event loop, whose first round takes a few milliseconds the login
// dialog need not wait for.
void CConsoleDialog::start() {
    show();
    login_->start();
}

CConsoleDialog::~CConsoleDialog() {
    if (app_.requestHandler == this)
        app_.requestHandler = nullptr;
    // Hidden first, so that no page comes to be shown as the pages before it go: a page shown
    // starts timers that would fire into a module already unloaded.
    hide();
    // The panels go in a fixed order; the login dialog first, so it never outlives its controller.
    delete login_;
    delete controlPanel_;
    delete planPage_;
    delete sharePage_;
    delete statusPanel_;
    delete rankingDialog_.data();
    delete app_.dataBoxWnd.data();
}

void CConsoleDialog::buildLogin() {
    login_ = new CLoginController(app_, this);
    connect(login_, &CLoginController::loggedIn, this, &CConsoleDialog::LoginSucceeded);
    connect(login_, &CLoginController::sessionStopped, this, [this] {
        sessionEnded_ = true;
        StopRefresh();
    });
    groupSender_ = new CGroupSender(app_, this);
    connect(this, &CConsoleDialog::customSendRequested, groupSender_,
            &CGroupSender::openCustomSend);
    connect(this, &CConsoleDialog::sendSettingsRequested, groupSender_,
            &CGroupSender::openSendSettings);
}

void CConsoleDialog::buildControls() {
    controlPanel_ = new CSubControlDialog(app_, this);
    connect(controlPanel_, &CSubControlDialog::issueChanged, this, [this] {
        if (planView_)
            planView_->OnIssueChanged();
    });
    statusPanel_ = new CSubStatusDialog(app_, this);
    connect(statusPanel_, &CSubStatusDialog::accountMenuRequested, this,
            &CConsoleDialog::showAccountMenu);
    connect(statusPanel_, &CSubStatusDialog::windowFilterEditorRequested, this, [this] {
        CToolsQQWndFilterEditorDialog editor(app_, this);
        Prompter::instance().exec(editor);
    });
    connect(statusPanel_, &CSubStatusDialog::intervalEditorRequested, this, [this] {
        CToolsSysTimeSetDialog editor(app_, this);
        Prompter::instance().exec(editor);
    });

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    planPage_ = new QWidget;
    sharePage_ = new QWidget;

    lotteryButton_ = makeButton(QStringLiteral("选择彩票"), QStringLiteral("lotteryButton"), this);
    playButton_ = makeButton(QStringLiteral("选择玩法"), QStringLiteral("playButton"), this);
    rankingButton_ =
        makeButton(QStringLiteral("TOP100排行榜"), QStringLiteral("rankingButton"), this);
    templatePicker_ = new QComboBox(this);
    templatePicker_->setObjectName(QStringLiteral("templatePicker"));
    templatePicker_->setFont(app_.windowsXp ? app_.fonts.songTi13 : app_.fonts.heiTi13);
    // Room for about 500 pixels of names when it drops down.
    templatePicker_->setMaxVisibleItems(20);
    customSendButton_ =
        makeButton(QStringLiteral("自定义群发"), QStringLiteral("customSendButton"), this);
    sendSettingsButton_ =
        makeButton(QStringLiteral("群发设置"), QStringLiteral("sendSettingsButton"), this);
    templateManagerButton_ =
        makeButton(QStringLiteral("模板设置"), QStringLiteral("templateManagerButton"), this);
    settingsButton_ =
        makeButton(QStringLiteral("系统设置"), QStringLiteral("settingsButton"), this);

    lotteryMenu_ = new QMenu(this);
    lotteryMenu_->setObjectName(QStringLiteral("lotteryMenu"));
    playMenu_ = new QMenu(this);
    playMenu_->setObjectName(QStringLiteral("playMenu"));
    rankingMenu_ = new QMenu(this);
    rankingMenu_->setObjectName(QStringLiteral("rankingMenu"));

    connect(lotteryButton_, &QPushButton::clicked, this, &CConsoleDialog::showLotteryMenu);
    connect(playButton_, &QPushButton::clicked, this, &CConsoleDialog::showPlayMenu);
    connect(rankingButton_, &QPushButton::clicked, this, &CConsoleDialog::showRankingMenu);
    connect(customSendButton_, &QPushButton::clicked, this, &CConsoleDialog::customSendRequested);
    connect(sendSettingsButton_, &QPushButton::clicked, this,
            &CConsoleDialog::sendSettingsRequested);
    connect(templateManagerButton_, &QPushButton::clicked, this,
            &CConsoleDialog::templateManagerRequested);
    connect(settingsButton_, &QPushButton::clicked, this, &CConsoleDialog::openSettings);
    connect(templatePicker_, &QComboBox::currentIndexChanged, this,
            &CConsoleDialog::onTemplatePicked);
}

void CConsoleDialog::startUp() {
    templateManagerButton_->setEnabled(!app_.templates.items.empty());
    if (app_.lotteryId == 0)
        app_.lotteryId = quorstat::kDefaultLotteryId;
    if (app_.playId == 0)
        app_.playId = quorstat::kDefaultPlayId;
    // The selection read from the settings: nothing changed, so nothing is saved.
    showLottery(app_.lotteryId);
    showPlay(app_.playId);

    {
        const QSignalBlocker quiet(templatePicker_);
        templatePicker_->clear();
        templatePicker_->addItem(toQString(quorstat::AppState::kSystemTemplateName));
        templatePicker_->setCurrentIndex(0);
    }
    tabs_->addTab(planPage_, QStringLiteral("我的方案"));
    tabs_->addTab(sharePage_, QStringLiteral("网络方案"));
    tabs_->setCurrentIndex(app_.settings.tabIndexTotal == 1 ? 1 : 0);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        app_.settings.tabIndexTotal = index;
        app_.SaveSettings();
    });
    layoutControls();
    LotteryChanged();
    PlayChanged();
}

bool CConsoleDialog::event(QEvent* event) {
    if (event->type() != GroupSendEvent::kType)
        return QWidget::event(event);
    groupSender_->start(*static_cast<GroupSendEvent*>(event));
    return true;
}

void CConsoleDialog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void CConsoleDialog::layoutControls() {
    if (!controlPanel_ || !statusPanel_ || !tabs_)
        return;
    const int w = width();
    const int h = height();
    controlPanel_->setGeometry(0, 0, w, 150);
    if (app_.runLotteryArg != 0) {
        lotteryButton_->hide();
        playButton_->setGeometry(210, 156, 120, 27);
        rankingButton_->setGeometry(335, 156, 130, 27);
    } else {
        lotteryButton_->setGeometry(210, 156, 120, 27);
        playButton_->setGeometry(335, 156, 120, 27);
        rankingButton_->setGeometry(460, 156, 130, 27);
    }
    templatePicker_->setGeometry(w - 410, app_.windowsXp ? 158 : 156, 90, 25);
    customSendButton_->setGeometry(w - 315, 156, 82, 25);
    sendSettingsButton_->setGeometry(w - 232, 156, 75, 25);
    templateManagerButton_->setGeometry(w - 156, 156, 75, 25);
    settingsButton_->setGeometry(w - 80, 156, 75, 25);
    tabs_->setGeometry(0, 170, w, std::max(0, h - 200));
    statusPanel_->setGeometry(0, h - 30, w, 30);
    // The buttons share the row of the tab headers and must stay above them.
    for (QWidget* control : std::initializer_list<QWidget*>{
             lotteryButton_, playButton_, rankingButton_, templatePicker_, customSendButton_,
             sendSettingsButton_, templateManagerButton_, settingsButton_})
        control->raise();
}

// ---- selection -------------------------------------------------------------------------

void CConsoleDialog::popupBelow(QMenu* menu, QPushButton* button) {
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void CConsoleDialog::showLotteryMenu() {
    lotteryMenu_->clear();
    for (const quorstat::LotteryInfo& lottery : quorstat::lotteryTable()) {
        QAction* item = lotteryMenu_->addAction(toQString(lottery.name), this,
                                                [this, id = lottery.id] { SelectLottery(id); });
        item->setData(lottery.id);
        item->setCheckable(true);
        item->setChecked(lottery.id == app_.lotteryId);
    }
    popupBelow(lotteryMenu_, lotteryButton_);
}

void CConsoleDialog::showPlayMenu() {
    playMenu_->clear();
    for (const quorstat::PlayInfo& play : quorstat::playTable()) {
        QAction* item = playMenu_->addAction(toQString(play.menuText), this,
                                             [this, id = play.id] { SelectPlay(id); });
        item->setData(play.id);
        item->setCheckable(true);
        item->setChecked(play.id == app_.playId);
        if (play.separatorAfter)
            playMenu_->addSeparator();
    }
    popupBelow(playMenu_, playButton_);
}

void CConsoleDialog::showRankingMenu() {
    rankingMenu_->clear();
    for (int i = 0; i < static_cast<int>(std::size(kRankingMenu)); ++i) {
        const int id = kRankingMenuFirst + i;
        rankingMenu_
            ->addAction(QString::fromUtf8(kRankingMenu[i]), this, [this, id] { OpenRanking(id); })
            ->setData(id);
    }
    popupBelow(rankingMenu_, rankingButton_);
}

void CConsoleDialog::SelectLottery(int lotteryId) {
    showLottery(lotteryId);
    if (app_.isLoggedIn() && lotteryId == app_.lotteryId)
        return;
    app_.lotteryId = lotteryId;
    LotteryChanged();
    app_.SaveSettings();
}

void CConsoleDialog::SelectPlay(int playId) {
    showPlay(playId);
    if (app_.isLoggedIn() && playId == app_.playId)
        return;
    app_.playId = playId;
    PlayChanged();
    app_.SaveSettings();
}

void CConsoleDialog::showLottery(int lotteryId) {
    lotteryButton_->setText(toQString(quorstat::LotteryName(lotteryId)) + QStringLiteral(" ▾"));
    if (quorstat::lotteryFamilyDigit(lotteryId) == 1)
        app_.play.selectLottery(lotteryId);
}

void CConsoleDialog::showPlay(int playId) {
    playButton_->setText(toQString(quorstat::PlayStarName(playId)) +
                         toQString(quorstat::PlayKindName(playId)) + QStringLiteral(" ▾"));
    app_.play.selectPlay(playId);
    statusPanel_->setDataBoxAvailable(quorstat::playFamily(playId) == quorstat::PlayFamily::number);
}

void CConsoleDialog::SelectTab(int index) {
    if (index != tabs_->currentIndex())
        tabs_->setCurrentIndex(index);
}

void CConsoleDialog::LotteryChanged() {
    app_.draw.clearLottery();
    app_.templates.stamp.clear();
    controlPanel_->OnLotteryChanged();
    refreshSelectionViews();
    if (app_.isLoggedIn())
        requestUserInfoId();
}

void CConsoleDialog::PlayChanged() {
    app_.templates.stamp.clear();
    refreshSelectionViews();
}

void CConsoleDialog::refreshSelectionViews() {
    if (planView_)
        planView_->OnSelectionChanged();
    if (shareView_)
        shareView_->Reload();
    if (statusPanel_)
        requestFollowCounts();
    if (dataBoxView_)
        dataBoxView_->ClearBoxes();
}

void CConsoleDialog::OpenRanking(int listId) {
    if (!rankingFactory_)
        return;
    // A child of this window: should the window go while the ranking is open, so does the ranking.
    rankingDialog_ = rankingFactory_(listId, this).release();
    rankingView_ = dynamic_cast<quorstat::RankingView*>(rankingDialog_.data());
    if (rankingView_ && Prompter::instance().exec(*rankingDialog_) == QDialog::Accepted) {
        SelectTab(1);
        const quorstat::tagUSERINFO chosen = rankingView_->ChosenUser();
        if (chosen.userInfoId != 0 && !chosen.userName.empty() && shareView_)
            shareView_->ShowUserPlans(chosen);
    }
    rankingView_ = nullptr;
    delete rankingDialog_.data();
}

// ---- template picker -------------------------------------------------------------------

void CConsoleDialog::onTemplatePicked(int index) {
    const auto& items = app_.templates.items;
    if (index < 0 || index >= static_cast<int>(items.size()))
        return;
    const quorstat::tagTEMPLATEITEM& item = items[static_cast<std::size_t>(index)];
    app_.currentTemplateName = item.TempletName;
    app_.queue(app_.catalogue().templateSelect(item.TempletID));
    if (planView_)
        planView_->RecomposePlanText();
}

void CConsoleDialog::refillTemplatePicker() {
    const QSignalBlocker quiet(templatePicker_);
    templatePicker_->clear();
    templateManagerButton_->setEnabled(!app_.templates.items.empty());
    const auto choice = app_.templates.choose(app_.currentTemplateName);
    if (!choice)
        return;
    for (const quorstat::tagTEMPLATEITEM& item : app_.templates.items)
        templatePicker_->addItem(QString::fromStdString(item.TempletName));
    templatePicker_->setCurrentIndex(choice->index);
    if (choice->selectedTemplateId)
        app_.queue(app_.catalogue().templateSelect(*choice->selectedTemplateId));
    if (planView_)
        planView_->RecomposePlanText();
}

// ---- log-in ------------------------------------------------------------------------------

void CConsoleDialog::showAccountMenu() {
    login_->showAccountMenu(statusPanel_->accountButton());
}

void CConsoleDialog::LoginSucceeded() {
    sessionEnded_ = false;
    statusPanel_->OnLogin();
    controlPanel_->RunStep(CSubControlDialog::kDrawTableTimer);
    if (planView_)
        planView_->Reset();
    if (shareView_)
        shareView_->Reset();
    requestShareRead();
    requestFollowCounts();
    requestTemplateList();
    requestWindowFilter();
    requestIntervals();
    if (app_.isLoggedIn())
        requestUserInfoId();
}

void CConsoleDialog::StopRefresh() {
    controlPanel_->StopTableRefresh();
    statusPanel_->StopRefresh();
    if (shareView_)
        shareView_->Reset();
}

quorstat::RequestProgressView* CConsoleDialog::loginProgressView() {
    return login_->loginDialog();
}

void CConsoleDialog::closeLoginAfterFirstDraw() {
    login_->destroyLoginDialog();
    presented_ = true;
    if (QWidget* host = app_.hostWnd) {
        QRect frame(QPoint(0, 0), kHostSize);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            frame.moveCenter(screen->availableGeometry().center());
        host->setGeometry(frame);
        host->showMaximized();
    }
    setEnabled(true);
    show();
    controlPanel_->RunStep(CSubControlDialog::kBannerTimer);
}

// ---- panels of other work ------------------------------------------------------------------

void CConsoleDialog::attachPlanPanel(QWidget* page, quorstat::PlanPanelView* view) {
    replacePage(planPage_, page, QStringLiteral("我的方案"));
    planView_ = view;
}

void CConsoleDialog::attachSharePanel(QWidget* page, quorstat::SharePanelView* view) {
    replacePage(sharePage_, page, QStringLiteral("网络方案"));
    shareView_ = view;
}

// The chosen tab stays chosen, and the swap is no choice of the user's to be saved.
void CConsoleDialog::replacePage(QWidget*& slot, QWidget* page, const QString& title) {
    if (page == slot)
        return;
    const QSignalBlocker quiet(tabs_);
    const int current = tabs_->currentIndex();
    const int index = tabs_->indexOf(slot);
    tabs_->removeTab(index);
    delete slot;
    slot = page;
    tabs_->insertTab(index, page, title);
    tabs_->setCurrentIndex(current);
}

void CConsoleDialog::buildPagesLater(std::function<void()> build) {
    pageBuilder_ = std::move(build);
    // From the event loop, by when start() has put the login dialog up.
    CallLater(this, 0, &CConsoleDialog::buildPagesAfterLoginShows);
}

void CConsoleDialog::buildPagesAfterLoginShows() {
    QWidget* dialog = login_->loginDialog();
    if (dialog && dialog->isVisible())
        CallAfterFirstPaint(dialog, this, &CConsoleDialog::buildPages);
    else
        buildPages();
}

void CConsoleDialog::buildPages() {
    if (!tabs_) {
        buildControls();
        startUp();
    }
    if (auto build = std::exchange(pageBuilder_, nullptr))
        build();
}

void CConsoleDialog::attachDataBox(QWidget* window, quorstat::DataBoxView* view) {
    app_.dataBoxWnd = window;
    window->hide();
    dataBoxView_ = view;
}

void CConsoleDialog::setRankingDialogFactory(RankingDialogFactory factory) {
    rankingFactory_ = std::move(factory);
}

void CConsoleDialog::beginUpload(const QString& text) {
    endUpload();
    setEnabled(false);
    uploadPrompt_ = new CToolsPromptDialog(text, 0, this);
    uploadPrompt_->setModal(false);
    uploadPrompt_->show();
}

void CConsoleDialog::endUpload() {
    if (uploadPrompt_) {
        uploadPrompt_->close();
        uploadPrompt_->deleteLater();
    }
    setEnabled(true);
}

// ---- settings ------------------------------------------------------------------------------

void CConsoleDialog::openSettings() {
    const int userPageSize = app_.settings.shareUserListPrePageCount;
    CToolsSettingDialog dialog(app_, this);
    if (Prompter::instance().exec(dialog) != QDialog::Accepted)
        return;
    // The settings stay in use for this run, and the exit tries to save them again.
    if (!app_.SaveSettings())
        Prompter::instance().message(
            this,
            QStringLiteral("设置已生效，但无法写入配置文件 config.ini，请检查数据目录的权限。"),
            Prompter::defaultCaption(), Prompter::Icon::Warning);
    applySettings(userPageSize);
}

void CConsoleDialog::applySettings(int previousUserPageSize) {
    app_.updatePlanTextLook();
    controlPanel_->update();
    if (planView_)
        planView_->OnSettingsChanged();
    if (shareView_ && app_.settings.shareUserListPrePageCount != previousUserPageSize)
        shareView_->OnUserListPageSizeChanged();
}

// ---- requests ------------------------------------------------------------------------------

void CConsoleDialog::retryLater(void (CConsoleDialog::*request)()) {
    CallLater(this, kRetryMs, request);
}

void CConsoleDialog::requestShareRead() {
    app_.queue(app_.catalogue().shareRead(quorstat::CurrentScope(app_)));
}

void CConsoleDialog::requestShareSet() {
    app_.queue(app_.catalogue().shareSet(quorstat::CurrentScope(app_), app_.shareFlag));
}

void CConsoleDialog::requestHistory() {
    app_.queue(app_.catalogue().drawHistory(quorstat::LotteryName(app_.lotteryId)));
}

void CConsoleDialog::requestTemplateList() {
    app_.queue(app_.catalogue().templateList(app_.templates.stampToSend()));
}

void CConsoleDialog::requestFollowCounts() {
    app_.queue(app_.catalogue().followCounts(quorstat::CurrentScope(app_)));
}

void CConsoleDialog::requestWindowFilter() {
    app_.queue(app_.catalogue().windowFilterRead(app_.windowFilter.stamp));
}

void CConsoleDialog::requestIntervals() {
    app_.queue(app_.catalogue().intervalsRead());
}

void CConsoleDialog::requestUserInfoId() {
    app_.queue(app_.catalogue().userInfoId(quorstat::CurrentScope(app_)));
}

// ---- replies -------------------------------------------------------------------------------

void CConsoleDialog::OnRequestDone(ServiceRequest& request) {
    buildPages();
    // Requests still queued when the session was ended elsewhere come back ended as well; the
    // user has been told once.
    if (sessionEnded_ && quorstat::StatusCode(request.reply) == '4')
        return;
    if (!login_->checkReplyStatus(request))
        return;
    switch (request.type) {
        case Type::Login:
            login_->onLoginReply(request);
            break;
        case Type::Logout:
            login_->onLogoutReply(request);
            break;
        case Type::ServerTime:
            onServerTime(request);
            break;
        case Type::DrawTimes:
            onDrawTimes(request);
            break;
        case Type::DrawNumbers:
            onDrawNumbers(request);
            break;
        case Type::DrawHistory:
            onDrawHistory(request);
            break;
        case Type::PlanUpload:
            onPlanUploaded(request);
            break;
        case Type::OwnPlanList:
        case Type::PlanCancel:
        case Type::PlanDelete:
            onPlanList(request);
            break;
        case Type::SharedPlanList:
            onSharedPlans(request);
            break;
        case Type::UserList:
            onUserList(request);
            break;
        case Type::PlanReset:
            onPlanReset(request);
            break;
        case Type::PlanDetailView:
        case Type::PlanDetailCopy:
        case Type::PlanDetailToBigBase:
            onPlanDetail(request);
            break;
        case Type::ShareRead:
            onShareRead(request);
            break;
        case Type::ShareSet:
            onShareSet(request);
            break;
        case Type::Follow:
        case Type::FollowCounts:
            onFollowCounts(request);
            break;
        case Type::TemplateList:
            onTemplateList(request);
            break;
        case Type::TemplateAdd:
        case Type::TemplateChange:
        case Type::TemplateDelete:
            requestTemplateList();
            break;
        case Type::TemplateDetail:
            onTemplateDetail(request);
            break;
        case Type::RankingPoints:
        case Type::RankingOnline:
        case Type::RankingFans:
            onRanking(request);
            break;
        case Type::PlanContentToPlanBox:
        case Type::PlanContentToBigBase:
        case Type::PlanPositions:
        case Type::PlanStatesByUsers:
        case Type::PlanStateByPlan:
            onDataBoxReply(request);
            break;
        case Type::UserInfoId:
            onUserInfoId(request);
            break;
        case Type::WindowFilterRead:
            onWindowFilter(request);
            break;
        case Type::WindowFilterWrite:
            onSettingWritten(request, &CConsoleDialog::requestWindowFilter);
            break;
        case Type::IntervalsRead:
            onIntervals(request);
            break;
        case Type::IntervalsWrite:
            onSettingWritten(request, &CConsoleDialog::requestIntervals);
            break;
        default:
            break;
    }
}

bool CConsoleDialog::isCurrentSelection(const ServiceRequest& request) const {
    return request.context1 == app_.lotteryId && request.context2 == app_.playId;
}

void CConsoleDialog::onServerTime(const ServiceRequest& request) {
    if (app_.logServerTimeExchange)
        app_.AppendLog("更新服务器时间和在线时间调用返回，返回数据：" + request.reply);
    const auto reply = quorstat::ParseServerTimeReply(request.reply);
    if (!reply)
        return;
    app_.draw.onlineSeconds = reply->onlineSeconds;
    app_.draw.onlineUsers = reply->onlineUsers;
    // An unreadable time keeps the clock running on the last one known.
    if (reply->serverTime.read)
        app_.draw.serverTime = reply->serverTime.toTimeT();
    controlPanel_->OnServerTime();
    statusPanel_->SetOnline();
}

void CConsoleDialog::onDrawTimes(const ServiceRequest& request) {
    auto table = quorstat::ParseDrawTimes(request.reply);
    if (!table)
        return;
    const int lotteryId = static_cast<int>(request.context1);
    app_.draw.storeTable(
        lotteryId, {std::move(table->times), std::move(table->rest), table->tableTime.toTimeT()});
    // A table asked for before a lottery switch waits for its lottery.
    if (lotteryId != app_.lotteryId)
        return;
    app_.draw.useStoredTable(lotteryId);
    controlPanel_->OnDrawTable();
}

void CConsoleDialog::onDrawNumbers(const ServiceRequest& request) {
    if (app_.logDrawNumberExchange)
        app_.AppendLog("更新开奖号码调用返回，返回数据：" + request.reply);
    // Numbers of a lottery the user has left would be shown and announced as the new one's.
    if (request.context1 != app_.lotteryId)
        return;
    applyDrawNumbers(request.reply);
    app_.draw.firstDrawSeen = true;
    // A direct login has no dialog, but the window still has to be shown once.
    if (login_->loginDialog() || !presented_)
        closeLoginAfterFirstDraw();
}

void CConsoleDialog::applyDrawNumbers(const std::string& reply) {
    const auto latest = quorstat::ParseLatestDraw(reply);
    if (!latest)
        return;
    const bool announce = app_.draw.firstDrawSeen;
    if (!app_.draw.applyLatestDraw({latest->issue, latest->numbers}))
        return;
    controlPanel_->OnNewDraw(announce);
    if (planView_)
        planView_->OnNewDraw();
    if (shareView_)
        shareView_->OnNewDraw();
    if (dataBoxView_)
        dataBoxView_->OnNewDraw();
    if (announce)
        announceDraw();
}

void CConsoleDialog::announceDraw() {
    const auto& settings = app_.settings;
    const auto& draw = app_.draw;
    if (settings.lotteryPopupTrayTip && app_.hostWnd) {
        const std::string text = quorstat::DrawBalloonText(
            quorstat::LotteryName(app_.lotteryId), draw.lastDrawIssue, draw.lastDrawNumbers);
        HostBalloonEvent balloon(text.c_str());
        QCoreApplication::sendEvent(app_.hostWnd, &balloon);
    }
    if (!app_.soundPlayer)
        return;
    for (quorstat::SoundItem& item :
         quorstat::DrawSoundItems(settings, app_.paths.soundDir, draw.lastDrawNumbers))
        app_.soundPlayer->queue(std::move(item));
}

void CConsoleDialog::onDrawHistory(const ServiceRequest& request) {
    if (request.context1 != app_.lotteryId)
        return;
    const auto history = quorstat::ParseDrawHistory(request.reply);
    if (!history) {
        retryLater(&CConsoleDialog::requestHistory);
        return;
    }
    std::vector<quorstat::Draw> draws;
    for (const quorstat::DrawResult& item : *history)
        draws.push_back({item.issue, item.numbers});
    app_.draw.applyHistory(draws);
    controlPanel_->Recompute();
    controlPanel_->update();
}

void CConsoleDialog::onPlanUploaded(const ServiceRequest& request) {
    endUpload();
    const auto status = quorstat::StatusCode(request.reply);
    if (status != '1') {
        // A refusal says why; a notice was shown already, and a failed exchange says nothing.
        const std::string_view refusal = quorstat::Message(request.reply);
        Prompter::instance().message(this, status == '0' && !refusal.empty()
                                               ? toQString(refusal)
                                               : QStringLiteral("提交投注方案失败，请稍后重试"));
        return;
    }
    if (!planView_)
        return;
    planView_->OnPlanListReply(request.reply, 1);
    if (!app_.generalSendConfig.sendAfterSubmit)
        return;
    const std::string text = quorstat::TrimmedSendText(planView_->PlanText());
    if (!text.empty())
        postGroupSend(toQString(text), true);
}

void CConsoleDialog::postGroupSend(const QString& text, bool silent) {
    QCoreApplication::postEvent(this, GroupSendEvent::planSend(text, silent));
}

void CConsoleDialog::onPlanList(const ServiceRequest& request) {
    // Plans of a lottery or play the user has left would be listed as the new one's.
    if (planView_ && isCurrentSelection(request))
        planView_->OnPlanListReply(request.reply, -1);
}

void CConsoleDialog::onSharedPlans(const ServiceRequest& request) {
    endUpload();
    if (carriesList(request.reply) && shareView_)
        shareView_->OnSharedPlanReply(request.reply);
}

void CConsoleDialog::onUserList(const ServiceRequest& request) {
    if (carriesList(request.reply) && isCurrentSelection(request) && shareView_)
        shareView_->OnUserListReply(request.reply);
}

void CConsoleDialog::onPlanReset(const ServiceRequest& request) {
    const auto status = quorstat::StatusCode(request.reply);
    if (!status || *status == '0') {
        Prompter::instance().message(this, QStringLiteral("清空方案失败，请稍后重试"));
        return;
    }
    if (!planView_)
        return;
    planView_->OnPlanListReply(request.reply, -1);
    planView_->ClearPlanListStamp();
}

void CConsoleDialog::onPlanDetail(const ServiceRequest& request) {
    const auto plans = quorstat::ParsePlanDetail(request.reply);
    if (plans.size() != 1) {
        if (request.type == Type::PlanDetailToBigBase && dataBoxView_)
            dataBoxView_->KnownPlanFailed();
        return;
    }
    const quorstat::tagPLANITEM& plan = plans.front();
    if (request.type == Type::PlanDetailView) {
        if (planView_)
            planView_->ShowPlanDetail(plan);
    } else if (request.type == Type::PlanDetailCopy) {
        if (plan.numbers.empty()) {
            Prompter::instance().prompt(this, QStringLiteral("复制号码失败，未能获取到方案号码"));
            return;
        }
        QGuiApplication::clipboard()->setText(QString::fromStdString(plan.numbers));
        Prompter::instance().prompt(this, QStringLiteral("复制号码成功"));
    } else if (dataBoxView_) {
        dataBoxView_->AddToBigBase(plan);
    }
}

void CConsoleDialog::onShareRead(const ServiceRequest& request) {
    if (!succeededWithData(request.reply) || !isCurrentSelection(request)) {
        retryLater(&CConsoleDialog::requestShareRead);
        return;
    }
    app_.shareFlag = request.reply.find("False", 2) == std::string::npos;
    if (planView_)
        planView_->SetShareFlag(app_.shareFlag);
}

void CConsoleDialog::onShareSet(const ServiceRequest& request) {
    if (!succeededWithData(request.reply))
        retryLater(&CConsoleDialog::requestShareSet);
}

void CConsoleDialog::onFollowCounts(const ServiceRequest& request) {
    if (quorstat::StatusCode(request.reply) != '1')
        return;
    std::optional<std::string_view> follows;
    std::optional<std::string_view> fans;
    for (const std::string_view field : quorstat::SplitList(quorstat::ReplyBody(request.reply), '|',
                                                            quorstat::SplitMode::Lenient)) {
        if (!follows)
            follows = quorstat::TagValue(field, "Atten=");
        if (!fans)
            fans = quorstat::TagValue(field, "Fans=");
    }
    if (follows && fans)
        statusPanel_->SetFollowCounts(quorstat::ReadInt(*follows), quorstat::ReadInt(*fans));
}

void CConsoleDialog::onTemplateList(const ServiceRequest& request) {
    using Outcome = quorstat::TemplateList::Outcome;
    switch (app_.templates.apply(quorstat::ParseTemplateList(request.reply),
                                 app_.currentTemplateName)) {
        case Outcome::Retry:
            CallLater(this, kTemplateRetryMs, &CConsoleDialog::requestTemplateList);
            break;
        case Outcome::Loaded:
            refillTemplatePicker();
            break;
        case Outcome::Unchanged:
            break;
    }
}

void CConsoleDialog::onTemplateDetail(const ServiceRequest& request) {
    if (quorstat::StatusCode(request.reply) != '1' || !shareView_)
        return;
    auto item = quorstat::ParseTemplateDetail(request.reply);
    if (item && item->TempletName.empty())
        item.reset();
    shareView_->ShowTemplate(item);
}

void CConsoleDialog::onRanking(const ServiceRequest& request) {
    if (!rankingDialog_ || !rankingView_)
        return;
    if (!rankingView_->OnRankingReply(request.type, request.reply))
        Prompter::instance().prompt(this, QStringLiteral("获取排行榜数据失败"));
}

void CConsoleDialog::onDataBoxReply(const ServiceRequest& request) {
    if (!dataBoxView_)
        return;
    if (request.type == Type::PlanStatesByUsers || request.type == Type::PlanStateByPlan)
        dataBoxView_->OnPlanStatusReply(request.type, request.reply);
    else
        dataBoxView_->OnPlanContentReply(request.type, request.reply);
}

void CConsoleDialog::onUserInfoId(const ServiceRequest& request) {
    app_.userInfoId = quorstat::ReadInt(quorstat::ReplyBody(request.reply));
}

void CConsoleDialog::onWindowFilter(const ServiceRequest& request) {
    if (quorstat::StatusCode(request.reply) != '1')
        return;
    const auto record = quorstat::ParseSettingsRecord(quorstat::ReplyBody(request.reply));
    app_.windowFilter.titles = quorstat::SplitWindowFilter(record.setUp);
    if (!record.modifyTime.empty())
        app_.windowFilter.stamp = record.modifyTime;
    app_.SaveWindowFilter();
}

void CConsoleDialog::onIntervals(const ServiceRequest& request) {
    if (quorstat::StatusCode(request.reply) != '1')
        return;
    const auto record = quorstat::ParseSettingsRecord(quorstat::ReplyBody(request.reply));
    quorstat::ApplyIntervalSetup(record.setUp, app_.intervals);
    if (!record.modifyTime.empty())
        app_.intervalStamp = record.modifyTime;
}

// A manager's change the service refused is told, not dropped.
void CConsoleDialog::onSettingWritten(const ServiceRequest& request,
                                      void (CConsoleDialog::*reread)()) {
    if (quorstat::StatusCode(request.reply) == '1') {
        (this->*reread)();
        return;
    }
    const std::string_view reason = quorstat::Message(request.reply);
    Prompter::instance().message(
        this, reason.empty() ? QStringLiteral("保存设置失败，请稍后重试") : toQString(reason));
}
