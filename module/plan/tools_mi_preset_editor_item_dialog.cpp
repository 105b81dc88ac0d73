#include "plan/tools_mi_preset_editor_item_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "net/reply_text.h"
#include "plan/multiples_text.h"
#include "plan/preset_rules.h"
#include "ui/dialog_buttons.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

CToolsMIPresetEditorItemDialog::CToolsMIPresetEditorItemDialog(const quorstat::PRESETDATA* row,
                                                               std::vector<std::string> otherNames,
                                                               QWidget* parent)
    : QDialog(parent),
      name_(new QLineEdit(this)),
      issues_(new QLineEdit(this)),
      multiples_(new QLineEdit(this)),
      otherNames_(std::move(otherNames)) {
    setWindowTitle(row ? QStringLiteral("修改预设数据") : QStringLiteral("新建预设数据"));
    name_->setObjectName(QStringLiteral("presetName"));
    issues_->setObjectName(QStringLiteral("presetIssues"));
    multiples_->setObjectName(QStringLiteral("presetMultiples"));
    if (row) {
        name_->setText(toQString(row->presetName));
        issues_->setText(QString::number(row->presetIssues));
        multiples_->setText(toQString(quorstat::JoinMultiples(row->presetMultiples)));
    }

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("名称："), name_);
    fields->addRow(QStringLiteral("期数："), issues_);
    fields->addRow(QStringLiteral("倍数："), multiples_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(makeOkCancelButtons(this));
    setMinimumWidth(420);
}

quorstat::PRESETDATA CToolsMIPresetEditorItemDialog::preset() const {
    return {name_->text().toStdString(),
            {},
            quorstat::ReadInt(issues_->text().toStdString()),
            quorstat::ParseMultiplesText(multiples_->text().toStdString())};
}

void CToolsMIPresetEditorItemDialog::accept() {
    const auto problem =
        quorstat::CheckPresetItem(name_->text().toStdString(), issues_->text().toStdString(),
                                  multiples_->text().toStdString(), otherNames_);
    if (!problem) {
        QDialog::accept();
        return;
    }
    Prompter::instance().message(this, toQString(problem->message));
    QLineEdit* field = problem->field == quorstat::PresetField::Name     ? name_
                       : problem->field == quorstat::PresetField::Issues ? issues_
                                                                         : multiples_;
    field->setFocus();
    field->selectAll();
}
