// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/CollageRun.h"

#include "composer/ImageItems.h"
#include "composer/OutputSettings.h"
#include "composer/TextItems.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "support/Random.h"
#include "support/SafeFile.h"
#include "support/TextFileReader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kPageWidth = 850;
constexpr int kPageHeight = 1100;

std::uint32_t DrawBackgroundColour() {
    const std::uint32_t red = static_cast<std::uint32_t>(rng::Next() % 255);
    const std::uint32_t green = static_cast<std::uint32_t>(rng::Next() % 255);
    const std::uint32_t blue = static_cast<std::uint32_t>(rng::Next() % 255);
    return red | (green << 8) | (blue << 16);
}

// The image loop, with the text items put in before the second picture when
// they go under the pictures. Returns whether the text items were placed.
bool AppendImageItems(CollageRunContext& run, collage::Collage& collage, int backgroundChance, std::int32_t& z) {
    const MainFormState& state = run.state;
    std::vector<collage::Item>& items = collage.items;
    const int boundsWidth = state.m_landscape ? kPageHeight : kPageWidth;
    const int boundsHeight = state.m_landscape ? kPageWidth : kPageHeight;
    const int slots = std::clamp(state.m_imageVolume, settings::kImageVolume.minimum, settings::kImageVolume.maximum);
    bool textPlaced = false;

    ImagePool pool = BuildImagePool(run);
    ImageCandidate previous;
    for (int i = 0; i < slots; ++i) {
        if (pool.candidates.empty()) continue;
        ImageCandidate image = ResolveImageCandidate(run, pool, previous);
        previous = image;
        ImagePlacement placement = PlaceImage(image, boundsWidth, boundsHeight);
        if (!state.m_textOverImages && i == 1) {
            AppendTextItems(run, z, items, &collage.mix);
            z += 50;
            textPlaced = true;
        }
        if (i == 0 && backgroundChance > 50) placement = {0, 0, "850", "1100"};
        items.push_back(ImageItem(run, i, z, image.fileName, placement));
        z += 1;
    }
    return textPlaced;
}

bool ArtFontsPresent(const std::string& outputFolder) {
    return std::ifstream(outputFolder + "artfonts/stampkit/a.gif", std::ios::binary).is_open();
}

// What the user is told about a failed database step of the run: the
// message with its context, and for a broken file what is wrong with it.
std::string DatabaseFailureText(const MainFormState& state, const CppSQLite3Exception& e) {
    std::string text = FailureText(e, "Building the collage page");
    if (wordsdb::IsDamageCode(e.Code())) {
        const std::string report = wordsdb::DamageReport(state.DatabasePath(), true);
        if (!report.empty()) text += "\n" + report;
    }
    return text;
}

// Larger than any page GO writes; a bigger file is not one of them.
constexpr std::size_t kOwnPageMax = 16u << 20;

// Whether nothing is at `path`, or a page this program wrote: only such a
// file may be replaced by a new page. Anything else there (a document that
// happens to have the name, a pipe, a folder) is left alone.
bool MayReplace(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return true;
    std::string bytes;
    std::string why;
    if (ReadRegularFile(path, kOwnPageMax, bytes, why) != WholeFile::kRead) return false;
    collage::Collage page;
    return collage::ReadPage(bytes, page, why);
}

// The first free "collageN.html" (from the name's own stem: "party.html"
// gives party2.html, party3.html...) in the folder of `path`.
std::string FreePagePath(const std::string& path) {
    const std::filesystem::path name = std::filesystem::path(path).filename();
    std::string stem = name.stem().string();
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back()))) stem.pop_back();
    if (stem.empty()) stem = "collage";
    const std::string folder = path.substr(0, path.size() - name.string().size());
    for (unsigned n = 2;; ++n) {
        const std::string next = folder + stem + std::to_string(n) + name.extension().string();
        std::error_code error;
        const auto status = std::filesystem::symlink_status(next, error);
        // A name that cannot even be looked at is left to the write to report.
        if (error || !std::filesystem::exists(status)) return next;
    }
}

}  // namespace

CollageResult ComposeCollage(const MainFormState& state) {
    CollageRunContext run(state);
    CollageResult result;
    collage::Collage& page = result.collage;
    page.captureCode = state.m_captureCode;
    page.markSources = state.m_markSources;
    const int backgroundChance = rng::Next() % 100;
    page.background = DrawBackgroundColour();

    std::int32_t z = 1;
    bool textPlaced = false;
    {
        ScopedConnection connection(run.db, state.DatabasePath());
        textPlaced = AppendImageItems(run, page, backgroundChance, z);
    }

    // Text under pictures that never reached a second picture goes after them.
    if (state.m_textOverImages || !textPlaced) AppendTextItems(run, z, page.items, &page.mix);
    result.dragItemIds = std::move(run.dragItemIds);
    result.nextImageId = run.nextImageId;
    return result;
}

std::string NextFreePagePath(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error)) ? FreePagePath(path) : path;
}

CollageResult BuildCollage(const MainFormState& state, UserInterface& ui) {
    return BuildCollage(state, ui, ComposeCollage);
}

CollageResult BuildCollage(const MainFormState& state, UserInterface& ui, const CollageComposer& compose) {
    CollageResult result;
    // Seeding sets exactly this state, so it is the seed that gives this page again.
    result.seed = rng::State();
    result.pagePath = state.m_outputFolder + state.m_outputFileName;
    // A stored or saved folder that is gone is made again; one that cannot
    // be made is named before any picture is tried. The folder is the page's
    // own, also where the stored one lacks its last slash.
    const std::string pageFolder = result.pagePath.substr(0, result.pagePath.find_last_of('/') + 1);
    if (!pageFolder.empty() && !MakeFolder(pageFolder, result.problem)) {
        ui.HideWaitMessage();
        ui.ShowMessage(result.problem, "tarvex4", MessageButtons::Ok);
        return result;
    }
    std::string page;
    try {
        CollageResult composed = compose(state);
        result.collage = std::move(composed.collage);
        result.dragItemIds = std::move(composed.dragItemIds);
        result.nextImageId = composed.nextImageId;
        page = collage::WritePage(result.collage);
    } catch (const CppSQLite3Exception& e) {
        result.databaseFailed = true;
        result.problem = DatabaseFailureText(state, e);
        ui.HideWaitMessage();
        ui.ShowMessage(result.problem, wordsdb::kErrorCaption, MessageButtons::Ok);
        return result;
    } catch (const FileWriteError& e) {
        result.problem = e.what();
        ui.HideWaitMessage();
        ui.ShowMessage(result.problem, "tarvex4", MessageButtons::Ok);
        return result;
    }

    if (!ArtFontsPresent(state.m_outputFolder)) {
        std::string error;
        // The page is still worth writing: only its scripts and letters lack.
        if (!CopyArtFonts(state, state.m_outputFolder, &error)) {
            result.problem = "The art fonts could not be copied into " + state.m_outputFolder + ": " + error;
            ui.ShowMessage(result.problem, "Art fonts", MessageButtons::Ok);
        }
    }

    if (!MayReplace(result.pagePath)) {
        const std::string taken = result.pagePath;
        result.pagePath = FreePagePath(taken);
        ui.ShowMessage(taken + " is not a page tarvex4 wrote, so it was left as it is; the page was written as " +
                           result.pagePath + ".",
                       "tarvex4", MessageButtons::Ok);
    }
    std::string problem;
    // The old page stays whole until the new one is complete.
    if (!WriteFileReplacing(result.pagePath, page, problem)) {
        result.problem = problem;
        // The wait box would otherwise stay up over a run that has ended.
        ui.HideWaitMessage();
        ui.ShowMessage(problem, "tarvex4", MessageButtons::Ok);
        return result;
    }
    result.written = true;
    ui.HideWaitMessage();
    ui.OpenInBrowser(result.pagePath);
    return result;
}
