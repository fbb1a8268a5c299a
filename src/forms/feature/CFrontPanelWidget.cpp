#include "forms/feature/CFrontPanelWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace rps {

namespace {

constexpr double kEarWidth = 0.06;  // rack ears, share of the panel width
constexpr double kKeyRowTop = 0.52; // keys sit in the lower half of the panel
constexpr double kKeyHeight = 0.22;
constexpr double kKeyGap = 0.25;      // gap between keys, share of a key's width
constexpr double kKeyAreaLeft = 0.30; // the display and the lamps take the left of the panel
constexpr double kKeyAreaRight = 0.92;

const QColor kChassis(58, 62, 68);
const QColor kChassisEdge(30, 32, 36);
const QColor kEar(88, 92, 98);
const QColor kDisplay(32, 64, 48);
const QColor kDisplayGlow(96, 200, 140);
const QColor kKeyFace(200, 203, 207);
const QColor kKeyEdge(120, 124, 130);
const QColor kLampPower(80, 210, 90);
const QColor kLampIdle(90, 70, 40);

} // namespace

CFrontPanelWidget::CFrontPanelWidget(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void CFrontPanelWidget::setSelectedKey(int key)
{
    const int next = key >= 0 && key < kKeys ? key : -1;
    if (next == selected_)
        return;
    selected_ = next;
    update();
}

void CFrontPanelWidget::setKeyNames(const QStringList& names)
{
    names_ = names;
    update();
}

QSize CFrontPanelWidget::sizeHint() const
{
    return {560, 150};
}

QSize CFrontPanelWidget::minimumSizeHint() const
{
    return {320, 90};
}

QRectF CFrontPanelWidget::panelRect() const
{
    return QRectF(rect()).adjusted(4, 4, -4, -4);
}

QRect CFrontPanelWidget::keyRect(int key) const
{
    if (key < 0 || key >= kKeys)
        return {};
    const QRectF panel = panelRect();
    const double areaLeft = panel.left() + panel.width() * kKeyAreaLeft;
    const double areaWidth = panel.width() * (kKeyAreaRight - kKeyAreaLeft);
    const double keyWidth = areaWidth / (kKeys + (kKeys - 1) * kKeyGap);
    const double left = areaLeft + key * keyWidth * (1 + kKeyGap);
    const double top = panel.top() + panel.height() * kKeyRowTop;
    return QRectF(left, top, keyWidth, panel.height() * kKeyHeight).toRect();
}

void CFrontPanelWidget::drawChassis(QPainter& painter, const QRectF& panel) const
{
    painter.setPen(QPen(kChassisEdge, 2));
    painter.setBrush(kChassis);
    painter.drawRoundedRect(panel, 6, 6);

    // Rack ears with their mounting holes.
    const double ear = panel.width() * kEarWidth;
    for (const QRectF& side : {QRectF(panel.left(), panel.top(), ear, panel.height()),
                               QRectF(panel.right() - ear, panel.top(), ear, panel.height())}) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kEar);
        painter.drawRect(side.adjusted(1, 1, -1, -1));
        painter.setBrush(kChassisEdge);
        const double r = std::min(side.width(), side.height()) * 0.16;
        painter.drawEllipse(QPointF(side.center().x(), side.top() + side.height() * 0.2), r, r);
        painter.drawEllipse(QPointF(side.center().x(), side.top() + side.height() * 0.8), r, r);
    }

    // Channel display and the power and busy lamps on the left.
    const QRectF display(panel.left() + panel.width() * 0.09, panel.top() + panel.height() * 0.18,
                         panel.width() * 0.17, panel.height() * 0.30);
    painter.setPen(QPen(kChassisEdge, 2));
    painter.setBrush(kDisplay);
    painter.drawRect(display);
    painter.setPen(QPen(kDisplayGlow, 2));
    const double segmentY = display.center().y();
    painter.drawLine(QPointF(display.left() + display.width() * 0.15, segmentY),
                     QPointF(display.left() + display.width() * 0.45, segmentY));
    painter.drawLine(QPointF(display.left() + display.width() * 0.55, segmentY),
                     QPointF(display.left() + display.width() * 0.85, segmentY));

    const double lampRadius = panel.height() * 0.04;
    const double lampY = panel.top() + panel.height() * 0.68;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLampPower);
    painter.drawEllipse(QPointF(display.left() + lampRadius, lampY), lampRadius, lampRadius);
    painter.setBrush(kLampIdle);
    painter.drawEllipse(QPointF(display.left() + lampRadius * 4, lampY), lampRadius, lampRadius);

    // Speaker grille above the keys.
    painter.setPen(QPen(kChassisEdge, 2));
    const double grilleLeft = panel.left() + panel.width() * kKeyAreaLeft;
    const double grilleRight = panel.left() + panel.width() * kKeyAreaRight;
    for (int line = 0; line < 4; ++line) {
        const double y = panel.top() + panel.height() * (0.16 + 0.07 * line);
        painter.drawLine(QPointF(grilleLeft, y), QPointF(grilleRight, y));
    }
}

void CFrontPanelWidget::drawKey(QPainter& painter, int key) const
{
    painter.save();
    const QRect face = keyRect(key);
    const bool marked = key == selected_;
    const QColor mark = palette().color(QPalette::Highlight);
    painter.setPen(QPen(marked ? mark.darker(140) : kKeyEdge, marked ? 3 : 1));
    painter.setBrush(marked ? mark : kKeyFace);
    painter.drawRoundedRect(face, 3, 3);

    if (key < names_.size()) {
        QFont font = painter.font();
        font.setPointSizeF(std::max(6.0, font.pointSizeF() * 0.8));
        painter.setFont(font);
        painter.setPen(marked ? mark.lighter(150) : kKeyFace);
        const QRect label(face.left() - face.width() / 4, face.bottom() + 4, face.width() * 3 / 2,
                          painter.fontMetrics().height());
        painter.drawText(label, Qt::AlignHCenter | Qt::AlignTop,
                         painter.fontMetrics().elidedText(names_[key], Qt::ElideRight, label.width()));
    }
    painter.restore();
}

void CFrontPanelWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawChassis(painter, panelRect());
    for (int key = 0; key < kKeys; ++key)
        drawKey(painter, key);
}

void CFrontPanelWidget::mousePressEvent(QMouseEvent* event)
{
    for (int key = 0; key < kKeys; ++key) {
        if (keyRect(key).contains(event->position().toPoint())) {
            emit keyClicked(key);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

} // namespace rps
