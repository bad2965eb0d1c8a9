// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CBitmapButton.h"

#include "resources/Pictures.h"

#include <QPainter>

CBitmapButton::CBitmapButton(QWidget* parent) : QAbstractButton(parent) {
    // Like a tool button, a click leaves the keyboard focus where it was, so
    // the edit buttons act on the text the user is working in.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void CBitmapButton::AutoLoad(const QString& caption) {
    m_caption = caption;
    setText(caption);
    setAccessibleName(caption);
    setFixedSize(ButtonPictureSize(caption));
    update();
}

void CBitmapButton::SetPushed(bool pushed) {
    if (m_pushed == pushed) return;
    m_pushed = pushed;
    update();
}

QChar CBitmapButton::PictureState() const {
    if (!isEnabled()) return 'X';
    if (isDown() || m_pushed) return 'D';
    if (hasFocus()) return 'F';
    return 'U';
}

QSize CBitmapButton::sizeHint() const { return m_caption.isEmpty() ? QSize(16, 16) : ButtonPictureSize(m_caption); }

void CBitmapButton::paintEvent(QPaintEvent*) {
    if (m_caption.isEmpty()) return;
    QPainter p(this);
    p.drawPixmap(0, 0, ButtonPicture(m_caption, PictureState()));
}
