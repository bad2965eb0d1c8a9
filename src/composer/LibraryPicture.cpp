// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/LibraryPicture.h"

#include "composer/ImageItems.h"
#include "composer/TypedText.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "support/PictureNames.h"

#include <string_view>

namespace {

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
    const std::string shown = stored.name.empty() ? "picture " + std::to_string(pictureId) : stored.name;
    // A name that is no file name (".", "..", none) takes the picture's id.
    const bool named = !stored.name.empty() && stored.name != "." && stored.name != "..";
    const std::string name = named ? stored.name : "picture" + std::to_string(pictureId);
    return PlacedPictureItem(stored.bytes, name, "The library picture " + shown, pageFolder,
                             RunPictureNames::Sequence::kNumbered, item, problem);
}
