#include "share/sub_share_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include "console/current_scope.h"
#include "core/quorstat_app.h"
#include "core/search_history.h"
#include "share/share_plan_view.h"
#include "share/sub_share_user_dialog.h"
#include "share/user_search.h"
#include "ui/call_later.h"
#include "ui/history_edit.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

// Client coordinates of the page's three parts.
constexpr QRect kSearchPanel{5, 5, 700, 100};
constexpr int kListTop = 105;
constexpr int kListWidth = 700;
constexpr int kPlanPanelLeft = 710;

constexpr const char* kListModes[] = {"所有用户", "我的关注", "我的粉丝"};

const QString kStyleSheet = QStringLiteral(
    "#sharePage { background: #fffdf8; }"
    "#sharePage QLabel, #sharePage QRadioButton, #sharePage QCheckBox { color: #1d2b5c; }"
    "#sharePage QGroupBox { border: 1px solid #d8ccb0; border-radius: 4px; background: #fffaf0; }"
    "#sharePage QLineEdit { border: 1px solid #c2b28f; border-radius: 3px; padding: 1px 4px;"
    "  background: white; color: #1d2b5c; }"
    "#sharePage QLineEdit:disabled { background: #f3eee2; color: #a99f88; }"
    "#sharePage QPushButton { color: #1d2b5c; border: 1px solid #c2b28f; border-radius: 4px;"
    "  padding: 3px 12px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
    "  stop:0 #fffdf8, stop:1 #efe6d2); }"
    "#sharePage QPushButton:hover { background: #fffaf0; border-color: #9c8a62; }"
    "#sharePlanArea { border: 1px solid #d8ccb0; border-radius: 4px; background: #fffaf0; }");

}  // namespace

CSubShareDialog::CSubShareDialog(CQuorstatApp& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("sharePage"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(kStyleSheet);
    userList_ = new CSubShareUserDialog(app_, this);
    planPanel_ = new QWidget(this);
    planPanel_->setObjectName(QStringLiteral("sharePlanArea"));
    planPanel_->setAttribute(Qt::WA_StyledBackground);
    buildSearchPanel();
    showSettings(userList_->settings());

    connect(userList_, &CSubShareUserDialog::followRequested, this, &CSubShareDialog::Follow);
    connect(userList_, &CSubShareUserDialog::userPlansRequested, this,
            [this](const quorstat::tagUSERINFO& user) {
                if (planView_)
                    planView_->ShowUserPlans(user);
            });
    connect(userList_, &CSubShareUserDialog::dataBoxTransferRequested, this,
            &CSubShareDialog::dataBoxTransferRequested);
}

void CSubShareDialog::buildSearchPanel() {
    searchPanel_ = new QGroupBox(this);
    searchPanel_->setObjectName(QStringLiteral("searchPanel"));
    auto* grid = new QGridLayout(searchPanel_);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    listMode_ = new QButtonGroup(this);
    auto* modes = new QHBoxLayout;
    for (int mode = 0; mode < static_cast<int>(std::size(kListModes)); ++mode) {
        auto* radio = new QRadioButton(QString::fromUtf8(kListModes[mode]), searchPanel_);
        radio->setObjectName(QStringLiteral("listMode%1").arg(mode));
        listMode_->addButton(radio, mode);
        modes->addWidget(radio);
    }
    modes->addStretch(1);
    auto* search = new QPushButton(QStringLiteral("搜索"), searchPanel_);
    search->setObjectName(QStringLiteral("search"));
    auto* reset = new QPushButton(QStringLiteral("重置"), searchPanel_);
    reset->setObjectName(QStringLiteral("resetFilters"));
    modes->addWidget(search);
    modes->addWidget(reset);
    grid->addLayout(modes, 0, 0, 1, 8);

    for (std::size_t i = 0; i < quorstat::kUserFilterCount; ++i) {
        const quorstat::UserFilterInfo& filter = quorstat::kUserFilters[i];
        auto* on = new QCheckBox(toQString(filter.checkbox), searchPanel_);
        auto* text =
            new HistoryEdit(app_.paths.historyDir, toQString(filter.historyKey), searchPanel_);
        on->setObjectName(toQString(filter.historyKey) + QStringLiteral("On"));
        text->setFixedWidth(78);
        connect(on, &QCheckBox::toggled, text, &QWidget::setEnabled);
        connect(text, &QLineEdit::returnPressed, this, [this] { Search(false); });
        const int row = 1 + static_cast<int>(i) / 4;
        const int column = 2 * (static_cast<int>(i) % 4);
        grid->addWidget(on, row, column);
        grid->addWidget(text, row, column + 1);
        filterOn_[i] = on;
        filterText_[i] = text;
    }
    connect(search, &QPushButton::clicked, this, [this] { Search(false); });
    connect(reset, &QPushButton::clicked, this, &CSubShareDialog::ResetFilters);
}

// The stored settings replace the newest history entry each field started with.
void CSubShareDialog::showSettings(const quorstat::tagSEARCHUSERCONFIG& settings) {
    listMode_->button(settings.listMode)->setChecked(true);
    for (std::size_t i = 0; i < quorstat::kUserFilterCount; ++i) {
        filterOn_[i]->setChecked(settings.filterOn[i] != 0);
        filterText_[i]->setEnabled(settings.filterOn[i] != 0);
        filterText_[i]->setText(toQString(settings.filterText[i]));
    }
}

void CSubShareDialog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutParts();
}

void CSubShareDialog::layoutParts() {
    searchPanel_->setGeometry(kSearchPanel);
    userList_->setGeometry(kSearchPanel.x(), kListTop, kListWidth,
                           std::max(0, height() - kListTop));
    planPanel_->setGeometry(kPlanPanelLeft, 0, std::max(0, width() - kPlanPanelLeft), height());
}

// ---- search --------------------------------------------------------------------------------

bool CSubShareDialog::Search(bool silent) {
    quorstat::UserSearchForm form;
    form.listMode = std::max(0, listMode_->checkedId());
    for (std::size_t i = 0; i < quorstat::kUserFilterCount; ++i) {
        form.on[i] = filterOn_[i]->isChecked();
        form.texts[i] = filterText_[i]->text().toStdString();
    }
    const quorstat::UserSearchOutcome outcome =
        quorstat::CheckUserSearch(form, userList_->settings());
    if (!outcome.error.empty()) {
        if (!silent)
            Prompter::instance().message(this, toQString(outcome.error));
        return false;
    }
    for (std::size_t i = 0; i < quorstat::kUserFilterCount; ++i) {
        if (!form.on[i])
            continue;
        filterText_[i]->setText(toQString(outcome.settings.filterText[i]));
        filterText_[i]->remember();
    }
    userList_->ApplySearch(outcome.settings);
    return true;
}

void CSubShareDialog::ResetFilters() {
    listMode_->button(0)->setChecked(true);
    for (std::size_t i = 0; i < quorstat::kUserFilterCount; ++i) {
        filterOn_[i]->setChecked(false);
        filterText_[i]->clear();
    }
}

// ---- following -----------------------------------------------------------------------------

void CSubShareDialog::Follow(const quorstat::tagUSERINFO& user, bool follow) {
    if (!app_.queue(app_.catalogue().follow(quorstat::CurrentScope(app_), user.userName,
                                            user.userInfoId, follow)))
        return;
    SetFollowed(user.userName, follow);
}

void CSubShareDialog::SetFollowed(std::string_view userName, bool followed) {
    userList_->SetFollowed(userName, followed);
    if (planView_)
        planView_->SetFollowed(userName, followed);
}

// ---- the central window's calls ---------------------------------------------------------

void CSubShareDialog::attachPlanPanel(QWidget* panel, quorstat::SharePlanView* view) {
    delete planPanel_;
    planPanel_ = panel;
    planPanel_->setParent(this);
    planPanel_->show();
    planView_ = view;
    userList_->setPlansAvailable(view != nullptr);
    layoutParts();
}

void CSubShareDialog::OnUserListReply(const std::string& reply) {
    userList_->OnListReply(reply);
}

void CSubShareDialog::OnSharedPlanReply(const std::string& reply) {
    if (planView_)
        planView_->OnSharedPlanReply(reply);
}

void CSubShareDialog::ShowTemplate(const std::optional<quorstat::tagTEMPLATEITEM>& item) {
    if (planView_)
        planView_->ShowTemplate(item);
}

// A user picked elsewhere (a ranking) brings his name, id and sharing flag; whether he is
// followed only this page knows.
void CSubShareDialog::ShowUserPlans(const quorstat::tagUSERINFO& user) {
    if (!planView_)
        return;
    quorstat::tagUSERINFO shown = user;
    for (const quorstat::tagUSERINFO& listed : userList_->page().users())
        if (listed.userName == user.userName)
            shown.followed = listed.followed;
    planView_->ShowUserPlans(shown);
}

void CSubShareDialog::Reset() {
    userList_->Reset();
    if (planView_)
        planView_->Reset();
}

// Lottery and play often change together; the two changes make one reload.
void CSubShareDialog::Reload() {
    userList_->OnSelectionChanged();
    if (reloadPending_)
        return;
    reloadPending_ = true;
    CallLater(this, 0, &CSubShareDialog::reloadNow);
}

void CSubShareDialog::reloadNow() {
    reloadPending_ = false;
    if (!Search(true))
        userList_->RefreshList(CSubShareUserDialog::Refresh::Incremental);
    if (planView_)
        planView_->Reload();
}

void CSubShareDialog::OnNewDraw() {
    if (planView_)
        planView_->OnNewDraw();
}

void CSubShareDialog::OnUserListPageSizeChanged() {
    userList_->RestartFromFirstPage();
}
