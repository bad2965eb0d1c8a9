// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QGraphicsItem>

#include <functional>

// The knob above a chosen board item that turns it: dragged round the item's
// centre it turns the item with the mouse, in whole degrees (Shift: 15°
// steps); the item is told the angle once, when the drag ends. It keeps its
// size on the screen at any zoom and points the way the item's top does.
class RotateHandle : public QGraphicsItem {
public:
    // Told with the new angle (degrees clockwise) when a drag that turned the item ends.
    using Turned = std::function<void(double degrees)>;

    RotateHandle(QGraphicsItem& item, Turned turned);
    // Where the knob's stem starts: the middle of the item's top edge.
    void Place(QPointF topMiddle);
    // The knob's centre, in scene coordinates.
    QPointF KnobInScene() const;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    QPointF Knob() const;
    double AngleAt(QPointF scenePoint, bool snap) const;

    QGraphicsItem& m_item;
    Turned m_turned;
    double m_pressAngle = 0;
    bool m_dragging = false;
};
