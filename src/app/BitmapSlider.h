// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QSlider>

// A horizontal slider drawn from two pictures: the track at (0,0) and the
// thumb over it. The keyboard does not move it.
class BitmapSlider : public QSlider {
    Q_OBJECT
public:
    explicit BitmapSlider(QWidget* parent = nullptr);

    // Track picture, thumb picture and the cursor shown over the control.
    void SetSkin(int trackBitmap, int thumbBitmap, int cursorId);

    // Left edge of the thumb for the current position.
    int ThumbX() const;
    bool IsDragging() const { return m_dragging; }

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    int ValueAtThumbX(int x) const;

    QPixmap m_track;
    QPixmap m_thumb;
    bool m_dragging = false;
    int m_grabOffset = 0;
};
