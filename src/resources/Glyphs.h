// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QChar>
#include <QPainter>
#include <QRect>
#include <QString>

// The drawings on the picture buttons: each shows what its button does.
struct GlyphStyle {
    QChar state = 'U';  // U D F X; X draws in grey
};

bool IsKnownGlyph(const QString& caption);
// Draws the glyph for `caption` into `box`; false when the caption has none.
bool DrawGlyph(QPainter& p, const QString& caption, const QRect& box, const GlyphStyle& style);
