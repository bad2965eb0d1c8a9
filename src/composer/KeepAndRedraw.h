// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "composer/CollageRun.h"
#include "form/MainFormState.h"
#include "page/CollageModel.h"

#include <set>
#include <string>
#include <vector>

// A new draw around the items a writer keeps: the kept items stay exactly as
// they were, everything else is drawn again.
namespace keepredraw {

// "dpagetextitem3" or "dpagetextitem3~" as the page names it (with the "~").
std::string PageIdOf(const std::string& id);
// The page ids of the collage's kept items.
std::set<std::string> KeptIds(const collage::Collage& collage);
// Marks kept exactly the items named by `ids` (either spelling); returns the
// ids that name no item of the collage.
std::vector<std::string> MarkKept(collage::Collage& collage, const std::vector<std::string>& ids);

// `drawn` with the kept items of `page` put back as they were. A drawn item
// of a kept item's id gives its place to the kept one, so the page keeps the
// volume its settings asked for; any other new item whose id is taken gets
// the next free number. Kept items that took no place go last. The result's
// kept items are marked kept.
collage::Collage PutBackKept(const collage::Collage& drawn, const collage::Collage& page,
                             const std::set<std::string>& keptIds);

// One GO run (ComposeCollage, with the generator as it stands) around the
// kept items of `page`; the run's pictures go into the state's output folder.
// Throws as ComposeCollage does.
CollageResult ComposeAround(const MainFormState& state, const collage::Collage& page,
                            const std::set<std::string>& keptIds);

// Copies the kept pictures from the folder of the page they came from into
// `toFolder` (both end with "/" or are ""), under the folder's unique
// naming, and names the copies in the items. Throws FileWriteError.
void CarryKeptPictures(collage::Collage& collage, const std::string& fromFolder, const std::string& toFolder);

}  // namespace keepredraw
