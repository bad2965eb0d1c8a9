// tarvex4 export: a page tarvex4 wrote, drawn as PNG, PDF or SVG.
#include "cli/CliRegistry.h"
#include "cli/ExportLauncher.h"

#include <memory>

namespace {

struct ExportOptions {
    std::string page;
    cli::ExportRequest request;
};

const cli::CliRegistration registration{"export", [](CLI::App& root) {
    auto o = std::make_shared<ExportOptions>();
    CLI::App* command = root.add_subcommand(
        "export",
        "Draw a collage page that tarvex4 wrote as a PNG picture, a PDF document or an SVG drawing,\n"
        "as a browser shows it (pictures and letters are taken from beside the page). Needs no display.");
    command->add_option("PAGE", o->page, "The collage page (.html)")->required()->type_name("PAGE.html");
    cli::AddExportOptions(*command, o->request, true);
    command->callback([o] {
        if (!o->request.Any()) throw CLI::ValidationError("export", "name at least one of --png, --pdf, --svg FILE");
        const int status = cli::RunExportProgram(o->page, o->request);
        if (status != 0) throw CLI::RuntimeError(status);
    });
}};

}  // namespace
