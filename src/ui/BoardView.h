// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QGraphicsView>

// The board's view: Ctrl+wheel zooms, arrow keys nudge the chosen items, and
// a drag that ends is handed to the board as one move.
class BoardView : public QGraphicsView {
    Q_OBJECT
public:
    explicit BoardView(QGraphicsScene* scene, QWidget* parent = nullptr);
    void ZoomBy(double factor);

signals:
    void DragEnded();
    void Nudge(int dx, int dy);
    // Right button on the board, at a scene point.
    void MenuAsked(QPoint global, QPointF scenePoint);
    void DoubleClicked(QPointF scenePoint);
    void Resized();
    // The user zoomed by wheel or key: fitting stops following the window.
    void Zoomed();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
