#include "console/number_ball.h"

#include <QPainter>
#include <QRadialGradient>

#include "core/quorstat_app.h"

namespace {

struct BallColours {
    QColor light;
    QColor base;
    QColor dark;
    QColor text;
};

BallColours coloursOf(NumberBall::Style style) {
    switch (style) {
        case NumberBall::Style::Waiting:
            return {QColor(0xd9, 0xdf, 0xea), QColor(0x9a, 0xa6, 0xbd), QColor(0x5f, 0x6b, 0x84),
                    QColor(0xf4, 0xf6, 0xfa)};
        case NumberBall::Style::Small:
            return {QColor(0xff, 0xd2, 0x8a), QColor(0xf0, 0x95, 0x1e), QColor(0xb0, 0x5a, 0x00),
                    Qt::white};
        case NumberBall::Style::Drawn:
            break;
    }
    return {QColor(0xff, 0x9c, 0x8c), QColor(0xe5, 0x35, 0x2b), QColor(0x9c, 0x12, 0x0c),
            Qt::white};
}

}  // namespace

void NumberBall::paint(QPainter& painter, const QRectF& box, const QString& text, Style style) {
    const BallColours colours = coloursOf(style);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawEllipse(box.translated(0, box.height() * 0.06));

    QRadialGradient shade(box.left() + box.width() * 0.35, box.top() + box.height() * 0.3,
                          box.width() * 0.75);
    shade.setColorAt(0.0, colours.light);
    shade.setColorAt(0.45, colours.base);
    shade.setColorAt(1.0, colours.dark);
    painter.setBrush(shade);
    painter.drawEllipse(box);

    QFont font = CQuorstatApp::instance().fonts.yaHei25;
    font.setFamilies(QStringList{QStringLiteral("Arial")} + font.families());
    font.setBold(true);
    font.setPixelSize(qRound(box.height() * 0.56));
    painter.setFont(font);
    painter.setPen(colours.text);
    painter.drawText(box.translated(0, -box.height() * 0.02), Qt::AlignCenter, text);
    painter.restore();
}
