// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ElidedLineEdit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

void ElidedLineEdit::SetPath(const QString& path) {
    setText(path);
    setToolTip(path);
}

void ElidedLineEdit::paintEvent(QPaintEvent* event) {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    // QLineEdit keeps 2 pixels between its contents' edge and the text.
    const QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).adjusted(2, 0, -2, 0);
    // Being edited or selected, or short enough: the field draws itself.
    if (hasFocus() || fontMetrics().horizontalAdvance(text()) <= room.width()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(room, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width()));
}
