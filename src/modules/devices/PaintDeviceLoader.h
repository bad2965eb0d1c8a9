// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPagedPaintDevice>
#include <QPaintDevice>

#include <functional>
#include <memory>
#include <string>

class QIODevice;
class QRectF;
class QString;
class QWidget;

// The printer and the SVG writer, made by the paint device module
// (tarvex4-devices.so), which is loaded on first use. A null device with
// `problem` set when the module cannot be loaded; NewPrinter gives null
// without a problem when there is no default printer.
std::unique_ptr<QPagedPaintDevice> NewPrinter(const QString& pdfFile, const QString& documentName,
                                              std::string& problem);
std::unique_ptr<QPaintDevice> NewSvgWriter(QIODevice& out, const QRectF& viewBox, int dpi, const QString& title,
                                           std::string& problem);
// A modal print preview of what `paint` draws on `printer` (from NewPrinter),
// which the user may print from; true when they did. False with `problem`
// set when the module cannot be loaded.
bool RunPrintPreview(QWidget* parent, QPagedPaintDevice& printer, const std::function<void(QPagedPaintDevice&)>& paint,
                     std::string& problem);

// Where the module is looked for: $TARVEX4_DEVICES_MODULE when set, else
// with the window program (see InstalledFile).
std::string PaintDeviceModulePath();
