// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cmath>

// Dialogs are laid out in dialog units, as the forms are: 1.5 px across,
// 1.625 px down.
namespace dialoglayout {

inline int X(int units) { return int(std::lround(units * 1.5)); }
inline int Y(int units) { return int(std::lround(units * 1.625)); }
inline QPoint Point(int left, int top) { return {X(left), Y(top)}; }
inline QRect Rect(int left, int top, int width, int height) { return {X(left), Y(top), X(width), Y(height)}; }

// Gives `widget` its control id and place.
template <class W>
W* Place(W* widget, int id, const QRect& where) {
    if (id != 0) widget->setObjectName(QString::number(id));
    widget->setGeometry(where);
    return widget;
}

}  // namespace dialoglayout
