// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/CollageExport.h"

#include "modules/devices/PaintDeviceLoader.h"
#include "page/BoardEdits.h"
#include "support/PaperSizes.h"
#include "support/SafeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace collageexport {

namespace {

// CSS pixels are 1/96 inch; every device draws in them.
constexpr int kCssDpi = 96;

QString Name(const std::string& path) { return QString::fromStdString(path); }

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

QPageSize::PageSizeId QtPageSize(Paper paper) {
    switch (paper) {
        case Paper::kA4: return QPageSize::A4;
        case Paper::kA3: return QPageSize::A3;
        case Paper::kLetter: break;
    }
    return QPageSize::Letter;
}

QPageSize PageSizeFor(const std::string& paper) {
    if (const std::optional<Paper> named = PaperNamed(paper)) return QPageSize(QtPageSize(*named));
    const QRectF bounds = CollageDrawing::Bounds();
    return QPageSize(QSizeF(bounds.width() * 72 / kCssDpi, bounds.height() * 72 / kCssDpi), QPageSize::Point,
                     QStringLiteral("Collage"), QPageSize::ExactMatch);
}

bool PaintPng(CollageDrawing& drawing, QIODevice& file, const Options& options) {
    const QRectF bounds = CollageDrawing::Bounds();
    const double scale = options.scale > 0 ? options.scale : 1;
    QImage image(qRound(bounds.width() * scale), qRound(bounds.height() * scale), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(kCssDpi * scale / 0.0254));
    image.setDotsPerMeterY(qRound(kCssDpi * scale / 0.0254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        drawing.Paint(painter);
    }
    return image.save(&file, "PNG");
}

bool PaintPdf(CollageDrawing& drawing, QIODevice& file, const Options& options) {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("tarvex4"));
    writer.setTitle(QStringLiteral("Collage"));
    writer.setResolution(kCssDpi);
    writer.setPageSize(PageSizeFor(options.paper));
    // A printer cannot print to the paper's edge; the page of the collage's own size is no paper.
    const double margin = PaperNamed(options.paper) ? std::max(0.0, options.marginMm) : 0.0;
    writer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    // Fitted and centred within the margins; the container's own size fits exactly.
    const QRectF page = writer.pageLayout().paintRectPixels(kCssDpi);
    const QRectF bounds = CollageDrawing::Bounds();
    const double scale = std::min(page.width() / bounds.width(), page.height() / bounds.height());
    painter.translate((page.width() - bounds.width() * scale) / 2, (page.height() - bounds.height() * scale) / 2);
    painter.scale(scale, scale);
    drawing.Paint(painter);
    return painter.end();
}

// The band under each collage that holds its page number.
constexpr double kNumberBand = 36;

// Fits the collage, centred, in `area`.
void FitCollage(QPainter& painter, const QRectF& area) {
    const QRectF bounds = CollageDrawing::Bounds();
    const double scale = std::min(area.width() / bounds.width(), area.height() / bounds.height());
    painter.translate(area.left() + (area.width() - bounds.width() * scale) / 2,
                      area.top() + (area.height() - bounds.height() * scale) / 2);
    painter.scale(scale, scale);
}

void PaintTitle(QPainter& painter, const QRectF& page, const QString& title) {
    QFont font = painter.font();
    font.setPixelSize(40);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(page.adjusted(60, 60, -60, -60), Qt::AlignCenter | Qt::TextWordWrap, title);
}

void PaintPageNumber(QPainter& painter, const QRectF& page, int number) {
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.bottom() - kNumberBand, page.width(), kNumberBand), Qt::AlignCenter,
                     QString::number(number));
}

// A page the collage's own size, or that and the number band below it.
QPageSize BookPageSize(const Options& options, const Book& book) {
    if (!options.paper.empty() || !book.pageNumbers) return PageSizeFor(options.paper);
    const QRectF bounds = CollageDrawing::Bounds();
    return QPageSize(QSizeF(bounds.width() * 72 / kCssDpi, (bounds.height() + kNumberBand) * 72 / kCssDpi),
                     QPageSize::Point, QStringLiteral("Collage"), QPageSize::ExactMatch);
}

bool PaintSvg(CollageDrawing& drawing, QIODevice& file, std::string& why) {
    const QRectF bounds = CollageDrawing::Bounds();
    const std::unique_ptr<QPaintDevice> generator = NewSvgWriter(file, bounds, kCssDpi, QStringLiteral("Collage"), why);
    if (!generator) return false;
    QPainter painter;
    if (!painter.begin(generator.get())) return false;
    drawing.Paint(painter);
    return painter.end();
}

// Which file a name stands for: its device and inode, or where it would be
// when there is none yet.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string where;

    bool Same(const FileIdentity& other) const {
        if (exists != other.exists) return false;
        return exists ? device == other.device && inode == other.inode : where == other.where;
    }
};

FileIdentity IdentityOf(const std::string& path) {
    FileIdentity identity;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        identity.exists = true;
        identity.device = info.st_dev;
        identity.inode = info.st_ino;
        return identity;
    }
    std::error_code error;
    identity.where = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error).string();
    if (error) identity.where = path;
    return identity;
}

}  // namespace

std::optional<Format> FormatOf(const std::string& path) {
    const std::string suffix = Lower(QFileInfo(Name(path)).suffix().toStdString());
    if (suffix == "png") return Format::kPng;
    if (suffix == "pdf") return Format::kPdf;
    if (suffix == "svg") return Format::kSvg;
    return std::nullopt;
}

bool Export(CollageDrawing& drawing, const std::string& path, Format format, const Options& options,
            std::string& problem) {
    // Drawn in memory (a page is a few megabytes at most), then written in
    // one go: the drawing writers do not report a failed write themselves.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    std::string why;  // a reason of the painter's own
    switch (format) {
        case Format::kPng: painted = PaintPng(drawing, buffer, options); break;
        case Format::kPdf: painted = PaintPdf(drawing, buffer, options); break;
        case Format::kSvg: painted = PaintSvg(drawing, buffer, why); break;
    }
    if (!painted) {
        problem = "Cannot write the file " + path + ": " + (why.empty() ? "the collage could not be drawn" : why);
        return false;
    }
    return WriteFileReplacing(
        path, std::string_view(buffer.data().constData(), static_cast<size_t>(buffer.data().size())), problem);
}

namespace {

// Draws the book into `file`; false with `problem` set when a page cannot
// be read or may not be written over.
bool PaintBook(const std::vector<std::string>& pages, QIODevice& file, const std::string& path, const Options& options,
               const Book& book, std::vector<std::string>& missing, std::string& problem) {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("tarvex4"));
    writer.setTitle(QString::fromStdString(book.title.empty() ? "Collages" : book.title));
    writer.setResolution(kCssDpi);
    writer.setPageSize(BookPageSize(options, book));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) {
        problem = "Cannot write the file " + path + ": the book could not be drawn";
        return false;
    }
    const QRectF page = writer.pageLayout().fullRectPixels(kCssDpi);
    if (!book.title.empty()) PaintTitle(painter, page, QString::fromStdString(book.title));
    for (size_t i = 0; i < pages.size(); ++i) {
        collage::Collage collage;
        if (!collage::LoadPageFile(pages[i], collage, problem)) return false;
        const std::string folder = QFileInfo(Name(pages[i])).absolutePath().toStdString();
        problem = InputConflict(path, pages[i], collage, folder);
        if (!problem.empty()) return false;
        if (i > 0 || !book.title.empty()) writer.newPage();
        CollageDrawing drawing(collage, folder);
        painter.save();
        FitCollage(painter, book.pageNumbers ? page.adjusted(0, 0, 0, -kNumberBand) : page);
        drawing.Paint(painter);
        painter.restore();
        if (book.pageNumbers) PaintPageNumber(painter, page, static_cast<int>(i + 1));
        for (const std::string& file : drawing.Missing()) missing.push_back(pages[i] + ": " + file);
    }
    return painter.end();
}

}  // namespace

bool ExportBook(const std::vector<std::string>& pages, const std::string& path, const Options& options,
                const Book& book, std::vector<std::string>& missing, std::string& problem) {
    QTemporaryFile temporary(QDir::tempPath() + QStringLiteral("/tarvex4-book-XXXXXX.pdf"));
    if (!temporary.open()) {
        problem = "Cannot write the file " + path + ": no temporary file for the book";
        return false;
    }
    if (!PaintBook(pages, temporary, path, options, book, missing, problem)) return false;
    if (!temporary.flush()) {
        problem = "Cannot write the file " + path + ": " + temporary.errorString().toStdString();
        return false;
    }
    return CopyFileReplacing(temporary.fileName().toStdString(), path, problem);
}

std::string InputConflict(const std::string& output, const std::string& pagePath, const collage::Collage& collage,
                          const std::string& pageFolder) {
    const FileIdentity target = IdentityOf(output);
    if (target.Same(IdentityOf(pagePath))) {
        return "Will not write " + output + ": it is the page " + pagePath + " being drawn; name another file.";
    }
    const std::string folder = pageFolder.empty() || pageFolder.back() == '/' ? pageFolder : pageFolder + "/";
    for (const collage::Item& item : collage.items) {
        std::vector<std::string> files = item.Letters();
        if (item.kind == collage::ItemKind::kPicture) files.push_back(item.file);
        for (const std::string& file : files) {
            if (!file.empty() && target.Same(IdentityOf(folder + file))) {
                return "Will not write " + output + ": it is " + folder + file + ", a picture the page " + pagePath +
                       " shows; name another file.";
            }
        }
    }
    return {};
}

}  // namespace collageexport
