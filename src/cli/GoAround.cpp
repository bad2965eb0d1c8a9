// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/GoAround.h"

#include "composer/KeepAndRedraw.h"
#include "page/BoardEdits.h"
#include "support/Random.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <sstream>

namespace goaround {

namespace {

std::vector<std::string> SplitIds(const std::string& keep) {
    std::vector<std::string> ids;
    std::stringstream list(keep);
    for (std::string id; std::getline(list, id, ',');) {
        if (!id.empty()) ids.push_back(id);
    }
    return ids;
}

}  // namespace

collage::Collage LoadPage(const std::string& path, const std::string& keep) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) throw CLI::ValidationError("--around", "no file " + path);
    collage::Collage page;
    std::string problem;
    if (!collage::LoadPageFile(path, page, problem)) {
        std::cerr << "tarvex4 go: " << problem << '\n';
        throw CLI::RuntimeError(1);
    }
    const std::vector<std::string> unknown = keepredraw::MarkKept(page, SplitIds(keep));
    if (!unknown.empty()) {
        std::string names;
        for (const std::string& id : unknown) names += (names.empty() ? "" : ", ") + id;
        throw CLI::ValidationError("--keep", "no item " + names + " in " + path);
    }
    return page;
}

std::string PageFolder(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() || folder.ends_with('/') ? folder : folder + "/";
}

CollageResult Run(const collage::Collage& page, const std::string& pageFolder, std::optional<std::uint32_t> seed,
                  MainFormState& state, UserInterface& ui) {
    const std::string fileName = state.m_outputFileName;
    // The page drawn around, and every other, stays as it is.
    const std::string path = NextFreePagePath(state.m_outputFolder + fileName);
    state.m_outputFileName = std::filesystem::path(path).filename().string();
    state.m_outputFileText = state.m_outputFolder + state.m_outputFileName;
    rng::Seed(seed ? *seed : rng::ClockSeed());
    const std::set<std::string> kept = keepredraw::KeptIds(page);
    CollageResult result = BuildCollage(state, ui, [&](const MainFormState& form) {
        CollageResult around = keepredraw::ComposeAround(form, page, kept);
        keepredraw::CarryKeptPictures(around.collage, pageFolder, form.m_outputFolder);
        return around;
    });
    state.m_lastSeed = result.seed;
    state.m_outputFileName = fileName;
    state.m_outputFileText = state.m_outputFolder + fileName;
    if (!result.written) {
        std::cerr << "tarvex4 go: no page written\n";
        throw CLI::RuntimeError(1);
    }
    return result;
}

}  // namespace goaround
