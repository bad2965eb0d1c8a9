// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/GifFile.h"

#include <QImage>

// Reduces a drawn picture to a GIF palette: median cut over the opaque
// colours (at most 255), one more entry for transparency when any pixel is
// less than half opaque.
giffile::IndexedImage ToIndexed(const QImage& picture);
