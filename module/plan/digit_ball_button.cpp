#include "plan/digit_ball_button.h"

#include <QPainter>

#include "console/number_ball.h"

DigitBallButton::DigitBallButton(int digit, QWidget* parent) : QAbstractButton(parent) {
    setText(QString::number(digit));
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

QSize DigitBallButton::sizeHint() const {
    return {24, 24};
}

void DigitBallButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal side = std::min(width(), height()) - 2.0;
    const QRectF box((width() - side) / 2, (height() - side) / 2 - 1, side, side);
    NumberBall::paint(painter, box, text(),
                      isChecked() ? NumberBall::Style::Drawn : NumberBall::Style::Waiting);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(-1, -1, 1, 1));
    }
}
