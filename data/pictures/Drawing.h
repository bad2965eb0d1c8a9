// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <map>
#include <string>
#include <vector>

// Small helpers shared by the letter sets and the picture library.
namespace drawing {

// Font files by letter set, from `listPath` ("set path" lines), read
// directly from the files so that no font substitution can change a letter.
// Throws std::runtime_error when a file does not load.
std::map<std::string, std::vector<QString>> LoadFonts(const std::string& listPath);

// Deterministic draws from the program's generator.
int Pick(int n);  // 0..n-1
double Uniform(double lo, double hi);
QColor Jitter(const QColor& c, int amount);

QImage Blank(int width, int height, QColor fill = Qt::transparent);

// Outline of one character of a font file, with its ink box at the origin.
QPainterPath Glyph(const QString& fontFile, double pixelSize, QChar c);
// Outline of a text on its base line starting at x = 0.
QPainterPath TextPath(const QString& fontFile, double pixelSize, const QString& text);

// Knocks small random holes into the ink (alpha) of the picture: worn ink.
void WearInk(QImage& image, double holeChance, int holeSize);

}  // namespace drawing
