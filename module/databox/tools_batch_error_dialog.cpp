#include "databox/tools_batch_error_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "databox/grouping.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_look.h"
#include "ui/history_edit.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

CToolsBatchErrorDialog::CToolsBatchErrorDialog(const std::filesystem::path& historyDir,
                                               QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("批量容错"));
    applyDialogLook(this);
    enabled_ = new QCheckBox(QStringLiteral("启用"), this);
    enabled_->setObjectName(QStringLiteral("enabled"));
    enabled_->setChecked(true);
    tolerance_ = new HistoryEdit(historyDir, QString::fromLatin1(kHistoryKey), this);

    auto* fields = new QHBoxLayout;
    fields->addWidget(enabled_);
    fields->addWidget(tolerance_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(makeOkCancelButtons(this));
    setMinimumWidth(300);
    tolerance_->setFocus();
    tolerance_->selectAll();
}

void CToolsBatchErrorDialog::accept() {
    const std::string text = tolerance_->text().trimmed().toStdString();
    if (const auto message = quorstat::ValidateBatchTolerance(text)) {
        Prompter::instance().message(this, toQString(*message));
        tolerance_->setFocus();
        return;
    }
    tolerance_->setText(toQString(text));
    tolerance_->remember();
    on_ = enabled_->isChecked();
    text_ = text;
    QDialog::accept();
}
