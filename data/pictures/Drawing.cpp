// SPDX-License-Identifier: GPL-3.0-or-later
#include "Drawing.h"

#include "common/SourceFiles.h"
#include "support/Random.h"

#include <QRawFont>
#include <QPainter>

#include <stdexcept>

namespace drawing {

std::map<std::string, std::vector<QString>> LoadFonts(const std::string& listPath) {
    std::map<std::string, std::vector<QString>> fonts;
    const std::string text = datasrc::ReadFile(listPath);
    for (std::string_view line : datasrc::SplitLines(text)) {
        const auto f = datasrc::SplitBlanks(line);
        if (f.size() != 2 || f[0][0] == '#') continue;
        const QString file = QString::fromUtf8(f[1].data(), int(f[1].size()));
        if (!QRawFont(file, 20).isValid()) throw std::runtime_error("cannot load font " + std::string(f[1]));
        fonts[std::string(f[0])].push_back(file);
    }
    return fonts;
}

int Pick(int n) { return n <= 1 ? 0 : rng::Next() % n; }

double Uniform(double lo, double hi) { return lo + (hi - lo) * (rng::Next() / 32767.0); }

QColor Jitter(const QColor& c, int amount) {
    const auto j = [&](int v) { return std::clamp(v + Pick(2 * amount + 1) - amount, 0, 255); };
    return QColor(j(c.red()), j(c.green()), j(c.blue()), c.alpha());
}

QImage Blank(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QPainterPath TextPath(const QString& fontFile, double pixelSize, const QString& text) {
    const QRawFont font(fontFile, pixelSize);
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPainterPath path;
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        path.addPath(font.pathForGlyph(glyphs[i]).translated(pen));
        pen += advances[i];
    }
    return path;
}

QPainterPath Glyph(const QString& fontFile, double pixelSize, QChar c) {
    const QPainterPath path = TextPath(fontFile, pixelSize, QString(c));
    return path.translated(-path.boundingRect().topLeft());
}

void WearInk(QImage& image, double holeChance, int holeSize) {
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const int holes = static_cast<int>(image.width() * image.height() * holeChance);
    for (int i = 0; i < holes; ++i) {
        const double x = Uniform(0, image.width()), y = Uniform(0, image.height());
        const double r = Uniform(0.4, holeSize);
        p.drawEllipse(QPointF(x, y), r, r * Uniform(0.5, 1.0));
    }
}

}  // namespace drawing
