// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/GoOutput.h"
#include "page/ItemKindName.h"

#include "composer/CutUpText.h"
#include "support/SafeFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

namespace cli {

void AddGoOutputOptions(CLI::App& go, GoOutputOptions& options) {
    go.add_flag("--json", options.json,
                "Print one JSON object on standard output: page (pages with --count), seed, items,\n"
                "pictures and text; the page path and notes go to standard error");
    go.add_flag("--quiet,-q", options.quiet, "Leave out the page path and notes (errors still show)");
    options.report = go.add_option("--report", options.reportFile,
                                   "Print on standard error (or into FILE) per source the share of the draw its\n"
                                   "weight asks for, the shares of snips and of words the page got from it, and\n"
                                   "its snips with no word (empty)")
                         ->expected(0, 1)
                         ->type_name("[FILE]");
}

namespace {

bool IsStandard(const std::string& file) { return file == "-"; }

bool TrackIsStandard(const std::string& pair) {
    const std::size_t eq = pair.find('=');
    return eq != std::string::npos && IsStandard(pair.substr(eq + 1));
}

}  // namespace

bool WriteGoText(const std::string& path, const std::string& text, const std::string& what) {
    if (IsStandard(path)) {
        std::cout << text << std::flush;
        if (std::cout) return true;
        std::cerr << "tarvex4 go: " << what << " could not be written to standard output\n";
        return false;
    }
    std::string problem;
    if (WriteFileReplacing(path, text, problem)) return true;
    std::cerr << "tarvex4 go: " << what << " was not written: " << problem << '\n';
    return false;
}

void CheckStreams(const GoOutputOptions& options, const GoStreamClaims& claims) {
    std::vector<std::string> writers;
    if (options.json) writers.push_back("--json");
    if (IsStandard(claims.text)) writers.push_back("--text -");
    if (claims.exportTo != nullptr) {
        claims.exportTo->CheckApplies();
        if (claims.exportTo->WritesStandardOutput()) writers.push_back("--png/--pdf/--svg -");
    }
    if (options.ReportAsked() && IsStandard(options.reportFile)) writers.push_back("--report -");
    if (writers.size() > 1)
        throw CLI::ValidationError(writers[0] + " and " + writers[1], "only one can take standard output");

    int readers = IsStandard(claims.main);
    for (const std::string& track : claims.tracks) readers += TrackIsStandard(track);
    if (readers > 1)
        throw CLI::ValidationError("--main/--track", "only one text can be read from standard input ('-')");
}

StandardInputFile::~StandardInputFile() {
    if (m_folder.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

const std::string& StandardInputFile::Path(int lines) {
    if (!m_path.empty()) return m_path;
    std::error_code error;
    std::string folder = (std::filesystem::temp_directory_path(error) / "tarvex4-stdin-XXXXXX").string();
    if (error || ::mkdtemp(folder.data()) == nullptr) {
        std::cerr << "tarvex4 go: cannot keep standard input in a temporary folder\n";
        throw CLI::RuntimeError(1);
    }
    m_folder = folder;
    const std::string path = folder + "/stdin";
    std::ofstream out(path, std::ios::binary);
    // The loaders take the first lines only; a stream without line breaks
    // is still cut off, so an endless one is no endless wait.
    constexpr std::size_t kMostBytes = 16 << 20;
    std::size_t bytes = 0;
    std::string line;
    for (int n = 0; n < lines && bytes < kMostBytes && std::getline(std::cin, line); ++n) {
        bytes += line.size() + 1;
        out << line << '\n';
    }
    if (!out.flush()) {
        std::cerr << "tarvex4 go: cannot keep standard input in " << path << "\n";
        throw CLI::RuntimeError(1);
    }
    m_path = path;
    return m_path;
}

nlohmann::ordered_json TableJson(const std::vector<std::string>& names,
                                 const std::vector<std::vector<std::string>>& rows) {
    nlohmann::ordered_json table = nlohmann::ordered_json::array();
    for (const std::vector<std::string>& row : rows) {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < names.size() && i < row.size(); ++i) object[names[i]] = row[i];
        table.push_back(std::move(object));
    }
    return table;
}

namespace {

nlohmann::ordered_json ItemJson(const collage::Item& item) {
    nlohmann::ordered_json json = {
        {"kind", collage::KindName(item.kind)},
        {"id", item.PageId()},
        {"box", {{"left", item.left}, {"top", item.top}, {"width", item.width}, {"height", item.height}}},
        {"z", item.z}};
    if (item.kind == collage::ItemKind::kPicture) {
        json["file"] = item.file;
        return json;
    }
    json["words"] = collage::SnipLine(item);
    json["source"] = item.source.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(item.source);
    json["range"] = item.lastWord >= item.firstWord ? nlohmann::ordered_json::array({item.firstWord, item.lastWord})
                                                    : nlohmann::ordered_json();
    return json;
}

}  // namespace

nlohmann::ordered_json PageJson(const CollageResult& result, std::uint32_t seed) {
    const std::filesystem::path folder = std::filesystem::path(result.pagePath).parent_path();
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    nlohmann::ordered_json text = nlohmann::ordered_json::array();
    std::set<std::string> pictures;
    for (const collage::Item& item : result.collage.items) {
        items.push_back(ItemJson(item));
        if (item.kind == collage::ItemKind::kPicture) pictures.insert((folder / item.file).string());
        const std::string line = collage::SnipLine(item);
        if (!line.empty()) text.push_back(line);
    }
    return {{"page", result.pagePath},
            {"seed", seed},
            {"items", std::move(items)},
            {"pictures", pictures},
            {"text", std::move(text)}};
}

GoTeller::GoTeller(const GoOutputOptions& options, bool standardOutputTaken)
        : m_options(options), m_standardOutputTaken(standardOutputTaken || options.json) {}

std::ostream& GoTeller::Notes() const { return m_standardOutputTaken ? std::cerr : std::cout; }

void GoTeller::Seed(std::uint32_t seed, bool fromClock) {
    m_firstSeed = seed;
    if (fromClock && !m_options.quiet) std::cerr << "seed " << seed << std::endl;
}

void GoTeller::Page(const CollageResult& result, std::uint32_t seed) {
    if (m_options.json) m_pages.push_back(PageJson(result, seed));
    if (!m_options.quiet) Notes() << result.pagePath << std::endl;
}

bool GoTeller::Report(const collage::Collage& page) const {
    const std::string report = collage::MixReportText(page);
    if (m_options.reportFile.empty()) {
        std::cerr << report << std::flush;
        return true;
    }
    return WriteGoText(m_options.reportFile, report, "the mix report");
}

bool GoTeller::Finish(int count) const {
    if (!m_options.json) return true;
    nlohmann::ordered_json answer;
    if (count > 1) {
        answer = {{"pages", m_pages}, {"seed", m_firstSeed}};
    } else if (!m_pages.empty()) {
        answer = m_pages.front();
    }
    std::cout << answer.dump(2) << std::endl;
    if (std::cout) return true;
    std::cerr << "tarvex4 go: the JSON answer could not be written to standard output\n";
    return false;
}

}  // namespace cli
