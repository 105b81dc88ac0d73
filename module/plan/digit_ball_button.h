#pragma once

#include <QAbstractButton>

// One digit of a picker, drawn as a lottery ball: lit while checked.
class DigitBallButton : public QAbstractButton {
    Q_OBJECT
public:
    DigitBallButton(int digit, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
