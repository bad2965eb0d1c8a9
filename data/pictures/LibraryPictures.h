// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>

#include <map>
#include <string>
#include <vector>

// The starter picture library: our own drawings in a few categories, of
// varied sizes (some larger than the collage page).
namespace librarypictures {

struct Picture {
    std::string category;
    std::string fileName;
    QImage image;
};

// `fonts`: font files by letter set (the stamps use the stencil and the heavy face).
std::vector<Picture> Draw(const std::map<std::string, std::vector<QString>>& fonts);

}  // namespace librarypictures
