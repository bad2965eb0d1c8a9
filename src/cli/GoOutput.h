// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "cli/ExportLauncher.h"
#include "composer/CollageRun.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Where the answers of `tarvex4 go` go, so that a script gets on standard
// output only what it asked for, and the standard streams as files ('-').
namespace cli {

struct GoOutputOptions {
    bool json = false;
    bool quiet = false;
    // --report [FILE]: given at all, and the file ("" : standard error).
    CLI::Option* report = nullptr;
    std::string reportFile;

    bool ReportAsked() const { return report != nullptr && report->count() > 0; }
};

// --json, --quiet and --report [FILE].
void AddGoOutputOptions(CLI::App& go, GoOutputOptions& options);

// The files a run reads and writes as named on the command line.
struct GoStreamClaims {
    std::string text;                 // --text
    std::string main;                 // --main
    std::vector<std::string> tracks;  // --track K=FILE
    const ExportRequest* exportTo = nullptr;
};

// Refuses (CLI::ValidationError, exit status 2) two options that both want
// standard output or standard input, and options that do not apply.
void CheckStreams(const GoOutputOptions& options, const GoStreamClaims& claims);

// `text` into the file `path`, or onto standard output for "-"; false (said
// on stderr, naming `what`, "the cut-up text") when it could not be written.
bool WriteGoText(const std::string& path, const std::string& text, const std::string& what);

// Standard input kept as a file for the loaders, which read files; the
// copy is taken once, up to `lines` lines, and removed with this object.
class StandardInputFile {
public:
    StandardInputFile() = default;
    StandardInputFile(const StandardInputFile&) = delete;
    StandardInputFile& operator=(const StandardInputFile&) = delete;
    ~StandardInputFile();
    // The copy's path; throws CLI::RuntimeError(1) after saying why when it
    // cannot be made.
    const std::string& Path(int lines);

private:
    std::string m_folder;
    std::string m_path;
};

// A word list as JSON: one object per row, the header's names as keys.
nlohmann::ordered_json TableJson(const std::vector<std::string>& names,
                                 const std::vector<std::vector<std::string>>& rows);

// One page as the --json object describes it.
nlohmann::ordered_json PageJson(const CollageResult& result, std::uint32_t seed);

// Tells what a run did: the seed, each page, the report and the JSON object.
class GoTeller {
public:
    GoTeller(const GoOutputOptions& options, bool standardOutputTaken);
    // A seed taken from the clock is told, so the page can be made again.
    void Seed(std::uint32_t seed, bool fromClock);
    void Page(const CollageResult& result, std::uint32_t seed);
    // The mix report on standard error or into the --report file; false
    // (said on stderr) when it could not be written.
    bool Report(const collage::Collage& page) const;
    // The --json object on standard output, once every page is written;
    // false (said) when standard output did not take it.
    bool Finish(int count) const;

private:
    std::ostream& Notes() const;

    const GoOutputOptions& m_options;
    bool m_standardOutputTaken = false;
    std::uint32_t m_firstSeed = 0;
    nlohmann::ordered_json m_pages = nlohmann::ordered_json::array();
};

}  // namespace cli
