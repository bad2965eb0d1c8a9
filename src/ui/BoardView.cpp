// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardView.h"

#include "ui/BoardIds.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <cmath>

BoardView::BoardView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setObjectName(QString::number(IDC_BOARD_VIEW));
    setDragMode(RubberBandDrag);
    setRubberBandSelectionMode(Qt::IntersectsItemShape);
    setTransformationAnchor(AnchorUnderMouse);
    setViewportUpdateMode(SmartViewportUpdate);
    setBackgroundBrush(QColor(128, 128, 128));
}

void BoardView::ZoomBy(double factor) {
    const double scale = transform().m11() * factor;
    if (scale < 0.05 || scale > 16) return;
    this->scale(factor, factor);
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    emit Resized();
}

void BoardView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    ZoomBy(std::pow(1.0015, event->angleDelta().y()));
    emit Zoomed();
    event->accept();
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    const int step = (event->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    switch (event->key()) {
        case Qt::Key_Left: emit Nudge(-step, 0); return;
        case Qt::Key_Right: emit Nudge(step, 0); return;
        case Qt::Key_Up: emit Nudge(0, -step); return;
        case Qt::Key_Down: emit Nudge(0, step); return;
        default: QGraphicsView::keyPressEvent(event);
    }
}

void BoardView::contextMenuEvent(QContextMenuEvent* event) {
    emit MenuAsked(event->globalPos(), mapToScene(event->pos()));
    event->accept();
}

void BoardView::mouseDoubleClickEvent(QMouseEvent* event) {
    emit DoubleClicked(mapToScene(event->position().toPoint()));
    event->accept();
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    emit DragEnded();
}
