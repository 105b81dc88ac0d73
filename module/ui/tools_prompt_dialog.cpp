#include "ui/tools_prompt_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/call_later.h"

CToolsPromptDialog::CToolsPromptDialog(const QString& text, int closeAfterMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("promptText"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(label);
    setStyleSheet(
        QStringLiteral("QDialog { background: rgb(240, 230, 210); border: 1px solid "
                       "rgb(160, 140, 110); } QLabel { color: rgb(0, 0, 128); }"));
    setMinimumWidth(220);
    if (closeAfterMs > 0)
        CallLater(this, closeAfterMs, &QDialog::accept);
}
