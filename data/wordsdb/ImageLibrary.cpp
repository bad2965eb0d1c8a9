// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageLibrary.h"

#include "common/SourceFiles.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"

#include <filesystem>
#include <stdexcept>

namespace imagelibrary {

std::vector<Picture> ReadManifest(const std::string& path) {
    const std::string text = datasrc::ReadFile(path);
    std::vector<Picture> pictures;
    for (std::string_view line : datasrc::SplitLines(text)) {
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos) continue;
        pictures.push_back(Picture{std::string(line.substr(0, tab)), std::string(line.substr(tab + 1))});
    }
    return pictures;
}

GifSize ReadGifSize(const std::string& bytes) {
    if (bytes.size() < 10 || bytes.compare(0, 4, "GIF8") != 0) throw std::runtime_error("not a GIF file");
    const auto byte = [&](std::size_t i) { return static_cast<int>(static_cast<unsigned char>(bytes[i])); };
    return GifSize{byte(6) | byte(7) << 8, byte(8) | byte(9) << 8};
}

void Write(SqlDatabase& db, const std::vector<Picture>& pictures) {
    std::vector<std::string> categories;
    std::string selection;
    for (const Picture& picture : pictures) {
        if (categories.empty() || categories.back() != picture.category) {
            categories.push_back(picture.category);
            db.Execute(wordsdb::InsertCategory(picture.category));
            if (!selection.empty()) selection += ',';
            selection += std::to_string(categories.size());
        }
        const std::string bytes = datasrc::ReadFile(picture.path);
        const GifSize size = ReadGifSize(bytes);
        SqlBlob blob;
        blob.SetBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
        db.Execute(wordsdb::InsertImage(std::to_string(categories.size()),
                                        std::filesystem::path(picture.path).filename().string(),
                                        std::to_string(size.width), std::to_string(size.height), blob.Encoded()));
    }
    db.Execute(wordsdb::InsertSelectionList(selection));
}

}  // namespace imagelibrary
