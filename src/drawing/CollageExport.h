// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "drawing/CollageDrawing.h"

#include <optional>
#include <string>
#include <vector>

// Writing a collage's drawing to a picture or document file. Each file is
// written to a temporary file beside it and renamed when complete, so a
// failed export leaves the old file (or none) and no piece of the new one;
// a device, a pipe or /dev/stdout is written where it is.
namespace collageexport {

enum class Format { kPng, kPdf, kSvg };

struct Options {
    double scale = 1;   // PNG: 1 or 2
    std::string paper;  // PDF: "" (the container's size) or a name of kPapers, in any case
    // PDF on paper: the printable margin each side, in millimetres. The
    // collage's own size keeps none.
    double marginMm = 5;
};

// The format a file name asks for by its extension (.png, .pdf, .svg).
std::optional<Format> FormatOf(const std::string& path);

// False with `problem` naming the file when it could not be written.
bool Export(CollageDrawing& drawing, const std::string& path, Format format, const Options& options,
            std::string& problem);

// A book of collages: one PDF, one page per collage page in the order given.
struct Book {
    std::string title;         // a title page and the PDF's title; "" for neither
    bool pageNumbers = false;  // numbered in the bottom margin, the title page not counted
};

// Each page is read, drawn and let go before the next, so the memory used
// does not grow with the book; the PDF is streamed to a temporary file and
// copied over `path` when complete. Pictures missing beside a page are drawn
// as placeholders and listed in `missing`.
bool ExportBook(const std::vector<std::string>& pages, const std::string& path, const Options& options,
                const Book& book, std::vector<std::string>& missing, std::string& problem);

// Empty when `output` is none of the files the page at `pagePath` is drawn
// from: the page itself and the pictures and letters of `collage`, named from
// `pageFolder`. Otherwise why it must not be written, naming both files.
std::string InputConflict(const std::string& output, const std::string& pagePath, const collage::Collage& collage,
                          const std::string& pageFolder);

}  // namespace collageexport
