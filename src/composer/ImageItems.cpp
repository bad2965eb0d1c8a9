#include "composer/ImageItems.h"

#include "db/SqlBlob.h"
#include "db/WordsDb.h"
#include "support/FileCopier.h"
#include "support/FolderListing.h"
#include "support/Random.h"
#include "support/SafeFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

// The size given to a picture whose own size is not known.
constexpr const char* kUnknownWidthText = "712";
constexpr const char* kUnknownHeightText = "534";

std::string TextOrEmpty(const char* text) { return text ? text : ""; }

bool IsPictureName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c); });
    return lower.find(".jpg") != std::string::npos || lower.find(".gif") != std::string::npos;
}

void AddFolderCandidates(MainFormState& state, ImagePool& pool) {
    const std::string listing = ListFolderEntries(state.m_customImageFolder + "/*.*");
    std::vector<std::string> entries;
    size_t start = 0;
    for (;;) {
        size_t bar = listing.find('|', start);
        entries.push_back(listing.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    pool.folderEntries.assign(entries.size(), std::string());
    const size_t scan = std::min(entries.size(), ImagePool::kMaxCandidates);
    for (size_t p = 0; p < scan; ++p) {
        if (!IsPictureName(entries[p]) || pool.candidates.size() >= ImagePool::kMaxCandidates) continue;
        pool.folderEntries[p] = entries[p];
        pool.candidates.push_back(state.m_nextImageId + static_cast<std::int32_t>(p));
    }
}

// The custom picture is already in the output folder, under its own name or
// one of its "Copy of" names: copying it again would only pile up copies.
bool AlreadyCopied(const std::string& source, const std::string& outputFolder, const std::string& name) {
    std::string target = outputFolder + name;
    for (int i = 0; i < 1000 && FileCopier::KindOf(target) != FileCopier::PathKind::Missing; ++i) {
        if (SameFileContent(source, target)) return true;
        target = MakeCopyName(target);
    }
    return false;
}

void CopyFolderPicture(MainFormState& state, const std::string& name) {
    const std::string source = state.m_customImageFolder + "/" + name;
    if (AlreadyCopied(source, state.m_outputFolder, name)) return;
    FileCopier copier;
    // A picture that cannot be copied is not reported; its item still names it.
    copier.SafeCopy(source, state.m_outputFolder);
}

}  // namespace

std::string BaseFileName(const std::string& name) {
    size_t cut = name.find_last_of("/\\");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

ImagePool BuildImagePool(MainFormState& state) {
    ImagePool pool;
    std::string selection = "0";
    {
        SqlQuery query = state.m_db.Query(wordsdb::SelectSelectionList());
        if (!query.IsEof()) selection = TextOrEmpty(query.FieldText(0));
    }
    {
        SqlQuery query = state.m_db.Query(wordsdb::SelectImageIdsInCategories(selection));
        for (; !query.IsEof(); query.NextRow()) {
            if (pool.candidates.size() < ImagePool::kMaxCandidates) pool.candidates.push_back(query.FieldInt(0));
        }
    }
    {
        // An empty library gives NULL, read as 0.
        SqlQuery query = state.m_db.Query(wordsdb::SelectMaxImageId());
        if (!query.IsEof()) state.m_nextImageId = query.FieldInt(0, 0) + 1;
    }
    if (state.m_useCustomFolder) AddFolderCandidates(state, pool);
    return pool;
}

void ExtractLibraryImage(MainFormState& state, const std::string& idText) {
    SqlQuery query = state.m_db.Query(wordsdb::SelectImageFile(std::atol(idText.c_str())));
    if (query.IsEof()) return;
    const std::string name = BaseFileName(TextOrEmpty(query.FieldTextByName("FILENAME")));
    if (name.empty() || name == "." || name == "..") return;
    SqlBlob blob;
    blob.SetEncoded(query.FieldTextByName("FILESTORE"));
    const unsigned char* bytes = blob.Bytes();
    const int count = blob.ByteCount();
    std::string problem;
    const std::string_view content(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    if (!WriteFileReplacing(state.m_outputFolder + name, content, problem)) throw FileWriteError(problem);
}

ImageCandidate ResolveImageCandidate(MainFormState& state, const ImagePool& pool, const ImageCandidate& previous) {
    const std::int32_t id = pool.candidates[static_cast<size_t>(rng::Next()) % pool.candidates.size()];
    if (id >= state.m_nextImageId) {
        const std::string& name = pool.folderEntries[static_cast<size_t>(id - state.m_nextImageId)];
        CopyFolderPicture(state, name);
        return {name, kUnknownWidthText, kUnknownHeightText};
    }
    ExtractLibraryImage(state, std::to_string(id));
    SqlQuery query = state.m_db.Query(wordsdb::SelectImageInfo(id));
    if (query.IsEof()) return previous;
    ImageCandidate image{BaseFileName(TextOrEmpty(query.FieldText(0))), TextOrEmpty(query.FieldText(1)),
                         TextOrEmpty(query.FieldText(2))};
    // A picture stored without a size (not a GIF) would be an item of no
    // size, which nobody can see or take hold of: give it the size a folder
    // picture of unknown size gets.
    if (std::atoi(image.widthText.c_str()) <= 0 || std::atoi(image.heightText.c_str()) <= 0) {
        image.widthText = kUnknownWidthText;
        image.heightText = kUnknownHeightText;
    }
    return image;
}

ImagePlacement PlaceImage(const ImageCandidate& image, int boundsWidth, int boundsHeight) {
    ImagePlacement placement;
    placement.left = rng::Next() % boundsWidth;
    placement.top = rng::Next() % boundsHeight;
    int width = std::atoi(image.widthText.c_str());
    int height = std::atoi(image.heightText.c_str());
    if (width + placement.left > boundsWidth) width = boundsWidth - placement.left;
    if (height + placement.top > boundsHeight) height = boundsHeight - placement.top;
    placement.widthText = std::to_string(width);
    placement.heightText = std::to_string(height);
    return placement;
}

collage::Item ImageItem(MainFormState& state, int slot, std::int32_t z, const std::string& fileName,
                        const ImagePlacement& placement) {
    collage::Item item;
    item.kind = collage::ItemKind::kPicture;
    item.number = slot;
    item.z = z;
    item.left = placement.left;
    item.top = placement.top;
    item.width = std::atoi(placement.widthText.c_str());
    item.height = std::atoi(placement.heightText.c_str());
    item.file = fileName;
    state.m_dragItemIds += "'" + item.PageId() + "',";
    return item;
}
