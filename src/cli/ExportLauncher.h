// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace cli {

// --png/--pdf/--svg FILE, --scale and --paper: what an export is asked to write.
struct ExportRequest {
    std::string png;
    std::string pdf;
    std::string svg;
    std::string scale;  // "" : not given, 1
    std::string paper;
    std::string margin;  // millimetres; "" for the export's own 5
    // PDF: a title page, and numbered pages.
    std::string title;
    bool pageNumbers = false;

    bool Any() const { return !png.empty() || !pdf.empty() || !svg.empty(); }
    // True when one of the files is '-', standard output.
    bool WritesStandardOutput() const { return png == "-" || pdf == "-" || svg == "-"; }
    // The export program's arguments after the page; '-' names standard
    // output, which the program writes in place.
    std::vector<std::string> Arguments() const;
    // Throws CLI::ValidationError for a layout option that no file asked for
    // uses (--scale without --png, --paper without --pdf) and for more than
    // one file on standard output.
    void CheckApplies() const;
};

// Adds the export options to a sub-command; `withLayout` adds --scale and --paper.
void AddExportOptions(CLI::App& command, ExportRequest& request, bool withLayout);

// Where the export program is: beside the window program.
std::string ExportProgramPath();

// Runs the export program on `page` and waits for it; returns its exit
// status (1 after saying why when it cannot be started). Qt is loaded by
// that program only.
int RunExportProgram(const std::string& page, const ExportRequest& request);
// Several pages: one PDF book (request.pdf), a collage a page, in order.
int RunExportProgram(const std::vector<std::string>& pages, const ExportRequest& request);

}  // namespace cli
