#include "templates/tools_sys_template_editor_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "templates/template_form.h"
#include "templates/template_form_widget.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_look.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

CToolsSysTemplateEditorDialog::CToolsSysTemplateEditorDialog(
    quorstat::tagTEMPLATEITEM systemTemplate, QWidget* parent)
    : QDialog(parent),
      item_(std::move(systemTemplate)),
      form_(new CTemplateFormWidget(false, this)) {
    setWindowTitle(QStringLiteral("系统模板设置"));
    applyDialogLook(this);
    form_->showTemplate(item_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(form_);
    layout->addStretch(1);
    layout->addWidget(makeOkCancelButtons(this));
    resize(420, 360);
}

void CToolsSysTemplateEditorDialog::accept() {
    const auto reading =
        quorstat::ReadTemplateForm(form_->form(), quorstat::TemplateFormUse::SystemTemplate, {});
    if (!reading.item) {
        Prompter::instance().message(this, toQString("模板设置不正确：" + reading.problem));
        return;
    }
    item_ = quorstat::WithFormContent(item_, *reading.item);
    QDialog::accept();
}
