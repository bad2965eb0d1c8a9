// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks of the readers of outside files (picture headers, pages, sessions)
// on arbitrary bytes: the fuzz targets and the corpus replay test share
// them. Each returns why the readers misbehaved, or "" when they did not (a
// refusal of bad input is not misbehaving). Header only: the fuzz build links
// the core alone.
#include <algorithm>
#include <cstdint>
#include <exception>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "page/BoardEdits.h"
#include "page/CollageModel.h"
#include "session/Session.h"
#include "support/PictureFormat.h"

namespace readercheck {

// ---- picture headers ----

inline std::string PictureHeaderProblem(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const PictureHeader header = ReadPictureHeader(data, bytes.size());
    if (header.kind != SniffPicture(data, bytes.size())) return "the header's kind is not the signature's";
    if (header.orientation < 1 || header.orientation > 8) return "orientation " + std::to_string(header.orientation);
    if (header.width < 0 || header.height < 0) return "a negative size";
    const std::string problem = PictureProblem(header, data, bytes.size());
    if (problem.empty() && (!header.sized || header.width == 0 || header.height == 0 ||
                            static_cast<long long>(header.width) * header.height > kMaxPicturePixels))
        return "a picture without a usable size was taken as sound";
    // The name a page gives the picture must say its kind, and naming it
    // again must keep that name.
    const std::string name(bytes.substr(0, std::min<std::size_t>(bytes.size(), 40)));
    const std::string named = NameForPictureKind(name, header.kind);
    if (NameForPictureKind(named, header.kind) != named) return "naming the picture twice changes its name";
    if (header.kind != PictureKind::Unknown && !HasPictureExtension(named))
        return "the picture's name has no picture extension";
    return "";
}

// ---- pages and board edits ----

// The edit is read from the first kEditBytes; the page is the rest.
inline constexpr std::size_t kEditBytes = 16;

struct Edit {
    unsigned kind = 0;  // move, resize, front, back, delete
    std::size_t index = 0;
    std::vector<std::size_t> chosen;
    int a = 0;
    int b = 0;
};

inline Edit ReadEdit(std::string_view bytes, std::size_t items) {
    auto at = [&](std::size_t i) -> std::uint32_t {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    };
    auto i32 = [&](std::size_t i) {
        return static_cast<int>(at(i) | at(i + 1) << 8 | at(i + 2) << 16 | at(i + 3) << 24);
    };
    Edit edit;
    edit.kind = at(0) % 5;
    // One past the end too: an index out of range must be passed over.
    edit.index = (at(1) | at(2) << 8) % (items + 1);
    edit.a = i32(3);
    edit.b = i32(7);
    const std::uint32_t mask = at(11) | at(12) << 8 | at(13) << 16 | at(14) << 24;
    for (std::size_t i = 0; i < std::min<std::size_t>(items, 32); ++i) {
        if (mask >> i & 1u) edit.chosen.push_back(i);
    }
    if (at(15) & 1) edit.chosen.push_back(edit.index);  // a duplicate, or out of range
    return edit;
}

// Item positions from bottom to top as a browser stacks them: by z, and at
// equal z the later item above.
inline std::vector<std::size_t> Stacking(const collage::Collage& page) {
    std::vector<std::size_t> order(page.items.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t x, std::size_t y) { return page.items[x].z < page.items[y].z; });
    return order;
}

inline std::int32_t LowestZ(const collage::Collage& page) {
    std::int32_t lowest = INT32_MAX;
    for (const auto& item : page.items) lowest = std::min(lowest, item.z);
    return lowest;
}

// Front (or back): the chosen items stack above (below) all the others,
// each group in its old stacking order, and none sinks under the page's
// container (a negative z) that was not there already.
inline std::string RestackProblem(const collage::Collage& before, const collage::Collage& after,
                                  const std::vector<std::size_t>& chosenList, bool toFront) {
    const std::set<std::size_t> chosen(chosenList.begin(), chosenList.end());
    std::vector<std::size_t> expected;
    std::vector<std::size_t> rest;
    for (std::size_t i : Stacking(before)) (chosen.count(i) ? expected : rest).push_back(i);
    expected.insert(toFront ? expected.begin() : expected.end(), rest.begin(), rest.end());
    if (Stacking(after) != expected) return std::string(toFront ? "front" : "back") + " stacked the items wrongly";
    if (!before.items.empty() && LowestZ(after) < std::min(LowestZ(before), 0))
        return "an item went under the page's container";
    return "";
}

inline void ApplyEdit(collage::Collage& page, const Edit& edit) {
    switch (edit.kind) {
        case 0: collage::MoveItem(page, edit.index, edit.a, edit.b); break;
        case 1: collage::ResizeItem(page, edit.index, edit.a, edit.b); break;
        case 2: collage::BringToFront(page, edit.chosen); break;
        case 3: collage::SendToBack(page, edit.chosen); break;
        default: collage::DeleteItems(page, edit.chosen); break;
    }
}

// What a page read back from writing `edited` should be. The page marks
// sources only through its items' titles, so with no item left to carry one
// the flag is not in the page.
inline collage::Collage ExpectedReadBack(const collage::Collage& edited) {
    collage::Collage expected = collage::PageOnly(edited);
    const bool anyTitle = std::any_of(expected.items.begin(), expected.items.end(), [](const collage::Item& item) {
        return item.kind != collage::ItemKind::kPicture && !item.source.empty();
    });
    if (!anyTitle) expected.markSources = false;
    return expected;
}

// Reads the page, makes one board edit chosen by the edit bytes, writes it
// and reads it again: the board's page must read back as it was saved.
inline std::string PageEditProblem(std::string_view bytes) {
    const std::string_view editBytes = bytes.substr(0, std::min(kEditBytes, bytes.size()));
    const std::string html(bytes.substr(editBytes.size()));
    collage::Collage page;
    std::string why;
    if (!collage::ReadPage(html, page, why)) return why.empty() ? "a refusal without a reason" : "";
    const Edit edit = ReadEdit(editBytes, page.items.size());
    collage::Collage edited = page;
    ApplyEdit(edited, edit);
    if (edit.kind == 2 || edit.kind == 3) {
        const std::string problem = RestackProblem(page, edited, edit.chosen, edit.kind == 2);
        if (!problem.empty()) return problem;
    }
    collage::Collage back;
    if (!collage::ReadPage(collage::WritePage(edited), back, why)) return "the edited page was refused: " + why;
    if (back != ExpectedReadBack(edited)) return "the edited page read back differently";
    return "";
}

// ---- sessions ----

inline auto FontFields(const CharFormat& f) {
    return std::tie(f.mask, f.face, f.heightTwips, f.textColour, f.highlightColour, f.bold, f.italic, f.underline);
}

inline auto TrackFields(const SessionTrack& t) {
    return std::tie(t.rtf, t.colour, t.wordsPerCut, t.style, t.useWhole, t.fragmentType, t.fragmentSize, t.on, t.fader,
                    t.windowOpen);
}

inline auto SessionFields(const Session& s) {
    return std::tie(s.mainRtf, s.palette, s.mainStyle, s.wordsPerSnip, s.showMain, s.textOverImages, s.captureCode,
                    s.portrait, s.landscape, s.textVolume, s.imageVolume, s.useCustomFolder, s.customImageFolder,
                    s.customFolderText, s.outputFolder, s.outputFileName, s.lastSeed, s.boardPath, s.boardPage);
}

// The name of the first part of the session that differs, or "".
inline std::string SessionDifference(const Session& x, const Session& y) {
    if (SessionFields(x) != SessionFields(y)) return "the settings";
    if (FontFields(x.mainFont) != FontFields(y.mainFont)) return "the main font";
    for (std::size_t i = 0; i < x.tracks.size(); ++i) {
        const std::string track = "track " + std::to_string(i + 1);
        if (TrackFields(x.tracks[i]) != TrackFields(y.tracks[i])) return track;
        if (FontFields(x.tracks[i].font) != FontFields(y.tracks[i].font)) return track + "'s font";
    }
    return "";
}

// Reads the text as a session: a refusal must be a SessionError, and a
// session that was read must write and read back the same.
inline std::string SessionProblem(std::string_view text) {
    Session read;
    try {
        read = SessionFromJson(text);
    } catch (const SessionError&) {
        return "";
    } catch (const std::exception& e) {
        return std::string("the reader threw other than a session error: ") + e.what();
    }
    const std::string written = SessionToJson(read);
    Session again;
    try {
        again = SessionFromJson(written);
    } catch (const std::exception& e) {
        return std::string("a session written from one read was refused: ") + e.what();
    }
    // The board's path means nothing without its page (nothing is shown
    // then), and only a shown board is written.
    Session held = read;
    if (held.boardPage.empty()) held.boardPath.clear();
    const std::string difference = SessionDifference(held, again);
    if (!difference.empty()) return difference + " changed on writing and reading back";
    if (SessionToJson(again) != written) return "a session read back writes other bytes";
    return "";
}

}  // namespace readercheck
