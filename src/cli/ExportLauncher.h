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
    std::string scale = "1";
    std::string paper;
    std::string margin;  // millimetres; "" for the export's own 5

    bool Any() const { return !png.empty() || !pdf.empty() || !svg.empty(); }
    // The export program's arguments after the page.
    std::vector<std::string> Arguments() const;
};

// Adds the export options to a sub-command; `withLayout` adds --scale and --paper.
void AddExportOptions(CLI::App& command, ExportRequest& request, bool withLayout);

// Where the export program is: beside the window program.
std::string ExportProgramPath();

// Runs the export program on `page` and waits for it; returns its exit
// status (1 after saying why when it cannot be started). Qt is loaded by
// that program only.
int RunExportProgram(const std::string& page, const ExportRequest& request);

}  // namespace cli
