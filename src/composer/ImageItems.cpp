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
#include <functional>
#include <iterator>

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
    // The listing as a list: a name may hold any character.
    const std::vector<FolderEntry> entries = FindEntries(state.m_customImageFolder + "/*.*");
    pool.folderEntries.assign(entries.size(), std::string());
    const size_t scan = std::min(entries.size(), ImagePool::kMaxCandidates);
    for (size_t p = 0; p < scan; ++p) {
        const FolderEntry& entry = entries[p];
        if (entry.isFolder || !IsPictureName(entry.name) || pool.candidates.size() >= ImagePool::kMaxCandidates)
            continue;
        pool.folderEntries[p] = entry.name;
        pool.candidates.push_back(state.m_nextImageId + static_cast<std::int32_t>(p));
    }
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A custom picture is copied once: a file of its name that holds other bytes
// is kept, and the copy goes under the next free "Copy of" name. Returns the
// name in the output folder that holds the picture, which the item names.
std::string CopyFolderPicture(MainFormState& state, const std::string& name, RunPictureNames& names) {
    const std::string source = state.m_customImageFolder + "/" + name;
    std::string target = state.m_outputFolder + name;
    bool present = false;
    for (int i = 0; i < 1000 && FileCopier::KindOf(target) != FileCopier::PathKind::Missing; ++i) {
        if ((present = SameFileContent(source, target))) break;
        target = MakeCopyName(target);
    }
    if (!present) {
        FileCopier copier;
        if (!copier.SafeCopy(source, state.m_outputFolder) || !SameFileContent(source, target)) {
            throw FileWriteError("The picture " + source + " could not be copied into " + state.m_outputFolder +
                                 ": " + copier.LastErrorText());
        }
    }
    const std::string written = BaseFileName(target);
    names.Take(written, FileBytes(target));
    return written;
}

}  // namespace

RunPictureNames::Fingerprint RunPictureNames::Of(std::string_view bytes) {
    return {bytes.size(), std::hash<std::string_view>{}(bytes)};
}

namespace {

std::string Folded(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return name;
}

// "same.gif" and 2 give "same-2.gif".
std::string NumberedName(const std::string& name, int n) {
    const size_t dot = name.find_last_of('.');
    const size_t cut = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, cut) + "-" + std::to_string(n) + name.substr(cut);
}

}  // namespace

std::string RunPictureNames::NameFor(const std::string& name, std::string_view bytes) {
    const Fingerprint print = Of(bytes);
    std::string candidate = name;
    for (int n = 2;; ++n) {
        auto [at, added] = m_taken.emplace(Folded(candidate), print);
        if (added || at->second == print) return candidate;
        candidate = NumberedName(name, n);
    }
}

void RunPictureNames::Take(const std::string& name, std::string_view bytes) { m_taken[Folded(name)] = Of(bytes); }

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

std::string ExtractLibraryImage(MainFormState& state, const std::string& idText, RunPictureNames& names) {
    SqlQuery query = state.m_db.Query(wordsdb::SelectImageFile(std::atol(idText.c_str())));
    if (query.IsEof()) return std::string();
    const std::string stored = BaseFileName(TextOrEmpty(query.FieldTextByName("FILENAME")));
    if (stored.empty() || stored == "." || stored == "..") return std::string();
    SqlBlob blob;
    blob.SetEncoded(query.FieldTextByName("FILESTORE"));
    const unsigned char* bytes = blob.Bytes();
    const int count = blob.ByteCount();
    std::string problem;
    const std::string_view content(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    const std::string name = names.NameFor(stored, content);
    if (!WriteFileReplacing(state.m_outputFolder + name, content, problem)) throw FileWriteError(problem);
    return name;
}

ImageCandidate ResolveImageCandidate(MainFormState& state, const ImagePool& pool, const ImageCandidate& previous,
                                     RunPictureNames& names) {
    const std::int32_t id = pool.candidates[static_cast<size_t>(rng::Next()) % pool.candidates.size()];
    if (id >= state.m_nextImageId) {
        const std::string& name = pool.folderEntries[static_cast<size_t>(id - state.m_nextImageId)];
        return {CopyFolderPicture(state, name, names), kUnknownWidthText, kUnknownHeightText};
    }
    const std::string written = ExtractLibraryImage(state, std::to_string(id), names);
    SqlQuery query = state.m_db.Query(wordsdb::SelectImageInfo(id));
    if (query.IsEof()) return previous;
    ImageCandidate image{BaseFileName(TextOrEmpty(query.FieldText(0))), TextOrEmpty(query.FieldText(1)),
                         TextOrEmpty(query.FieldText(2))};
    // The picture may have gone under a name of its own.
    if (!written.empty()) image.fileName = written;
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
