// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/CategoryPictures.h"

#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"

#include <cstdlib>

namespace {

// Categories are stored as the decimal text of their ID.
bool ReadCategoryId(const char* text, long& id) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    id = std::strtol(text, &end, 10);
    return *end == '\0' && text[0] >= '0' && text[0] <= '9';
}

}  // namespace

std::map<long, CategoryPictures> FirstPicturesOfCategories(SqlDatabase& db, std::size_t perCategory) {
    std::map<long, CategoryPictures> pictures;
    for (SqlQuery query = db.Query(wordsdb::SelectImageCategoriesInIdOrder()); !query.IsEof(); query.NextRow()) {
        long category = 0;
        if (!ReadCategoryId(query.FieldText(1), category)) continue;
        CategoryPictures& found = pictures[category];
        if (found.firstIds.size() < perCategory) found.firstIds.push_back(query.FieldInt(0));
        ++found.count;
    }
    return pictures;
}

std::vector<PictureStamp> StampPictures(SqlDatabase& db, const std::vector<long>& ids) {
    std::vector<PictureStamp> stamps;
    if (ids.empty()) return stamps;
    for (SqlQuery query = db.Query(wordsdb::SelectExistingImageIds(ids)); !query.IsEof(); query.NextRow()) {
        const long id = query.FieldInt(0);
        const long long size = db.StoredSize(wordsdb::kImageTable, wordsdb::kImageFileColumn, id);
        stamps.push_back({id, std::to_string(id) + ":" + std::to_string(size)});
    }
    return stamps;
}

std::vector<StoredPicture> ReadPictures(SqlDatabase& db, const std::vector<long>& ids) {
    std::vector<StoredPicture> pictures;
    if (ids.empty()) return pictures;
    for (SqlQuery query = db.Query(wordsdb::SelectImageFiles(ids)); !query.IsEof(); query.NextRow()) {
        StoredPicture picture;
        picture.id = query.FieldInt(0);
        try {
            SqlBlob blob;
            blob.SetEncoded(query.FieldText(1));
            const unsigned char* bytes = blob.Bytes();
            picture.bytes.assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(blob.ByteCount()));
            picture.readable = true;
        } catch (const CppSQLite3Exception&) {
            // A damaged row shows as a placeholder; the others still show.
        }
        pictures.push_back(std::move(picture));
    }
    return pictures;
}
