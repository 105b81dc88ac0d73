#pragma once

#include <QDialog>

#include "net/template_record.h"

class CTemplateFormWidget;

// "系统模板设置": the manager's form for the system template, without its name. OK closes only on
// a form that reads without problem; edited() is then the system template with that content.
class CToolsSysTemplateEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CToolsSysTemplateEditorDialog(quorstat::tagTEMPLATEITEM systemTemplate,
                                           QWidget* parent = nullptr);

    const quorstat::tagTEMPLATEITEM& edited() const { return item_; }
    CTemplateFormWidget* form() const { return form_; }

    void accept() override;

private:
    quorstat::tagTEMPLATEITEM item_;
    CTemplateFormWidget* form_ = nullptr;
};
