// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/BoardEdits.h"

#include "page/ArtFontLetters.h"
#include "support/SafeFile.h"
#include "support/TextFileReader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

namespace collage {

namespace {

// Item indexes from bottom to top as the browser stacks them: by z, and at
// equal z the later item above.
std::vector<size_t> StackOrder(const Collage& collage) {
    std::vector<size_t> order(collage.items.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return collage.items[a].z < collage.items[b].z; });
    return order;
}

// How much higher an item must stand than the one just below it: at equal z
// the later item in the page is above.
std::int64_t Gap(size_t below, size_t above) { return above > below ? 0 : 1; }

void Restack(Collage& collage, const std::vector<size_t>& indexes, bool toFront) {
    const std::set<size_t> chosen(indexes.begin(), indexes.end());
    const std::vector<size_t> order = StackOrder(collage);
    std::vector<std::int32_t> values;
    for (size_t index : order) values.push_back(collage.items[index].z);
    std::vector<size_t> rest;
    std::vector<size_t> moved;
    for (size_t index : order) (chosen.count(index) ? moved : rest).push_back(index);
    std::vector<size_t> stacked = toFront ? rest : moved;
    stacked.insert(stacked.end(), toFront ? moved.begin() : rest.begin(), toFront ? moved.end() : rest.end());
    // The page's values are handed out again from the bottom; where two
    // equal values would let page order stack them the wrong way round, the
    // upper one goes one higher.
    std::vector<std::int64_t> zs(stacked.size());
    for (size_t i = 0; i < stacked.size(); ++i) {
        zs[i] = values[i];
        if (i > 0) zs[i] = std::max(zs[i], zs[i - 1] + Gap(stacked[i - 1], stacked[i]));
    }
    // A page whose values reach the top of the range: the upper items come
    // down as little as keeps the order, instead of running over.
    std::int64_t ceiling = std::numeric_limits<std::int32_t>::max();
    for (size_t i = stacked.size(); i-- > 0;) {
        zs[i] = std::min(zs[i], ceiling);
        if (i > 0) ceiling = zs[i] - Gap(stacked[i - 1], stacked[i]);
    }
    for (size_t i = 0; i < stacked.size(); ++i) collage.items[stacked[i]].z = static_cast<std::int32_t>(zs[i]);
}

}  // namespace

void MoveItem(Collage& collage, size_t index, int left, int top) {
    if (index >= collage.items.size()) return;
    collage.items[index].left = left;
    collage.items[index].top = top;
}

void ResizeItem(Collage& collage, size_t index, int width, int height) {
    if (index >= collage.items.size()) return;
    Item& item = collage.items[index];
    item.width = std::max(width, kSmallestSide);
    if (item.kind == ItemKind::kPicture) item.height = std::max(height, kSmallestSide);
}

void BringToFront(Collage& collage, const std::vector<size_t>& indexes) { Restack(collage, indexes, true); }

void SendToBack(Collage& collage, const std::vector<size_t>& indexes) { Restack(collage, indexes, false); }

void DeleteItems(Collage& collage, const std::vector<size_t>& indexes) {
    const std::set<size_t> gone(indexes.begin(), indexes.end());
    std::vector<Item> kept;
    for (size_t i = 0; i < collage.items.size(); ++i) {
        if (!gone.count(i)) kept.push_back(std::move(collage.items[i]));
    }
    collage.items = std::move(kept);
}

namespace {

// A copy lands this far down and right of its original, so both show.
constexpr int kDuplicateOffset = 12;

int NextNumber(const Collage& collage, bool picture) {
    int next = 0;
    for (const Item& item : collage.items) {
        if ((item.kind == ItemKind::kPicture) == picture) next = std::max(next, item.number + 1);
    }
    return next;
}

std::int32_t TopZ(const Collage& collage) {
    std::int32_t top = 0;
    for (const Item& item : collage.items) top = std::max(top, item.z);
    return top;
}

}  // namespace

size_t AddItem(Collage& collage, Item item) {
    item.number = NextNumber(collage, item.kind == ItemKind::kPicture);
    const std::int32_t top = TopZ(collage);
    item.z = top < std::numeric_limits<std::int32_t>::max() ? top + 1 : top;
    item.kept = false;
    collage.items.push_back(std::move(item));
    return collage.items.size() - 1;
}

void DuplicateItems(Collage& collage, const std::vector<size_t>& indexes) {
    std::vector<Item> copies;
    for (size_t index : std::set<size_t>(indexes.begin(), indexes.end())) {
        if (index < collage.items.size()) copies.push_back(collage.items[index]);
    }
    for (Item& copy : copies) {
        copy.left += kDuplicateOffset;
        copy.top += kDuplicateOffset;
        AddItem(collage, std::move(copy));
    }
}

double NormalAngle(double degrees) {
    if (!std::isfinite(degrees)) return 0;
    double angle = std::fmod(degrees, 360.0);
    if (angle <= -180) angle += 360;
    if (angle > 180) angle -= 360;
    // Steps of a degree or less add up to sums like 14.999999999999998;
    // the page should say 15.
    angle = std::round(angle * 1e9) / 1e9;
    return angle == 0 ? 0.0 : angle;  // never -0, which writes as "-0deg"
}

void RotateItems(Collage& collage, const std::vector<size_t>& indexes, double degrees) {
    for (size_t index : std::set<size_t>(indexes.begin(), indexes.end())) {
        if (index < collage.items.size())
            collage.items[index].rotation = NormalAngle(collage.items[index].rotation + degrees);
    }
}

void SetWords(Collage& collage, size_t index, const std::string& words) {
    if (index >= collage.items.size()) return;
    Item& item = collage.items[index];
    if (item.kind == ItemKind::kPicture) return;
    item.words = words;
    if (item.kind == ItemKind::kLetters) item.lettersHtml = BuildArtFontLetters(words, item.style);
    // Words typed on the board are no longer the source's.
    item.source.clear();
    item.firstWord = 0;
    item.lastWord = -1;
}

bool LoadPageFile(const std::string& path, Collage& collage, std::string& problem, const std::string& program) {
    std::string bytes;
    std::string why;
    // Only a regular file, read with the limit checked while reading: a pipe
    // or a device would keep the board or an export waiting for ever.
    switch (ReadRegularFile(path, kMaxPageBytes, bytes, why)) {
        case WholeFile::kRead: break;
        case WholeFile::kTooLarge: why = "it is larger than any collage page"; [[fallthrough]];
        case WholeFile::kCannotRead: problem = "Cannot read the page " + path + ": " + why; return false;
    }
    if (!ReadPage(bytes, collage, why)) {
        // The reader's reason speaks of the command's own name.
        for (size_t at = why.find("tarvex4"); at != std::string::npos; at = why.find("tarvex4", at + program.size()))
            why.replace(at, 7, program);
        problem = "The page " + path + " is not a collage page: " + why + ".";
        return false;
    }
    return true;
}

bool SaveBoardPage(const std::string& path, const Collage& collage, std::string& problem) {
    return WriteFileReplacing(path, WritePage(collage), problem);
}

}  // namespace collage
