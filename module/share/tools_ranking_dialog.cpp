#include "share/tools_ranking_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "console/current_scope.h"
#include "core/quorstat_app.h"
#include "net/date_time.h"
#include "plan/lottery_table.h"
#include "plan/play_table.h"
#include "share/ranking_cache.h"
#include "share/ranking_grid.h"
#include "share/tools_info_dialog.h"
#include "ui/call_later.h"
#include "ui/grid_ctrl.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"
#include "ui/tools_prompt_dialog.h"

namespace {

constexpr QSize kWindowSize{1200, 700};
constexpr int kLeastScreenWidth = 1210;

const QString kStyleSheet = QStringLiteral(
    "#rankingDialog { background: #fffdf8; }"
    "#rankingDialog QLabel { color: #1d2b5c; }"
    "#rankingDialog QLabel[panelTitle=\"true\"] { font-weight: bold; font-size: 14px;"
    "  padding: 4px; background: #f3e9d2; border: 1px solid #d8ccb0; border-radius: 3px; }"
    "#rankingDialog QPushButton { color: #1d2b5c; border: 1px solid #c2b28f; border-radius: 4px;"
    "  padding: 3px 14px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    "  stop:0 #fffdf8, stop:1 #efe6d2); }"
    "#rankingDialog QPushButton:hover { background: #fffaf0; border-color: #9c8a62; }");

std::string playNames(int lotteryId, int playId) {
    return std::string(quorstat::LotteryName(lotteryId)) +
           std::string(quorstat::PlayStarName(playId)) +
           std::string(quorstat::PlayKindName(playId));
}

}  // namespace

const QString CToolsRankingDialog::kUpdatingText = QStringLiteral("正在更新排行榜，请稍后...");

CToolsRankingDialog::CToolsRankingDialog(CQuorstatApp& app, int kind, Follow follow,
                                         QWidget* parent)
    : QDialog(parent),
      app_(app),
      kind_(quorstat::RankingKind(kind).value_or(*quorstat::RankingKind(quorstat::kRankingTotal))),
      follow_(std::move(follow)) {
    setObjectName(QStringLiteral("rankingDialog"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(kStyleSheet);
    setWindowTitle(
        toQString(quorstat::RankingCaption(kind_.kind, playNames(app_.lotteryId, app_.playId))));
    buildControls();
    placeWindow();
    CallLater(this, 0, &CToolsRankingDialog::start);
}

CToolsRankingDialog::~CToolsRankingDialog() {
    closePrompt();
}

void CToolsRankingDialog::buildControls() {
    auto* panels = new QHBoxLayout;
    panels->setSpacing(6);
    for (std::size_t panel = 0; panel < kind_.panelTitles.size(); ++panel) {
        auto* title = new QLabel(toQString(kind_.panelTitles[panel]), this);
        title->setProperty("panelTitle", true);
        title->setAlignment(Qt::AlignCenter);
        auto* grid = new CGridCtrl(this);
        grid->setObjectName(QStringLiteral("rankingGrid%1").arg(panel));
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        // Four columns share the panel's width.
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        auto* column = new QVBoxLayout;
        column->addWidget(title);
        column->addWidget(grid, 1);
        panels->addLayout(column, 1);
        grids_.push_back(grid);
        if (kind_.page == quorstat::RankingPage::Online)
            continue;
        connect(grid, &CGridCtrl::recordActivated, this,
                [this, panel](std::size_t record) { pick(panel, record); });
        connect(grid, &QWidget::customContextMenuRequested, this,
                [this, panel](const QPoint& at) { showMenu(panel, at); });
    }
    auto* status = new QLabel(
        QStringLiteral("提示：双击列表可以查看选中用户的方案，右击列表可以关注用户和复制用户名"),
        this);
    auto* refresh = new QPushButton(QStringLiteral("刷新"), this);
    refresh->setObjectName(QStringLiteral("refreshRanking"));
    auto* rules = new QPushButton(QStringLiteral("排行规则"), this);
    rules->setObjectName(QStringLiteral("rankingRulesButton"));
    auto* foot = new QHBoxLayout;
    foot->addWidget(status, 1);
    foot->addWidget(refresh);
    foot->addWidget(rules);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(panels, 1);
    layout->addLayout(foot);
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("rankingMenu"));
    connect(refresh, &QPushButton::clicked, this, &CToolsRankingDialog::Refresh);
    connect(rules, &QPushButton::clicked, this, &CToolsRankingDialog::showRules);
}

void CToolsRankingDialog::placeWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(), kWindowSize);
    if (available.width() > kLeastScreenWidth) {
        resize(kWindowSize);
        move(available.center() - QPoint(kWindowSize.width() / 2, kWindowSize.height() / 2));
    } else {
        setWindowState(Qt::WindowMaximized);
    }
}

// ---- data -------------------------------------------------------------------------------

void CToolsRankingDialog::start() {
    const auto cache = quorstat::LoadRankingCache(
        quorstat::RankingCachePath(app_.paths.dataDir, kind_.kind), app_.userName, app_.lotteryId,
        app_.playId, app_.draw.serverTime);
    if (cache) {
        panels_ = cache->panels;
        dataTime_ = cache->dataTime;
        fillGrids();
        return;
    }
    request();
}

void CToolsRankingDialog::request() {
    const quorstat::LotteryScope scope = quorstat::CurrentScope(app_);
    std::optional<quorstat::ServiceRequest> built;
    switch (kind_.page) {
        case quorstat::RankingPage::Online:
            built = app_.catalogue().onlineRanking();
            break;
        case quorstat::RankingPage::Fans:
            built = app_.catalogue().fansRanking(scope);
            break;
        case quorstat::RankingPage::Points:
            built = app_.catalogue().ranking(scope, *kind_.period);
            break;
    }
    if (!app_.queue(std::move(built)))
        return;
    closePrompt();
    setEnabled(false);
    prompt_ = new CToolsPromptDialog(kUpdatingText, 0, this);
    prompt_->setModal(false);
    prompt_->setWindowFlag(Qt::WindowStaysOnTopHint);
    prompt_->show();
}

void CToolsRankingDialog::closePrompt() {
    if (prompt_) {
        prompt_->close();
        prompt_->deleteLater();
    }
    prompt_ = nullptr;
    setEnabled(true);
}

bool CToolsRankingDialog::waiting() const {
    return !prompt_.isNull();
}

bool CToolsRankingDialog::OnRankingReply(int type, const std::string& reply) {
    // A late reply of another kind's window is not this window's to judge.
    if (type != quorstat::RankingRequestType(kind_.page))
        return true;
    closePrompt();
    const std::string date = quorstat::FormatDateTime(app_.draw.serverTime).substr(0, 10);
    const bool read =
        quorstat::ReadRankingReply(reply, kind_.page, {app_.lotteryId, app_.playId, date}, panels_);
    fillGrids();
    if (!read)
        return false;
    dataTime_ = app_.draw.serverTime;
    // A cache that cannot be written only means asking again next time.
    quorstat::SaveRankingCache(quorstat::RankingCachePath(app_.paths.dataDir, kind_.kind),
                               {app_.userName, dataTime_, app_.lotteryId, app_.playId, panels_});
    return true;
}

void CToolsRankingDialog::Refresh() {
    if (quorstat::RankingRefreshDue(dataTime_, app_.draw.serverTime)) {
        request();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CallLater(this, kRefreshWaitMs, [this] {
        QApplication::restoreOverrideCursor();
        Prompter::instance().message(this, QStringLiteral("当前排行榜数据已经是最新数据"));
    });
}

void CToolsRankingDialog::fillGrids() {
    for (std::size_t panel = 0; panel < grids_.size(); ++panel)
        grids_[panel]->SetContent(quorstat::RankingGrid(panels_[panel], kind_, app_.userName));
}

// ---- users ------------------------------------------------------------------------------

void CToolsRankingDialog::pick(std::size_t panel, std::size_t record) {
    if (record >= panels_[panel].size())
        return;
    const quorstat::tagRANKINGITEM* item =
        quorstat::FindRankedUser(panels_, panels_[panel][record].userName);
    chosen_ = {};
    chosen_.userName = item->userName;
    chosen_.userInfoId = item->userId;
    chosen_.shares = item->sharing;
    accept();
}

std::vector<std::string> CToolsRankingDialog::selectedNames(std::size_t panel) const {
    std::vector<std::string> names;
    for (const std::size_t record : grids_[panel]->SelectedRecords())
        if (record < panels_[panel].size())
            names.push_back(panels_[panel][record].userName);
    return names;
}

void CToolsRankingDialog::showMenu(std::size_t panel, const QPoint& at) {
    if (selectedNames(panel).empty())
        return;
    menu_->clear();
    menu_->addAction(QStringLiteral("关注"), this, [this, panel] { followSelected(panel); });
    menu_->addAction(QStringLiteral("复制用户名"), this,
                     [this, panel] { copySelectedNames(panel); });
    Prompter::instance().popupMenu(*menu_, grids_[panel]->viewport()->mapToGlobal(at));
}

void CToolsRankingDialog::followSelected(std::size_t panel) {
    if (!follow_)
        return;
    for (const std::string& name : selectedNames(panel)) {
        for (const auto& entries : panels_) {
            for (const quorstat::tagRANKINGITEM& item : entries) {
                if (item.userName != name)
                    continue;
                quorstat::tagUSERINFO user;
                user.userName = item.userName;
                user.userInfoId = item.userId;
                user.shares = item.sharing;
                follow_(user);
            }
        }
    }
}

void CToolsRankingDialog::copySelectedNames(std::size_t panel) {
    QStringList names;
    for (const std::string& name : selectedNames(panel))
        names << toQString(name);
    QGuiApplication::clipboard()->setText(names.join(QLatin1Char(',')));
}

void CToolsRankingDialog::showRules() {
    CToolsInfoDialog rules(this);
    Prompter::instance().exec(rules);
}
