#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

// A drawn digit as a lottery ball: a shaded sphere with the digit on it.
struct NumberBall {
    enum class Style { Drawn, Waiting, Small };

    static void paint(QPainter& painter, const QRectF& box, const QString& text, Style style);
};
