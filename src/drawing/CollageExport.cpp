#include "drawing/CollageExport.h"

#include "drawing/PaintDeviceLoader.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

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

QPageSize PageSizeFor(const std::string& paper) {
    const std::string name = Lower(paper);
    if (name == "a4") return QPageSize(QPageSize::A4);
    if (name == "a3") return QPageSize(QPageSize::A3);
    if (name == "letter") return QPageSize(QPageSize::Letter);
    const QRectF bounds = CollageDrawing::Bounds();
    return QPageSize(QSizeF(bounds.width() * 72 / kCssDpi, bounds.height() * 72 / kCssDpi), QPageSize::Point,
                     QStringLiteral("Collage"), QPageSize::ExactMatch);
}

bool PaintPng(CollageDrawing& drawing, QSaveFile& file, const Options& options) {
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

bool PaintPdf(CollageDrawing& drawing, QSaveFile& file, const Options& options) {
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("tarvex4"));
    writer.setTitle(QStringLiteral("Collage"));
    writer.setResolution(kCssDpi);
    writer.setPageSize(PageSizeFor(options.paper));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    // Fitted and centred on a paper size; the container's own size fits exactly.
    const QRectF page = writer.pageLayout().fullRectPixels(kCssDpi);
    const QRectF bounds = CollageDrawing::Bounds();
    const double scale = std::min(page.width() / bounds.width(), page.height() / bounds.height());
    painter.translate((page.width() - bounds.width() * scale) / 2, (page.height() - bounds.height() * scale) / 2);
    painter.scale(scale, scale);
    drawing.Paint(painter);
    return painter.end();
}

bool PaintSvg(CollageDrawing& drawing, QSaveFile& file, std::string& why) {
    const QRectF bounds = CollageDrawing::Bounds();
    const std::unique_ptr<QPaintDevice> generator =
        NewSvgWriter(file, bounds, kCssDpi, QStringLiteral("Collage"), why);
    if (!generator) return false;
    QPainter painter;
    if (!painter.begin(generator.get())) return false;
    drawing.Paint(painter);
    return painter.end();
}

}  // namespace

std::optional<Format> FormatOf(const std::string& path) {
    const std::string suffix = Lower(QFileInfo(Name(path)).suffix().toStdString());
    if (suffix == "png") return Format::kPng;
    if (suffix == "pdf") return Format::kPdf;
    if (suffix == "svg") return Format::kSvg;
    return std::nullopt;
}

bool IsPaperName(const std::string& paper) {
    const std::string name = Lower(paper);
    return name.empty() || name == "a4" || name == "a3" || name == "letter";
}

bool Export(CollageDrawing& drawing, const std::string& path, Format format, const Options& options,
            std::string& problem) {
    QSaveFile file(Name(path));
    if (!file.open(QIODevice::WriteOnly)) {
        problem = "Cannot write the file " + path + ": " + file.errorString().toStdString();
        return false;
    }
    bool painted = false;
    std::string why;  // a reason of the painter's own, before the file's
    switch (format) {
        case Format::kPng: painted = PaintPng(drawing, file, options); break;
        case Format::kPdf: painted = PaintPdf(drawing, file, options); break;
        case Format::kSvg: painted = PaintSvg(drawing, file, why); break;
    }
    // A write that failed on the way (a full disk) shows in commit().
    if (!painted || !file.commit()) {
        // The reason first: cancelling replaces it with its own.
        if (why.empty() && file.error() != QFileDevice::NoError) why = file.errorString().toStdString();
        file.cancelWriting();
        // A writer that stopped half way (libpng, say) leaves Qt no reason to give.
        if (why.empty() || why == "Unknown error") why = "it could not be written in full (is the disk full?)";
        problem = "Cannot write the file " + path + ": " + why;
        return false;
    }
    return true;
}

bool LoadPage(const std::string& pagePath, collage::Collage& collage, std::string& problem) {
    QFile file(Name(pagePath));
    if (!file.open(QIODevice::ReadOnly)) {
        problem = "Cannot read the page " + pagePath + ": " + file.errorString().toStdString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    std::string why;
    if (!collage::ReadPage(bytes.toStdString(), collage, why)) {
        problem = "The page " + pagePath + " is not a collage page that tarvex4 wrote: " + why + ".";
        return false;
    }
    return true;
}

}  // namespace collageexport
