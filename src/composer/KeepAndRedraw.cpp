// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/KeepAndRedraw.h"

#include "composer/RunPictureNames.h"
#include "support/SafeFile.h"
#include "support/TextFileReader.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace keepredraw {

namespace {

bool IsPicture(const collage::Item& item) { return item.kind == collage::ItemKind::kPicture; }

// Gives every new item whose id is already used the next number of its kind.
void RenumberTaken(collage::Collage& collage) {
    int next[2] = {0, 0};
    for (const collage::Item& item : collage.items) {
        int& n = next[IsPicture(item)];
        n = std::max(n, item.number + 1);
    }
    std::set<std::string> used;
    for (const collage::Item& item : collage.items) {
        if (item.kept) used.insert(item.PageId());
    }
    for (collage::Item& item : collage.items) {
        if (item.kept) continue;
        if (used.count(item.PageId())) item.number = next[IsPicture(item)]++;
        used.insert(item.PageId());
    }
}

// A picture file's bytes; pictures are far smaller than this.
constexpr std::size_t kPictureMax = 256u << 20;

}  // namespace

std::string PageIdOf(const std::string& id) { return id.ends_with('~') ? id : id + "~"; }

std::set<std::string> KeptIds(const collage::Collage& collage) {
    std::set<std::string> ids;
    for (const collage::Item& item : collage.items) {
        if (item.kept) ids.insert(item.PageId());
    }
    return ids;
}

std::vector<std::string> MarkKept(collage::Collage& collage, const std::vector<std::string>& ids) {
    std::set<std::string> wanted;
    for (const std::string& id : ids) wanted.insert(PageIdOf(id));
    std::set<std::string> found;
    for (collage::Item& item : collage.items) {
        item.kept = wanted.count(item.PageId()) > 0;
        if (item.kept) found.insert(item.PageId());
    }
    std::vector<std::string> unknown;
    for (const std::string& id : ids) {
        if (!found.count(PageIdOf(id)) && std::find(unknown.begin(), unknown.end(), id) == unknown.end())
            unknown.push_back(id);
    }
    return unknown;
}

collage::Collage PutBackKept(const collage::Collage& drawn, const collage::Collage& page,
                             const std::set<std::string>& keptIds) {
    std::map<std::string, const collage::Item*> kept;
    for (const collage::Item& item : page.items) {
        if (keptIds.count(item.PageId()) && !kept.count(item.PageId())) kept[item.PageId()] = &item;
    }
    collage::Collage out = drawn;
    out.items.clear();
    std::set<std::string> placed;
    const auto putBack = [&](const collage::Item& item) {
        out.items.push_back(item);
        out.items.back().kept = true;
        placed.insert(item.PageId());
    };
    for (const collage::Item& item : drawn.items) {
        auto it = kept.find(item.PageId());
        if (it == kept.end()) {
            out.items.push_back(item);
            out.items.back().kept = false;
        } else if (!placed.count(it->first)) {
            putBack(*it->second);
        }
    }
    for (const auto& item : page.items) {
        if (kept.count(item.PageId()) && !placed.count(item.PageId())) putBack(item);
    }
    RenumberTaken(out);
    return out;
}

CollageResult ComposeAround(const MainFormState& state, const collage::Collage& page,
                            const std::set<std::string>& keptIds) {
    CollageResult result = ComposeCollage(state);
    result.collage = PutBackKept(result.collage, page, keptIds);
    result.dragItemIds = collage::DragItemIds(result.collage);
    return result;
}

void CarryKeptPictures(collage::Collage& collage, const std::string& fromFolder, const std::string& toFolder) {
    std::error_code error;
    if (fromFolder == toFolder ||
        std::filesystem::equivalent(fromFolder.empty() ? "." : fromFolder, toFolder.empty() ? "." : toFolder, error))
        return;
    RunPictureNames names;
    for (collage::Item& item : collage.items) {
        if (!item.kept || !IsPicture(item)) continue;
        std::string bytes;
        std::string why;
        // A picture that is gone stays named; the page shows it missing, as before.
        if (ReadRegularFile(fromFolder + item.file, kPictureMax, bytes, why) != WholeFile::kRead) continue;
        item.file = names.Place(toFolder, std::filesystem::path(item.file).filename().string(), bytes,
                                RunPictureNames::Sequence::kNumbered);
    }
}

}  // namespace keepredraw
