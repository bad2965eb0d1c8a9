// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardPrint.h"

#include "drawing/CollageDrawing.h"
#include "mainform/MainCommands.h"
#include "modules/devices/PaintDeviceLoader.h"
#include "support/UserInterface.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace boardprint {

namespace {

// Where the collage goes in the painter's coordinates, which start at the
// printable area's corner: the paper less the margin, within what the
// printer reaches.
QRectF PrintableBox(QPagedPaintDevice& printer) {
    const QPageLayout layout = printer.pageLayout();
    const int dpi = printer.logicalDpiX();
    const QRectF reach = layout.paintRectPixels(dpi);
    const double margin = kMarginMillimetres / 25.4 * dpi;
    const QRectF paper = QRectF(layout.fullRectPixels(dpi)).adjusted(margin, margin, -margin, -margin);
    return paper.intersected(reach).translated(-reach.topLeft());
}

}  // namespace

bool PaintOnPaper(QPagedPaintDevice& printer, const collage::Collage& collage, const std::string& pageFolder) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF box = PrintableBox(printer);
    const QRectF bounds = CollageDrawing::Bounds();
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    if (scale <= 0) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(box.left() + (box.width() - bounds.width() * scale) / 2,
                      box.top() + (box.height() - bounds.height() * scale) / 2);
    painter.scale(scale, scale);
    CollageDrawing drawing(collage, pageFolder);
    drawing.Paint(painter);
    return painter.end();
}

void PrintCollage(QWidget* owner, UserInterface& ui, const collage::Collage& collage, const std::string& pagePath,
                  const QString& pdfFile, bool preview) {
    const std::filesystem::path page(pagePath);
    std::string problem;
    const std::unique_ptr<QPagedPaintDevice> printer =
        NewPrinter(pdfFile, QString::fromStdString(page.filename().string()), problem);
    // The message names a missing printer; a broken installation is told here.
    if (!problem.empty()) qWarning("tarvex4: cannot print: %s", problem.c_str());
    if (!printer) {
        ui.ShowMessage(kNoPrinterMessage, kPrintErrorCaption);
        return;
    }
    const std::string folder = page.parent_path().string();
    if (preview) {
        RunPrintPreview(
            owner, *printer, [&](QPagedPaintDevice& shown) { PaintOnPaper(shown, collage, folder); }, problem);
        if (!problem.empty()) ui.ShowMessage("Cannot show the print preview: " + problem, kPrintErrorCaption);
        return;
    }
    if (!PaintOnPaper(*printer, collage, folder))
        ui.ShowMessage(kNothingPrintedMessage, kPrintErrorCaption);
}

}  // namespace boardprint
