// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <string>
#include <vector>

// A page saved into another folder takes the pictures and letter pictures it
// uses along, so it shows whole wherever it goes. Each is copied from
// `fromFolder` into `toFolder` under the names a GO run gives there: a file of
// the same bytes is used as it is, one of other bytes keeps its name and the
// copy takes the next free one, which `collage` then names. A picture missing
// from `fromFolder` was missing already and keeps its name.
// False, with `problem` naming the file, when a copy fails: every copy made
// is removed again and `collage` is left as it was. `made` gets the files
// this call created, for the caller to remove should the page itself fail.
bool CopyPagePictures(collage::Collage& collage, const std::string& fromFolder, const std::string& toFolder,
                      std::vector<std::string>& made, std::string& problem);
