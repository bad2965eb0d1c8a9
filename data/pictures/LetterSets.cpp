// SPDX-License-Identifier: GPL-3.0-or-later
#include "LetterSets.h"

#include "Drawing.h"
#include "support/Random.h"

#include <QLinearGradient>
#include <QPainter>

#include <stdexcept>

namespace lettersets {

using namespace drawing;

namespace {

const QString& OnlyFont(const std::map<std::string, std::vector<QString>>& fonts, const std::string& set) {
    const auto it = fonts.find(set);
    if (it == fonts.end() || it->second.empty()) throw std::runtime_error("no font for letter set " + set);
    return it->second.front();
}

// Rubber stamp: a stencil capital in a rounded frame, pressed slightly askew
// with uneven ink.
QImage StampLetter(const QString& font, QChar c, int height) {
    const QPainterPath glyph = Glyph(font, height * 0.58, c.toUpper());
    const int width = std::max(height - 6, int(glyph.boundingRect().width()) + 16);
    QImage image = Blank(width, height);
    const QColor ink = Jitter(QColor(150, 24, 40), 12);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width / 2.0, height / 2.0);
    p.rotate(Uniform(-6, 6));
    const QRectF frame(-width / 2.0 + 3, -height / 2.0 + 3, width - 6, height - 6);
    p.setPen(QPen(ink, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 5, 5);
    const QRectF box = glyph.boundingRect();
    p.fillPath(glyph.translated(-box.width() / 2, -box.height() / 2), ink);
    p.end();
    WearInk(image, 0.035, 2);
    return image;
}

// Ransom note: every letter cut from a different paper, face, size and colour.
QImage RansomLetter(const std::vector<QString>& fonts, QChar c, int height) {
    static const QColor kPapers[] = {QColor(250, 250, 245), QColor(232, 228, 214), QColor(255, 236, 120),
                                     QColor(255, 190, 200), QColor(170, 215, 245), QColor(30, 30, 30),
                                     QColor(200, 235, 180), QColor(245, 200, 140), QColor(220, 40, 40)};
    static const QColor kInks[] = {QColor(10, 10, 10), QColor(200, 20, 30), QColor(20, 40, 160),
                                   QColor(0, 110, 50), QColor(120, 0, 120), QColor(255, 255, 255)};
    const QString& font = fonts[static_cast<std::size_t>(Pick(int(fonts.size())))];
    const QChar shown = Pick(2) ? c.toUpper() : c;
    const QPainterPath glyph = Glyph(font, Uniform(height * 0.5, height * 0.78), shown);
    const QRectF box = glyph.boundingRect();
    const int width = int(box.width()) + 16;
    QImage image = Blank(width, height);
    const QColor paper = Jitter(kPapers[Pick(9)], 8);
    QColor ink = kInks[Pick(6)];
    if (qGray(ink.rgb()) > 128 && qGray(paper.rgb()) > 128) ink = Qt::black;
    if (qGray(ink.rgb()) < 100 && qGray(paper.rgb()) < 100) ink = Qt::white;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width / 2.0, height / 2.0);
    p.rotate(Uniform(-8, 8));
    // snipped with scissors: a few straight cuts around the letter
    const double w = width / 2.0 - 2, h = height / 2.0 - 2;
    QPolygonF cut;
    const int corners = 5 + Pick(3);
    for (int i = 0; i < corners; ++i) {
        const double angle = (i + Uniform(-0.3, 0.3)) * 2 * M_PI / corners;
        cut << QPointF(std::clamp(std::cos(angle) * w * 1.4, -w, w), std::clamp(std::sin(angle) * h * 1.4, -h, h)) *
                   Uniform(0.9, 1.0);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawPolygon(cut);
    p.fillPath(glyph.translated(-box.width() / 2, -box.height() / 2), ink);
    return image;
}

// LCD: dark segments over the faint unlit ones on a grey-green panel.
QImage LcdLetter(const QString& font, QChar c, int height) {
    const double size = height * 0.74;
    const QPainterPath all = TextPath(font, size, "~");  // every segment
    const QPainterPath lit = TextPath(font, size, QString(c.toUpper()));
    const QRectF box = all.boundingRect();
    const int width = int(box.width()) + 10;
    QImage image = Blank(width, height, QColor(150, 168, 134));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 126, 98), 2));
    p.drawLine(0, 1, width, 1);
    p.drawLine(0, height - 2, width, height - 2);
    p.translate((width - box.width()) / 2 - box.left(), (height - box.height()) / 2 - box.top());
    p.fillPath(all, QColor(136, 153, 121));
    if (!c.isNull()) {
        // thin diagonal segments need a little more ink to read
        p.setPen(QPen(QColor(28, 38, 30), 0.9));
        p.setBrush(QColor(28, 38, 30));
        p.drawPath(lit);
    }
    return image;
}

// Metal: an embossed capital with a brushed-steel gradient.
QImage MetalLetter(const QString& font, QChar c, int height) {
    const QPainterPath glyph = Glyph(font, height * 0.78, c.toUpper());
    const QRectF box = glyph.boundingRect();
    const int width = int(box.width()) + 10;
    QImage image = Blank(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath at = glyph.translated((width - box.width()) / 2, (height - box.height()) / 2);
    p.fillPath(at.translated(2, 2), QColor(40, 40, 45));
    QLinearGradient steel(0, at.boundingRect().top(), 0, at.boundingRect().bottom());
    steel.setColorAt(0.0, QColor(250, 250, 252));
    steel.setColorAt(0.45, QColor(150, 156, 164));
    steel.setColorAt(0.55, QColor(110, 116, 124));
    steel.setColorAt(1.0, QColor(215, 220, 226));
    p.fillPath(at, steel);
    p.setPen(QPen(QColor(70, 72, 78), 1.2));
    p.drawPath(at);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawPath(at.translated(-0.8, -0.8).intersected(at));
    return image;
}

LetterSet MakeSet(const std::string& folder, int height, const std::function<QImage(QChar)>& letter, QImage space) {
    LetterSet set{folder, height, {}};
    for (char c = 'a'; c <= 'z'; ++c) set.pictures.emplace_back(std::string(1, c) + ".gif", letter(QChar(c)));
    set.pictures.emplace_back("space.gif", std::move(space));
    return set;
}

}  // namespace

std::vector<LetterSet> Draw(const std::map<std::string, std::vector<QString>>& fonts) {
    std::vector<LetterSet> sets;
    rng::Seed(101);
    const QString& stencil = OnlyFont(fonts, "stampkit");
    sets.push_back(MakeSet(
        "stampkit", 44, [&](QChar c) { return StampLetter(stencil, c, 44); }, Blank(18, 44)));
    rng::Seed(202);
    OnlyFont(fonts, "ransomnote");
    const auto& ransom = fonts.at("ransomnote");
    sets.push_back(MakeSet(
        "ransomnote", 52, [&](QChar c) { return RansomLetter(ransom, c, 52); }, Blank(16, 52)));
    rng::Seed(303);
    const QString& segments = OnlyFont(fonts, "lcd");
    sets.push_back(MakeSet(
        "lcd", 40, [&](QChar c) { return LcdLetter(segments, c, 40); }, LcdLetter(segments, QChar(), 40)));
    rng::Seed(404);
    const QString& spartan = OnlyFont(fonts, "metal");
    sets.push_back(MakeSet(
        "metal", 48, [&](QChar c) { return MetalLetter(spartan, c, 48); }, Blank(16, 48)));
    return sets;
}

}  // namespace lettersets
