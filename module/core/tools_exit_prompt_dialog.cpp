#include "core/tools_exit_prompt_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"

namespace {

constexpr QPoint kImagePosition{30, 15};

}  // namespace

CToolsExitPromptDialog::CToolsExitPromptDialog(bool closeToTray, bool exitPrompt, QWidget* parent)
    : QDialog(parent),
      toTray_(new QRadioButton(QStringLiteral("最小化到系统托盘，不退出程序"), this)),
      exit_(new QRadioButton(QStringLiteral("退出程序"), this)),
      dontAsk_(new QCheckBox(QStringLiteral("不再提示"), this)),
      image_(QStringLiteral(":/images/exit_prompt.png")) {
    setWindowTitle(QStringLiteral("退出程序设置"));
    toTray_->setObjectName(QStringLiteral("radio3001"));
    exit_->setObjectName(QStringLiteral("radio3002"));
    dontAsk_->setObjectName(QStringLiteral("check3003"));
    (closeToTray ? toTray_ : exit_)->setChecked(true);
    dontAsk_->setChecked(!exitPrompt);

    QDialogButtonBox* buttons = makeOkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kImagePosition.x() + image_.width() + 16, kImagePosition.y(), 20,
                               12);
    layout->addWidget(toTray_);
    layout->addWidget(exit_);
    layout->addSpacing(8);
    layout->addWidget(dontAsk_);
    layout->addWidget(buttons);
}

bool CToolsExitPromptDialog::closeToTray() const {
    return toTray_->isChecked();
}

bool CToolsExitPromptDialog::askAgain() const {
    return !dontAsk_->isChecked();
}

void CToolsExitPromptDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter(this).drawPixmap(kImagePosition, image_);
}
