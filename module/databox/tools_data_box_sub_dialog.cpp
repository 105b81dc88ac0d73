#include "databox/tools_data_box_sub_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <numeric>

#include "console/console_dialog.h"
#include "console/current_scope.h"
#include "core/quorstat_app.h"
#include "databox/box_clipboard.h"
#include "databox/box_computation.h"
#include "databox/box_member_model.h"
#include "databox/box_menu.h"
#include "databox/box_positions.h"
#include "databox/box_result_side.h"
#include "databox/box_tools.h"
#include "databox/box_verification.h"
#include "databox/tools_data_box_sub_pop_dialog.h"
#include "ui/dialog_buttons.h"
#include "ui/history_edit.h"
#include "ui/list_check_menu.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"
#include "ui/tools_prompt_dialog.h"

namespace {

using quorstat::BoxKind;
using quorstat::BoxMenuItem;
using quorstat::BoxStep;

constexpr int kListWidth = 550;

QString historyKey(const char* stem, BoxKind kind) {
    return QString::fromLatin1(stem) +
           (kind == BoxKind::plan ? QStringLiteral("_Plan") : QStringLiteral("_Bigp"));
}

int columnWidth(BoxMemberModel::Column column) {
    using Column = BoxMemberModel::Column;
    switch (column) {
        case Column::number:
            return 64;
        case Column::position:
            return 72;
        case Column::issue:
            return 88;
        case Column::count:
            return 64;
        default:
            return 44;
    }
}

void tell(QWidget* parent, std::string_view text) {
    Prompter::instance().message(parent, toQString(text));
}

}  // namespace

CToolsDataBoxSubDialog::CToolsDataBoxSubDialog(CQuorstatApp& app, BoxKind kind,
                                               quorstat::BoxClipboard& clipboard, Mode mode,
                                               QWidget* parent)
    : QWidget(parent),
      app_(app),
      clipboard_(clipboard),
      mode_(mode),
      box_(kind, app.paths.dataDir, mode == Mode::main) {
    model_ = new BoxMemberModel(kind, this);
    computation_ = new CBoxComputation(this);
    connect(computation_, &CBoxComputation::progress, this, [this](int percent) {
        showWaiting(QStringLiteral("正在计算交集，请稍候...（%1%）").arg(percent));
    });
    connect(computation_, &CBoxComputation::finished, this, &CToolsDataBoxSubDialog::computed);
    buildControls();
    box_.load(app_.play);
    resultSide_->setPlay(app_.play);
    refillPositions();
    showRootSettings();
    refillVerifyIssues();
    redraw();
}

CToolsDataBoxSubDialog::~CToolsDataBoxSubDialog() {
    // The worker reads the tree; it has to be gone before the tree is.
    computation_->stop();
    if (mode_ == Mode::main)
        box_.saveTemporaryFile();
    closeWaiting();
}

// ---- controls ------------------------------------------------------------------------------

void CToolsDataBoxSubDialog::buildControls() {
    resultSide_ = new CBoxResultSide(this);
    connect(resultSide_, &CBoxResultSide::submitRequested, this,
            &CToolsDataBoxSubDialog::submitRequested);
    connect(resultSide_, &CBoxResultSide::toBoxRequested, this,
            &CToolsDataBoxSubDialog::stagingToItems);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buildListSide(), 3);
    layout->addWidget(resultSide_, 2);
    resultSide_->setVisible(mode_ == Mode::main);
}

QWidget* CToolsDataBoxSubDialog::buildListSide() {
    const BoxKind kind = box_.kind();
    auto* side = new QWidget(this);
    side->setMinimumWidth(mode_ == Mode::main ? kListWidth : 0);
    list_ = new QTableView(side);
    list_->setObjectName(QStringLiteral("boxMembers"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->verticalHeader()->hide();
    // Fixed widths: measuring the contents again after each reply of a large transfer would
    // cost more than the replies themselves.
    for (int section = 0; section < model_->columnCount(); ++section)
        list_->horizontalHeader()->resizeSection(section, columnWidth(model_->column(section)));
    list_->horizontalHeader()->setSectionResizeMode(model_->section(BoxMemberModel::Column::name),
                                                    QHeaderView::Stretch);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showContextMenu(list_->viewport()->mapToGlobal(at)); });
    connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const auto row = static_cast<std::size_t>(index.row());
        if (box_.root().children.at(row)->group())
            openGroupEditor(row);
        else if (box_.kind() == BoxKind::bigBase && mode_ == Mode::main)
            view();
    });
    auto* remove = new QShortcut(QKeySequence::Delete, list_, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(remove, &QShortcut::activated, this, [this] {
        if (!selectedRows().empty())
            removeSelected();
    });
    // The check menu of the enabled column opens over the header.
    auto* checkMenu = new ListCheckMenu(list_, 0);
    list_->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_->horizontalHeader(), &QWidget::customContextMenuRequested, checkMenu,
            [this, checkMenu](const QPoint& at) {
                checkMenu->popup(list_->horizontalHeader()->mapToGlobal(at));
            });

    rootTolerance_ = new QCheckBox(QStringLiteral("容错"), side);
    rootTolerance_->setObjectName(QStringLiteral("rootTolerance"));
    toleranceText_ = new HistoryEdit(app_.paths.historyDir,
                                     historyKey("ToolsDataBoxSubDialogGroupError", kind), side);
    toleranceText_->setObjectName(QStringLiteral("rootToleranceText"));
    auto* settingsRow = new QHBoxLayout;
    settingsRow->addWidget(rootTolerance_);
    settingsRow->addWidget(toleranceText_, 1);
    if (mode_ == Mode::groupEditor) {
        groupName_ = new HistoryEdit(app_.paths.historyDir,
                                     historyKey("ToolsDataBoxSubDialogGroupName", kind), side);
        groupName_->setObjectName(QStringLiteral("groupName"));
        settingsRow->addWidget(new QLabel(QStringLiteral("组名："), side));
        settingsRow->addWidget(groupName_, 1);
    }

    // The filters, the verify issue and the summary serve the main boxes only.
    auto* mainControls = new QWidget(side);
    positions_ = new QComboBox(mainControls);
    positions_->setObjectName(QStringLiteral("positionFilter"));
    auto* filter = makeNamedButton(QStringLiteral("按位置筛选"), QStringLiteral("filterPositions"),
                                   mainControls);
    connect(filter, &QPushButton::clicked, this, &CToolsDataBoxSubDialog::filterPositions);
    verifyIssues_ = new QComboBox(mainControls);
    verifyIssues_->setObjectName(QStringLiteral("verifyIssue"));
    clearBeforeInto_ = new QCheckBox(QStringLiteral("转入前清空列表"), mainControls);
    clearBeforeInto_->setObjectName(QStringLiteral("clearBeforeInto"));
    bool& clearSetting = kind == BoxKind::plan ? app_.settings.planBoxClrBeforeInto
                                               : app_.settings.bigpBoxClrBeforeInto;
    clearBeforeInto_->setChecked(clearSetting);
    connect(clearBeforeInto_, &QCheckBox::toggled, this, [this, &clearSetting](bool on) {
        clearSetting = on;
        app_.SaveSettings();
    });
    verifySummary_ = new QLabel(mainControls);
    verifySummary_->setObjectName(QStringLiteral("verifySummary"));
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(positions_);
    filterRow->addWidget(filter);
    filterRow->addWidget(new QLabel(QStringLiteral("验证期号："), mainControls));
    filterRow->addWidget(verifyIssues_);
    filterRow->addStretch();
    filterRow->addWidget(clearBeforeInto_);
    auto* mainLayout = new QVBoxLayout(mainControls);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addLayout(filterRow);
    mainLayout->addWidget(verifySummary_);
    mainControls->setVisible(mode_ == Mode::main);

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, BoxMenuItem> actions[] = {
        {"打开", BoxMenuItem::open},       {"保存", BoxMenuItem::save},
        {"新建组", BoxMenuItem::newGroup}, {"编辑组", BoxMenuItem::editGroup},
        {"删除", BoxMenuItem::remove},     {"清空", BoxMenuItem::clear},
        {"验证", BoxMenuItem::verify},     {"运算", BoxMenuItem::compute},
    };
    for (const auto& [text, item] : actions) {
        if (mode_ == Mode::groupEditor &&
            (item == BoxMenuItem::verify || item == BoxMenuItem::compute))
            continue;
        auto* button = makeNamedButton(QString::fromUtf8(text), QString::fromUtf8(text), side);
        // The file menus of the big-base box open below their button.
        connect(button, &QPushButton::clicked, this, [this, button, item] {
            runMenuItem(item, button->mapToGlobal(QPoint(0, button->height())));
        });
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_, 1);
    layout->addLayout(settingsRow);
    layout->addWidget(mainControls);
    layout->addLayout(buttons);
    return side;
}

void CToolsDataBoxSubDialog::showRootSettings() {
    const quorstat::tagPLANBIGPDATA& root = box_.root();
    rootTolerance_->setChecked(root.toleranceOn == 1);
    toleranceText_->setText(toQString(root.toleranceText));
    if (groupName_)
        groupName_->setText(toQString(root.name));
}

void CToolsDataBoxSubDialog::refillPositions() {
    positions_->clear();
    for (const std::string& choice : quorstat::PositionFilterChoices(box_.play().starCount))
        positions_->addItem(toQString(choice));
    const int chosen = positions_->findText(toQString(box_.root().positionFilter));
    positions_->setCurrentIndex(std::max(chosen, 0));
}

void CToolsDataBoxSubDialog::refillVerifyIssues() {
    verifyIssues_->clear();
    for (const std::int32_t issue :
         quorstat::VerifyIssues(app_.draw.lastDrawIssue, app_.lotteryId, app_.draw.issuesPerDay()))
        verifyIssues_->addItem(QString::number(issue), issue);
    verifyIssues_->setCurrentIndex(verifyIssues_->count() > 0 ? 0 : -1);
}

void CToolsDataBoxSubDialog::redraw() {
    const quorstat::Rows kept = selectedRows();
    model_->redraw(&box_.root());
    const quorstat::VerifySummary summary = quorstat::SummarizeRows(box_.root());
    verifySummary_->setText(QStringLiteral("验证信息：中%1，挂%2，未验证%3")
                                .arg(summary.hit)
                                .arg(summary.missed)
                                .arg(summary.open));
    for (const std::size_t row : kept)
        if (row < box_.root().children.size())
            list_->selectionModel()->select(
                model_->index(static_cast<int>(row), 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void CToolsDataBoxSubDialog::edited() {
    redraw();
    if (mode_ == Mode::main)
        box_.saveTemporaryFile();
}

// ---- the box's steps -----------------------------------------------------------------------

void CToolsDataBoxSubDialog::carryOut(const BoxStep& step) {
    if (!step.message.empty())
        tell(this, step.message);
    bool sent = true;
    for (const quorstat::BoxRequest& request : step.requests)
        sent = queue(request) && sent;
    // A request that never went out would keep the wait open for good.
    const BoxStep::Prompt prompt = sent ? step.prompt : BoxStep::Prompt::close;
    if (!sent) {
        box_.cancelWait();
        tell(this, "未能发送请求，请确认已登录后再试");
    }
    switch (prompt) {
        case BoxStep::Prompt::keep:
            break;
        case BoxStep::Prompt::show:
            showWaiting(toQString(step.promptText));
            break;
        case BoxStep::Prompt::close:
            closeWaiting();
            break;
        case BoxStep::Prompt::closeAfterSecond:
            closeWaiting();
            Prompter::instance().prompt(this, toQString(step.promptText), 1000);
            break;
    }
    if (step.redraw)
        redraw();
    if (step.save && mode_ == Mode::main)
        box_.saveTemporaryFile();
    if (step.compute && sent)
        computeNow();
}

bool CToolsDataBoxSubDialog::queue(const quorstat::BoxRequest& request) {
    namespace Type = quorstat::RequestType;
    const quorstat::RequestCatalogue catalogue = app_.catalogue();
    const quorstat::LotteryScope scope = quorstat::CurrentScope(app_);
    switch (request.type) {
        case Type::PlanDetailToBigBase:
            return app_.queue(catalogue.planDetail(scope, quorstat::PlanDetailUse::ToBigBase,
                                                   request.userName, request.planId));
        case Type::PlanStatesByUsers:
            return app_.queue(catalogue.planStatesByUsers(scope, request.ids, request.issue));
        case Type::PlanStateByPlan:
            return app_.queue(catalogue.planStateByPlan(scope, request.ids, request.issue));
        default:
            return app_.queue(
                catalogue.planContent(scope, static_cast<quorstat::PlanContentUse>(request.type),
                                      request.userId, request.issue));
    }
}

void CToolsDataBoxSubDialog::showWaiting(const QString& text) {
    if (waiting_) {
        waiting_->setText(text);
        return;
    }
    setEnabled(false);
    if (app_.console)
        app_.console->setEnabled(false);
    // On the window, which stays enabled, so that the prompt's own button works.
    waiting_ = new CToolsPromptDialog(text, 0, window());
    waiting_->setObjectName(QStringLiteral("boxWaiting"));
    waiting_->setModal(false);
    waiting_->show();
}

void CToolsDataBoxSubDialog::closeWaiting() {
    if (!waiting_)
        return;
    waiting_->close();
    waiting_->deleteLater();
    waiting_ = nullptr;
    setEnabled(true);
    if (app_.console)
        app_.console->setEnabled(true);
}

void CToolsDataBoxSubDialog::computeNow() {
    showWaiting(QStringLiteral("正在计算交集，请稍候..."));
    // A box of many large members may take a while: the user may give up on it.
    auto* cancel = new QPushButton(QStringLiteral("取消"), waiting_);
    cancel->setObjectName(QStringLiteral("cancelComputation"));
    waiting_->layout()->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, [this] {
        computation_->stop();
        closeWaiting();
    });
    computation_->start(box_);
}

void CToolsDataBoxSubDialog::computed(const std::optional<quorstat::BoxResult>& result) {
    closeWaiting();
    if (result)
        resultSide_->showResult(*result);
    redraw();
}

// ---- operations offered to the window ------------------------------------------------------

void CToolsDataBoxSubDialog::setTree(const quorstat::tagPLANBIGPDATA& root) {
    box_.replaceRoot(std::make_unique<quorstat::tagPLANBIGPDATA>(root));
    showRootSettings();
    redraw();
}

void CToolsDataBoxSubDialog::switchLotteryPlay() {
    computation_->stop();
    box_.cancelWait();
    closeWaiting();
    takeRootSettingsAsTheyAre();
    box_.switchLotteryPlay(app_.play, app_.isLoggedIn());
    resultSide_->setPlay(app_.play);
    refillPositions();
    showRootSettings();
    redraw();
}

void CToolsDataBoxSubDialog::receiveUsers(const std::vector<quorstat::BoxUser>& users,
                                          bool newGroup) {
    carryOut(
        box_.receiveUsers(users, newGroup, clearBeforeInto_->isChecked(), app_.play.currentIssue));
}

void CToolsDataBoxSubDialog::onPlanContentReply(int type, const std::string& reply) {
    carryOut(box_.onPlanContentReply(type, reply));
}

void CToolsDataBoxSubDialog::onKnownPlan(const quorstat::tagPLANITEM& plan) {
    carryOut(box_.onKnownPlan(plan));
}

void CToolsDataBoxSubDialog::onKnownPlanFailed() {
    carryOut(box_.onKnownPlanFailed());
}

void CToolsDataBoxSubDialog::onStatusReply(const std::string& reply) {
    carryOut(box_.onStatusReply(reply));
}

bool CToolsDataBoxSubDialog::takeRootSettings() {
    if (!toleranceText_->text().trimmed().isEmpty())
        toleranceText_->remember();
    if (groupName_)
        groupName_->remember();
    if (const auto message = takeRootSettingsAsTheyAre()) {
        tell(this, *message);
        return false;
    }
    return true;
}

std::optional<std::string_view> CToolsDataBoxSubDialog::takeRootSettingsAsTheyAre() {
    const std::string name = groupName_ ? groupName_->text().trimmed().toStdString() : "";
    return box_.takeRootSettings(rootTolerance_->isChecked(),
                                 toleranceText_->text().trimmed().toStdString(), name);
}

quorstat::Rows CToolsDataBoxSubDialog::allRows() const {
    quorstat::Rows rows(box_.root().children.size());
    std::iota(rows.begin(), rows.end(), std::size_t(0));
    return rows;
}

quorstat::Rows CToolsDataBoxSubDialog::selectedRows() const {
    quorstat::Rows rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    std::ranges::sort(rows);
    return rows;
}

// ---- the context menu and the buttons ------------------------------------------------------

void CToolsDataBoxSubDialog::showContextMenu(const QPoint& at) {
    const quorstat::Rows rows = selectedRows();
    quorstat::BoxMenuState state;
    state.kind = box_.kind();
    state.mainBox = mode_ == Mode::main;
    state.rows = box_.root().children.size();
    state.selected = rows.size();
    state.selectedGroups = static_cast<std::size_t>(std::ranges::count_if(
        rows, [this](std::size_t row) { return box_.root().children[row]->group(); }));
    state.clipboardFilled = !clipboard_.empty(box_.kind());
    QMenu menu(this);
    for (const BoxMenuItem item : quorstat::BoxMenuItems(state)) {
        if (item == BoxMenuItem::newGroup || item == BoxMenuItem::remove ||
            item == BoxMenuItem::copy)
            menu.addSeparator();
        menu.addAction(toQString(quorstat::BoxMenuText(item)))->setData(static_cast<int>(item));
    }
    if (QAction* chosen = Prompter::instance().popupMenu(menu, at))
        runMenuItem(static_cast<BoxMenuItem>(chosen->data().toInt()), at);
}

void CToolsDataBoxSubDialog::runMenuItem(BoxMenuItem item, const QPoint& at) {
    switch (item) {
        case BoxMenuItem::compute:
            compute();
            break;
        case BoxMenuItem::verify:
            verify();
            break;
        case BoxMenuItem::view:
            view();
            break;
        case BoxMenuItem::newGroup:
            openGroupEditor(std::nullopt);
            break;
        case BoxMenuItem::editGroup: {
            const quorstat::Rows rows = selectedRows();
            if (rows.size() == 1 && box_.root().children[rows.front()]->group())
                openGroupEditor(rows.front());
            break;
        }
        case BoxMenuItem::dissolveGroups:
            dissolveGroups();
            break;
        case BoxMenuItem::remove:
            removeSelected();
            break;
        case BoxMenuItem::clear:
            clearList();
            break;
        case BoxMenuItem::copy:
            copyRows(false, false);
            break;
        case BoxMenuItem::copyToNewGroup:
            copyRows(false, true);
            break;
        case BoxMenuItem::cut:
            copyRows(true, false);
            break;
        case BoxMenuItem::cutToNewGroup:
            copyRows(true, true);
            break;
        case BoxMenuItem::paste:
            paste();
            break;
        case BoxMenuItem::autoGroup:
        case BoxMenuItem::autoGroupAll:
            toolChanged(RunAutoGrouping(app_, box_, allRows(), this));
            break;
        case BoxMenuItem::autoGroupSelected:
            toolChanged(RunAutoGrouping(app_, box_, selectedRows(), this));
            break;
        case BoxMenuItem::batchTolerance:
        case BoxMenuItem::batchToleranceAll:
            toolChanged(RunBatchTolerance(app_, box_, allRows(), this));
            break;
        case BoxMenuItem::batchToleranceSelected:
            toolChanged(RunBatchTolerance(app_, box_, selectedRows(), this));
            break;
        case BoxMenuItem::open:
            toolChanged(OpenBoxFile(app_, box_, this, at));
            break;
        case BoxMenuItem::save:
            takeRootSettingsAsTheyAre();
            SaveBoxFileAs(app_, box_, this, at);
            break;
    }
}

void CToolsDataBoxSubDialog::toolChanged(bool changed) {
    if (!changed)
        return;
    // An opened file brings its own root with its tolerance and position filter.
    list_->clearSelection();
    showRootSettings();
    refillPositions();
    edited();
}

void CToolsDataBoxSubDialog::compute() {
    if (takeRootSettings())
        carryOut(box_.startCompute(app_.play.currentIssue));
}

void CToolsDataBoxSubDialog::verify() {
    // The root's tolerance decides how its members' states roll up.
    takeRootSettingsAsTheyAre();
    std::optional<std::int32_t> issue;
    if (verifyIssues_->currentIndex() >= 0)
        issue = verifyIssues_->currentData().toInt();
    carryOut(box_.startVerify(issue));
}

void CToolsDataBoxSubDialog::filterPositions() {
    carryOut(box_.filterPositions(positions_->currentText().toStdString(), app_.play.currentIssue));
}

void CToolsDataBoxSubDialog::view() {
    const quorstat::Rows rows = selectedRows();
    if (rows.size() == 1 && !box_.root().children[rows.front()]->group())
        resultSide_->view(*box_.root().children[rows.front()]);
}

void CToolsDataBoxSubDialog::openGroupEditor(std::optional<std::size_t> row) {
    const auto group =
        row ? std::make_unique<quorstat::tagPLANBIGPDATA>(*box_.root().children[*row])
            : quorstat::NewGroupNode();
    CToolsDataBoxSubPopDialog editor(app_, box_.kind(), clipboard_, *group, !row, this);
    if (Prompter::instance().exec(editor) != QDialog::Accepted)
        return;
    quorstat::tagPLANBIGPDATA changed = editor.group();
    refuseTooDeep(
        row ? quorstat::ReplaceGroup(box_.root(), *row, std::move(changed))
            : quorstat::AppendGroup(
                  box_.root(), std::make_unique<quorstat::tagPLANBIGPDATA>(std::move(changed))));
    edited();
}

void CToolsDataBoxSubDialog::removeSelected() {
    quorstat::TakeRows(box_.root(), selectedRows());
    list_->clearSelection();
    edited();
}

void CToolsDataBoxSubDialog::clearList() {
    if (box_.root().children.empty() ||
        Prompter::instance().message(this, QStringLiteral("确定要删除所有用户吗？"),
                                     Prompter::defaultCaption(), Prompter::Icon::Question,
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    box_.root().children.clear();
    edited();
}

void CToolsDataBoxSubDialog::dissolveGroups() {
    quorstat::DissolveGroups(box_.root(), selectedRows());
    list_->clearSelection();
    edited();
}

void CToolsDataBoxSubDialog::copyRows(bool cut, bool toNewGroup) {
    const quorstat::Rows rows = selectedRows();
    const BoxKind kind = box_.kind();
    if (toNewGroup)
        refuseTooDeep(cut ? clipboard_.cutToNewGroup(kind, box_.root(), rows)
                          : clipboard_.copyToNewGroup(kind, box_.root(), rows));
    else if (cut)
        clipboard_.cut(kind, box_.root(), rows);
    else
        clipboard_.copy(kind, box_.root(), rows);
    if (cut)
        list_->clearSelection();
    edited();
}

void CToolsDataBoxSubDialog::paste() {
    refuseTooDeep(clipboard_.paste(box_.kind(), box_.root()));
    edited();
}

void CToolsDataBoxSubDialog::stagingToItems() {
    if (resultSide_->area().stagingToItems(box_.root(), box_.play()) > 0)
        redraw();
}

void CToolsDataBoxSubDialog::refuseTooDeep(bool fitted) {
    if (!fitted)
        tell(this, quorstat::kTooDeepMessage);
}
