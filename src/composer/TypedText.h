// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "composer/RunPictureNames.h"
#include "form/MainFormState.h"
#include "page/CollageModel.h"

#include <string>

// A snip the writer types (or pastes) onto the board, in the look the main
// text's snips have now: its style, font and palette colour. Placed at 0,0
// with no id yet (collage::AddItem gives it one).
collage::Item TypedTextItem(const MainFormState& state, const std::string& words);

// A picture file put into the page's folder (which ends with "/" or is "")
// under the folder's unique naming, as a picture item at 0,0 no larger than
// the page's third; false with `problem` for a file that is no sound picture
// or could not be copied.
bool FilePictureItem(const std::string& path, const std::string& pageFolder, collage::Item& item, std::string& problem);

// The picture `bytes` of name `name` put into the page's folder under its
// unique naming (`sequence`), as a picture item at 0,0 no larger than the
// page's third; false with `problem` (which names the picture as `shown`)
// when the bytes are no sound picture or could not be written.
bool PlacedPictureItem(const std::string& bytes, const std::string& name, const std::string& shown,
                       const std::string& pageFolder, RunPictureNames::Sequence sequence, collage::Item& item,
                       std::string& problem);
