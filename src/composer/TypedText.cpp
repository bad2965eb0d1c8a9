// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/TypedText.h"

#include "composer/OutputSettings.h"
#include "composer/RunPictureNames.h"
#include "composer/SnipRules.h"
#include "page/ArtFontLetters.h"
#include "support/PictureFormat.h"
#include "support/PictureNames.h"
#include "support/SafeFile.h"
#include "support/TextFileReader.h"

#include <algorithm>
#include <filesystem>

collage::Item TypedTextItem(const MainFormState& state, const std::string& words) {
    collage::Item item;
    item.style = std::clamp(state.m_mainStyle, 0, 5);
    item.words = words;
    item.width = 300;
    if (item.style > 1) {
        item.kind = collage::ItemKind::kLetters;
        item.lettersHtml = BuildArtFontLetters(words, item.style);
        return item;
    }
    item.fontSpan = CollapseSpaces(MainTextFontSpan(state));
    if (item.style == 0) item.background = state.m_backgroundColour;
    return item;
}

namespace {

// A picture this large is no page picture.
constexpr std::size_t kFilePictureMax = 256u << 20;
constexpr int kLargestSide = 360;

}  // namespace

bool FilePictureItem(const std::string& path, const std::string& pageFolder, collage::Item& item,
                     std::string& problem) {
    std::string bytes;
    std::string why;
    if (ReadRegularFile(path, kFilePictureMax, bytes, why) != WholeFile::kRead) {
        problem = "Cannot read the picture " + path + ": " + why;
        return false;
    }
    return PlacedPictureItem(bytes, std::filesystem::path(path).filename().string(), path, pageFolder,
                             RunPictureNames::Sequence::kCopyOf, item, problem);
}

bool PlacedPictureItem(const std::string& bytes, const std::string& name, const std::string& shown,
                       const std::string& pageFolder, RunPictureNames::Sequence sequence, collage::Item& item,
                       std::string& problem) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const PictureHeader header = ReadPictureHeader(data, bytes.size());
    const std::string why = PictureProblem(header, data, bytes.size());
    if (!why.empty()) {
        problem = shown + " is no picture a page can show: " + why;
        return false;
    }
    try {
        RunPictureNames names;
        item.file =
            names.Place(pageFolder, SafePictureFileName(NameForPictureKind(name, header.kind)), bytes, sequence);
    } catch (const FileWriteError& e) {
        problem = e.what();
        return false;
    }
    item.kind = collage::ItemKind::kPicture;
    const double scale = std::min(1.0, double(kLargestSide) / std::max(header.width, header.height));
    item.width = std::max(1, static_cast<int>(header.width * scale + 0.5));
    item.height = std::max(1, static_cast<int>(header.height * scale + 0.5));
    return true;
}
