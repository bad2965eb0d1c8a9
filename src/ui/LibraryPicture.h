// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <string>

// Picture `pictureId` of the image library in `databasePath` put into the
// page's folder (which ends with "/" or is "") under the name GO gives a
// library picture there: its stored name, or the next numbered one when the
// folder holds other bytes under it; a file of the same bytes is used as it
// is. A picture item at 0,0 no larger than the page's third. False with
// `problem` when the picture is gone, is no sound picture, or cannot be
// written.
bool LibraryPictureItem(const std::string& databasePath, long pictureId, const std::string& pageFolder,
                        collage::Item& item, std::string& problem);
