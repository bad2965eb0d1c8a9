#include "drawing/PaintDeviceLoader.h"

#include "devices/PaintDevices.h"
#include "support/InstalledFile.h"

#include <dlfcn.h>

namespace {

constexpr const char* kModuleName = "tarvex4-devices.so";

struct Module {
    Tarvex4NewPrinterFunction newPrinter = nullptr;
    Tarvex4NewSvgFunction newSvg = nullptr;
    std::string problem;
};

// Loaded once and never closed: Qt's plugins for the printer stay registered.
const Module& LoadedModule() {
    static const Module module = [] {
        Module loaded;
        const std::string path = PaintDeviceModulePath();
        if (void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            loaded.newPrinter = reinterpret_cast<Tarvex4NewPrinterFunction>(::dlsym(handle, TARVEX4_NEW_PRINTER_SYMBOL));
            loaded.newSvg = reinterpret_cast<Tarvex4NewSvgFunction>(::dlsym(handle, TARVEX4_NEW_SVG_SYMBOL));
        }
        if (loaded.newPrinter == nullptr || loaded.newSvg == nullptr) {
            const char* why = ::dlerror();
            loaded.problem = "the paint device module " + path + " could not be loaded (" +
                             (why != nullptr ? why : "a function is missing") + ")";
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
