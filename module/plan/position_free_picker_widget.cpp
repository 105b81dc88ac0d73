#include "plan/position_free_picker_widget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "plan/digit_ball_button.h"
#include "ui/qt_text.h"

PositionFreePickerWidget::PositionFreePickerWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("positionFreePicker"));
    auto* digits = new QHBoxLayout;
    digits->setSpacing(2);
    for (int digit = 0; digit < 10; ++digit) {
        auto* ball = new DigitBallButton(digit, this);
        ball->setObjectName(QStringLiteral("digit%1").arg(digit));
        connect(ball, &DigitBallButton::clicked, this, [this, digit](bool checked) {
            picker_.setChecked(digit, checked);
            emit changed();
        });
        balls_[static_cast<std::size_t>(digit)] = ball;
        digits->addWidget(ball);
    }
    digits->addStretch(1);

    auto* quick = new QGridLayout;
    quick->setSpacing(3);
    int column = 0;
    for (const quorstat::QuickSelection& selection :
         quorstat::PositionFreePicker::quickSelections()) {
        auto* button = new QPushButton(toQString(selection.caption), this);
        button->setObjectName(QStringLiteral("quickSelection"));
        button->setFixedWidth(34);
        connect(button, &QPushButton::clicked, this, [this, caption = selection.caption] {
            picker_.applyQuickSelection(caption);
            showPicker();
            emit changed();
        });
        quick->addWidget(button, column / 6, column % 6);
        ++column;
    }
    quick->setColumnStretch(6, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(digits);
    layout->addLayout(quick);
    layout->addStretch(1);
}

void PositionFreePickerWidget::restore(std::string_view selection) {
    picker_.restore(selection);
    showPicker();
}

void PositionFreePickerWidget::showPicker() {
    for (int digit = 0; digit < 10; ++digit)
        balls_[static_cast<std::size_t>(digit)]->setChecked(picker_.isChecked(digit));
}
