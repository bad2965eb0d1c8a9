// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "composer/RunPictureNames.h"
#include "db/SqlDatabase.h"
#include "form/MainFormState.h"

#include <cstdint>
#include <string>

// What one collage run needs while it composes, beside the form it reads:
// made by the run and gone with it, so a GO leaves the form as it found it.
struct CollageRunContext {
    explicit CollageRunContext(const MainFormState& form) : state(form) {}

    const MainFormState& state;
    // Open on the words database only while the run reads it.
    SqlDatabase db{SqlDatabase::OpenMode::ExistingOnly};  // never makes an empty words6.db
    // One more than the largest library image id; the custom folder's
    // pictures are numbered from here.
    std::int32_t nextImageId = 0;
    RunPictureNames pictureNames;
    // Ids of the draggable items so far, each 'id', with a comma.
    std::string dragItemIds;
};
