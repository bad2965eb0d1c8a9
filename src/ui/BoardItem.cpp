// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardItem.h"

#include "page/BoardEdits.h"
#include "ui/RotateHandle.h"

#include <QCursor>
#include <QGraphicsScene>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <cmath>

namespace {

// How near an edge (in screen pixels) the mouse takes it for resizing.
constexpr double kEdgeGrip = 6.0;

// Screen pixels to one item pixel, whatever the item's turn (a turned
// item's m11 is the zoom times the cosine of its angle).
double Zoom(const QTransform& transform) { return std::max(0.01, std::hypot(transform.m11(), transform.m12())); }

// The pin of a kept item, at its top right corner, the same size at any zoom.
// Only the board draws it: exports draw the collage, which has no pins.
void PaintPin(QPainter& painter, const QRectF& box) {
    const double unit = 1.0 / Zoom(painter.worldTransform());
    const double radius = 5 * unit;
    const QPointF head = box.topRight() + QPointF(-radius - 2 * unit, radius + 2 * unit);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5 * unit));
    painter.drawLine(head, head + QPointF(-radius, radius * 1.6));
    painter.setBrush(QColor(220, 30, 40));
    painter.drawEllipse(head, radius, radius);
    painter.restore();
}

}  // namespace

BoardItem::BoardItem(const collage::Item& item, size_t index, QSizeF size, ResizeDone resizeDone, Painter painter)
        : m_resizeDone(std::move(resizeDone)), m_painter(std::move(painter)) {
    setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges);
    setAcceptHoverEvents(true);
    m_handle = new RotateHandle(*this, [this](double degrees) {
        if (m_rotateDone) m_rotateDone(*this, degrees);
    });
    Show(item, index, size);
}

void BoardItem::TakeSize(QSizeF size) {
    prepareGeometryChange();
    m_size = size;
    setTransformOriginPoint(QPointF(size.width() / 2, size.height() / 2));
    m_handle->Place(QPointF(size.width() / 2, 0));
}

void BoardItem::Show(const collage::Item& item, size_t index, QSizeF size) {
    // The place the item leaves is drawn again as well as the one it takes.
    const QRectF left = scene() != nullptr ? sceneBoundingRect() : QRectF();
    m_item = item;
    m_index = index;
    TakeSize(size);
    m_shownSize = size;
    setPos(item.left, item.top);
    setRotation(item.rotation);
    setZValue(item.z);
    update();
    if (scene() != nullptr && !left.isEmpty()) scene()->update(left);
}

QRectF BoardItem::boundingRect() const { return QRectF(QPointF(0, 0), m_size); }

void BoardItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF box = boundingRect();
    painter->save();
    // The model's drawing may be wider than a box being narrowed; what lies
    // outside the box would never be drawn over again.
    painter->setClipRect(box, Qt::IntersectClip);
    // A picture being resized shows stretched until the model takes the size.
    if (m_item.kind == collage::ItemKind::kPicture && m_shownSize.width() > 0 && m_shownSize.height() > 0)
        painter->scale(m_size.width() / m_shownSize.width(), m_size.height() / m_shownSize.height());
    m_painter(*painter, m_index);
    painter->restore();
    if (m_item.kept) PaintPin(*painter, box);
    if (isSelected()) {
        painter->setPen(QPen(QColor(0, 120, 215), 0));
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        const double grip = kEdgeGrip / Zoom(painter->worldTransform());
        painter->fillRect(QRectF(box.bottomRight() - QPointF(grip, grip), QSizeF(grip, grip)), QColor(0, 120, 215));
    }
}

QVariant BoardItem::itemChange(GraphicsItemChange change, const QVariant& value) {
    // The page states whole pixels.
    if (change == ItemPositionChange) {
        const QPointF at = value.toPointF();
        return QPointF(std::round(at.x()), std::round(at.y()));
    }
    if (change == ItemSelectedHasChanged) m_handle->setVisible(value.toBool());
    return QGraphicsItem::itemChange(change, value);
}

int BoardItem::EdgesAt(QPointF at) const {
    double scale = 1.0;
    if (scene() && !scene()->views().isEmpty()) scale = std::max(0.01, scene()->views().first()->transform().m11());
    const double grip = kEdgeGrip / scale;
    int edges = 0;
    if (at.x() >= m_size.width() - grip && at.x() <= m_size.width()) edges |= kRight;
    // Text and letters take their height from their words.
    if (m_item.kind == collage::ItemKind::kPicture && at.y() >= m_size.height() - grip && at.y() <= m_size.height())
        edges |= kBottom;
    return edges;
}

void BoardItem::ShowCursorFor(int edges) {
    switch (edges) {
        case kRight: setCursor(Qt::SizeHorCursor); break;
        case kBottom: setCursor(Qt::SizeVerCursor); break;
        case kRight | kBottom: setCursor(Qt::SizeFDiagCursor); break;
        default: setCursor(Qt::OpenHandCursor); break;
    }
}

void BoardItem::hoverMoveEvent(QGraphicsSceneHoverEvent* event) { ShowCursorFor(EdgesAt(event->pos())); }

void BoardItem::hoverLeaveEvent(QGraphicsSceneHoverEvent*) { unsetCursor(); }

void BoardItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    m_resizeEdges = event->button() == Qt::LeftButton ? EdgesAt(event->pos()) : 0;
    if (!m_resizeEdges) {
        QGraphicsItem::mousePressEvent(event);
        return;
    }
    m_pressAt = event->scenePos();
    m_pressSize = m_size;
    m_shapeKept = event->modifiers() & Qt::ShiftModifier;
    event->accept();
}

void BoardItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    if (!m_resizeEdges) {
        QGraphicsItem::mouseMoveEvent(event);
        return;
    }
    // The drag along the turned item's own edges.
    const QPointF by = QTransform().rotate(-rotation()).map(event->scenePos() - m_pressAt);
    double width = m_pressSize.width() + ((m_resizeEdges & kRight) ? std::round(by.x()) : 0);
    double height = m_pressSize.height() + ((m_resizeEdges & kBottom) ? std::round(by.y()) : 0);
    width = std::max<double>(width, collage::kSmallestSide);
    height = std::max<double>(height, collage::kSmallestSide);
    // Shift held at the press or pressed during the drag.
    m_shapeKept = m_shapeKept || (event->modifiers() & Qt::ShiftModifier);
    if (m_item.kind == collage::ItemKind::kPicture && m_shapeKept && m_pressSize.width() > 0 &&
        m_pressSize.height() > 0) {
        // The picture keeps its shape: the edge moved furthest leads.
        const double ratio = m_pressSize.height() / m_pressSize.width();
        if (m_resizeEdges == kBottom ||
            (m_resizeEdges != kRight && height / m_pressSize.height() > width / m_pressSize.width()))
            width = std::round(height / ratio);
        else
            height = std::round(width * ratio);
    }
    TakeSize(QSizeF(width, height));
    update();
}

void BoardItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    if (!m_resizeEdges) {
        QGraphicsItem::mouseReleaseEvent(event);
        return;
    }
    m_resizeEdges = 0;
    if (m_size != m_pressSize && m_resizeDone) m_resizeDone(*this, m_size);
}
