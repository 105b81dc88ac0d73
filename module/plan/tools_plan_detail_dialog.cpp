#include "plan/tools_plan_detail_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "plan/plan_detail_text.h"
#include "ui/prompter.h"
#include "ui/qt_text.h"

CToolsPlanDetailDialog::CToolsPlanDetailDialog(const quorstat::tagPLANITEM& plan, QWidget* parent)
    : QDialog(parent), numbers_(new QPlainTextEdit(toQString(plan.numbers), this)) {
    setWindowTitle(QStringLiteral("方案详情"));
    numbers_->setReadOnly(true);
    numbers_->setObjectName(QStringLiteral("planNumbers"));

    auto* layout = new QVBoxLayout(this);
    for (const std::string& line : quorstat::PlanDetailLines(plan)) {
        auto* label = new QLabel(toQString(line), this);
        label->setObjectName(QStringLiteral("detailLine"));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    layout->addWidget(numbers_, 1);

    auto* copy = new QPushButton(QStringLiteral("复制号码"), this);
    copy->setObjectName(QStringLiteral("copyNumbers"));
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(copy, &QPushButton::clicked, this, &CToolsPlanDetailDialog::copyNumbers);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(480, 420);
}

QStringList CToolsPlanDetailDialog::lines() const {
    QStringList texts;
    for (const QLabel* label : findChildren<QLabel*>(QStringLiteral("detailLine")))
        texts << label->text();
    return texts;
}

QString CToolsPlanDetailDialog::numbers() const {
    return numbers_->toPlainText();
}

void CToolsPlanDetailDialog::copyNumbers() {
    QGuiApplication::clipboard()->setText(numbers_->toPlainText());
    Prompter::instance().prompt(this, QStringLiteral("复制号码成功"));
}
