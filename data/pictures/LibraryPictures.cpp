// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryPictures.h"

#include "Drawing.h"
#include "support/Random.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace librarypictures {

using namespace drawing;

namespace {

const QColor kBright[] = {QColor(230, 57, 70),  QColor(29, 53, 87),    QColor(69, 123, 157), QColor(244, 162, 97),
                          QColor(42, 157, 143), QColor(233, 196, 106), QColor(131, 56, 236), QColor(255, 0, 110),
                          QColor(58, 134, 255), QColor(6, 214, 160),   QColor(255, 190, 11), QColor(20, 20, 20)};

QColor AnyColour() { return kBright[Pick(12)]; }

// ---- value noise, for the textures -------------------------------------------------

double Lattice(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double Smooth(double x, double y, int seed) {
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Lattice(x0, y0, seed), b = Lattice(x0 + 1, y0, seed);
    const double c = Lattice(x0, y0 + 1, seed), d = Lattice(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

// Fractal noise 0..1 with `octaves` layers, base cell `scale` pixels.
double Fractal(double x, double y, double scale, int octaves, int seed) {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * Smooth(x / scale, y / scale, seed + o);
        norm += amp;
        amp *= 0.5;
        scale /= 2;
    }
    return sum / norm;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor(int(a.red() + (b.red() - a.red()) * t), int(a.green() + (b.green() - a.green()) * t),
                  int(a.blue() + (b.blue() - a.blue()) * t));
}

QImage Texture(int w, int h, const std::function<QColor(double x, double y)>& colourAt) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) row[x] = colourAt(x, y).rgb();
    }
    return image;
}

// ---- shapes ---------------------------------------------------------------------

QPainterPath Star(QPointF c, double outer, double inner, int points) {
    QPainterPath path;
    for (int i = 0; i < 2 * points; ++i) {
        const double r = i % 2 ? inner : outer, a = i * M_PI / points - M_PI / 2;
        const QPointF p = c + QPointF(std::cos(a) * r, std::sin(a) * r);
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QPainterPath Blob(QPointF c, double r, int lobes) {
    QPainterPath path;
    const int n = 90;
    std::vector<double> amp(static_cast<std::size_t>(lobes)), phase(static_cast<std::size_t>(lobes));
    for (int k = 0; k < lobes; ++k) amp[std::size_t(k)] = Uniform(0.03, 0.16), phase[std::size_t(k)] = Uniform(0, 6.28);
    for (int i = 0; i <= n; ++i) {
        const double a = i * 2 * M_PI / n;
        double rr = r;
        for (int k = 0; k < lobes; ++k) rr += r * amp[std::size_t(k)] * std::sin((k + 2) * a + phase[std::size_t(k)]);
        const QPointF p = c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    return path;
}

QImage Shape(int kind, int w, int h) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(w / 2.0, h / 2.0);
    const double r = std::min(w, h) / 2.0 - 6;
    const QColor fill = AnyColour(), line = AnyColour().darker(160);
    p.setPen(QPen(line, std::max(3.0, r / 30)));
    p.setBrush(fill);
    QPainterPath path;
    switch (kind) {
        case 0: path.addEllipse(c, r, r); break;
        case 1: path = Star(c, r, r * 0.45, 5); break;
        case 2: path = Star(c, r, r * 0.8, 12); break;
        case 3: {
            QPolygonF hex;
            for (int i = 0; i < 6; ++i) hex << c + QPointF(std::cos(i * M_PI / 3) * r, std::sin(i * M_PI / 3) * r);
            path.addPolygon(hex);
            path.closeSubpath();
            break;
        }
        case 4: {  // heart
            path.moveTo(c + QPointF(0, r * 0.9));
            path.cubicTo(c + QPointF(-r * 1.3, -r * 0.1), c + QPointF(-r * 0.5, -r * 1.1), c + QPointF(0, -r * 0.45));
            path.cubicTo(c + QPointF(r * 0.5, -r * 1.1), c + QPointF(r * 1.3, -r * 0.1), c + QPointF(0, r * 0.9));
            break;
        }
        case 5: {  // crescent
            QPainterPath moon, bite;
            moon.addEllipse(c, r, r);
            bite.addEllipse(c + QPointF(r * 0.45, -r * 0.2), r * 0.85, r * 0.85);
            path = moon.subtracted(bite);
            break;
        }
        case 6: {  // ring of dots
            for (int i = 0; i < 14; ++i)
                path.addEllipse(c + QPointF(std::cos(i * M_PI / 7) * r * 0.8, std::sin(i * M_PI / 7) * r * 0.8),
                                r * 0.13, r * 0.13);
            break;
        }
        case 7: {  // arrow, as long as the picture
            const double hw = h / 2.0 - 6, len = w - 12.0;
            path.moveTo(6, c.y() - hw * 0.4);
            path.lineTo(6 + len * 0.65, c.y() - hw * 0.4);
            path.lineTo(6 + len * 0.65, c.y() - hw);
            path.lineTo(6 + len, c.y());
            path.lineTo(6 + len * 0.65, c.y() + hw);
            path.lineTo(6 + len * 0.65, c.y() + hw * 0.4);
            path.lineTo(6, c.y() + hw * 0.4);
            path.closeSubpath();
            break;
        }
        case 8: {  // spiral
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(fill, std::max(4.0, r / 14), Qt::SolidLine, Qt::RoundCap));
            QPainterPath s;
            for (int i = 0; i <= 600; ++i) {
                const double a = i * 0.05, rr = r * i / 600.0;
                const QPointF q = c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
                i == 0 ? s.moveTo(q) : s.lineTo(q);
            }
            p.drawPath(s);
            return image;
        }
        case 9: {  // lightning bolt, tall
            const double sx = w / 100.0, sy = h / 100.0;
            QPolygonF bolt;
            for (auto [x, y] : {std::pair{60, 2}, {20, 55}, {45, 55}, {30, 98}, {82, 38}, {55, 38}, {75, 2}})
                bolt << QPointF(x * sx, y * sy);
            path.addPolygon(bolt);
            path.closeSubpath();
            break;
        }
        case 10: {  // sun burst
            for (int i = 0; i < 24; ++i) {
                const double a = i * M_PI / 12;
                QPolygonF ray;
                ray << c + QPointF(std::cos(a - 0.09) * r * 0.5, std::sin(a - 0.09) * r * 0.5)
                    << c + QPointF(std::cos(a) * r, std::sin(a) * r)
                    << c + QPointF(std::cos(a + 0.09) * r * 0.5, std::sin(a + 0.09) * r * 0.5);
                path.addPolygon(ray);
                path.closeSubpath();
            }
            path.addEllipse(c, r * 0.5, r * 0.5);
            path.setFillRule(Qt::WindingFill);
            break;
        }
        default: path = Blob(c, r * 0.8, 5); break;
    }
    p.drawPath(path);
    return image;
}

// ---- patterns -------------------------------------------------------------------

QImage Pattern(int kind, int w, int h) {
    const QColor a = AnyColour(), b = Mix(AnyColour(), Qt::white, 0.6);
    QImage image = Blank(w, h, b);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(a);
    const int s = 20 + Pick(30);
    switch (kind) {
        case 0:  // diagonal stripes
            for (int x = -h; x < w; x += 2 * s)
                p.drawPolygon(QPolygonF({QPointF(x, 0), QPointF(x + s, 0), QPointF(x + s + h, h), QPointF(x + h, h)}));
            break;
        case 1:  // checks
            for (int y = 0; y < h; y += s)
                for (int x = (y / s) % 2 * s; x < w; x += 2 * s) p.drawRect(x, y, s, s);
            break;
        case 2:  // polka dots
            for (int y = 0; y < h + s; y += s)
                for (int x = (y / s) % 2 * s / 2; x < w + s; x += s) p.drawEllipse(QPointF(x, y), s * 0.28, s * 0.28);
            break;
        case 3:  // chevrons
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(a, s / 3.0));
            for (int y = -s; y < h + s; y += s) {
                QPolygonF zig;
                for (int x = 0; x <= w + s; x += s) zig << QPointF(x, y + ((x / s) % 2 ? s / 2.0 : 0));
                p.drawPolyline(zig);
            }
            break;
        case 4:  // waves
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(a, s / 4.0));
            for (int y = 0; y < h + s; y += s) {
                QPainterPath wave;
                wave.moveTo(0, y);
                for (int x = 0; x <= w; x += 4) wave.lineTo(x, y + std::sin(x * 2 * M_PI / (3 * s)) * s / 3.0);
                p.drawPath(wave);
            }
            break;
        case 5: {  // tartan
            const QColor c = AnyColour();
            for (int x = 0; x < w; x += 4 * s) {
                p.fillRect(x, 0, s, h, QColor(a.red(), a.green(), a.blue(), 150));
                p.fillRect(x + 2 * s, 0, s / 4, h, QColor(c.red(), c.green(), c.blue(), 170));
            }
            for (int y = 0; y < h; y += 4 * s) {
                p.fillRect(0, y, w, s, QColor(a.red(), a.green(), a.blue(), 150));
                p.fillRect(0, y + 2 * s, w, s / 4, QColor(c.red(), c.green(), c.blue(), 170));
            }
            break;
        }
        case 6:  // concentric rings
            for (int r = int(std::hypot(w, h)); r > 0; r -= s) {
                p.setBrush((r / s) % 2 ? a : b);
                p.drawEllipse(QPointF(w / 2.0, h / 2.0), r, r);
            }
            break;
        case 7:  // grid paper
            p.setPen(QPen(a, 1));
            for (int x = 0; x < w; x += s / 2) p.drawLine(x, 0, x, h);
            for (int y = 0; y < h; y += s / 2) p.drawLine(0, y, w, y);
            p.setPen(QPen(a, 3));
            for (int x = 0; x < w; x += 2 * s) p.drawLine(x, 0, x, h);
            for (int y = 0; y < h; y += 2 * s) p.drawLine(0, y, w, y);
            break;
        case 8:  // triangles
            for (int y = 0; y < h; y += s)
                for (int x = 0; x < w + s; x += s) {
                    p.setBrush(Pick(3) ? a : Mix(a, Qt::black, 0.4));
                    p.drawPolygon(QPolygonF({QPointF(x, y), QPointF(x + s, y), QPointF(x + s / 2.0, y + s)}));
                }
            break;
        case 9:  // bricks
            for (int y = 0, row = 0; y < h; y += s, ++row)
                for (int x = row % 2 ? -s : 0; x < w; x += 2 * s) p.drawRect(QRectF(x + 2, y + 2, 2 * s - 4, s - 4));
            break;
        case 10:  // confetti
            for (int i = 0; i < w * h / (s * s) * 2; ++i) {
                p.setBrush(AnyColour());
                p.drawEllipse(QPointF(Uniform(0, w), Uniform(0, h)), s / 5.0, s / 5.0);
            }
            break;
        default:  // horizontal bands in graded colours
            for (int y = 0, i = 0; y < h; y += s, ++i) p.fillRect(0, y, w, s, Mix(a, b, (i % 6) / 5.0));
            break;
    }
    return image;
}

// ---- textures -------------------------------------------------------------------

QImage TextureOf(int kind, int w, int h) {
    const int seed = 1 + Pick(10000);
    switch (kind) {
        case 0:  // clouds
            return Texture(w, h, [&](double x, double y) {
                return Mix(QColor(70, 130, 210), Qt::white, Fractal(x, y, 160, 5, seed) * 1.6 - 0.4);
            });
        case 1:  // marble
            return Texture(w, h, [&](double x, double y) {
                const double v = std::sin(x / 30.0 + y / 60.0 + 6 * Fractal(x, y, 120, 5, seed));
                return Mix(QColor(235, 232, 225), QColor(90, 95, 110),
                           std::pow(std::abs(v), 0.25) < 0.55 ? 0.8 : 0.1 + 0.2 * Fractal(x, y, 20, 2, seed));
            });
        case 2:  // wood
            return Texture(w, h, [&](double x, double y) {
                const double d = std::hypot(x - w * 0.3, (y - h * 2.0) * 0.25) / 9 + 3 * Fractal(x, y, 90, 3, seed);
                return Mix(QColor(170, 110, 60), QColor(110, 62, 30), d - std::floor(d));
            });
        case 3:  // paper grain
            return Texture(w, h, [&](double x, double y) {
                return Mix(QColor(246, 240, 222), QColor(200, 188, 160),
                           Fractal(x, y, 8, 3, seed) * 0.7 + Fractal(x, y, 100, 2, seed) * 0.3);
            });
        case 4:  // rust
            return Texture(w, h, [&](double x, double y) {
                const double v = Fractal(x, y, 60, 5, seed);
                return v > 0.55 ? Mix(QColor(150, 70, 20), QColor(90, 40, 15), (v - 0.55) * 4)
                                : Mix(QColor(120, 125, 130), QColor(170, 90, 40), v * 1.6);
            });
        case 5:  // water ripples
            return Texture(w, h, [&](double x, double y) {
                const double v = std::sin(std::hypot(x - w / 2.0, y - h / 2.0) / 6 + 4 * Fractal(x, y, 80, 3, seed));
                return Mix(QColor(10, 60, 120), QColor(120, 200, 230), (v + 1) / 2);
            });
        case 6:  // sand
            return Texture(w, h, [&](double x, double y) {
                return Mix(
                    QColor(237, 201, 140), QColor(190, 150, 90),
                    Fractal(x, y, 4, 2, seed) * 0.6 + 0.4 * (std::sin(y / 7 + 3 * Fractal(x, y, 60, 2, seed)) + 1) / 2);
            });
        case 7:  // stone
            return Texture(w, h, [&](double x, double y) {
                return Mix(QColor(60, 60, 64), QColor(180, 178, 170), Fractal(x, y, 50, 6, seed));
            });
        case 8:  // weave
            return Texture(w, h, [&](double x, double y) {
                const int cx = int(x) / 12, cy = int(y) / 12;
                const bool across = (cx + cy) % 2 == 0;
                const double t =
                    across ? std::sin(std::fmod(y, 12.0) / 12 * M_PI) : std::sin(std::fmod(x, 12.0) / 12 * M_PI);
                return Mix(across ? QColor(60, 30, 110) : QColor(200, 160, 40), Qt::black,
                           0.5 - 0.5 * t + 0.1 * Fractal(x, y, 3, 1, seed));
            });
        case 9:  // leopard spots
            return Texture(w, h, [&](double x, double y) {
                const double v = Fractal(x, y, 40, 3, seed);
                return v > 0.62   ? QColor(40, 25, 15)
                       : v > 0.56 ? QColor(120, 70, 20)
                                  : Mix(QColor(225, 175, 90), QColor(200, 140, 60), Fractal(x, y, 90, 2, seed));
            });
        case 10:  // camouflage
            return Texture(w, h, [&](double x, double y) {
                const double v = Fractal(x, y, 110, 4, seed);
                return v < 0.42   ? QColor(60, 70, 40)
                       : v < 0.52 ? QColor(110, 120, 70)
                       : v < 0.6  ? QColor(150, 130, 90)
                                  : QColor(40, 40, 30);
            });
        default:  // sunset gradient with haze
            return Texture(w, h, [&](double x, double y) {
                return Mix(Mix(QColor(255, 120, 40), QColor(90, 30, 120), y / h), Qt::white,
                           Fractal(x, y, 150, 4, seed) * 0.35);
            });
    }
}

// ---- stamps ---------------------------------------------------------------------

QImage PostageStamp(int w, int h, const QString& font, const QString& value) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double hole = 5;
    QPainterPath paper;
    paper.addRect(hole, hole, w - 2 * hole, h - 2 * hole);
    for (double x = hole * 2; x < w - hole; x += hole * 2.6) {
        QPainterPath top, bottom;
        top.addEllipse(QPointF(x, hole), hole * 0.7, hole * 0.7);
        bottom.addEllipse(QPointF(x, h - hole), hole * 0.7, hole * 0.7);
        paper = paper.subtracted(top).subtracted(bottom);
    }
    for (double y = hole * 2; y < h - hole; y += hole * 2.6) {
        QPainterPath left, right;
        left.addEllipse(QPointF(hole, y), hole * 0.7, hole * 0.7);
        right.addEllipse(QPointF(w - hole, y), hole * 0.7, hole * 0.7);
        paper = paper.subtracted(left).subtracted(right);
    }
    p.fillPath(paper, QColor(250, 247, 235));
    const QColor ink = AnyColour();
    const QRectF inner(hole * 3, hole * 3, w - hole * 6, h - hole * 6);
    p.fillRect(inner, Mix(ink, Qt::white, 0.55));
    p.setPen(QPen(ink, 3));
    p.drawRect(inner);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const double r = std::min(inner.width(), inner.height()) * 0.3;
    p.drawPath(Pick(2) ? Star(inner.center(), r, r * 0.5, 5) : Blob(inner.center(), r, 4));
    const QPainterPath number = TextPath(font, inner.height() * 0.16, value);
    p.fillPath(number.translated(inner.left() + 6, inner.bottom() - 8), ink.darker(150));
    return image;
}

QImage RubberMark(int w, int h, const QString& font, const QString& word) {
    QImage image = Blank(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = Pick(2) ? QColor(200, 30, 40) : QColor(30, 60, 170);
    p.translate(w / 2.0, h / 2.0);
    p.rotate(Uniform(-14, 14));
    QPainterPath text = TextPath(font, h * 0.32, word);
    const QRectF box = text.boundingRect();
    const double scale = std::min(1.0, (w * 0.78) / box.width());
    QTransform t;
    t.scale(scale, scale);
    text = t.map(text);
    const QRectF b = text.boundingRect();
    p.fillPath(text.translated(-b.center()), ink);
    p.setPen(QPen(ink, 5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-b.width() / 2 - 14, -b.height() / 2 - 12, b.width() + 28, b.height() + 24), 8, 8);
    p.end();
    WearInk(image, 0.01, 3);
    return image;
}

struct Size {
    int w, h;
};

}  // namespace

std::vector<Picture> Draw(const std::map<std::string, std::vector<QString>>& fonts) {
    std::vector<Picture> pictures;
    const auto name = [](const char* stem, int i) {
        return std::string(stem) + (i < 9 ? "0" : "") + std::to_string(i + 1) + ".gif";
    };
    // Some pictures are wider or taller than the 850 x 1100 page on purpose.
    rng::Seed(11);
    const Size shapeSizes[] = {{240, 240}, {320, 300},  {900, 900}, {260, 230},  {300, 280}, {280, 280},
                               {360, 360}, {1200, 260}, {220, 220}, {300, 1180}, {420, 420}, {260, 200}};
    for (int i = 0; i < 12; ++i)
        pictures.push_back({"shapes", name("shape", i), Shape(i, shapeSizes[i].w, shapeSizes[i].h)});
    rng::Seed(22);
    const Size patternSizes[] = {{300, 300}, {240, 320},  {1260, 300}, {320, 240}, {280, 1240}, {400, 400},
                                 {360, 360}, {960, 1180}, {300, 200},  {240, 240}, {320, 320},  {200, 300}};
    for (int i = 0; i < 12; ++i)
        pictures.push_back({"patterns", name("pattern", i), Pattern(i, patternSizes[i].w, patternSizes[i].h)});
    rng::Seed(33);
    const Size textureSizes[] = {{900, 1150}, {300, 300}, {280, 360}, {320, 240}, {256, 256},  {300, 300},
                                 {240, 300},  {256, 256}, {240, 240}, {300, 260}, {1150, 320}, {260, 900}};
    for (int i = 0; i < 12; ++i)
        pictures.push_back({"textures", name("texture", i), TextureOf(i, textureSizes[i].w, textureSizes[i].h)});
    rng::Seed(44);
    const QString& heavy = fonts.at("metal").front();
    const QString& stencil = fonts.at("stampkit").front();
    const char* const values[] = {"5c", "10c", "25c", "1d", "2d", "50c"};
    for (int i = 0; i < 6; ++i) {
        const int w = 150 + Pick(80), h = 180 + Pick(90);
        pictures.push_back({"stamps", name("stamp", i), PostageStamp(w, h, heavy, values[i])});
    }
    const char* const marks[] = {"PAID", "AIR MAIL", "URGENT", "FRAGILE", "APPROVED", "RECEIVED"};
    const Size markSizes[] = {{300, 140}, {420, 150}, {360, 140}, {380, 150}, {900, 260}, {340, 130}};
    for (int i = 0; i < 6; ++i)
        pictures.push_back(
            {"stamps", name("stamp", 6 + i), RubberMark(markSizes[i].w, markSizes[i].h, stencil, marks[i])});
    return pictures;
}

}  // namespace librarypictures
