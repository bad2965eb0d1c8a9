// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <vector>

class SqlDatabase;

// The few pictures that show what a category holds (the sources window's
// thumbnails): the first ones of each category in ID order, so the choice
// is the same every time until the category changes.

constexpr std::size_t kPicturesShownPerCategory = 8;

struct CategoryPictures {
    std::vector<long> firstIds;  // at most the number asked for, ascending
    long count = 0;              // all the category's pictures
};
// Category ID -> its first `perCategory` pictures and how many it has. One
// pass over the library that reads no picture. A row whose category is not
// a decimal number belongs to no category. Database failures are thrown.
std::map<long, CategoryPictures> FirstPicturesOfCategories(SqlDatabase& db,
                                                           std::size_t perCategory = kPicturesShownPerCategory);

// What tells a stored picture apart from one that had its ID before:
// "<id>:<size of its stored text>", found without reading the picture.
struct PictureStamp {
    long id = 0;
    std::string stamp;
};
// Stamps of the pictures of `ids` that exist, ascending by ID.
std::vector<PictureStamp> StampPictures(SqlDatabase& db, const std::vector<long>& ids);

// One picture's file as it was imported; `readable` is false (and `bytes`
// empty) when the stored text cannot be decoded.
struct StoredPicture {
    long id = 0;
    std::string bytes;
    bool readable = false;
};
// The files of the pictures of `ids` that exist, ascending by ID.
std::vector<StoredPicture> ReadPictures(SqlDatabase& db, const std::vector<long>& ids);
