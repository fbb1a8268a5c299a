#include "app/ShellDialogParts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace rps {

QPixmap productPicture(int width, int height)
{
    QPixmap picture(width, height);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(24, 52, 92));
    sky.setColorAt(1, QColor(8, 20, 40));
    painter.fillRect(picture.rect(), sky);

    // A rack-mounted repeater: front panel with display, LEDs and the programming socket.
    const QRectF panel(width * 0.12, height * 0.38, width * 0.76, height * 0.34);
    painter.setPen(QPen(QColor(150, 160, 175), 2));
    painter.setBrush(QColor(52, 58, 68));
    painter.drawRoundedRect(panel, 6, 6);
    const QRectF display(panel.left() + panel.width() * 0.06, panel.top() + panel.height() * 0.25,
                         panel.width() * 0.34, panel.height() * 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 200, 150));
    painter.drawRoundedRect(display, 3, 3);
    const QColor leds[] = {QColor(80, 220, 90), QColor(240, 190, 40), QColor(230, 70, 60)};
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(leds[i]);
        painter.drawEllipse(QPointF(panel.left() + panel.width() * (0.5 + 0.07 * i), panel.center().y()),
                            height * 0.025, height * 0.025);
    }
    painter.setBrush(QColor(20, 22, 26));
    painter.drawEllipse(QPointF(panel.right() - panel.width() * 0.1, panel.center().y()), height * 0.06,
                        height * 0.06);

    // Antenna with radiating arcs.
    const QPointF mast(width * 0.8, panel.top());
    painter.setPen(QPen(QColor(190, 200, 215), 3));
    painter.drawLine(mast, QPointF(mast.x(), height * 0.12));
    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const double r = height * 0.05 * i;
        painter.setPen(QPen(QColor(120, 180, 255, 220 - 50 * i), 2));
        painter.drawArc(QRectF(mast.x() - r, height * 0.12 - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    }
    return picture;
}

} // namespace rps
