#include "databox/box_result_side.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/qt_text.h"

CBoxResultSide::CBoxResultSide(QWidget* parent) : QWidget(parent) {
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("resultCount"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("resultTabs"));
    result_ = new QPlainTextEdit(tabs_);
    result_->setObjectName(QStringLiteral("resultText"));
    result_->setReadOnly(true);
    staging_ = new QPlainTextEdit(tabs_);
    staging_->setObjectName(QStringLiteral("stagingText"));
    staging_->setReadOnly(true);
    tabs_->addTab(result_, QStringLiteral("结果区"));
    tabs_->addTab(staging_, QStringLiteral("暂存区"));

    buttons_ = new QWidget(this);
    auto* grid = new QGridLayout(buttons_);
    grid->setContentsMargins(0, 0, 0, 0);
    struct Action {
        const char* text;
        const char* name;
        void (CBoxResultSide::*run)();
    };
    const Action actions[] = {
        {"取反", "complementResult", &CBoxResultSide::complement},
        {"复制", "copyResult", &CBoxResultSide::copy},
        {"提交", "submitResult", &CBoxResultSide::submit},
        {"转暂存区", "toStaging", &CBoxResultSide::toStaging},
        {"转大底盒", "stagingToBox", &CBoxResultSide::toBoxRequested},
        {"清空", "clearStaging", &CBoxResultSide::clearStaging},
    };
    int index = 0;
    for (const Action& action : actions) {
        auto* button = makeNamedButton(QString::fromUtf8(action.text),
                                       QString::fromLatin1(action.name), buttons_);
        grid->addWidget(button, index / 3, index % 3);
        ++index;
        connect(button, &QPushButton::clicked, this, action.run);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(count_);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons_);
    refresh();
}

void CBoxResultSide::showResult(quorstat::BoxResult result) {
    area_.setResult(std::move(result));
    tabs_->setCurrentWidget(result_);
    refresh();
}

void CBoxResultSide::view(const quorstat::tagPLANBIGPDATA& item) {
    area_.view(item, play_);
    tabs_->setCurrentWidget(result_);
    refresh();
}

void CBoxResultSide::refresh() {
    result_->setPlainText(toQString(quorstat::ResultDisplayText(area_.result())));
    staging_->setPlainText(toQString(quorstat::ResultDisplayText(area_.staging())));
    count_->setText(QStringLiteral("运算结果：%1 注").arg(area_.resultCount()));
}

void CBoxResultSide::complement() {
    area_.complement(play_);
    refresh();
}

void CBoxResultSide::copy() {
    QGuiApplication::clipboard()->setText(toQString(area_.result()));
}

void CBoxResultSide::submit() {
    if (area_.result().empty())
        return;
    copy();
    emit submitRequested(toQString(area_.result()));
}

void CBoxResultSide::toStaging() {
    area_.toStaging();
    tabs_->setCurrentWidget(staging_);
    refresh();
}

void CBoxResultSide::clearStaging() {
    area_.clearStaging();
    refresh();
}
