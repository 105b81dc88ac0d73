#include "plan/positional_picker_widget.h"

#include <QGridLayout>
#include <QPushButton>

#include "plan/digit_ball_button.h"
#include "ui/qt_text.h"

using quorstat::PositionalPicker;

PositionalPickerWidget::PositionalPickerWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("positionalPicker"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);
    const auto captions = PositionalPicker::rowCaptions();
    for (int row = 0; row < PositionalPicker::kRowCount; ++row) {
        auto* rowButton =
            new QPushButton(toQString(captions[static_cast<std::size_t>(row)]).trimmed(), this);
        rowButton->setObjectName(QStringLiteral("row%1").arg(row));
        rowButton->setFixedWidth(34);
        connect(rowButton, &QPushButton::clicked, this, [this, row] {
            picker_.toggleRow(row);
            showPicker();
            emit changed();
        });
        grid->addWidget(rowButton, row, 0);
        for (int digit = 0; digit < 10; ++digit) {
            auto* ball = new DigitBallButton(digit, this);
            ball->setObjectName(QStringLiteral("cell%1%2").arg(row).arg(digit));
            connect(ball, &DigitBallButton::clicked, this, [this, row, digit](bool checked) {
                picker_.setChecked(row, digit, checked);
                emit changed();
            });
            balls_[static_cast<std::size_t>(row)][static_cast<std::size_t>(digit)] = ball;
            grid->addWidget(ball, row, digit + 1);
        }
    }
    auto* clear = new QPushButton(QStringLiteral("清"), this);
    clear->setObjectName(QStringLiteral("clearAll"));
    auto* all = new QPushButton(QStringLiteral("选"), this);
    all->setObjectName(QStringLiteral("checkAll"));
    for (QPushButton* button : {clear, all})
        button->setFixedWidth(34);
    connect(clear, &QPushButton::clicked, this, [this] { change(&PositionalPicker::clearAll); });
    connect(all, &QPushButton::clicked, this, [this] { change(&PositionalPicker::checkAll); });
    grid->addWidget(clear, 0, 11);
    grid->addWidget(all, 1, 11);
    grid->setColumnStretch(12, 1);
    grid->setRowStretch(PositionalPicker::kRowCount, 1);
}

void PositionalPickerWidget::restore(std::string_view selection) {
    picker_.restore(selection);
    showPicker();
}

void PositionalPickerWidget::change(void (PositionalPicker::*step)()) {
    (picker_.*step)();
    showPicker();
    emit changed();
}

void PositionalPickerWidget::showPicker() {
    for (int row = 0; row < PositionalPicker::kRowCount; ++row) {
        for (int digit = 0; digit < 10; ++digit)
            balls_[static_cast<std::size_t>(row)][static_cast<std::size_t>(digit)]->setChecked(
                picker_.isChecked(row, digit));
    }
}
