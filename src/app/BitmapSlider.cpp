// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BitmapSlider.h"

#include "resources/Pictures.h"
#include "resources/ResourceIds.h"

#include <QBitmap>
#include <algorithm>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
// The thumb is drawn without the pixels that have its top-left pixel's colour.
QPixmap KeyedOut(const QPixmap& picture) {
    if (picture.isNull()) return picture;
    QImage image = picture.toImage();
    const QColor key = image.pixelColor(0, 0);
    QPixmap result = picture;
    result.setMask(QBitmap::fromImage(image.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
    return result;
}
}  // namespace

BitmapSlider::BitmapSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) { setFocusPolicy(Qt::ClickFocus); }

void BitmapSlider::SetSkin(int trackBitmap, int thumbBitmap, int cursorId) {
    m_track = BitmapPicture(trackBitmap);
    m_thumb = KeyedOut(BitmapPicture(thumbBitmap));
    if (cursorId == IDC_HANDCURSOR) setCursor(Qt::PointingHandCursor);
    update();
}

int BitmapSlider::ThumbX() const {
    const int span = maximum() - minimum() + 5;
    return (width() - 10) * value() / span;
}

int BitmapSlider::ValueAtThumbX(int x) const {
    const int usable = width() - 10;
    if (usable <= 0) return minimum();
    const int span = maximum() - minimum() + 5;
    // Round to the nearest position whose thumb lies at x.
    const int v = (x * span + usable / 2) / usable;
    return std::clamp(v, minimum(), maximum());
}

void BitmapSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_track.isNull()) p.drawPixmap(0, 0, m_track);
    if (!m_thumb.isNull()) p.drawPixmap(ThumbX(), -2, m_thumb);
}

void BitmapSlider::keyPressEvent(QKeyEvent* event) { event->accept(); }

void BitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QSlider::mousePressEvent(event);
    m_dragging = true;
    const int x = int(event->position().x());
    const int thumbWidth = m_thumb.isNull() ? 10 : m_thumb.width();
    if (x >= ThumbX() && x < ThumbX() + thumbWidth) {
        m_grabOffset = x - ThumbX();
    } else {
        // A click beside the thumb moves it a page towards the click.
        m_grabOffset = -1;
        setValue(value() + (x < ThumbX() ? -pageStep() : pageStep()));
    }
    update();
    event->accept();
}

void BitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    if (m_grabOffset >= 0) setValue(ValueAtThumbX(int(event->position().x()) - m_grabOffset));
    update();
    event->accept();
}

void BitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QSlider::mouseReleaseEvent(event);
    m_dragging = false;
    update();
    event->accept();
}
