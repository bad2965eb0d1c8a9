// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "composer/CollageRun.h"
#include "form/MainFormState.h"
#include "page/CollageModel.h"
#include "support/UserInterface.h"

#include <cstdint>
#include <optional>
#include <string>

// `tarvex4 go --around PAGE --keep IDS`: a new draw around the kept items of
// a page GO wrote. Bad values throw CLI::ValidationError (exit status 2).
namespace goaround {

// The page with the items of `keep` ("dpagetextitem3~,dpageimageitem0")
// marked kept. An id naming no item of the page is a bad value; a page that
// cannot be read fails the command (status 1).
collage::Collage LoadPage(const std::string& path, const std::string& keep);

// The page's folder as the output folder takes it: ends with "/", or "".
std::string PageFolder(const std::string& path);

// Writes the new page into the state's output folder under the next free
// name and prints its path; the state's file name is left as it was. A page
// that could not be written fails the command (status 1).
CollageResult Run(const collage::Collage& page, const std::string& pageFolder, std::optional<std::uint32_t> seed,
                  MainFormState& state, UserInterface& ui);

}  // namespace goaround
