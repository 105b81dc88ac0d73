#include "plan/tools_mi_preset_editor_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "core/atomic_file.h"
#include "plan/multiples_text.h"
#include "plan/preset_file.h"
#include "plan/tools_mi_preset_editor_item_dialog.h"
#include "ui/dialog_buttons.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

namespace {

const QString kFileFilter = QStringLiteral("预设数据 (*.dat)");

std::filesystem::path toPath(const QString& name) {
    return std::filesystem::path(name.toStdU16String());
}

}  // namespace

CToolsMIPresetEditorDialog::CToolsMIPresetEditorDialog(std::vector<quorstat::PRESETDATA> presets,
                                                       QWidget* parent)
    : QDialog(parent), rows_(std::move(presets)), list_(new QTableWidget(0, 4, this)) {
    setWindowTitle(QStringLiteral("预设编辑器"));
    list_->setObjectName(QStringLiteral("presetList"));
    list_->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("名称"),
                                      QStringLiteral("期数"), QStringLiteral("倍数")});
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(list_, &QTableWidget::cellDoubleClicked, this,
            &CToolsMIPresetEditorDialog::modifyPreset);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const QString& text, void (CToolsMIPresetEditorDialog::*action)()) {
        auto* button = new QPushButton(text, this);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
        return button;
    };
    addButton(QStringLiteral("添加"), &CToolsMIPresetEditorDialog::addPreset);
    addButton(QStringLiteral("修改"), &CToolsMIPresetEditorDialog::modifyPreset);
    addButton(QStringLiteral("删除"), &CToolsMIPresetEditorDialog::removeSelected);
    addButton(QStringLiteral("清空"), &CToolsMIPresetEditorDialog::clearAll);
    addButton(QStringLiteral("导入"), &CToolsMIPresetEditorDialog::importFile);
    export_ = addButton(QStringLiteral("导出"), &CToolsMIPresetEditorDialog::exportFile);
    buttons->addStretch(1);
    buttons->addWidget(makeOkCancelButtons(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(640, 360);
    refill();
}

std::vector<quorstat::PRESETDATA> CToolsMIPresetEditorDialog::presets() const {
    std::vector<quorstat::PRESETDATA> presets = rows_;
    for (quorstat::PRESETDATA& preset : presets)
        preset.presetText.clear();
    return presets;
}

void CToolsMIPresetEditorDialog::refill() {
    list_->setRowCount(static_cast<int>(rows_.size()));
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const quorstat::PRESETDATA& preset = rows_[i];
        const QString cells[] = {QString::number(i + 1), toQString(preset.presetName),
                                 QString::number(preset.presetIssues),
                                 toQString(quorstat::JoinMultiples(preset.presetMultiples))};
        for (int column = 0; column < 4; ++column)
            list_->setItem(static_cast<int>(i), column, new QTableWidgetItem(cells[column]));
    }
    export_->setEnabled(!rows_.empty());
}

std::vector<std::string> CToolsMIPresetEditorDialog::namesExcept(int row) const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (static_cast<int>(i) != row)
            names.push_back(rows_[i].presetName);
    }
    return names;
}

void CToolsMIPresetEditorDialog::addPreset() {
    CToolsMIPresetEditorItemDialog item(nullptr, namesExcept(-1), this);
    if (Prompter::instance().exec(item) != QDialog::Accepted)
        return;
    rows_.push_back(item.preset());
    refill();
}

void CToolsMIPresetEditorDialog::modifyPreset() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    CToolsMIPresetEditorItemDialog item(&rows_[static_cast<std::size_t>(row)], namesExcept(row),
                                        this);
    if (Prompter::instance().exec(item) != QDialog::Accepted)
        return;
    rows_[static_cast<std::size_t>(row)] = item.preset();
    refill();
}

void CToolsMIPresetEditorDialog::removeSelected() {
    std::set<int> selected;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        selected.insert(index.row());
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        rows_.erase(rows_.begin() + *it);
    refill();
}

void CToolsMIPresetEditorDialog::clearAll() {
    if (Prompter::instance().message(this, QStringLiteral("确定要删除所有预设数据吗？"),
                                     Prompter::defaultCaption(), Prompter::Icon::Question,
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    rows_.clear();
    refill();
}

// A file that is not a preset file changes nothing.
void CToolsMIPresetEditorDialog::importFile() {
    const QString name =
        Prompter::instance().openFileName(this, QStringLiteral("导入"), QString(), kFileFilter);
    if (name.isEmpty())
        return;
    const auto bytes = quorstat::ReadWholeFile(toPath(name));
    auto presets = bytes ? quorstat::ReadPresetFile(*bytes) : std::nullopt;
    if (!presets)
        return;
    rows_ = std::move(*presets);
    refill();
}

void CToolsMIPresetEditorDialog::exportFile() {
    if (rows_.empty())
        return;
    QString name = Prompter::instance().saveFileName(this, QStringLiteral("导出"),
                                                     QStringLiteral("预设数据.dat"), kFileFilter);
    if (name.isEmpty())
        return;
    if (!name.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
        name += QStringLiteral(".dat");
    if (!quorstat::WriteFileAtomically(toPath(name), quorstat::WritePresetFile(rows_)))
        Prompter::instance().message(this,
                                     QStringLiteral("导出预设数据失败，请检查文件是否可以写入"));
}
