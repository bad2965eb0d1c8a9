// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Glyphs.h"

#include <QPainterPath>

#include <functional>
#include <map>

namespace {

struct Ink {
    bool grey;
    QColor operator()(QColor c) const {
        if (!grey) return c;
        const int v = 150 + qGray(c.rgb()) / 4;
        return QColor(v, v, v);
    }
};

const QColor kInk(0x1E, 0x2A, 0x3C);

// Icon glyphs are designed on a 16 x 16 grid and scaled into the box.
void Square(QPainter& p, const QRect& box) {
    const double side = qMin(box.width(), box.height());
    p.translate(box.x() + (box.width() - side) / 2.0, box.y() + (box.height() - side) / 2.0);
    p.scale(side / 16.0, side / 16.0);
}

void Font(QPainter& p, const Ink& ink) {
    QFont f("DejaVu Serif");
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink(kInk));
    p.drawText(QRectF(-1, -1, 12, 17), Qt::AlignCenter, "A");
    f.setPixelSize(10);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(ink(QColor(0xC0, 0x30, 0x30)));
    p.drawText(QRectF(8, 4, 9, 12), Qt::AlignCenter, "a");
}

void Print(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(ink(Qt::white));
    p.drawRect(QRectF(4.5, 1.5, 7, 5));  // paper in
    p.setBrush(ink(QColor(0x80, 0x8A, 0x98)));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);  // body
    p.setBrush(ink(Qt::white));
    p.drawRect(QRectF(4.5, 10.5, 7, 5));  // paper out
    p.setPen(QPen(ink(kInk), 0.8));
    p.drawLine(QPointF(6, 12.5), QPointF(10, 12.5));
    p.drawLine(QPointF(6, 14), QPointF(9, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(ink(QColor(0x30, 0xC0, 0x40)));
    p.drawEllipse(QPointF(12.5, 8.5), 0.9, 0.9);
}

void Open(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink(QColor(0x7A, 0x56, 0x10)), 1));
    p.setBrush(ink(QColor(0xE8, 0xB8, 0x48)));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(ink(QColor(0xF8, 0xD6, 0x78)));
    QPolygonF front;
    front << QPointF(1.5, 13.5) << QPointF(4, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 13.5);
    p.drawPolygon(front);
}

void Save(QPainter& p, const Ink& ink) {
    // A floppy disk: the sign for "save to a file".
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(ink(QColor(0x2F, 0x5F, 0xA8)));
    QPolygonF disk;
    disk << QPointF(1.5, 1.5) << QPointF(12.5, 1.5) << QPointF(14.5, 3.5) << QPointF(14.5, 14.5) << QPointF(1.5, 14.5);
    p.drawPolygon(disk);
    p.setBrush(ink(QColor(0xE0, 0xE4, 0xEA)));
    p.drawRect(QRectF(4.5, 1.5, 7, 4.5));
    p.setBrush(ink(kInk));
    p.drawRect(QRectF(9, 2.5, 1.5, 2.5));
    p.setBrush(ink(Qt::white));
    p.drawRect(QRectF(3.5, 8.5, 9, 6));
}

void Undo(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink(QColor(0x1F, 0x6F, 0xC8)), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    arc.moveTo(4, 6);
    arc.cubicTo(8, 2.5, 15, 4, 14, 10);
    arc.cubicTo(13.5, 13, 11, 14, 8, 14);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(ink(QColor(0x1F, 0x6F, 0xC8)));
    QPolygonF head;
    head << QPointF(0.5, 7.5) << QPointF(6.5, 2) << QPointF(7, 9.5);
    p.drawPolygon(head);
}

void Palette(QPainter& p, const Ink& ink) {
    QPainterPath board;
    board.addEllipse(QRectF(1, 2, 14, 12));
    QPainterPath hole;
    hole.addEllipse(QRectF(9.5, 9, 3, 3));
    p.setPen(QPen(ink(QColor(0x6B, 0x48, 0x20)), 1));
    p.setBrush(ink(QColor(0xE8, 0xCC, 0x98)));
    p.drawPath(board.subtracted(hole));
    p.setPen(Qt::NoPen);
    const QColor dots[] = {QColor(0xD8, 0x28, 0x28), QColor(0x20, 0x60, 0xD8), QColor(0x20, 0xA8, 0x38),
                           QColor(0xF0, 0xC0, 0x10)};
    const QPointF at[] = {QPointF(4.5, 6), QPointF(8, 4.7), QPointF(11.7, 6.2), QPointF(4.6, 10)};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(ink(dots[i]));
        p.drawEllipse(at[i], 1.6, 1.6);
    }
}

void Cut(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink(QColor(0x60, 0x68, 0x74)), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
    p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
    p.setPen(QPen(ink(QColor(0xC0, 0x28, 0x28)), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
}

void Page(QPainter& p, const Ink& ink, const QRectF& r) {
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(ink(Qt::white));
    p.drawRect(r);
    p.setPen(QPen(ink(QColor(0x70, 0x80, 0x98)), 0.8));
    for (double y = r.top() + 2.5; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 1.5, y), QPointF(r.right() - 1.5, y));
}

void Copy(QPainter& p, const Ink& ink) {
    Page(p, ink, QRectF(1.5, 1.5, 8, 10));
    Page(p, ink, QRectF(6.5, 4.5, 8, 10));
}

void Paste(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink(QColor(0x6B, 0x48, 0x20)), 1));
    p.setBrush(ink(QColor(0xC8, 0x96, 0x50)));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
    p.setBrush(ink(QColor(0x9A, 0xA4, 0xB0)));
    p.drawRect(QRectF(4, 1, 5, 3));
    Page(p, ink, QRectF(6.5, 6.5, 8, 9));
}

void Fill(QPainter& p, const Ink& ink) {
    // Words poured from a jug into the track.
    p.save();
    p.translate(7, 6);
    p.rotate(-35);
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(ink(QColor(0x2F, 0x8F, 0x5F)));
    p.drawRoundedRect(QRectF(-5, -4, 9, 8), 1.5, 1.5);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(ink(QColor(0xC0, 0x30, 0x30)));
    p.drawRect(QRectF(10, 8, 3, 1.5));
    p.setBrush(ink(QColor(0x20, 0x60, 0xD8)));
    p.drawRect(QRectF(11.5, 11, 3.5, 1.5));
    p.setBrush(ink(kInk));
    p.drawRect(QRectF(9, 13.5, 5, 1.5));
}

void Authors(QPainter& p, const Ink& ink) {
    // An open book with a quill: a classic author's writings.
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(ink(QColor(0xF8, 0xF2, 0xE0)));
    QPolygonF left, right;
    left << QPointF(0.5, 4) << QPointF(8, 5.5) << QPointF(8, 15) << QPointF(0.5, 13.5);
    right << QPointF(8, 5.5) << QPointF(15.5, 4) << QPointF(15.5, 13.5) << QPointF(8, 15);
    p.drawPolygon(left);
    p.drawPolygon(right);
    p.setPen(QPen(ink(QColor(0x70, 0x80, 0x98)), 0.7));
    for (double y = 7.5; y < 13; y += 2) {
        p.drawLine(QPointF(2, y - 0.8), QPointF(6.5, y + 0.2));
        p.drawLine(QPointF(9.5, y + 0.2), QPointF(14, y - 0.8));
    }
    p.setPen(QPen(ink(QColor(0x7A, 0x30, 0x90)), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 7), QPointF(14.5, 0.5));
}

// A sheet with a folded corner, for the wordbook buttons.
void Sheet(QPainter& p, const Ink& ink) {
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(ink(Qt::white));
    QPolygonF sheet;
    sheet << QPointF(2.5, 1.5) << QPointF(10, 1.5) << QPointF(13.5, 5) << QPointF(13.5, 14.5) << QPointF(2.5, 14.5);
    p.drawPolygon(sheet);
    p.drawPolyline(QPolygonF() << QPointF(10, 1.5) << QPointF(10, 5) << QPointF(13.5, 5));
}

void NewPage(QPainter& p, const Ink& ink) {
    Sheet(p, ink);
    p.setPen(QPen(ink(QColor(0x20, 0x90, 0x40)), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 7), QPointF(8, 13));
    p.drawLine(QPointF(5, 10), QPointF(11, 10));
}

void Rename(QPainter& p, const Ink& ink) {
    Sheet(p, ink);
    p.setPen(QPen(ink(QColor(0x70, 0x80, 0x98)), 0.8));
    p.drawLine(QPointF(4.5, 6), QPointF(9, 6));
    p.drawLine(QPointF(4.5, 8.5), QPointF(11.5, 8.5));
    // A pencil across the sheet.
    p.setPen(QPen(ink(QColor(0xD0, 0x90, 0x20)), 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7, 13), QPointF(14, 6));
    p.setPen(QPen(ink(kInk), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 14.5), QPointF(7, 13));
}

void DeleteFile(QPainter& p, const Ink& ink) {
    Sheet(p, ink);
    p.setPen(QPen(ink(QColor(0xC0, 0x30, 0x30)), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 7), QPointF(11, 13));
    p.drawLine(QPointF(11, 7), QPointF(5, 13));
}

void ShowTrack(QPainter& p, const QRect& box, const Ink& ink) {
    // A small window with lines of text: opens the track's window.
    const QRectF w(box.x() + 2.5, box.y() + 2.5, box.width() - 5, box.height() - 5);
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(ink(Qt::white));
    p.drawRect(w);
    p.setBrush(ink(QColor(0x2F, 0x5F, 0xA8)));
    p.drawRect(QRectF(w.left(), w.top(), w.width(), 5));
    p.setPen(QPen(ink(QColor(0x70, 0x80, 0x98)), 1));
    for (double y = w.top() + 9; y < w.bottom() - 2; y += 3)
        p.drawLine(QPointF(w.left() + 3, y), QPointF(w.right() - 3 - (int(y) % 2) * 5, y));
}

void OnOff(QPainter& p, const QRect& box, QChar state, const Ink& ink) {
    // A lamp: green when the track is on (the pushed state), dark when off.
    const bool on = state == 'D';
    const QPointF c = QRectF(box).center();
    const double r = qMin(box.width(), box.height()) / 2.0 - 2;
    QRadialGradient g(c - QPointF(r / 3, r / 3), r * 1.4);
    if (on) {
        g.setColorAt(0, ink(QColor(0xB8, 0xFF, 0xB0)));
        g.setColorAt(1, ink(QColor(0x10, 0x9A, 0x28)));
    } else {
        g.setColorAt(0, ink(QColor(0x9A, 0xA2, 0x9A)));
        g.setColorAt(1, ink(QColor(0x40, 0x48, 0x40)));
    }
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(ink(on ? QColor(0x04, 0x40, 0x10) : QColor(0xE0, 0xE4, 0xE0)), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const double s = r * 0.5;
    p.drawArc(QRectF(c.x() - s, c.y() - s, 2 * s, 2 * s), 120 * 16, -240 * 16);
    p.drawLine(c + QPointF(0, -s - 1.5), c + QPointF(0, -1));
}

void Sources(QPainter& p, const QRect& box, const Ink& ink) {
    // A stack of pictures and the word: choose the picture sources.
    const QRectF pic(box.x() + 2, box.y() + 1, 18, box.height() - 2);
    p.setPen(QPen(ink(kInk), 1));
    p.setBrush(ink(QColor(0xE8, 0xEE, 0xF6)));
    p.drawRect(pic.translated(2.5, -0.5).adjusted(0, 0, 0, -1));
    p.setBrush(ink(QColor(0x88, 0xC4, 0xF0)));
    p.drawRect(pic.adjusted(0.5, 1.5, -2, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(ink(QColor(0x3A, 0x8A, 0x3A)));
    QPolygonF hill;
    hill << QPointF(pic.left() + 1, pic.bottom()) << QPointF(pic.left() + 7, pic.top() + 7)
         << QPointF(pic.left() + 15, pic.bottom());
    p.drawPolygon(hill);
    p.setBrush(ink(QColor(0xF0, 0xC0, 0x10)));
    p.drawEllipse(QPointF(pic.left() + 11, pic.top() + 5), 2, 2);
    QFont f("DejaVu Sans");
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink(kInk));
    p.drawText(QRectF(pic.right() + 4, box.y(), box.right() - pic.right() - 4, box.height()),
               Qt::AlignVCenter | Qt::AlignLeft, "sources");
}

void Go(QPainter& p, const QRect& box, const Ink& ink) {
    // The big start button of a collage run.
    const QRectF r = QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, ink(QColor(0x5C, 0xD6, 0x5C)));
    g.setColorAt(1, ink(QColor(0x12, 0x86, 0x24)));
    p.setPen(QPen(ink(QColor(0x0A, 0x50, 0x14)), 1));
    p.setBrush(g);
    p.drawEllipse(r);
    QFont f("DejaVu Sans");
    f.setPixelSize(int(box.height() * 0.5));
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink(Qt::white));
    p.drawText(r, Qt::AlignCenter, "GO");
}

using IconFn = std::function<void(QPainter&, const Ink&)>;

const std::map<QString, IconFn>& SquareIcons() {
    static const std::map<QString, IconFn> icons = {
        {"font", Font},         {"print", Print},
        {"open", Open},         {"file", Save},
        {"undo", Undo},         {"pallette", Palette},
        {"cutbutton", Cut},     {"copybutton", Copy},
        {"pastebutton", Paste}, {"fill", Fill},
        {"authors", Authors},   {"newpage", NewPage},
        {"rename", Rename},     {"deletefile", DeleteFile},
    };
    return icons;
}

}  // namespace

bool IsKnownGlyph(const QString& caption) {
    return SquareIcons().count(caption) != 0 || caption == "showtrack" || caption == "onoffb" || caption == "sources" ||
           caption == "lyric";
}

bool DrawGlyph(QPainter& p, const QString& caption, const QRect& box, const GlyphStyle& style) {
    const Ink ink{style.state == 'X'};
    p.save();
    bool drawn = true;
    auto it = SquareIcons().find(caption);
    if (it != SquareIcons().end()) {
        Square(p, box);
        it->second(p, ink);
    } else if (caption == "showtrack") {
        ShowTrack(p, box, ink);
    } else if (caption == "onoffb") {
        OnOff(p, box, style.state, ink);
    } else if (caption == "sources") {
        Sources(p, box, ink);
    } else if (caption == "lyric") {
        Go(p, box, ink);
    } else {
        drawn = false;
    }
    p.restore();
    return drawn;
}
