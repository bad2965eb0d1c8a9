// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QFontMetrics>
#include <QString>

// A width that leaves the window manager room for the whole `title` beside
// its icon and buttons (title bars often use a larger, bold font), and never
// less than `minimum`.
inline int WidthForTitle(const QString& title, int minimum) {
    constexpr int kTitleBarExtras = 130;
    const int needed = QFontMetrics(QFont()).horizontalAdvance(title) * 5 / 4 + kTitleBarExtras;
    return needed > minimum ? needed : minimum;
}
