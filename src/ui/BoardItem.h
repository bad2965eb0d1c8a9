// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <QGraphicsItem>

#include <functional>

class RotateHandle;

// One collage item on the board: a box at the item's place that the mouse
// moves and resizes at its right and bottom edges and its corner, turned
// about its centre as the page turns it; when chosen, a knob above it turns
// it. Positions stay whole pixels, as the page states them.
class BoardItem : public QGraphicsItem {
public:
    // Told once a resize gesture ends, with the new size.
    using ResizeDone = std::function<void(BoardItem&, QSizeF)>;
    // Draws the model item `index` with its top left corner at the origin.
    using Painter = std::function<void(QPainter&, size_t index)>;

    // Told once a turning drag ends, with the new angle.
    using RotateDone = std::function<void(BoardItem&, double degrees)>;

    BoardItem(const collage::Item& item, size_t index, QSizeF size, ResizeDone resizeDone, Painter painter);
    void SetRotateDone(RotateDone rotateDone) { m_rotateDone = std::move(rotateDone); }
    RotateHandle& Handle() const { return *m_handle; }

    size_t Index() const { return m_index; }
    const collage::Item& Item() const { return m_item; }
    // Takes the model item again (after an edit, undo or redo).
    void Show(const collage::Item& item, size_t index, QSizeF size);
    bool Resizing() const { return m_resizeEdges != 0; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    enum Edge { kRight = 1, kBottom = 2 };
    int EdgesAt(QPointF at) const;
    void ShowCursorFor(int edges);
    // The turn about the box's centre, and the knob at its top.
    void TakeSize(QSizeF size);

    collage::Item m_item;
    size_t m_index;
    QSizeF m_size;
    ResizeDone m_resizeDone;
    Painter m_painter;
    RotateDone m_rotateDone;
    RotateHandle* m_handle = nullptr;  // a child: the scene deletes it with the item
    QSizeF m_shownSize;                // the size the model gives; a resize in progress differs
    int m_resizeEdges = 0;
    QPointF m_pressAt;
    QSizeF m_pressSize;
    bool m_shapeKept = false;
};
