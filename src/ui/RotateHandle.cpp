// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RotateHandle.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace {

// In screen pixels: how far above the top edge the knob sits, and its radius.
constexpr double kReach = 22;
constexpr double kRadius = 5;
constexpr double kSnapDegrees = 15;

}  // namespace

RotateHandle::RotateHandle(QGraphicsItem& item, Turned turned)
        : QGraphicsItem(&item), m_item(item), m_turned(std::move(turned)) {
    // Screen pixels, whatever the zoom and the item's turn; the knob itself
    // follows the turn (Knob()).
    setFlag(ItemIgnoresTransformations);
    setAcceptedMouseButtons(Qt::LeftButton);
    setCursor(Qt::CrossCursor);
    setVisible(false);
}

void RotateHandle::Place(QPointF topMiddle) {
    setPos(topMiddle);
    update();
}

QPointF RotateHandle::Knob() const { return QTransform().rotate(m_item.rotation()).map(QPointF(0, -kReach)); }

QPointF RotateHandle::KnobInScene() const { return mapToScene(Knob()); }

QRectF RotateHandle::boundingRect() const {
    const double side = kReach + kRadius + 1;
    return QRectF(-side, -side, 2 * side, 2 * side);
}

QPainterPath RotateHandle::shape() const {
    QPainterPath path;
    // A little more than the knob, so it is easy to take.
    path.addEllipse(Knob(), kRadius + 2, kRadius + 2);
    return path;
}

void RotateHandle::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor blue(0, 120, 215);
    painter->setPen(QPen(blue, 1));
    painter->drawLine(QPointF(0, 0), Knob());
    painter->setBrush(Qt::white);
    painter->drawEllipse(Knob(), kRadius, kRadius);
    painter->restore();
}

// Clockwise from straight up, about the item's centre, as CSS turns it.
double RotateHandle::AngleAt(QPointF scenePoint, bool snap) const {
    const QPointF centre = m_item.mapToScene(m_item.transformOriginPoint());
    const QPointF way = scenePoint - centre;
    if (way.isNull()) return m_item.rotation();
    const double degrees = std::atan2(way.x(), -way.y()) * 180 / std::numbers::pi;
    const double step = snap ? kSnapDegrees : 1;
    return std::round(degrees / step) * step;
}

void RotateHandle::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    m_pressAngle = m_item.rotation();
    m_dragging = true;
    event->accept();
}

void RotateHandle::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    if (!m_dragging) return;
    m_item.setRotation(AngleAt(event->scenePos(), event->modifiers() & Qt::ShiftModifier));
    update();
}

void RotateHandle::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    if (!m_dragging) return;
    m_dragging = false;
    event->accept();
    // Where the mouse lets go, with Shift as it is then.
    m_item.setRotation(AngleAt(event->scenePos(), event->modifiers() & Qt::ShiftModifier));
    const double angle = m_item.rotation();
    if (angle != m_pressAngle && m_turned) m_turned(angle);
}
