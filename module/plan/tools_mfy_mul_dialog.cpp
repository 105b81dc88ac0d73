#include "plan/tools_mfy_mul_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "plan/multiples_text.h"
#include "ui/dialog_buttons.h"
#include "ui/history_edit.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

CToolsMfyMulDialog::CToolsMfyMulDialog(const std::filesystem::path& historyDir,
                                       std::size_t targetCount,
                                       std::optional<std::int64_t> shownMultiple, QWidget* parent)
    : QDialog(parent), targetCount_(targetCount) {
    setWindowTitle(QStringLiteral("修改倍数"));
    input_ = new HistoryEdit(historyDir, QString::fromLatin1(kHistoryKey), this);
    if (shownMultiple)
        input_->setText(QString::number(*shownMultiple));
    input_->selectAll();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("输入倍数：(多个倍数可以使用空格或者逗号分隔)"), this));
    layout->addWidget(input_);
    layout->addWidget(makeOkCancelButtons(this));
    setMinimumWidth(360);
}

void CToolsMfyMulDialog::accept() {
    const quorstat::MultiplesInput parsed =
        quorstat::ParseModifyMultiples(input_->text().toStdString(), targetCount_);
    if (!parsed.message.empty()) {
        Prompter::instance().message(this, toQString(parsed.message));
        input_->setFocus();
        return;
    }
    input_->remember();
    multiples_ = parsed.values;
    QDialog::accept();
}
