// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

class SqlDatabase;

// The starter picture library: GIF files listed in a manifest, one
// "category<TAB>path" a line, categories in their first-listed order.
namespace imagelibrary {

struct Picture {
    std::string category;
    std::string path;
};

std::vector<Picture> ReadManifest(const std::string& path);

// Pixel size from a GIF file's logical screen descriptor; throws when the
// bytes are not a GIF.
struct GifSize {
    int width = 0;
    int height = 0;
};
GifSize ReadGifSize(const std::string& bytes);

// Categories (IDs 1..n in manifest order), every picture, and a selection of
// every category.
void Write(SqlDatabase& db, const std::vector<Picture>& pictures);

}  // namespace imagelibrary
