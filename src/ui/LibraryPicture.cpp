// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LibraryPicture.h"

#include "composer/ImageItems.h"
#include "composer/RunPictureNames.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "support/PictureFormat.h"
#include "support/PictureNames.h"
#include "support/SafeFile.h"

#include <algorithm>
#include <string_view>

namespace {

// As large as a picture added from a file may come.
constexpr int kLargestSide = 360;

struct Stored {
    std::string name;
    std::string bytes;
};

// False when the library has no picture `id`.
bool ReadStored(const std::string& databasePath, long id, Stored& stored) {
    SqlDatabase db(SqlDatabase::OpenMode::ExistingOnly);
    db.Open(databasePath);
    SqlQuery query = db.Query(wordsdb::SelectImageFile(id));
    if (query.IsEof()) return false;
    const char* name = query.FieldTextByName("FILENAME");
    stored.name = BaseFileName(name != nullptr ? name : "");
    const char* text = query.FieldTextByName("FILESTORE");
    SqlBlob blob;
    blob.SetEncoded(text != nullptr ? text : "");
    stored.bytes.assign(reinterpret_cast<const char*>(blob.Bytes()), static_cast<size_t>(blob.ByteCount()));
    return true;
}

}  // namespace

bool LibraryPictureItem(const std::string& databasePath, long pictureId, const std::string& pageFolder,
                        collage::Item& item, std::string& problem) {
    Stored stored;
    try {
        if (!ReadStored(databasePath, pictureId, stored)) {
            problem = "Picture " + std::to_string(pictureId) + " is no longer in the image library.";
            return false;
        }
    } catch (const CppSQLite3Exception& e) {
        problem = std::string("The image library could not be read: ") + e.what();
        return false;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(stored.bytes.data());
    const PictureHeader header = ReadPictureHeader(data, stored.bytes.size());
    const std::string why = PictureProblem(header, data, stored.bytes.size());
    const std::string shownName = stored.name.empty() ? "picture " + std::to_string(pictureId) : stored.name;
    if (!why.empty()) {
        problem = "The library picture " + shownName + " is no picture a page can show: " + why;
        return false;
    }
    // A name that is no file name (".", "..", none) takes the picture's id.
    const bool named = !stored.name.empty() && stored.name != "." && stored.name != "..";
    const std::string name = named ? stored.name : "picture" + std::to_string(pictureId);
    try {
        RunPictureNames names;
        item.file = names.Place(pageFolder, SafePictureFileName(NameForPictureKind(name, header.kind)), stored.bytes,
                                RunPictureNames::Sequence::kNumbered);
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
