// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"
#include "form/MainFormState.h"
#include "support/UserInterface.h"

#include <cstdint>
#include <functional>
#include <string>

struct CollageResult {
    bool written = false;  // the page file was written
    std::string pagePath;  // output folder + output file name
    // Why the page was not written, or what went wrong on the way; shown to
    // the user already.
    std::string problem;
    bool databaseFailed = false;
    // The run's collage, as far as it was composed.
    collage::Collage collage;
    // Ids of the page's draggable items, each 'id', with a comma.
    std::string dragItemIds;
    // The first custom folder picture's id in this run (one more than the
    // largest library image id).
    std::int32_t nextImageId = 0;
    // The generator's state right before the run: seeding with it gives this
    // page again.
    std::uint32_t seed = 0;
};

// The GO command: builds one collage page from the form state, writes it into
// the output folder with the pictures and art fonts it needs, hides the wait
// box and opens the page in the browser. A file of the page's name that is
// not a page tarvex4 wrote is kept: the page then goes to the next free
// numbered name beside it (pagePath), and the user is told.
CollageResult BuildCollage(const MainFormState& state, UserInterface& ui);
// The same, with the collage made by `compose` instead of ComposeCollage.
using CollageComposer = std::function<CollageResult(const MainFormState&)>;
CollageResult BuildCollage(const MainFormState& state, UserInterface& ui, const CollageComposer& compose);

// `path` when nothing has that name, else the next free numbered name beside
// it ("collage1.html" gives collage2.html, collage3.html, ...).
std::string NextFreePagePath(const std::string& path);

// The collage of one run (collage, dragItemIds, nextImageId), for the same
// state and generator state as BuildCollage; nothing is shown and no page is
// written (pictures still are, into the output folder). Throws
// CppSQLite3Exception from the database.
CollageResult ComposeCollage(const MainFormState& state);
