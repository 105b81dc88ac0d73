#include "templates/tools_qq_sign_editor_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/prompter.h"

CToolsQQSignEditorDialog::CToolsQQSignEditorDialog(const QString& text, bool isNew, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(text, this)) {
    setWindowTitle(isNew ? QStringLiteral("新建附加信息") : QStringLiteral("修改附加信息"));
    edit_->setObjectName(QStringLiteral("signText"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("附加信息："), edit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(makeOkCancelButtons(this));
    setMinimumWidth(460);
}

QString CToolsQQSignEditorDialog::text() const {
    return edit_->text();
}

void CToolsQQSignEditorDialog::accept() {
    if (edit_->text().isEmpty()) {
        Prompter::instance().message(this, QStringLiteral("没有输入附加信息文本"));
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}
