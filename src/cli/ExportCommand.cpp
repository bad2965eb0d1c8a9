// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 export: a collage page drawn as PNG, PDF or SVG, or pages as a PDF book.
#include "cli/CliRegistry.h"
#include "cli/ExportLauncher.h"
#include "session/Session.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <memory>

namespace {

struct ExportOptions {
    std::vector<std::string> pages;
    std::string session;
    cli::ExportRequest request;
};

// A session's board arrangement, exported from a page written beside the
// page it belongs to (its pictures are named from there) and removed after.
int ExportSessionBoard(const std::string& sessionFile, const cli::ExportRequest& request) {
    Session session;
    try {
        session = ReadSessionFile(sessionFile);
    } catch (const SessionError& e) {
        std::cerr << "tarvex4 export: " << e.what() << "\n";
        return 1;
    }
    if (session.boardPage.empty()) {
        std::cerr << "tarvex4 export: " << sessionFile
                  << " keeps no board arrangement (it was saved while the board showed no page)\n";
        return 1;
    }
    const std::filesystem::path folder = std::filesystem::path(session.boardPath).parent_path();
    std::string page = (folder.empty() ? std::filesystem::path(".") : folder).string() + "/.tarvex4-board-XXXXXX.html";
    const int fd = ::mkstemps(page.data(), 5);
    if (fd < 0 || ::write(fd, session.boardPage.data(), session.boardPage.size()) !=
                      static_cast<ssize_t>(session.boardPage.size())) {
        std::cerr << "tarvex4 export: cannot write the board's page beside " << session.boardPath << "\n";
        if (fd >= 0) {
            ::close(fd);
            std::filesystem::remove(page);
        }
        return 1;
    }
    ::close(fd);
    const int status = cli::RunExportProgram(page, request);
    std::error_code ignored;
    std::filesystem::remove(page, ignored);
    return status;
}

const cli::CliRegistration exportCommand{
    "export", [](CLI::App& root) {
        auto o = std::make_shared<ExportOptions>();
        CLI::App* command = root.add_subcommand(
            "export",
            "Draw a collage page as a PNG picture, a PDF document or an SVG drawing, as a browser shows\n"
            "it (pictures and letters are taken from beside the page). Several pages with --pdf make one\n"
            "PDF book, a collage a page in the order given. Needs no display.");
        CLI::Option* page = command->add_option("PAGE", o->pages, "The collage page (.html); several for a PDF book")
                                ->type_name("PAGE.html");
        command
            ->add_option("--session", o->session,
                         "Instead of PAGE: the cut-up board's arrangement kept in session FILE (*.vantelo)")
            ->type_name("FILE")
            ->excludes(page);
        cli::AddExportOptions(*command, o->request, true);
        command->callback([o] {
            if (!o->request.Any())
                throw CLI::ValidationError("export", "name at least one of --png, --pdf, --svg FILE");
            if (o->pages.empty() && o->session.empty())
                throw CLI::ValidationError("export", "name a PAGE or --session FILE");
            o->request.CheckApplies();
            const bool book = o->pages.size() > 1 || !o->request.title.empty() || o->request.pageNumbers;
            if (book && (o->request.pdf.empty() || !o->request.png.empty() || !o->request.svg.empty()))
                throw CLI::ValidationError(
                    "export", "several pages, --title and --page-numbers make a PDF book: give --pdf FILE alone");
            const int status = o->session.empty() ? cli::RunExportProgram(o->pages, o->request)
                                                  : ExportSessionBoard(o->session, o->request);
            if (status != 0) throw CLI::RuntimeError(status);
        });
    }};

}  // namespace
