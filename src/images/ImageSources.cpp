// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ImageSources.h"

#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "support/UserInterface.h"

#include <cstdlib>

namespace {

// A decimal number without sign, as the selection stores them.
bool ReadId(const std::string& item, long& id) {
    if (item.empty() || item.size() > 18) return false;
    for (char c : item) {
        if (c < '0' || c > '9') return false;
    }
    id = std::strtol(item.c_str(), nullptr, 10);
    return true;
}

std::string SavedSelection(SqlDatabase& db) {
    SqlQuery query = db.Query(wordsdb::SelectSelectionList());
    if (query.IsEof()) return kNoSavedSelection;
    const char* text = query.FieldText(0);
    return text != nullptr ? text : "";
}

}  // namespace

std::set<long> ParseSelectionList(const std::string& text) {
    std::set<long> ids;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        long id = 0;
        if (ReadId(text.substr(start, end - start), id)) ids.insert(id);
        start = end + 1;
    }
    return ids;
}

std::vector<ImageCategoryRow> LoadImageCategoryRows(const std::string& databasePath, UserInterface& ui) {
    std::vector<ImageCategoryRow> rows;
    try {
        SqlDatabase db;
        db.Open(databasePath);
        for (SqlQuery query = db.Query(wordsdb::SelectCategoryRowsInIdOrder()); !query.IsEof(); query.NextRow()) {
            const char* name = query.FieldText(1);
            rows.push_back({query.FieldInt(0), name != nullptr ? name : "", false});
        }
        // Ticks go by category ID, so a gap in the IDs cannot tick the
        // wrong row.
        const std::set<long> saved = ParseSelectionList(SavedSelection(db));
        for (ImageCategoryRow& row : rows) row.ticked = saved.count(row.id) != 0;
    } catch (const CppSQLite3Exception& e) {
        ui.ShowMessage(wordsdb::ExplainedFailure(e), wordsdb::kErrorCaption);
    }
    return rows;
}

std::string SelectionText(const std::vector<ImageCategoryRow>& rows) {
    std::string text;
    for (const ImageCategoryRow& row : rows) {
        if (!row.ticked) continue;
        if (!text.empty()) text += ',';
        text += std::to_string(row.id);
    }
    return text;
}

bool SaveImageSelection(const std::string& databasePath, const std::vector<ImageCategoryRow>& rows, UserInterface& ui) {
    try {
        SqlDatabase db;
        db.Open(databasePath);
        db.Execute(wordsdb::DeleteSelections());
        db.Execute(wordsdb::InsertSelectionList(SelectionText(rows)));
        return true;
    } catch (const CppSQLite3Exception& e) {
        ui.ShowMessage(wordsdb::ExplainedFailure(e), wordsdb::kErrorCaption);
        return false;
    }
}

std::vector<CategoryPictureCount> CountPicturesByCategory(const std::string& databasePath) {
    std::vector<CategoryPictureCount> counts;
    SqlDatabase db;
    db.Open(databasePath);
    for (SqlQuery query = db.Query(wordsdb::CountImagesByCategory()); !query.IsEof(); query.NextRow()) {
        long id = 0;
        const char* category = query.FieldText(0);
        if (category != nullptr && ReadId(category, id)) counts.push_back({id, query.FieldInt(1)});
    }
    return counts;
}
