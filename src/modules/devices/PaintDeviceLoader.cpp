// SPDX-License-Identifier: GPL-3.0-or-later
#include "modules/devices/PaintDeviceLoader.h"

#include "modules/devices/PaintDevices.h"
#include "support/InstalledFile.h"
#include "support/ModuleFunctions.h"

namespace {

constexpr const char* kModuleName = "tarvex4-devices.so";

struct Module {
    Tarvex4NewPrinterFunction newPrinter = nullptr;
    Tarvex4NewSvgFunction newSvg = nullptr;
    Tarvex4PreviewFunction preview = nullptr;
    std::string problem;
};

// Loaded once, on first use.
const Module& LoadedModule() {
    static const Module module = [] {
        Module loaded;
        const std::string path = PaintDeviceModulePath();
        std::string why;
        const std::vector<void*> functions =
            ModuleFunctions(path, {TARVEX4_NEW_PRINTER_SYMBOL, TARVEX4_NEW_SVG_SYMBOL, TARVEX4_PREVIEW_SYMBOL}, why);
        if (functions.empty()) {
            loaded.problem = "the paint device module " + path + " could not be loaded (" + why + ")";
        } else {
            loaded.newPrinter = reinterpret_cast<Tarvex4NewPrinterFunction>(functions[0]);
            loaded.newSvg = reinterpret_cast<Tarvex4NewSvgFunction>(functions[1]);
            loaded.preview = reinterpret_cast<Tarvex4PreviewFunction>(functions[2]);
        }
        return loaded;
    }();
    return module;
}

}  // namespace

std::string PaintDeviceModulePath() { return InstalledFile(kModuleName, "TARVEX4_DEVICES_MODULE"); }

std::unique_ptr<QPagedPaintDevice> NewPrinter(const QString& pdfFile, const QString& documentName,
                                              std::string& problem) {
    const Module& module = LoadedModule();
    problem = module.problem;
    if (module.newPrinter == nullptr) return nullptr;
    return std::unique_ptr<QPagedPaintDevice>(module.newPrinter(pdfFile, documentName));
}

std::unique_ptr<QPaintDevice> NewSvgWriter(QIODevice& out, const QRectF& viewBox, int dpi, const QString& title,
                                           std::string& problem) {
    const Module& module = LoadedModule();
    problem = module.problem;
    if (module.newSvg == nullptr) return nullptr;
    return std::unique_ptr<QPaintDevice>(module.newSvg(out, viewBox, dpi, title));
}

bool RunPrintPreview(QWidget* parent, QPagedPaintDevice& printer, const std::function<void(QPagedPaintDevice&)>& paint,
                     std::string& problem) {
    const Module& module = LoadedModule();
    problem = module.problem;
    if (module.preview == nullptr) return false;
    return module.preview(parent, printer, paint);
}
