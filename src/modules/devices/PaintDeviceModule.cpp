// SPDX-License-Identifier: GPL-3.0-or-later
// The paint device module: see PaintDevices.h.
#include "modules/devices/PaintDevices.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRectF>
#include <QString>
#include <QSvgGenerator>

#define TARVEX4_EXPORT extern "C" __attribute__((visibility("default")))

TARVEX4_EXPORT QPagedPaintDevice* tarvex4_new_printer(const QString& pdfFile, const QString& documentName) {
    QPrinter* printer = nullptr;
    if (pdfFile.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return nullptr;
        printer = new QPrinter(info, QPrinter::HighResolution);
    } else {
        printer = new QPrinter(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
    }
    printer->setDocName(documentName);
    return printer;
}

TARVEX4_EXPORT QPaintDevice* tarvex4_new_svg(QIODevice& out, const QRectF& viewBox, int dpi, const QString& title) {
    auto* generator = new QSvgGenerator;
    generator->setOutputDevice(&out);
    generator->setResolution(dpi);
    generator->setSize(viewBox.size().toSize());
    generator->setViewBox(viewBox);
    generator->setTitle(title);
    return generator;
}

TARVEX4_EXPORT bool tarvex4_preview(QWidget* parent, QPagedPaintDevice& printer,
                                    const std::function<void(QPagedPaintDevice&)>& paint) {
    // Every device the printer function makes is a QPrinter.
    auto& qprinter = static_cast<QPrinter&>(printer);
    QPrintPreviewDialog dialog(&qprinter, parent);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* shown) { paint(*shown); });
    return dialog.exec() == QDialog::Accepted;
}

// Checked by the compiler against the interface the programs call through.
[[maybe_unused]] static constexpr Tarvex4NewPrinterFunction kPrinterMatches = tarvex4_new_printer;
[[maybe_unused]] static constexpr Tarvex4NewSvgFunction kSvgMatches = tarvex4_new_svg;
[[maybe_unused]] static constexpr Tarvex4PreviewFunction kPreviewMatches = tarvex4_preview;
