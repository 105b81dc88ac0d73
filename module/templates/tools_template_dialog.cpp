#include "templates/tools_template_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "templates/template_form_widget.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_look.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

using quorstat::TemplateFormUse;
using quorstat::TemplateRows;

constexpr int kInUseColumn = 2;

const char* const kNotes[] = {
    "● 系统模板不能修改，但可以修改后添加成自己的模板。",
    "● 模板名称不能重复。",
    "● 除系统模板外，用户最多可以添加6个模板。",
    "● 严禁出现任何违反国家法律法规的信息。",
    "● 严禁出现任何网页链接地址，以防木马钓鱼网站。",
    "● 严禁出现任何平台名称、活动等信息。",
    "● 严禁出现任何中奖诱导等信息。",
    "● 凡违反规定者一律封号，停止软件的使用。",
};

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

bool askYesNo(QWidget* parent, const QString& text, QMessageBox::StandardButton preselected) {
    return Prompter::instance().message(
               parent, text, Prompter::defaultCaption(), Prompter::Icon::Question,
               QMessageBox::Yes | QMessageBox::No, preselected) == QMessageBox::Yes;
}

void tell(QWidget* parent, const std::string& text) {
    Prompter::instance().message(parent, toQString(text));
}

}  // namespace

CToolsTemplateDialog::CToolsTemplateDialog(std::vector<quorstat::tagTEMPLATEITEM> templates,
                                           std::string_view nameInUse, QWidget* parent)
    : QDialog(parent), rows_(std::move(templates), nameInUse) {
    setWindowTitle(QStringLiteral("模板设置"));
    applyDialogLook(this);
    buildControls();
    refill(rows_.tickedRow());
}

void CToolsTemplateDialog::buildList() {
    list_ = new QTableWidget(0, 3, this);
    list_->setObjectName(QStringLiteral("list3223"));
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("序号"), QStringLiteral("模板名称"), QStringLiteral("启用")});
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    list_->setColumnWidth(0, 44);
    list_->setColumnWidth(kInUseColumn, 48);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setMinimumWidth(220);
    connect(list_, &QTableWidget::itemSelectionChanged, this,
            &CToolsTemplateDialog::onSelectionChanged);
    connect(list_, &QTableWidget::cellChanged, this, &CToolsTemplateDialog::onItemChanged);
    connect(list_, &QTableWidget::customContextMenuRequested, this,
            &CToolsTemplateDialog::showRowMenu);

    rowMenu_ = new QMenu(this);
    rowMenu_->setObjectName(QStringLiteral("templateRowMenu"));
    rowMenu_->addAction(QStringLiteral("删除选中模板"), this,
                        &CToolsTemplateDialog::removeSelected);
    rowMenu_->addAction(QStringLiteral("上移"), this,
                        [this] { moveSelected(&TemplateRows::moveUp); });
    rowMenu_->addAction(QStringLiteral("下移"), this,
                        [this] { moveSelected(&TemplateRows::moveDown); });
}

void CToolsTemplateDialog::buildControls() {
    buildList();
    form_ = new CTemplateFormWidget(true, this);
    const auto makeButton = [this](const QString& text, const QString& name,
                                   void (CToolsTemplateDialog::*action)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, action);
        return button;
    };
    add_ = makeButton(QStringLiteral("添加"), QStringLiteral("button3175"),
                      &CToolsTemplateDialog::addTemplate);
    modify_ = makeButton(QStringLiteral("修改"), QStringLiteral("button3178"),
                         &CToolsTemplateDialog::modifyTemplate);
    remove_ = makeButton(QStringLiteral("删除"), QStringLiteral("button3179"),
                         &CToolsTemplateDialog::removeSelected);
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addStretch(1);
    for (QPushButton* button : {add_, modify_, remove_})
        rowButtons->addWidget(button);

    auto* right = new QVBoxLayout;
    right->addWidget(form_);
    right->addLayout(rowButtons);
    right->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(list_, 2);
    top->addLayout(right, 3);

    QStringList lines;
    for (const char* note : kNotes)
        lines << QString::fromUtf8(note);
    auto* notes = new QLabel(lines.join(QLatin1Char('\n')), this);
    notes->setObjectName(QStringLiteral("templateNotes"));
    notes->setStyleSheet(QStringLiteral("color: #8a3b12;"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(notes);
    layout->addWidget(makeOkCancelButtons(this));
    resize(680, 520);
}

void CToolsTemplateDialog::refill(std::optional<int> selectRow) {
    const QSignalBlocker quiet(list_);
    const auto& rows = rows_.rows();
    list_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        list_->setItem(row, 0, cell(QString::number(row + 1)));
        list_->setItem(row, 1, cell(toQString(rows[static_cast<std::size_t>(row)].TempletName)));
        QTableWidgetItem* inUse = cell(QString());
        inUse->setFlags(inUse->flags() | Qt::ItemIsUserCheckable);
        inUse->setCheckState(row == rows_.tickedRow() ? Qt::Checked : Qt::Unchecked);
        list_->setItem(row, kInUseColumn, inUse);
    }
    list_->clearSelection();
    if (selectRow && *selectRow < list_->rowCount())
        list_->selectRow(*selectRow);
    onSelectionChanged();
}

void CToolsTemplateDialog::onSelectionChanged() {
    const auto row = singleSelectedRow();
    if (row)
        form_->showTemplate(rows_.rows()[static_cast<std::size_t>(*row)]);
    add_->setEnabled(rows_.canAdd());
    modify_->setEnabled(row.has_value());
    remove_->setEnabled(!selectedRows().empty());
}

// One row is in use: ticking a row unticks the others, and the ticked one stays ticked.
void CToolsTemplateDialog::onItemChanged(int row, int column) {
    if (column != kInUseColumn)
        return;
    if (list_->item(row, column)->checkState() == Qt::Checked)
        rows_.tick(row);
    const QSignalBlocker quiet(list_);
    for (int other = 0; other < list_->rowCount(); ++other)
        list_->item(other, kInUseColumn)
            ->setCheckState(other == rows_.tickedRow() ? Qt::Checked : Qt::Unchecked);
}

void CToolsTemplateDialog::showRowMenu(const QPoint& at) {
    const auto row = singleSelectedRow();
    const auto actions = rowMenu_->actions();
    actions[0]->setEnabled(!selectedRows().empty());
    actions[1]->setEnabled(row && *row >= 2);
    actions[2]->setEnabled(row && *row >= 1 && *row + 1 < static_cast<int>(rows_.size()));
    rowMenu_->popup(list_->viewport()->mapToGlobal(at));
}

std::optional<quorstat::tagTEMPLATEITEM> CToolsTemplateDialog::readForm(TemplateFormUse use) {
    auto reading = quorstat::ReadTemplateForm(form_->form(), use, rows_.rows());
    if (!reading.item)
        tell(this, "模板设置不正确：" + reading.problem);
    return reading.item;
}

bool CToolsTemplateDialog::modifyRow(int row, const quorstat::tagTEMPLATEITEM& edited) {
    if (const auto problem = rows_.modify(row, edited)) {
        tell(this, *problem);
        return false;
    }
    refill(row);
    return true;
}

void CToolsTemplateDialog::addTemplate() {
    if (!rows_.canAdd())
        return;
    const auto edited = readForm(TemplateFormUse::Add);
    if (!edited)
        return;
    switch (rows_.add(*edited)) {
        case TemplateRows::AddOutcome::Added:
            refill(static_cast<int>(rows_.size()) - 1);
            break;
        case TemplateRows::AddOutcome::NameTaken:
            if (askYesNo(this, QStringLiteral("存在一个重名的模板，要替换列表中的模板吗？"),
                         QMessageBox::No))
                modifyRow(*rows_.rowNamed(edited->TempletName), *edited);
            break;
        case TemplateRows::AddOutcome::Full:
            break;
    }
}

void CToolsTemplateDialog::modifyTemplate() {
    const auto row = singleSelectedRow();
    if (!row)
        return;
    if (const auto refusal = rows_.modifyRefusal(*row)) {
        tell(this, *refusal);
        return;
    }
    if (const auto edited = readForm(TemplateFormUse::Modify))
        modifyRow(*row, *edited);
}

void CToolsTemplateDialog::removeSelected() {
    rows_.remove(selectedRows());
    refill(std::nullopt);
}

void CToolsTemplateDialog::moveSelected(std::optional<int> (TemplateRows::*step)(int)) {
    const auto row = singleSelectedRow();
    if (!row)
        return;
    if (const auto moved = (rows_.*step)(*row))
        refill(*moved);
}

void CToolsTemplateDialog::accept() {
    if (!offerUnsavedEdit())
        return;
    if (rows_.rows().empty()) {
        Prompter::instance().message(this, QStringLiteral("模板设置不正确"));
        return;
    }
    QDialog::accept();
}

// A form edited but not taken into the list is offered once more; false when taking it failed.
// The system template's row is never modified, so it is not offered for it.
bool CToolsTemplateDialog::offerUnsavedEdit() {
    const auto row = singleSelectedRow();
    if (!row || rows_.modifyRefusal(*row))
        return true;
    const auto reading =
        quorstat::ReadTemplateForm(form_->form(), TemplateFormUse::Modify, rows_.rows());
    if (!reading.item || !rows_.differsFrom(*row, *reading.item))
        return true;
    const QString name = toQString(rows_.rows()[static_cast<std::size_t>(*row)].TempletName);
    if (!askYesNo(this,
                  QStringLiteral("模板【%1】被修改了，但是没有保存到列表中，是否保存？").arg(name),
                  QMessageBox::Yes))
        return true;
    return modifyRow(*row, *reading.item);
}

std::vector<int> CToolsTemplateDialog::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    return rows;
}

std::optional<int> CToolsTemplateDialog::singleSelectedRow() const {
    const auto rows = selectedRows();
    if (rows.size() != 1)
        return std::nullopt;
    return rows.front();
}
