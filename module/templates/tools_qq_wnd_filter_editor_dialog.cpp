#include "templates/tools_qq_wnd_filter_editor_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/quorstat_app.h"
#include "templates/send_settings_rules.h"
#include "ui/dialog_buttons.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

CToolsQQWndFilterEditorDialog::CToolsQQWndFilterEditorDialog(CQuorstatApp& app, QWidget* parent)
    : QDialog(parent), app_(app), edit_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("QQ群发筛选设置"));
    edit_->setObjectName(QStringLiteral("edit3148"));
    edit_->setPlainText(toQString(quorstat::WindowFilterEditText(app.windowFilter.titles)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("群发时跳过以下标题的QQ窗口，每行一个窗口标题："), this));
    layout->addWidget(edit_);
    layout->addWidget(makeOkCancelButtons(this));
    resize(420, 480);
}

void CToolsQQWndFilterEditorDialog::accept() {
    const auto setUp = quorstat::WindowFilterSetUp(edit_->toPlainText().toStdString());
    if (!setUp) {
        Prompter::instance().message(this, toQString(quorstat::kAmpersandInFilterText));
        return;
    }
    app_.queue(app_.catalogue().windowFilterWrite(*setUp));
    QDialog::accept();
}
