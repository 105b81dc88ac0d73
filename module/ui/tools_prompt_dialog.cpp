#include "ui/tools_prompt_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/call_later.h"

CToolsPromptDialog::CToolsPromptDialog(const QString& text, int closeAfterMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    text_ = new QLabel(text, this);
    text_->setObjectName(QStringLiteral("promptText"));
    text_->setAlignment(Qt::AlignCenter);
    text_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(text_);
    setStyleSheet(
        QStringLiteral("QDialog { background: rgb(240, 230, 210); border: 1px solid "
                       "rgb(160, 140, 110); } QLabel { color: rgb(0, 0, 128); }"));
    setMinimumWidth(220);
    if (closeAfterMs > 0)
        CallLater(this, closeAfterMs, &QDialog::accept);
}

void CToolsPromptDialog::setText(const QString& text) {
    text_->setText(text);
}
