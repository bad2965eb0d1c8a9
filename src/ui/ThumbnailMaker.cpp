// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ThumbnailMaker.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace thumbnails {

namespace {

QSize FittedSize(const QSize& size) {
    if (size.width() <= kMaxWidth && size.height() <= kHeight) return size;
    return size.scaled(kMaxWidth, kHeight, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

int StripWidth(const QList<QImage>& strip) {
    int width = 0;
    for (const QImage& image : strip) width += (image.isNull() ? kPlaceholderWidth : image.width()) + kGap;
    return width - kGap;
}

void DrawPlaceholder(QPainter& painter, const QRect& box, const QPalette& palette) {
    painter.setPen(palette.color(QPalette::Mid));
    painter.setBrush(palette.color(QPalette::Button));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
}

}  // namespace

QImage MakeThumbnail(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // With this, size() and the scaled size are those of the upright picture.
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    // Decoding at the small size lets JPEG skip most of the work. A palette
    // picture is scaled by its colour table, which loses a colour's partial
    // transparency: it is decoded whole and scaled in full colour below.
    const bool palette = reader.imageFormat() == QImage::Format_Indexed8 || reader.imageFormat() == QImage::Format_Mono;
    if (size.isValid() && !palette) reader.setScaledSize(FittedSize(size));
    QImage image = reader.read();
    if (image.isNull()) return image;
    // Drawn as the page and the board draw it: each colour's alpha blended.
    if (image.hasAlphaChannel() && image.colorCount() > 0) image.convertTo(QImage::Format_ARGB32);
    if (image.width() > kMaxWidth || image.height() > kHeight) {
        image = image.scaled(FittedSize(image.size()), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

QPixmap ComposeStrip(const QList<QImage>& strip, const QPalette& palette) {
    if (strip.isEmpty()) return QPixmap();
    QPixmap pixmap(StripWidth(strip), kHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    int x = 0;
    for (const QImage& image : strip) {
        if (image.isNull()) {
            DrawPlaceholder(painter, QRect(x, 0, kPlaceholderWidth, kHeight), palette);
            x += kPlaceholderWidth + kGap;
        } else {
            painter.drawImage(x, (kHeight - image.height()) / 2, image);
            x += image.width() + kGap;
        }
    }
    return pixmap;
}

}  // namespace thumbnails
