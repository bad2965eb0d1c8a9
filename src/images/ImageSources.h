// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <set>
#include <string>
#include <vector>

class UserInterface;

// The image categories that feed collages: one row per category in ID
// order, ticked when the saved selection names its ID. The sources dialog
// and `tarvex4 images list/select` both use these.
struct ImageCategoryRow {
    long id = 0;
    std::string name;
    bool ticked = false;
};

// The saved text when no selection row exists; it ticks nothing.
constexpr const char* kNoSavedSelection = "(0)";

// The category IDs a saved selection text names ("1,3,4"); anything that
// is not a decimal number is ignored.
std::set<long> ParseSelectionList(const std::string& text);

// The rows, ticked from the saved selection. A database failure is shown
// ("db error"); the rows read until then are returned.
std::vector<ImageCategoryRow> LoadImageCategoryRows(const std::string& databasePath, UserInterface& ui);

// The IDs of the ticked rows in row order, joined with ",": the text saved.
// With IDs 1..n without gaps an ID is also the row's position.
std::string SelectionText(const std::vector<ImageCategoryRow>& rows);

// Replaces the saved selection with the ticked rows (one row; an empty text
// when none is ticked). A database failure is shown ("db error") and false
// returned.
bool SaveImageSelection(const std::string& databasePath, const std::vector<ImageCategoryRow>& rows, UserInterface& ui);

// Number of library pictures per category ID (for listings).
struct CategoryPictureCount {
    long id = 0;
    long pictures = 0;
};
std::vector<CategoryPictureCount> CountPicturesByCategory(const std::string& databasePath);
