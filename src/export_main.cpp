// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4-export: draws a collage page into PNG, PDF or SVG files, or
// several pages into one PDF book. `tarvex4 export` and `tarvex4 go --png ...` start it, so that
// only an export loads Qt. It draws offscreen and needs no display.
#include "page/BoardEdits.h"
#include "page/ItemKindName.h"
#include "drawing/CollageExport.h"
#include "support/PaperSizes.h"
#include "support/SafeFile.h"

#include <QGuiApplication>
#include <QFileInfo>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Request {
    std::string page;
    std::vector<std::string> morePages;  // a book: the pages after the first
    collageexport::Book book;
    std::string boxes;  // developer use: the drawn item boxes as JSON, for the browser comparison
    std::vector<std::pair<std::string, collageexport::Format>> outputs;
    collageexport::Options options;
};

// Several pages, a title or numbers make a book: one PDF and nothing else.
bool IsBook(const Request& request) {
    return !request.morePages.empty() || !request.book.title.empty() || request.book.pageNumbers;
}

bool BookRequestFits(const Request& request) {
    return !IsBook(request) || (request.outputs.size() == 1 && request.boxes.empty() &&
                                request.outputs.front().second == collageexport::Format::kPdf);
}

// The arguments as the command line front end passes them on: the pages, then
// --png/--pdf/--svg FILE, --scale N, --paper NAME, --title TEXT, --page-numbers.
bool ParseRequest(int argc, char** argv, Request& request) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--png" && hasValue)
            request.outputs.emplace_back(argv[++i], collageexport::Format::kPng);
        else if (argument == "--pdf" && hasValue)
            request.outputs.emplace_back(argv[++i], collageexport::Format::kPdf);
        else if (argument == "--svg" && hasValue)
            request.outputs.emplace_back(argv[++i], collageexport::Format::kSvg);
        else if (argument == "--scale" && hasValue)
            request.options.scale = std::atof(argv[++i]);
        else if (argument == "--paper" && hasValue)
            request.options.paper = argv[++i];
        else if (argument == "--margin" && hasValue)
            request.options.marginMm = std::atof(argv[++i]);
        else if (argument == "--boxes" && hasValue)
            request.boxes = argv[++i];
        else if (argument == "--title" && hasValue)
            request.book.title = argv[++i];
        else if (argument == "--page-numbers")
            request.book.pageNumbers = true;
        else if (argument.starts_with("--"))
            return false;
        else if (request.page.empty())
            request.page = argument;
        else
            request.morePages.push_back(argument);
    }
    return !request.page.empty() && (!request.outputs.empty() || !request.boxes.empty()) && BookRequestFits(request) &&
           request.options.scale > 0 && request.options.marginMm >= 0 && request.options.marginMm < 100 &&
           IsPaperChoice(request.options.paper);
}

// One line per item: id, kind and box relative to the container's inside.
// Each item's box as a browser's getBoundingClientRect gives it: a turned
// item's is the upright rectangle around its turned box.
bool WriteBoxes(const collage::Collage& collage, CollageDrawing& drawing, const std::string& path,
                std::string& problem) {
    std::ostringstream out;
    out << "[\n";
    for (size_t i = 0; i < collage.items.size(); ++i) {
        const QRectF box = drawing.ItemTurn(i).mapRect(drawing.ItemBox(i));
        out << (i ? ",\n" : "") << "{\"id\":\"" << collage.items[i].PageId() << "\",\"kind\":\""
            << collage::KindName(collage.items[i].kind) << "\",\"left\":" << box.left() << ",\"top\":" << box.top()
            << ",\"width\":" << box.width() << ",\"height\":" << box.height() << "}";
    }
    out << "\n]\n";
    return WriteFileReplacing(path, out.str(), problem);
}

// An output may not replace the page or a picture it is drawn from: each
// such output is named with the file it would replace.
bool OutputsAreFree(const Request& request, const collage::Collage& collage, const std::string& folder) {
    std::vector<std::string> outputs;
    for (const auto& output : request.outputs) outputs.push_back(output.first);
    if (!request.boxes.empty()) outputs.push_back(request.boxes);
    bool free = true;
    for (const std::string& output : outputs) {
        const std::string conflict = collageexport::InputConflict(output, request.page, collage, folder);
        if (conflict.empty()) continue;
        std::cerr << "tarvex4 export: " << conflict << "\n";
        free = false;
    }
    return free;
}

}  // namespace

int ExportBook(const Request& request) {
    std::vector<std::string> pages{request.page};
    pages.insert(pages.end(), request.morePages.begin(), request.morePages.end());
    std::vector<std::string> missing;
    std::string problem;
    if (!collageexport::ExportBook(pages, request.outputs.front().first, request.options, request.book, missing,
                                   problem)) {
        std::cerr << "tarvex4 export: " << problem << "\n";
        return 1;
    }
    for (const std::string& file : missing) {
        std::cerr << "tarvex4 export: the picture " << file
                  << " is missing beside the page; it is drawn as a placeholder\n";
    }
    return missing.empty() ? 0 : 1;
}

int main(int argc, char** argv) {
    Request request;
    if (!ParseRequest(argc, argv, request)) {
        std::cerr << "tarvex4 export: usage: tarvex4 export PAGE.html --png FILE|--pdf FILE|--svg FILE "
                     "[--scale 2] [--paper "
                  << JoinedPaperNames("|", "|") << " [--margin MM]]\n"
                  << "       tarvex4 export PAGE.html... --pdf BOOK.pdf [--title TEXT] [--page-numbers]\n";
        return 2;
    }
    // A file size limit fails the write, which is then reported, naming the file.
    std::signal(SIGXFSZ, SIG_IGN);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the desktop (no runtime folder, say) mean nothing to
    // an export; what went wrong is said below, naming the file.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "tarvex4 export: " << message.toStdString() << "\n";
    });
    QGuiApplication application(argc, argv);
    if (IsBook(request)) return ExportBook(request);

    collage::Collage collage;
    std::string problem;
    if (!collage::LoadPageFile(request.page, collage, problem)) {
        std::cerr << "tarvex4 export: " << problem << "\n";
        return 1;
    }
    const std::string folder = QFileInfo(QString::fromStdString(request.page)).absolutePath().toStdString();
    if (!OutputsAreFree(request, collage, folder)) return 1;
    CollageDrawing drawing(collage, folder);
    int status = 0;
    if (!request.boxes.empty() && !WriteBoxes(collage, drawing, request.boxes, problem)) {
        std::cerr << "tarvex4 export: " << problem << "\n";
        status = 1;
    }
    for (const auto& [path, format] : request.outputs) {
        if (!collageexport::Export(drawing, path, format, request.options, problem)) {
            std::cerr << "tarvex4 export: " << problem << "\n";
            status = 1;
        }
    }
    for (const std::string& file : drawing.Missing()) {
        std::cerr << "tarvex4 export: the picture " << file
                  << " is missing beside the page; it is drawn as a placeholder\n";
        status = 1;
    }
    return status;
}
