// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interface of the paint device module (tarvex4-devices.so): the printer
// of Qt Print Support and the SVG writer of Qt SVG. The window and export
// programs load it with dlopen when they first print or write an SVG:
// linked in, the two libraries were bound at every start of the window,
// which prints or writes an SVG in few of its runs.
//
// Both sides are built together, with the same Qt, so the functions take Qt
// types; a device is deleted by its caller through QPaintDevice's virtual
// destructor.
#include <functional>

class QIODevice;
class QPagedPaintDevice;
class QPaintDevice;
class QRectF;
class QString;
class QWidget;

extern "C" {
// A high-resolution printer titled `documentName`: into the PDF file
// `pdfFile`, or onto the default printer when `pdfFile` is empty. Null when
// there is no default printer.
typedef QPagedPaintDevice* (*Tarvex4NewPrinterFunction)(const QString& pdfFile, const QString& documentName);

// An SVG writer into `out` (open for writing) of the area `viewBox`, drawn
// at `dpi`, with `title`.
typedef QPaintDevice* (*Tarvex4NewSvgFunction)(QIODevice& out, const QRectF& viewBox, int dpi, const QString& title);

// A modal print preview over `parent` of what `paint` draws on `printer`
// (one made by the printer function), which the preview's own Print button
// prints. True when the user printed from it.
typedef bool (*Tarvex4PreviewFunction)(QWidget* parent, QPagedPaintDevice& printer,
                                       const std::function<void(QPagedPaintDevice&)>& paint);
}

#define TARVEX4_NEW_PRINTER_SYMBOL "tarvex4_new_printer"
#define TARVEX4_NEW_SVG_SYMBOL "tarvex4_new_svg"
#define TARVEX4_PREVIEW_SYMBOL "tarvex4_preview"
