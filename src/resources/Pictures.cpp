// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Pictures.h"

#include "resources/Glyphs.h"
#include "resources/ResourceIds.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// Button sizes follow the places the form gives them, so a button sized to
// its picture fills its slot.
// Captions of the dialogs' word buttons and the words they show.
QString CaptionWord(const QString& caption) {
    if (caption == "authorok") return "OK";
    if (caption == "authorcancel") return "Cancel";
    if (caption == "startload") return "START";
    if (caption == "stopload") return "STOP";
    return caption;
}

QSize ButtonSize(const QString& caption) {
    if (CaptionWord(caption) != caption) return {64, 23};
    if (caption == "showtrack" || caption == "onoffb") return {35, 31};
    if (caption == "sources") return {86, 23};
    if (caption == "lyric") return {42, 37};
    if (caption == "open") return {24, 23};
    if (IsKnownGlyph(caption)) return {24, 23};
    // The image library dialogs' buttons fill their slots.
    if (caption == "import") return {72, 27};
    if (caption == "exitsel") return {75, 26};
    if (caption == "refresh") return {74, 29};
    if (caption == "savesel") return {81, 28};
    // Caption buttons of other dialogs: wide enough for the word.
    return {qMax(60, 10 + 7 * int(caption.size())), 23};
}

// The word on a caption button: the caption, or what the button does where
// the caption is only a name.
QString FaceText(const QString& caption) {
    if (caption == "exitsel") return "Exit";
    if (caption == "savesel") return "Save";
    if (caption == "import") return "Import";
    if (caption == "refresh") return "Refresh";
    return CaptionWord(caption);
}

void DrawFace(QPainter& p, const QRect& r, QChar state) {
    const bool down = state == 'D';
    const bool disabled = state == 'X';
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (disabled) {
        g.setColorAt(0, QColor(0xE4, 0xE4, 0xE4));
        g.setColorAt(1, QColor(0xD0, 0xD0, 0xD0));
    } else if (down) {
        g.setColorAt(0, QColor(0xB8, 0xC4, 0xD6));
        g.setColorAt(1, QColor(0xD8, 0xE0, 0xEC));
    } else {
        g.setColorAt(0, QColor(0xFC, 0xFC, 0xFE));
        g.setColorAt(1, QColor(0xD6, 0xDC, 0xE6));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    QColor edge = disabled ? QColor(0xA8, 0xA8, 0xA8) : QColor(0x5A, 0x66, 0x78);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, 1));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    if (state == 'F') {
        p.setPen(QPen(QColor(0x2A, 0x7A, 0xE0), 1.4));
        p.drawRoundedRect(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5), 2.5, 2.5);
    }
}

QPixmap DrawButton(const QString& caption, QChar state) {
    const QSize size = ButtonSize(caption);
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect r(QPoint(0, 0), size);
    DrawFace(p, r, state);
    // A pressed button's picture moves down and right, as a pushed key does.
    const int shift = state == 'D' ? 1 : 0;
    QRect inner = r.adjusted(3 + shift, 3 + shift, -3 + shift, -3 + shift);
    GlyphStyle style;
    style.state = state;
    if (!DrawGlyph(p, caption, inner, style)) {
        p.setPen(state == 'X' ? QColor(0x90, 0x90, 0x90) : QColor(0x20, 0x28, 0x38));
        QFont f = p.font();
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.drawText(inner, Qt::AlignCenter, FaceText(caption));
    }
    p.end();
    return pm;
}

QPixmap FormBackground() {
    QPixmap pm(256, 192);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, 192);
    g.setColorAt(0, QColor(0xDD, 0xE6, 0xF0));
    g.setColorAt(1, QColor(0xC6, 0xD2, 0xE0));
    p.fillRect(pm.rect(), g);
    // Faint diagonal weave, so the stretched picture reads as a surface.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int x = -192; x < 256; x += 8) p.drawLine(x, 0, x + 192, 192);
    return pm;
}

QPixmap TitlePicture() {
    QPixmap pm(189, 33);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 189, 0);
    g.setColorAt(0, QColor(0x23, 0x3A, 0x5E));
    g.setColorAt(1, QColor(0x4B, 0x2D, 0x6E));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 188, 32), 6, 6);
    // Scattered cut-up letters on the left.
    const char* bits = "cut";
    const QColor colours[] = {QColor(0xF2, 0xC1, 0x4E), QColor(0xE8, 0x6A, 0x5C), QColor(0x7F, 0xD0, 0x8A)};
    for (int i = 0; i < 3; ++i) {
        QRectF box(6 + i * 14, 7 + (i % 2) * 4, 13, 15);
        p.setBrush(colours[i]);
        p.drawRect(box);
        p.setPen(QColor(0x1C, 0x1C, 0x1C));
        QFont f("DejaVu Serif");
        f.setPixelSize(12);
        f.setBold(true);
        p.setFont(f);
        p.drawText(box, Qt::AlignCenter, QString(QChar(bits[i])));
        p.setPen(Qt::NoPen);
    }
    QFont f("DejaVu Sans");
    f.setPixelSize(17);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(f);
    p.setPen(QColor(0xF4, 0xF4, 0xF8));
    p.drawText(QRect(52, 0, 134, 33), Qt::AlignVCenter | Qt::AlignLeft, "VANTELO");
    return pm;
}

QPixmap SliderTrack() {
    // Drawn at (0,0), not stretched: the groove ends where the thumb of the
    // narrowest slider (147 px) stops.
    QPixmap pm(160, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 6, 0, 12);
    g.setColorAt(0, QColor(0x55, 0x5E, 0x6C));
    g.setColorAt(1, QColor(0xA8, 0xB2, 0xC0));
    p.setPen(QPen(QColor(0x3A, 0x42, 0x4E), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2.5, 6.5, 140, 5), 2.5, 2.5);
    p.setPen(QPen(QColor(0x6A, 0x74, 0x82), 1));
    for (int i = 0; i <= 10; ++i) {
        const int x = 5 + i * 134 / 10;
        p.drawLine(x, 14, x, i % 5 == 0 ? 19 : 17);
    }
    return pm;
}

QPixmap SliderThumb() {
    // The top-left pixel's colour marks what is left out when the thumb is drawn.
    QImage img(10, 18, QImage::Format_RGB32);
    img.fill(QColor(0xFF, 0x00, 0xFF));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPolygon shape;
    shape << QPoint(1, 2) << QPoint(8, 2) << QPoint(8, 12) << QPoint(5, 16) << QPoint(4, 16) << QPoint(1, 12);
    QLinearGradient g(0, 0, 10, 0);
    g.setColorAt(0, QColor(0xF4, 0xF6, 0xFA));
    g.setColorAt(1, QColor(0x9C, 0xA8, 0xBA));
    p.setBrush(g);
    p.setPen(QColor(0x2E, 0x36, 0x44));
    p.drawPolygon(shape);
    p.setPen(QColor(0x2A, 0x7A, 0xE0));
    p.drawLine(3, 6, 6, 6);
    p.drawLine(3, 8, 6, 8);
    p.drawLine(3, 10, 6, 10);
    p.end();
    return QPixmap::fromImage(img);
}

QPixmap TrackBackground() {
    QPixmap pm(256, 192);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 256, 192);
    g.setColorAt(0, QColor(0xE6, 0xEC, 0xE0));
    g.setColorAt(1, QColor(0xCB, 0xD8, 0xC6));
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 45), 1));
    for (int y = 0; y < 192; y += 6) p.drawLine(0, y, 256, y);
    return pm;
}

QPixmap LoaderBackground() {
    QPixmap pm(256, 192);
    QPainter p(&pm);
    QRadialGradient g(128, 96, 180);
    g.setColorAt(0, QColor(0xF6, 0xEE, 0xDC));
    g.setColorAt(1, QColor(0xD8, 0xC8, 0xA8));
    p.fillRect(pm.rect(), g);
    return pm;
}

QPixmap DrawBitmap(int id) {
    switch (id) {
        case IDB_FORMBACKGROUND: return FormBackground();
        case IDB_TITLE: return TitlePicture();
        case IDB_SLIDERTHUMB: return SliderThumb();
        case IDB_SLIDERTRACK: return SliderTrack();
        case IDB_TRACKBACKGROUND: return TrackBackground();
        case IDB_DIALOGBACKGROUND: return LoaderBackground();
        default: return {};
    }
}

QPixmap DrawIcon(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x23, 0x3A, 0x5E));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    // Three torn snips laid over each other: a cut-up.
    const QColor colours[] = {QColor(0xF2, 0xC1, 0x4E), QColor(0xE8, 0x6A, 0x5C), QColor(0x7F, 0xD0, 0x8A)};
    const QRectF boxes[] = {QRectF(9, 12, 30, 16), QRectF(24, 26, 32, 14), QRectF(12, 40, 28, 13)};
    const double angles[] = {-8, 6, -4};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(boxes[i].center());
        p.rotate(angles[i]);
        p.translate(-boxes[i].center());
        p.setBrush(colours[i]);
        p.drawRect(boxes[i]);
        p.setPen(QPen(QColor(0x1C, 0x1C, 0x1C), 2));
        for (double x = boxes[i].left() + 4; x < boxes[i].right() - 6; x += 7)
            p.drawLine(QPointF(x, boxes[i].center().y()), QPointF(x + 4, boxes[i].center().y()));
        p.setPen(Qt::NoPen);
        p.restore();
    }
    return pm;
}

}  // namespace

QPixmap ButtonPicture(const QString& caption, QChar state) {
    static QHash<QString, QPixmap> cache;
    const QString name = caption.toLower();
    const QChar s = state.toUpper();
    const QString key = name + s;
    auto it = cache.find(key);
    if (it != cache.end()) return *it;
    QPixmap pm = DrawButton(name, s);
    cache.insert(key, pm);
    return pm;
}

QSize ButtonPictureSize(const QString& caption) { return ButtonSize(caption.toLower()); }

namespace {

const BuiltPicture* g_built = nullptr;
int g_builtCount = 0;

QPixmap BuiltOrDrawn(int id) {
    for (int i = 0; i < g_builtCount; ++i) {
        if (g_built[i].id != id) continue;
        const QImage image = BuiltPictureImage(g_built[i]);
        if (!image.isNull()) return QPixmap::fromImage(image);
    }
    return DrawBitmap(id);
}

}  // namespace

QPixmap BitmapPicture(int id) {
    static QHash<int, QPixmap> cache;
    auto it = cache.find(id);
    if (it != cache.end()) return *it;
    QPixmap pm = BuiltOrDrawn(id);
    if (!pm.isNull()) cache.insert(id, pm);
    return pm;
}

QList<int> BitmapPictureIds() {
    return {IDB_SLIDERTHUMB, IDB_SLIDERTRACK, IDB_FORMBACKGROUND, IDB_DIALOGBACKGROUND, IDB_TRACKBACKGROUND, IDB_TITLE};
}

QImage DrawBitmapPicture(int id) { return DrawBitmap(id).toImage(); }

QImage BuiltPictureImage(const BuiltPicture& stored) {
    if (stored.width <= 0 || stored.height <= 0 || stored.format <= QImage::Format_Invalid ||
        stored.format >= QImage::NImageFormats)
        return {};
    const auto format = static_cast<QImage::Format>(stored.format);
    // Rows as QImage lays them out: whole 32-bit words.
    const qsizetype bytesPerLine =
        (qsizetype(stored.width) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    if (stored.data == nullptr || stored.size != bytesPerLine * stored.height) return {};
    // Read in place from the program's own constant data, which lives as long as it does.
    return QImage(stored.data, stored.width, stored.height, bytesPerLine, format);
}

void UseBuiltPictures(const BuiltPicture* pictures, int count) {
    g_built = pictures;
    g_builtCount = count;
}

QIcon AppIcon() {
    // Drawn once for every window; kept for the program's life (never freed,
    // as pixmaps must not outlive the application object).
    static const QIcon* const icon = [] {
        auto* drawn = new QIcon;
        for (int size : {16, 24, 32, 48, 64, 128, 256}) drawn->addPixmap(DrawIcon(size));
        return drawn;
    }();
    return *icon;
}
