// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <cstddef>
#include <string>
#include <vector>

// The edits the cut-up board makes on a collage. Each keeps the collage a
// page that WritePage writes and a browser can still drag; indexes are page
// order and an index out of range is passed over.
namespace collage {

// Pictures and letters are never resized below this, so a box stays
// something the mouse can take again.
inline constexpr int kSmallestSide = 8;

void MoveItem(Collage& collage, size_t index, int left, int top);
// Text and letters take the width only (their height is the browser's).
void ResizeItem(Collage& collage, size_t index, int width, int height);
// The chosen items go above (or below) all others, keeping their own order.
// The z values the page had are handed out again, so none goes below the
// container or grows without end.
void BringToFront(Collage& collage, const std::vector<size_t>& indexes);
void SendToBack(Collage& collage, const std::vector<size_t>& indexes);
void DeleteItems(Collage& collage, const std::vector<size_t>& indexes);
// Adds `item` above all others under the next free id of its kind; returns its index.
size_t AddItem(Collage& collage, Item item);
// Copies of the chosen items, a little down and right, above all others.
void DuplicateItems(Collage& collage, const std::vector<size_t>& indexes);
// The chosen items turned `degrees` further clockwise. Angles stay in
// (-180, 180]; a full turn back is no rotation, and the page says nothing.
void RotateItems(Collage& collage, const std::vector<size_t>& indexes, double degrees);
// `degrees` brought into (-180, 180]; anything not finite is 0.
double NormalAngle(double degrees);
// A text snip's words (letters are spelt again in their letter set).
void SetWords(Collage& collage, size_t index, const std::string& words);

// The page at `path` read into `collage`, for the board and every export
// alike. Only a regular file of at most kMaxPageBytes is read; `problem`
// names the file when false.
// `program` is the name the message gives the program: the window is
// VANTELO (kWindowName), the command line tarvex4.
inline constexpr std::size_t kMaxPageBytes = 64u << 20;
inline constexpr const char* kWindowName = "VANTELO";
bool LoadPageFile(const std::string& path, Collage& collage, std::string& problem,
                  const std::string& program = "tarvex4");
// Writes the page of the collage whole or not at all; the previous page stays
// as it was until the new one is complete.
bool SaveBoardPage(const std::string& path, const Collage& collage, std::string& problem);

}  // namespace collage
