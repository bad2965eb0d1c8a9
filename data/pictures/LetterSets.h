// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QString>

#include <map>
#include <string>
#include <vector>

// The four sets of letter pictures a.gif..z.gif and space.gif. All pictures
// of a set share its height so that lettered words line up.
namespace lettersets {

struct LetterSet {
    std::string folder;  // stampkit, ransomnote, lcd, metal
    int height = 0;
    std::vector<std::pair<std::string, QImage>> pictures;  // file name, picture
};

std::vector<LetterSet> Draw(const std::map<std::string, std::vector<QString>>& fonts);

}  // namespace lettersets
