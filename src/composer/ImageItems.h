// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "composer/CollageRunContext.h"
#include "page/CollageModel.h"

#include <cstdint>
#include <string>
#include <vector>

// The pictures one collage draws from: library image ids, and from
// the run's nextImageId upwards the entries of the custom folder.
struct ImagePool {
    static constexpr size_t kMaxCandidates = 1000;
    std::vector<std::int32_t> candidates;
    // Custom folder entry names by listing position (empty where skipped).
    std::vector<std::string> folderEntries;
};

// One picture item before it is placed: the file the page names and its size.
struct ImageCandidate {
    std::string fileName;
    std::string widthText;
    std::string heightText;
};

// A placed picture item.
struct ImagePlacement {
    int left = 0;
    int top = 0;
    std::string widthText;
    std::string heightText;
};

// Fills the pool and run.nextImageId from the open run.db (and the custom
// folder when "Folder:" is checked).
ImagePool BuildImagePool(CollageRunContext& run);

// Draws one candidate (the pool must not be empty) and makes its picture
// present in the output folder. `previous` holds the last item's values and
// stands when a library row has vanished. Throws FileWriteError when a
// library picture cannot be written.
// A custom folder picture that cannot be copied throws FileWriteError too.
ImageCandidate ResolveImageCandidate(CollageRunContext& run, const ImagePool& pool, const ImageCandidate& previous);

// Writes library picture `id` into the output folder under its base name (or
// the name the run's picture names give it) and returns that name; "" when there is no such
// picture. A failed write throws FileWriteError.
std::string ExtractLibraryImage(CollageRunContext& run, const std::string& idText);

// The placement draws (left, then top) within bounds W x H, and the clipping.
ImagePlacement PlaceImage(const ImageCandidate& image, int boundsWidth, int boundsHeight);

// The placed item; appends its id to run.dragItemIds.
collage::Item ImageItem(CollageRunContext& run, int slot, std::int32_t z, const std::string& fileName,
                        const ImagePlacement& placement);

// The last path element of a stored file name ("a/b\\c.gif" gives "c.gif").
std::string BaseFileName(const std::string& name);
