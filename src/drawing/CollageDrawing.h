// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QPainter;
class QTextLayout;

// Draws a collage as a browser shows its page: the container with its frame
// and colour, text snips wrapped in their box, letter pictures flowing as
// inline images, pictures scaled to their box, all in z order. Coordinates
// are CSS pixels with the container's outer frame at (0, 0).
class CollageDrawing {
public:
    static constexpr int kFrame = 1;  // the container's border

    // `pageFolder`: where the page's relative picture names are found.
    CollageDrawing(const collage::Collage& collage, std::string pageFolder);
    ~CollageDrawing();

    // The container with its frame: 852 x 1102.
    static QRectF Bounds();
    // Where item `index` (page order) lies, relative to the container's
    // inside (as a browser's getBoundingClientRect less the container's).
    QRectF ItemBox(size_t index);
    void Paint(QPainter& painter);
    // How item `index` is turned: a rotation about its box's centre, as CSS
    // transform:rotate() turns the box after layout (identity for none).
    QTransform ItemTurn(size_t index);
    // Item `index` alone, at its box and not turned, in the coordinates Paint
    // draws items in (the container's inside at the origin); the board draws
    // item by item and turns each itself.
    void PaintItem(QPainter& painter, size_t index);
    // Picture files that were not found, each once, in the order first met.
    const std::vector<std::string>& Missing() const { return m_missing; }

private:
    // A text snip's lines, placed as a browser places them.
    struct TextFlow {
        std::unique_ptr<QTextLayout> layout;
        double height = 0;
        QColor colour;
    };
    struct LetterFlow {
        std::vector<QRectF> places;  // one per letter, inside the item
        double height = 0;
    };
    const TextFlow& Text(size_t index);
    const LetterFlow& Letters(size_t index);
    const QImage& Picture(const std::string& file);
    void PaintPlaceholder(QPainter& painter, const QRectF& box, const std::string& file);

    collage::Collage m_collage;
    std::string m_folder;
    std::map<size_t, TextFlow> m_texts;
    std::map<size_t, LetterFlow> m_letters;
    std::map<std::string, QImage> m_pictures;
    std::vector<std::string> m_missing;
};
