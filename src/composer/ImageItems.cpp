// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/ImageItems.h"

#include "db/SqlBlob.h"
#include "db/WordsDb.h"
#include "support/FileCopier.h"
#include "support/FolderListing.h"
#include "support/PictureFormat.h"
#include "support/PictureNames.h"
#include "support/Random.h"
#include "support/SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

// The size given to a picture whose own size is not known.
constexpr const char* kUnknownWidthText = "712";
constexpr const char* kUnknownHeightText = "534";

std::string TextOrEmpty(const char* text) { return text ? text : ""; }

bool IsPictureName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    });
    return lower.find(".jpg") != std::string::npos || lower.find(".gif") != std::string::npos ||
           HasPictureExtension(name);
}

// The first bytes of a regular file: enough for its kind and, nearly always,
// its size. Anything else is not opened (a named pipe would wait for a writer).
std::string FileHead(const std::string& path, std::size_t count) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    std::ifstream in(path, std::ios::binary);
    std::string head(count, '\0');
    in.read(head.data(), static_cast<std::streamsize>(count));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return head;
}

PictureHeader HeaderOfFile(const std::string& path, std::size_t count) {
    const std::string head = FileHead(path, count);
    return ReadPictureHeader(reinterpret_cast<const unsigned char*>(head.data()), head.size());
}

// A picture of another name is recognised by its first bytes.
bool HoldsPicture(const std::string& path) { return HeaderOfFile(path, 16).kind != PictureKind::Unknown; }

void AddFolderCandidates(CollageRunContext& run, ImagePool& pool) {
    const MainFormState& state = run.state;
    // The listing as a list: a name may hold any character.
    const std::vector<FolderEntry> entries = FindEntries(state.m_customImageFolder + "/*.*");
    pool.folderEntries.assign(entries.size(), std::string());
    const size_t scan = std::min(entries.size(), ImagePool::kMaxCandidates);
    for (size_t p = 0; p < scan; ++p) {
        const FolderEntry& entry = entries[p];
        if (entry.isFolder || pool.candidates.size() >= ImagePool::kMaxCandidates) continue;
        if (!IsPictureName(entry.name) && !HoldsPicture(entry.fullPath)) continue;
        pool.folderEntries[p] = entry.name;
        pool.candidates.push_back(run.nextImageId + static_cast<std::int32_t>(p));
    }
}

// The bytes of a regular file; a named pipe or a device is not one.
bool ReadPictureFile(const std::string& path, std::string& bytes, std::string& problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat held {};
    if (fd < 0 || ::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
        problem = fd < 0 ? std::strerror(errno) : "it is not a regular file";
        if (fd >= 0) ::close(fd);
        return false;
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (got < 0) problem = std::strerror(errno);
            break;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return problem.empty();
}

// A custom picture goes under its own name, or under the next free "Copy of"
// name when a file of its name holds other bytes. Returns the name in the
// output folder that holds the picture, which the item names.
// The copy takes the extension of the picture's kind, so a browser shows it
// whatever the file was called ("scan" holding a PNG is copied as "scan.png").
std::string CopyFolderPicture(CollageRunContext& run, const std::string& name, PictureKind kind) {
    const MainFormState& state = run.state;
    const std::string source = state.m_customImageFolder + "/" + name;
    std::string bytes, problem;
    if (!ReadPictureFile(source, bytes, problem)) {
        throw FileWriteError("The picture " + source + " could not be copied into " + state.m_outputFolder + ": " +
                             problem);
    }
    return run.pictureNames.Place(state.m_outputFolder, SafePictureFileName(NameForPictureKind(name, kind)), bytes,
                                  RunPictureNames::Sequence::kCopyOf);
}

}  // namespace

std::string BaseFileName(const std::string& name) {
    size_t cut = name.find_last_of("/\\");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

ImagePool BuildImagePool(CollageRunContext& run) {
    ImagePool pool;
    std::string selection = "0";
    {
        SqlQuery query = run.db.Query(wordsdb::SelectSelectionList());
        if (!query.IsEof()) selection = TextOrEmpty(query.FieldText(0));
    }
    {
        SqlQuery query = run.db.Query(wordsdb::SelectImageIdsInCategories(selection));
        for (; !query.IsEof(); query.NextRow()) {
            if (pool.candidates.size() < ImagePool::kMaxCandidates) pool.candidates.push_back(query.FieldInt(0));
        }
    }
    {
        // An empty library gives NULL, read as 0.
        SqlQuery query = run.db.Query(wordsdb::SelectMaxImageId());
        if (!query.IsEof()) run.nextImageId = query.FieldInt(0, 0) + 1;
    }
    if (run.state.m_useCustomFolder) AddFolderCandidates(run, pool);
    return pool;
}

std::string ExtractLibraryImage(CollageRunContext& run, const std::string& idText) {
    SqlQuery query = run.db.Query(wordsdb::SelectImageFile(std::atol(idText.c_str())));
    if (query.IsEof()) return std::string();
    const std::string stored = BaseFileName(TextOrEmpty(query.FieldTextByName("FILENAME")));
    if (stored.empty() || stored == "." || stored == "..") return std::string();
    SqlBlob blob;
    blob.SetEncoded(query.FieldTextByName("FILESTORE"));
    const unsigned char* bytes = blob.Bytes();
    const int count = blob.ByteCount();
    const std::string_view content(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
    // Written with the extension of what it holds, which a browser may go by.
    const PictureKind kind = SniffPicture(bytes, static_cast<size_t>(count));
    const std::string name = SafePictureFileName(NameForPictureKind(stored, kind));
    return run.pictureNames.Place(run.state.m_outputFolder, name, content, RunPictureNames::Sequence::kNumbered);
}

ImageCandidate ResolveImageCandidate(CollageRunContext& run, const ImagePool& pool, const ImageCandidate& previous) {
    const std::int32_t id = pool.candidates[static_cast<size_t>(rng::Next()) % pool.candidates.size()];
    if (id >= run.nextImageId) {
        const std::string& name = pool.folderEntries[static_cast<size_t>(id - run.nextImageId)];
        // The size its header gives; one that cannot be read, or that
        // declares more pixels than any picture should, the usual size.
        const PictureHeader header = HeaderOfFile(run.state.m_customImageFolder + "/" + name, kPictureHeadBytes);
        const bool sized = header.sized && header.width > 0 && header.height > 0 &&
                           static_cast<long long>(header.width) * header.height <= kMaxPicturePixels;
        const std::string copied = CopyFolderPicture(run, name, header.kind);
        if (!sized) return {copied, kUnknownWidthText, kUnknownHeightText};
        return {copied, std::to_string(header.width), std::to_string(header.height)};
    }
    const std::string written = ExtractLibraryImage(run, std::to_string(id));
    SqlQuery query = run.db.Query(wordsdb::SelectImageInfo(id));
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

collage::Item ImageItem(CollageRunContext& run, int slot, std::int32_t z, const std::string& fileName,
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
    AppendDragItemId(run.dragItemIds, item);
    return item;
}
