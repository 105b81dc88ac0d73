#include "templates/tools_qq_setting_sub_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "console/group_send_job.h"
#include "console/group_send_text.h"
#include "console/qq_windows.h"
#include "core/quorstat_app.h"
#include "platform/shell_link.h"
#include "templates/send_settings_rules.h"
#include "templates/tools_qq_setting_manual_dialog.h"
#include "templates/tools_qq_sign_editor_dialog.h"
#include "ui/call_later.h"
#include "ui/dialog_buttons.h"
#include "ui/list_check_menu.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

using quorstat::SendSettingsForm;

constexpr int kAllowedColumn = 1;
constexpr int kAutoCloseColumn = 2;
constexpr int kEnabledColumn = 2;
const QColor kClosedWindowColour(150, 150, 150);

QTreeWidget* makeList(const QString& name, const QStringList& columns, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    return list;
}

QTreeWidgetItem* addRow(QTreeWidget* list, const QStringList& texts) {
    auto* item = new QTreeWidgetItem(list, texts);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    return item;
}

void setChecked(QTreeWidgetItem* item, int column, bool checked) {
    item->setCheckState(column, checked ? Qt::Checked : Qt::Unchecked);
}

bool isChecked(const QTreeWidget* list, int row, int column) {
    return list->topLevelItem(row)->checkState(column) == Qt::Checked;
}

void fillWindowRows(QTreeWidget* list, const std::vector<SendSettingsForm::WindowRow>& rows,
                    bool withAllowed) {
    list->clear();
    for (const SendSettingsForm::WindowRow& row : rows) {
        QTreeWidgetItem* item = addRow(list, {toQString(row.item.windowTitle)});
        if (withAllowed)
            setChecked(item, kAllowedColumn, row.item.allowed == 1);
        if (!row.open)
            item->setForeground(0, kClosedWindowColour);
    }
}

void selectRow(QTreeWidget* list, int row) {
    if (row >= 0 && row < list->topLevelItemCount())
        list->setCurrentItem(list->topLevelItem(row));
}

int selectedRow(const QTreeWidget* list) {
    return list->currentItem() ? list->currentIndex().row() : -1;
}

}  // namespace

CToolsQQSettingSubDialog::CToolsQQSettingSubDialog(Mode mode,
                                                   const quorstat::tagCONFIG_QQSEND& settings,
                                                   QWidget* parent)
    : QDialog(parent), mode_(mode), settings_(settings), form_(settings) {
    setWindowTitle(mode == Mode::General ? QStringLiteral("QQ群发设置")
                                         : QStringLiteral("自定义群发"));
    buildControls();
    const quorstat::SendSettingsEntries entries = SendSettingsForm::EntriesOf(settings);
    (entries.shortcutMode ? shortcutMode_ : windowMode_)->setChecked(true);
    interval_->setText(QString::fromStdString(entries.interval));
    sendAfterSubmit_->setChecked(entries.sendAfterSubmit);
    minimiseAfterSend_->setChecked(entries.minimiseAfterSend);
    useGeneral_->setChecked(entries.useGeneral);
    closeAfterSend_->setChecked(entries.closeAfterSend);
    fillLists();
    updateEnabling();
    // The lists show the windows as they are now, when there is a desktop to ask.
    if (quorstat::DesktopAutomation::instance().available())
        refreshWindows();
    resize(720, mode == Mode::General ? 560 : 640);
}

void CToolsQQSettingSubDialog::buildControls() {
    shortcutMode_ = new QRadioButton(QStringLiteral("使用快捷方式"), this);
    shortcutMode_->setObjectName(QStringLiteral("radio3297"));
    windowMode_ = new QRadioButton(QStringLiteral("使用刷新方式"), this);
    windowMode_->setObjectName(QStringLiteral("radio3300"));
    interval_ = new QLineEdit(this);
    interval_->setObjectName(QStringLiteral("edit3259"));
    interval_->setMaximumWidth(48);
    sendAfterSubmit_ = new QCheckBox(QStringLiteral("自动发送"), this);
    sendAfterSubmit_->setObjectName(QStringLiteral("check3261"));
    minimiseAfterSend_ = new QCheckBox(QStringLiteral("发送后最小化"), this);
    minimiseAfterSend_->setObjectName(QStringLiteral("check3264"));
    // Windows that were open before a send are never closed by it; the box only says so.
    keepOpenWindows_ = new QCheckBox(QStringLiteral("已打开窗口不关闭"), this);
    keepOpenWindows_->setObjectName(QStringLiteral("check3265"));
    keepOpenWindows_->setChecked(true);
    keepOpenWindows_->setEnabled(false);
    useGeneral_ = new QCheckBox(QStringLiteral("使用群发设置"), this);
    useGeneral_->setObjectName(QStringLiteral("check3269"));
    closeAfterSend_ = new QCheckBox(QStringLiteral("发送后关闭本窗口"), this);
    closeAfterSend_->setObjectName(QStringLiteral("check3271"));
    refresh_ = new QPushButton(QStringLiteral("刷新"), this);
    refresh_->setObjectName(QStringLiteral("button3234"));
    import_ = new QPushButton(QStringLiteral("导入快捷方式"), this);
    import_->setObjectName(QStringLiteral("button3236"));
    auto* manual = new QPushButton(QStringLiteral("操作说明"), this);
    manual->setObjectName(QStringLiteral("button3334"));

    auto* options = new QGridLayout;
    options->addWidget(shortcutMode_, 0, 0);
    options->addWidget(windowMode_, 0, 1);
    auto* interval = new QHBoxLayout;
    interval->addWidget(new QLabel(QStringLiteral("发送时间间隔"), this));
    interval->addWidget(interval_);
    interval->addWidget(new QLabel(QStringLiteral("秒（0-10）"), this));
    interval->addStretch();
    options->addLayout(interval, 0, 2, 1, 2);
    options->addWidget(mode_ == Mode::General ? sendAfterSubmit_ : useGeneral_, 1, 0);
    options->addWidget(minimiseAfterSend_, 1, 1);
    options->addWidget(keepOpenWindows_, 1, 2);
    (mode_ == Mode::General ? useGeneral_ : sendAfterSubmit_)->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refresh_);
    buttons->addWidget(import_);
    buttons->addStretch();
    buttons->addWidget(manual);

    targets_ = new QStackedWidget(this);
    targets_->addWidget(buildShortcutPage());
    targets_->addWidget(buildWindowPage());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->addWidget(targets_, 1);
    if (mode_ == Mode::General) {
        layout->addWidget(buildSignaturePage());
        closeAfterSend_->hide();
    } else {
        layout->addWidget(buildCustomTextPage());
    }
    layout->addWidget(makeOkCancelButtons(this));

    connect(shortcutMode_, &QRadioButton::toggled, this, &CToolsQQSettingSubDialog::updateEnabling);
    connect(useGeneral_, &QCheckBox::toggled, this, &CToolsQQSettingSubDialog::updateEnabling);
    connect(refresh_, &QPushButton::clicked, this, &CToolsQQSettingSubDialog::refreshWindows);
    connect(import_, &QPushButton::clicked, this, &CToolsQQSettingSubDialog::importShortcuts);
    connect(manual, &QPushButton::clicked, this, [this] {
        CToolsQQSettingManualDialog dialog(shortcutMode_->isChecked(), this);
        Prompter::instance().exec(dialog);
    });
}

QWidget* CToolsQQSettingSubDialog::buildShortcutPage() {
    auto* page = new QGroupBox(QStringLiteral("QQ快捷方式"), this);
    shortcuts_ = makeList(
        QStringLiteral("list3303"),
        {QStringLiteral("名称"), QStringLiteral("允许"), QStringLiteral("自动关闭")}, page);
    ListCheckMenu* menu = ListCheckMenu::attach(shortcuts_, kAllowedColumn);
    menu->addSeparator();
    menu->addAction(QStringLiteral("导入快捷方式"), this, [this] { importShortcuts(); });
    menu->addAction(QStringLiteral("删除"), this, [this] { removeShortcut(); });
    menu->addAction(QStringLiteral("清空"), this, [this] { clearShortcuts(); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(shortcuts_);
    return page;
}

QWidget* CToolsQQSettingSubDialog::buildWindowPage() {
    auto* page = new QWidget(this);
    auto* enabledBox = new QGroupBox(QStringLiteral("可用的QQ窗口（双击禁用）"), page);
    enabledWindows_ = makeList(QStringLiteral("list3306"),
                               {QStringLiteral("名称"), QStringLiteral("允许")}, enabledBox);
    ListCheckMenu* menu = ListCheckMenu::attach(enabledWindows_, kAllowedColumn);
    menu->addSeparator();
    menu->addAction(QStringLiteral("刷新"), this, [this] { refreshWindows(); });
    (new QVBoxLayout(enabledBox))->addWidget(enabledWindows_);

    auto* disabledBox = new QGroupBox(QStringLiteral("禁用的QQ窗口（双击恢复）"), page);
    disabledWindows_ = makeList(QStringLiteral("list3309"), {QStringLiteral("名称")}, disabledBox);
    disabledWindows_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* refresh = new QAction(QStringLiteral("刷新"), disabledWindows_);
    connect(refresh, &QAction::triggered, this, &CToolsQQSettingSubDialog::refreshWindows);
    disabledWindows_->addAction(refresh);
    (new QVBoxLayout(disabledBox))->addWidget(disabledWindows_);

    // Later: the lists are rebuilt, which must not happen inside the view's own click handling.
    const auto later = [this](QTreeWidget* list, void (CToolsQQSettingSubDialog::*moveRow)(int)) {
        connect(list, &QTreeWidget::itemDoubleClicked, this,
                [this, list, moveRow](QTreeWidgetItem* item) {
                    const int row = list->indexOfTopLevelItem(item);
                    CallLater(this, 0, [this, moveRow, row] { (this->*moveRow)(row); });
                });
    };
    later(enabledWindows_, &CToolsQQSettingSubDialog::forbidWindow);
    later(disabledWindows_, &CToolsQQSettingSubDialog::allowWindow);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(enabledBox, 3);
    layout->addWidget(disabledBox, 2);
    return page;
}

QWidget* CToolsQQSettingSubDialog::buildSignaturePage() {
    auto* page = new QGroupBox(QStringLiteral("附加信息（启用的一行加在方案文本后面）"), this);
    signatures_ = makeList(
        QStringLiteral("list3342"),
        {QStringLiteral("序号"), QStringLiteral("附加信息"), QStringLiteral("启用")}, page);
    signatures_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    signatures_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    signatures_->setMaximumHeight(130);
    signatures_->setContextMenuPolicy(Qt::ActionsContextMenu);
    const std::pair<QString, std::function<void()>> actions[] = {
        {QStringLiteral("添加"), [this] { editSignature(true); }},
        {QStringLiteral("修改"), [this] { editSignature(false); }},
        {QStringLiteral("删除"), [this] { removeSignature(); }},
        {QStringLiteral("清空"), [this] { clearSignatures(); }},
    };
    for (const auto& [text, action] : actions) {
        auto* item = new QAction(text, signatures_);
        connect(item, &QAction::triggered, this, action);
        signatures_->addAction(item);
    }
    connect(signatures_, &QTreeWidget::itemChanged, this,
            &CToolsQQSettingSubDialog::signatureTicked);
    connect(
        signatures_, &QTreeWidget::itemDoubleClicked, this, [this] { editSignature(false); },
        Qt::QueuedConnection);
    (new QVBoxLayout(page))->addWidget(signatures_);
    return page;
}

QWidget* CToolsQQSettingSubDialog::buildCustomTextPage() {
    auto* page = new QGroupBox(QStringLiteral("群发内容"), this);
    text_ = new QPlainTextEdit(page);
    text_->setObjectName(QStringLiteral("edit3286"));
    text_->setMaximumHeight(150);
    auto* send = new QPushButton(QStringLiteral("发送"), page);
    send->setObjectName(QStringLiteral("button3"));
    connect(send, &QPushButton::clicked, this, &CToolsQQSettingSubDialog::send);
    auto* notice = new QLabel(QStringLiteral("发送内容请遵守国家法律法规，违者自负"), page);
    notice->setStyleSheet(QStringLiteral("color: #b00000;"));
    auto* row = new QHBoxLayout;
    row->addWidget(notice);
    row->addStretch();
    row->addWidget(closeAfterSend_);
    row->addWidget(send);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(text_);
    layout->addLayout(row);
    return page;
}

void CToolsQQSettingSubDialog::fillLists() {
    const QSignalBlocker quietSignatures(signatures_);
    shortcuts_->clear();
    for (const quorstat::QQITEM& item : form_.shortcuts) {
        QTreeWidgetItem* row = addRow(shortcuts_, {toQString(item.windowTitle)});
        row->setToolTip(0, toQString(item.shortcutFile + " " + item.arguments));
        setChecked(row, kAllowedColumn, item.allowed == 1);
        setChecked(row, kAutoCloseColumn, item.autoClose != 0);
    }
    fillWindowRows(enabledWindows_, form_.enabledWindows, true);
    fillWindowRows(disabledWindows_, form_.disabledWindows, false);
    if (!signatures_)
        return;
    signatures_->clear();
    for (std::size_t i = 0; i < form_.signatures.size(); ++i) {
        QTreeWidgetItem* row =
            addRow(signatures_, {QString::number(i + 1), toQString(form_.signatures[i])});
        setChecked(row, kEnabledColumn, form_.signatureIndex == static_cast<int>(i));
    }
}

// The ticks the user set in the lists, into the form, before it changes the lists.
void CToolsQQSettingSubDialog::takeChecks() {
    for (std::size_t i = 0; i < form_.shortcuts.size(); ++i) {
        const int row = static_cast<int>(i);
        form_.shortcuts[i].allowed = isChecked(shortcuts_, row, kAllowedColumn) ? 1 : 0;
        form_.shortcuts[i].autoClose = isChecked(shortcuts_, row, kAutoCloseColumn) ? 1 : 0;
    }
    for (std::size_t i = 0; i < form_.enabledWindows.size(); ++i)
        form_.enabledWindows[i].item.allowed =
            isChecked(enabledWindows_, static_cast<int>(i), kAllowedColumn) ? 1 : 0;
}

quorstat::SendSettingsEntries CToolsQQSettingSubDialog::entries() const {
    quorstat::SendSettingsEntries entries;
    entries.shortcutMode = shortcutMode_->isChecked();
    entries.interval = interval_->text().toStdString();
    entries.sendAfterSubmit = sendAfterSubmit_->isChecked();
    entries.minimiseAfterSend = minimiseAfterSend_->isChecked();
    entries.useGeneral = useGeneral_->isChecked();
    entries.closeAfterSend = closeAfterSend_->isChecked();
    return entries;
}

// With "使用群发设置" the general targets go, so the custom ones cannot be chosen.
void CToolsQQSettingSubDialog::updateEnabling() {
    const bool ownTargets = mode_ == Mode::General || !useGeneral_->isChecked();
    const bool shortcutMode = shortcutMode_->isChecked();
    shortcutMode_->setEnabled(ownTargets);
    windowMode_->setEnabled(ownTargets);
    targets_->setEnabled(ownTargets);
    targets_->setCurrentIndex(shortcutMode ? 0 : 1);
    import_->setEnabled(ownTargets && shortcutMode);
    refresh_->setEnabled(ownTargets && !shortcutMode);
}

bool CToolsQQSettingSubDialog::collect() {
    takeChecks();
    const std::string problem = form_.collect(entries(), settings_);
    if (problem.empty())
        return true;
    Prompter::instance().message(this, toQString(problem));
    interval_->setText(QString::number(settings_.interval));
    interval_->setFocus();
    return false;
}

void CToolsQQSettingSubDialog::accept() {
    if (collect())
        QDialog::accept();
}

// Ends like OK: a problem in the entries is shown and the dialog stays.
void CToolsQQSettingSubDialog::closeAfterSend() {
    accept();
}

void CToolsQQSettingSubDialog::send() {
    if (!collect())
        return;
    const QString text = toQString(quorstat::TrimmedSendText(text_->toPlainText().toStdString()));
    if (text.isEmpty()) {
        Prompter::instance().message(this, QStringLiteral("请输入要群发的文本"));
        text_->setFocus();
        return;
    }
    emit sendRequested(text);
}

void CToolsQQSettingSubDialog::refreshWindows() {
    quorstat::DesktopAutomation& desktop = quorstat::DesktopAutomation::instance();
    if (!desktop.available()) {
        Prompter::instance().message(this, toQString(quorstat::kNoDesktopText));
        return;
    }
    takeChecks();
    form_.refreshWindows(
        quorstat::EnumerateQQWindows(desktop, CQuorstatApp::instance().windowFilter.titles));
    fillLists();
}

void CToolsQQSettingSubDialog::importShortcuts() {
    const QStringList files = Prompter::instance().openFileNames(
        this, QStringLiteral("导入快捷方式"),
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        QStringLiteral("快捷方式(*.lnk)"));
    if (files.isEmpty())
        return;
    std::vector<quorstat::QQITEM> imported;
    for (const QString& file : files) {
        const std::filesystem::path path = file.toStdString();
        if (const auto link = quorstat::ReadShellLink(path))
            if (auto item = quorstat::ShortcutItem(path, *link))
                imported.push_back(std::move(*item));
    }
    if (imported.empty()) {
        Prompter::instance().message(this, toQString(quorstat::kNoValidShortcutText));
        return;
    }
    takeChecks();
    form_.importShortcuts(imported, [this](const std::string& name) {
        const QString question =
            QStringLiteral(
                "在列表中已经存在同名快捷方式：%1，\n选择“是”，替换当前列表中的快捷方式。"
                "\n选择“否”，不替换当前列表中的快捷方式。\n选择“取消”，取消本次操作")
                .arg(toQString(name));
        switch (Prompter::instance().message(
            this, question, Prompter::defaultCaption(), Prompter::Icon::Question,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
            case QMessageBox::Yes:
                return SendSettingsForm::Duplicate::Replace;
            case QMessageBox::No:
                return SendSettingsForm::Duplicate::Keep;
            default:
                return SendSettingsForm::Duplicate::Stop;
        }
    });
    fillLists();
}

void CToolsQQSettingSubDialog::forbidWindow(int row) {
    if (row < 0 || row >= enabledWindows_->topLevelItemCount())
        return;
    takeChecks();
    const int next = form_.forbidWindow(static_cast<std::size_t>(row));
    fillLists();
    selectRow(enabledWindows_, next);
}

void CToolsQQSettingSubDialog::allowWindow(int row) {
    if (row < 0 || row >= disabledWindows_->topLevelItemCount())
        return;
    takeChecks();
    const int next = form_.allowWindow(static_cast<std::size_t>(row));
    fillLists();
    selectRow(disabledWindows_, next);
}

bool CToolsQQSettingSubDialog::ask(const QString& question) {
    return Prompter::instance().message(this, question, Prompter::defaultCaption(),
                                        Prompter::Icon::Question,
                                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void CToolsQQSettingSubDialog::removeShortcut() {
    const int row = selectedRow(shortcuts_);
    if (row < 0 || !ask(QStringLiteral("是否要删除选中的快捷方式？")))
        return;
    takeChecks();
    form_.shortcuts.erase(form_.shortcuts.begin() + row);
    fillLists();
    selectRow(shortcuts_, std::min(row, shortcuts_->topLevelItemCount() - 1));
}

void CToolsQQSettingSubDialog::clearShortcuts() {
    if (form_.shortcuts.empty() || !ask(QStringLiteral("是否要清空所有快捷方式？")))
        return;
    takeChecks();
    form_.shortcuts.clear();
    fillLists();
}

void CToolsQQSettingSubDialog::editSignature(bool isNew) {
    const int row = selectedRow(signatures_);
    if (!isNew && row < 0)
        return;
    const QString current =
        isNew ? QString() : toQString(form_.signatures[static_cast<std::size_t>(row)]);
    CToolsQQSignEditorDialog editor(current, isNew, this);
    if (Prompter::instance().exec(editor) != QDialog::Accepted)
        return;
    takeChecks();
    if (isNew)
        form_.addSignature(editor.text().toStdString());
    else
        form_.signatures[static_cast<std::size_t>(row)] = editor.text().toStdString();
    fillLists();
    selectRow(signatures_, isNew ? signatures_->topLevelItemCount() - 1 : row);
}

void CToolsQQSettingSubDialog::removeSignature() {
    const int row = selectedRow(signatures_);
    if (row < 0 || !ask(QStringLiteral("确定要删除选中的列表项吗？")))
        return;
    takeChecks();
    form_.removeSignature(static_cast<std::size_t>(row));
    fillLists();
    selectRow(signatures_, std::min(row, signatures_->topLevelItemCount() - 1));
}

void CToolsQQSettingSubDialog::clearSignatures() {
    if (form_.signatures.empty() || !ask(QStringLiteral("确定要清空列表吗？")))
        return;
    takeChecks();
    form_.signatures.clear();
    form_.signatureIndex = -1;
    fillLists();
}

// Only the other rows change here: the ticked item is still inside its own change.
void CToolsQQSettingSubDialog::signatureTicked(QTreeWidgetItem* item, int column) {
    if (column != kEnabledColumn)
        return;
    const int row = signatures_->indexOfTopLevelItem(item);
    form_.enableSignature(static_cast<std::size_t>(row), item->checkState(column) == Qt::Checked);
    const QSignalBlocker quiet(signatures_);
    for (int other = 0; other < signatures_->topLevelItemCount(); ++other)
        if (other != row)
            setChecked(signatures_->topLevelItem(other), kEnabledColumn, false);
}
