// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>

class QByteArray;
class QPalette;
class QPixmap;

// Small pictures of library pictures for the sources window: about a list
// row high, the picture's aspect kept.
namespace thumbnails {

constexpr int kHeight = 36;
// A wide picture is made smaller to fit rather than cut.
constexpr int kMaxWidth = 54;
// The width a placeholder takes in a strip.
constexpr int kPlaceholderWidth = kHeight * 3 / 4;
// Space between two thumbnails of a strip.
constexpr int kGap = 4;

// The picture held in `bytes` (any format Qt reads: GIF, PNG, JPEG, WebP)
// fitted into kMaxWidth x kHeight, upright as its EXIF orientation says,
// the first frame of an animation. A small picture is not enlarged. A null
// image when the bytes cannot be decoded.
QImage MakeThumbnail(const QByteArray& bytes);

// The thumbnails side by side, each centred in the strip's height; a null
// one is drawn as a neutral placeholder box. Null for no thumbnails.
QPixmap ComposeStrip(const QList<QImage>& strip, const QPalette& palette);

}  // namespace thumbnails
