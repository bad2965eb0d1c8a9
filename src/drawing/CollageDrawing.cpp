// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/CollageDrawing.h"

#include "drawing/BgrColour.h"
#include "support/PictureFormat.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImageReader>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QTextOption>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// A browser's default text: Times New Roman (as the system resolves it), 16 px.
QFont PageFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    return font;
}

// What a browser shows for a picture it cannot load, when it has no size.
constexpr double kMissingLetterSize = 16;

// Room for the largest picture import takes, read at up to 8 bytes a pixel
// (16 bits a channel); Qt's own limit is smaller.
constexpr int kPictureAllocationMegabytes = static_cast<int>((kMaxPictureDecodedBytes + (1 << 20) - 1) >> 20);

// The picture at `path`, or a null image when it is missing, is not a
// regular file (a pipe would keep the drawing waiting) or is larger than a
// picture import takes.
QImage ReadPicture(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat info {};
    QFile file;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QImageReader::setAllocationLimit(kPictureAllocationMegabytes);
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (size.isValid() && static_cast<long long>(size.width()) * size.height() > kMaxPicturePixels) return {};
    // Upright by its EXIF orientation, as a browser shows a photo.
    reader.setAutoTransform(true);
    return reader.read();
}

}  // namespace

CollageDrawing::CollageDrawing(const collage::Collage& collage, std::string pageFolder)
        : m_collage(collage), m_folder(std::move(pageFolder)) {
    if (!m_folder.empty() && m_folder.back() != '/') m_folder += '/';
}

CollageDrawing::~CollageDrawing() = default;

QRectF CollageDrawing::Bounds() {
    return QRectF(0, 0, collage::Collage::kWidth + 2 * kFrame, collage::Collage::kHeight + 2 * kFrame);
}

const QImage& CollageDrawing::Picture(const std::string& file) {
    auto found = m_pictures.find(file);
    if (found != m_pictures.end()) return found->second;
    QImage image = ReadPicture(m_folder + file);
    if (image.isNull()) m_missing.push_back(file);
    return m_pictures.emplace(file, std::move(image)).first->second;
}

namespace {

// What a font takes above and below the baseline in a line of "normal"
// height, as a browser counts it: ascent, descent and line gap each rounded
// to whole pixels, the gap shared out half above, half below.
struct Extent {
    double above = 0;
    double below = 0;
    void Unite(const Extent& other) {
        above = std::max(above, other.above);
        below = std::max(below, other.below);
    }
    double Height() const { return above + below; }
};

Extent NormalExtent(double ascent, double descent, double gap) {
    const double leading = std::round(std::max(0.0, gap));
    // The browser keeps lengths in 1/64 px; the odd part goes below.
    const double leadingAbove = std::floor(leading / 2 * 64) / 64;
    return {std::round(ascent) + leadingAbove, std::round(descent) + leading - leadingAbove};
}

Extent NormalExtent(const QFont& font) {
    const QFontMetricsF metrics(font);
    return NormalExtent(metrics.ascent(), metrics.descent(), metrics.leading());
}

Extent NormalExtent(const QRawFont& font) { return NormalExtent(font.ascent(), font.descent(), font.leading()); }

// Chromium takes a face it cannot find as its default face, where Qt would
// take the system's closest; only the faces fontconfig stands in for by
// metric-compatible fonts are found under their own name.
QString FaceAsBrowserFindsIt(const std::string& face) {
    static const QStringList kStandIns = {"arial", "helvetica", "times new roman", "times", "courier new", "courier"};
    const QString name = QString::fromStdString(face);
    if (!name.isEmpty() && (QFontDatabase::hasFamily(name) || kStandIns.contains(name.toLower()))) return name;
    return PageFont().family();
}

// A letter the face lacks is drawn, in Chromium, from the first font
// fontconfig offers for that letter alone, with no family asked for: the
// system's sans-serif face when it has the letter (Arabic in DejaVu Sans, not
// in a serif face as Qt would choose), else whatever font has it.
QFont WithBrowserFallback(QFont font) {
    const QString face = QFontInfo(font).family();
    const QString sans = QFontInfo(QFont(QStringLiteral("sans-serif"))).family();
    font.setFamilies(sans == face ? QStringList{face} : QStringList{face, sans});
    return font;
}

// The words as the browser shows them: white space runs are one space, none
// at the ends.
QString ShownWords(const std::string& words) { return QString::fromStdString(words).simplified(); }

// Where a browser ends the lines of `text` in a box `width` wide: at the
// last place Unicode's line breaking allows (between ideographs too) where
// the words so far, less the space the line ends in, fit; a word wider than
// the box runs over its edge. Qt's own wrapping also counts the overhang of
// a line's last letter, and so breaks a line that fits one word earlier.
std::vector<qsizetype> LineEnds(const QString& text, const QFont& font, double width) {
    const QFontMetricsF metrics(font);
    auto fits = [&](qsizetype from, qsizetype to) {
        while (to > from && text[to - 1] == u' ') --to;
        return metrics.horizontalAdvance(text.mid(from, to - from)) <= width;
    };
    std::vector<qsizetype> breaks;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) breaks.push_back(at);
    std::vector<qsizetype> ends;
    qsizetype start = 0;
    size_t next = 0;
    while (next < breaks.size()) {
        qsizetype end = breaks[next++];
        if (fits(start, end)) {
            while (next < breaks.size() && fits(start, breaks[next])) end = breaks[next++];
        }
        ends.push_back(end);
        start = end;
    }
    return ends;
}

// `text` with a line separator at each of `ends` but the last, in place of
// the space a line ends in.
QString WithLineSeparators(const QString& text, const std::vector<qsizetype>& ends) {
    QString lines;
    qsizetype start = 0;
    for (size_t k = 0; k + 1 < ends.size(); ++k) {
        const qsizetype end = ends[k];
        lines += text.mid(start, end - start);
        if (lines.endsWith(u' ')) lines.chop(1);
        lines += QChar(QChar::LineSeparator);
        start = end;
    }
    return lines + text.mid(start);
}

// The page runs left to right, and an item's words are a run inside it: a
// right-to-left word is reordered within its line but the line starts at the
// left, whatever the words' first letter. Lines end only where LineEnds
// put a separator.
QTextOption BrowserTextOption() {
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    return option;
}

// How far the line reaches above and below its baseline: `base` (the box's
// own font and the snip's), and every font that drew some of its letters
// (not the separator that ends it).
Extent LineExtent(const QTextLine& line, const QString& text, Extent base) {
    int length = line.textLength();
    if (length > 0 && text[line.textStart() + length - 1] == QChar::LineSeparator) --length;
    if (length == 0) return base;
    for (const QGlyphRun& run : line.glyphRuns(line.textStart(), length)) base.Unite(NormalExtent(run.rawFont()));
    return base;
}

// A picture, not a document that keeps its text as text (PDF, SVG).
bool PaintsPixels(QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    return engine == nullptr || (engine->type() != QPaintEngine::Pdf && engine->type() != QPaintEngine::SVG);
}

// Turned text in a picture as the browser draws it: each glyph's outline
// filled at its place, not hinted for the upright pixel grid as Qt's cached
// glyphs are.
void PaintOutlines(QPainter& painter, const QTextLayout& layout, QPointF at, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> places = run.positions();
        for (qsizetype k = 0; k < glyphs.size(); ++k)
            painter.drawPath(font.pathForGlyph(glyphs[k]).translated(at + places[k]));
    }
    painter.restore();
}

}  // namespace

const CollageDrawing::TextFlow& CollageDrawing::Text(size_t index) {
    auto found = m_texts.find(index);
    if (found != m_texts.end()) return found->second;
    const collage::Item& item = m_collage.items[index];
    const collage::SpanFont span = collage::ParseFontSpan(item.fontSpan);
    QFont font = PageFont();
    if (!span.face.empty()) font.setFamily(FaceAsBrowserFindsIt(span.face));
    if (span.pointSize > 0) font.setPixelSize(qRound(span.pointSize * 96.0 / 72.0));

    TextFlow flow;
    flow.colour = span.face.empty() ? QColor(Qt::black) : QColorFromBgr(span.colour);
    const QFont shown = WithBrowserFallback(font);
    const QString words = ShownWords(item.words);
    const QString lines = WithLineSeparators(words, LineEnds(words, shown, item.width));
    flow.layout = std::make_unique<QTextLayout>(lines, shown);
    flow.layout->setTextOption(BrowserTextOption());
    flow.layout->setCacheEnabled(true);
    flow.layout->beginLayout();
    for (QTextLine line = flow.layout->createLine(); line.isValid(); line = flow.layout->createLine()) {
        line.setLineWidth(item.width);
    }
    flow.layout->endLayout();
    // A line is as high as the box's font, the snip's and every font drawn
    // in it reach. The browser draws the baseline on a whole pixel, the one
    // above when half a pixel of leading puts it between two.
    Extent base = NormalExtent(PageFont());
    base.Unite(NormalExtent(font));
    for (int k = 0; k < flow.layout->lineCount(); ++k) {
        QTextLine line = flow.layout->lineAt(k);
        const Extent extent = LineExtent(line, lines, base);
        const double baseline = std::floor(flow.height + extent.above);
        line.setPosition(QPointF(0, baseline - line.ascent()));
        flow.height += extent.Height();
    }
    return m_texts.emplace(index, std::move(flow)).first->second;
}

// Inline pictures on the baselines of the item's lines; a picture that does
// not fit the width starts the next line. The page has no doctype, so a
// browser lays it out in quirks mode, where a line of pictures alone is as
// high as its tallest picture (the font's strut does not count).
const CollageDrawing::LetterFlow& CollageDrawing::Letters(size_t index) {
    auto found = m_letters.find(index);
    if (found != m_letters.end()) return found->second;
    const collage::Item& item = m_collage.items[index];
    LetterFlow flow;
    std::vector<QSizeF> sizes;
    for (const std::string& letter : item.Letters()) {
        const QImage& image = Picture(letter);
        sizes.push_back(image.isNull() ? QSizeF(kMissingLetterSize, kMissingLetterSize) : QSizeF(image.size()));
    }
    double top = 0;
    size_t lineStart = 0;
    double x = 0;
    auto closeLine = [&](size_t end) {
        double tallest = 0;
        for (size_t k = lineStart; k < end; ++k) tallest = std::max(tallest, sizes[k].height());
        for (size_t k = lineStart; k < end; ++k) flow.places[k].moveTop(top + tallest - sizes[k].height());
        top += tallest;
        lineStart = end;
        x = 0;
    };
    for (size_t k = 0; k < sizes.size(); ++k) {
        if (x > 0 && x + sizes[k].width() > item.width) closeLine(k);
        flow.places.emplace_back(QPointF(x, 0), sizes[k]);
        x += sizes[k].width();
    }
    // The closing <BR> ends the last line without starting another.
    if (!sizes.empty()) closeLine(sizes.size());
    flow.height = top;
    return m_letters.emplace(index, std::move(flow)).first->second;
}

QRectF CollageDrawing::ItemBox(size_t index) {
    const collage::Item& item = m_collage.items[index];
    switch (item.kind) {
        case collage::ItemKind::kPicture:
            return QRectF(item.left, item.top, std::max(item.width, 0), std::max(item.height, 0));
        case collage::ItemKind::kLetters: return QRectF(item.left, item.top, item.width, Letters(index).height);
        case collage::ItemKind::kText: break;
    }
    // Quirks mode again: a box with no words in it has no line at all.
    const bool blank = item.words.find_first_not_of(" \t\r\n") == std::string::npos;
    return QRectF(item.left, item.top, item.width, blank ? 0.0 : Text(index).height);
}

void CollageDrawing::PaintPlaceholder(QPainter& painter, const QRectF& box, const std::string& file) {
    painter.save();
    painter.fillRect(box, QColor(0xE0, 0xE0, 0xE0));
    painter.setPen(QPen(QColor(0xC0, 0x00, 0x00), 1));
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
    if (box.width() > 40 && box.height() > 20) {
        QFont font = PageFont();
        font.setPixelSize(12);
        painter.setFont(font);
        painter.drawText(box.adjusted(4, 4, -4, -4), Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere,
                         QStringLiteral("missing: ") + QString::fromStdString(file));
    }
    painter.restore();
}

void CollageDrawing::PaintItem(QPainter& painter, size_t index) {
    const collage::Item& item = m_collage.items[index];
    const QRectF box = ItemBox(index);
    if (item.kind == collage::ItemKind::kPicture) {
        if (box.isEmpty()) return;
        const QImage& image = Picture(item.file);
        if (image.isNull())
            PaintPlaceholder(painter, box, item.file);
        else
            painter.drawImage(box, image);
        return;
    }
    if (item.kind == collage::ItemKind::kLetters) {
        const LetterFlow& flow = Letters(index);
        const std::vector<std::string> letters = item.Letters();
        for (size_t k = 0; k < letters.size(); ++k) {
            const QRectF place = flow.places[k].translated(box.topLeft());
            const QImage& image = Picture(letters[k]);
            if (image.isNull())
                PaintPlaceholder(painter, place, letters[k]);
            else
                painter.drawImage(place, image);
        }
        return;
    }
    if (item.style == 0) painter.fillRect(box, QColorFromBgr(item.background));
    const TextFlow& text = Text(index);
    painter.save();
    painter.setPen(text.colour);
    if (item.rotation != 0 && PaintsPixels(painter))
        PaintOutlines(painter, *text.layout, box.topLeft(), text.colour);
    else
        text.layout->draw(&painter, box.topLeft());
    painter.restore();
}

QTransform CollageDrawing::ItemTurn(size_t index) {
    const double degrees = m_collage.items[index].rotation;
    if (degrees == 0 || !std::isfinite(degrees)) return {};
    const QPointF centre = ItemBox(index).center();
    return QTransform::fromTranslate(centre.x(), centre.y()).rotate(degrees).translate(-centre.x(), -centre.y());
}

void CollageDrawing::Paint(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF bounds = Bounds();
    painter.fillRect(bounds, Qt::black);
    const QRectF inside = bounds.adjusted(kFrame, kFrame, -kFrame, -kFrame);
    painter.fillRect(inside, QColorFromBgr(m_collage.background));
    // The container does not hide what overflows it: an item past its edge
    // (a turned one, a dragged one) covers the frame, as in the browser, and
    // is cut only where the container ends.
    painter.setClipRect(bounds);
    painter.translate(inside.topLeft());

    // The browser stacks by z-index, and equal ones in page order.
    std::vector<size_t> order(m_collage.items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return m_collage.items[a].z < m_collage.items[b].z; });
    for (size_t index : order) {
        const QTransform turn = ItemTurn(index);
        if (turn.isIdentity()) {
            PaintItem(painter, index);
            continue;
        }
        painter.save();
        painter.setTransform(turn, true);
        PaintItem(painter, index);
        painter.restore();
    }
    painter.restore();
}
