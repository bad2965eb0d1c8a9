// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <string>

// Reads a collage page as a browser does: any page that holds the page
// container and items with the page's ids, whoever wrote it last (a browser
// that saved the dragged page, a hand edit). Positions, sizes, stacking,
// rotation, colours, fonts, words, letters and pictures come from the items'
// attributes and inline styles. The collage comes out as WritePage would
// have written it, so it writes again and reads back the same.
namespace collage {

bool ParseBrowserPage(const std::string& html, Collage& collage, std::string& why);

// What the page's writer and this reader share.
namespace detail {
// "main 12-14" or "main" into the item's source and word positions.
void ReadSourceTitle(const std::string& title, Item& item);
// The lettered style whose letter folder the first letter is in (2 if none).
int LetterStyle(const Item& item);
// The picture file a SRC names, as the page's writer wrote it.
std::string FileOfSrc(std::string src);
}  // namespace detail

}  // namespace collage
