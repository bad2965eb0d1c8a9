// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordbooks/WordbookCatalogue.h"

#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "richtext/Utf8Text.h"
#include "support/UserInterface.h"
#include "wordbooks/AuthorList.h"
#include "wordbooks/WordsConnection.h"

#include <cstdlib>
#include <filesystem>

namespace wordbooks {

namespace {

constexpr std::string_view kFileNameCharacters = "\"|&!?%$@()#`:;'. ,-";
constexpr std::string_view kNewNameCharacters = "\"|&!?%$@()#`:;";

std::string Replaced(std::string_view text, std::string_view characters, char with) {
    std::string out(text);
    for (char& c : out)
        if (characters.find(c) != std::string_view::npos) c = with;
    return out;
}

void ShowException(UserInterface& ui, const CppSQLite3Exception& e) {
    ui.ShowMessage(wordsdb::ExplainedFailure(e), wordsdb::kErrorCaption);
}

// Runs one statement of a wordbook command: a failure is shown and the
// command goes on. False when it failed.
bool ExecuteReported(SqlDatabase& db, UserInterface& ui, const std::string& statement) {
    try {
        db.Execute(statement);
        return true;
    } catch (const CppSQLite3Exception& e) {
        ShowException(ui, e);
        return false;
    }
}

int LastEntry(const AuthorsDialogState& state) { return static_cast<int>(state.m_wordbookList.size()) - 1; }

std::string SelectedEntry(const AuthorsDialogState& state) {
    return state.m_wordbookList[static_cast<std::size_t>(state.m_wordbookSelection)];
}

bool HasSelection(const AuthorsDialogState& state) {
    return state.m_wordbookSelection > 0 && state.m_wordbookSelection <= LastEntry(state) &&
           state.m_wordbookIds.size() == state.m_wordbookList.size();
}

long SelectedId(const AuthorsDialogState& state) {
    return state.m_wordbookIds[static_cast<std::size_t>(state.m_wordbookSelection)];
}

std::string Text(const char* field) { return field ? field : ""; }

// Another wordbook than `id` already has the name.
bool NameTakenByOther(SqlDatabase& db, const std::string& name, long id) {
    for (SqlQuery rows = db.Query(wordsdb::SelectBookIdsAndNames()); !rows.IsEof(); rows.NextRow())
        if (std::atol(Text(rows.FieldText(0)).c_str()) != id && Text(rows.FieldText(1)) == name) return true;
    return false;
}

struct CatalogueNumber {
    long number = 1;
    bool nameTaken = false;
};

CatalogueNumber NumberFor(SqlDatabase& db, const std::string& name) {
    CatalogueNumber result;
    long lastId = 0;
    for (SqlQuery rows = db.Query(wordsdb::SelectBookIdsAndNames()); !rows.IsEof(); rows.NextRow()) {
        const char* id = rows.FieldText(0);
        const char* book = rows.FieldText(1);
        lastId = std::atol(id ? id : "");
        if (book && name == book) result.nameTaken = true;
    }
    result.number = lastId + 1;
    return result;
}

}  // namespace

std::vector<std::string> AuthorListEntries() {
    std::vector<std::string> entries{std::string(kSelectAuthor)};
    for (std::string_view author : AuthorList()) entries.emplace_back(author);
    return entries;
}

bool IsProtectedWordbook(std::string_view name) {
    return name.find("nonsensewords") != std::string_view::npos || name.find("velnarphrases") != std::string_view::npos;
}

std::optional<std::string> WordbookNameFromFile(std::string_view fileName) {
    const std::size_t characters = utf8text::CountCodePoints(fileName);
    if (characters <= 4) return std::nullopt;
    const std::size_t cut = utf8text::OffsetOfCodePoint(fileName, characters - 4);
    std::string name = Replaced(fileName.substr(0, cut), kFileNameCharacters, '_');
    // Tabs and line breaks would break the list a line per wordbook.
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20) c = '_';
    return name;
}

std::string SanitisedNewName(std::string_view name) { return Replaced(name, kNewNameCharacters, '-'); }

std::string NewNameProblem(std::string_view name) {
    if (name.find_first_of("\t\n\r\v\f") != std::string_view::npos) return kNewNameWithBreaks;
    if (name.find_first_not_of(' ') == std::string_view::npos) return kEmptyNewName;
    // A protected name could never be renamed or deleted again.
    if (IsProtectedWordbook(name)) return kProtectedNewName;
    return {};
}

std::string DuplicateNameMessage(std::string_view name) {
    return "A wordbook named \"" + std::string(name) + "\" already exists;\nchoose another name.";
}

std::string NoEntriesMessage(const LoadResult& result, const std::string& filePath) {
    std::error_code ec;
    if (!result.fileOpened) {
        const bool other = std::filesystem::exists(filePath, ec) && !std::filesystem::is_regular_file(filePath, ec);
        return "no entries: " + filePath + (other ? " is not a regular file" : " cannot be read");
    }
    if (result.stopped) return "no entries: the load was stopped before the first entry was stored";
    return "no entries: " + filePath +
           " has no line to keep (a line needs two or more characters; with \"Exclude words < 4 characters "
           "long\" a word needs four)";
}

int FindWordbookEntry(const AuthorsDialogState& state, std::string_view name) {
    int found = 0;
    for (std::size_t i = 1; i < state.m_wordbookList.size(); ++i) {
        if (state.m_wordbookList[i] != name) continue;
        if (found != 0) return -1;
        found = static_cast<int>(i);
    }
    if (found != 0) return found;
    for (std::size_t i = 1; i < state.m_wordbookTables.size(); ++i)
        if (state.m_wordbookTables[i] == name) return static_cast<int>(i);
    return 0;
}

void FillWordbookList(AuthorsDialogState& state, UserInterface& ui, bool selectNew) {
    state.m_wordbookList.assign(1, std::string(kSelectWordbook));
    state.m_wordbookIds.assign(1, 0);
    state.m_wordbookTables.assign(1, std::string());
    SqlDatabase db;
    try {
        OpenWordsDatabase(db, state.m_databasePath);
        for (SqlQuery rows = db.Query(wordsdb::SelectBookIdsNamesAndTables()); !rows.IsEof(); rows.NextRow()) {
            state.m_wordbookIds.push_back(std::atol(Text(rows.FieldText(0)).c_str()));
            state.m_wordbookList.push_back(Text(rows.FieldText(1)));
            state.m_wordbookTables.push_back(Text(rows.FieldText(2)));
        }
    } catch (const CppSQLite3Exception& e) {
        // The list keeps what could be read.
        ShowException(ui, e);
    }
    db.Close();
    if (selectNew) {
        state.m_authorSelection = 0;
        state.m_wordbookSelection = LastEntry(state);
    } else {
        state.m_wordbookSelection = 0;
    }
}

std::optional<CreatedWordbook> CreateWordbook(AuthorsDialogState& state, UserInterface& ui, WordbookDialogs& dialogs) {
    const std::optional<FileChoice> file = ui.ChooseOpenFile(kTextFileFilter, "");
    if (!file) return std::nullopt;
    state.m_textFilePath = file->path;
    const std::optional<std::string> name = WordbookNameFromFile(file->fileName);
    if (!name) return std::nullopt;

    SqlDatabase db;
    CatalogueNumber number;
    try {
        OpenWordsDatabase(db, state.m_databasePath);
        number = NumberFor(db, *name);
    } catch (const CppSQLite3Exception& e) {
        // Without the catalogue there is no number to name the table by.
        ShowException(ui, e);
        return std::nullopt;
    }
    db.Close();
    const std::string numbered = *name + std::to_string(number.number);
    const std::string bookName = number.nameTaken ? numbered : *name;
    const LoadResult load =
        dialogs.RunLoader(LoaderSetup{numbered, state.m_textFilePath, state.m_databasePath, bookName});
    if (load.stored <= 0) {
        if (!load.failure.empty()) {
            ui.ShowMessage(load.failure, wordsdb::kErrorCaption);
        } else if (load.started) {
            ui.ShowMessage(NoEntriesMessage(load, state.m_textFilePath), kLoaderCaption);
        }
        return std::nullopt;
    }
    state.m_newTableName = numbered;
    FillWordbookList(state, ui, true);
    return CreatedWordbook{bookName, numbered, load};
}

bool RenameWordbook(AuthorsDialogState& state, UserInterface& ui, WordbookDialogs& dialogs) {
    if (!HasSelection(state)) {
        ui.ShowMessage(kNoRenameSelection, kNoRenameSelectionCaption);
        return false;
    }
    const std::string oldName = SelectedEntry(state);
    if (IsProtectedWordbook(oldName)) {
        ui.ShowMessage(kProtectedRename, kProtectedRenameCaption);
        return false;
    }
    const std::optional<std::string> answer = dialogs.AskNewBookName();
    if (!answer) return false;
    const std::string newName = SanitisedNewName(*answer);
    if (const std::string problem = NewNameProblem(newName); !problem.empty()) {
        ui.ShowMessage(problem, kProtectedRenameCaption);
        return false;
    }

    const int selection = state.m_wordbookSelection;
    const long id = SelectedId(state);
    bool renamed = false;
    SqlDatabase db;
    try {
        OpenWordsDatabase(db, state.m_databasePath);
        if (NameTakenByOther(db, newName, id)) {
            ui.ShowMessage(DuplicateNameMessage(newName), kProtectedRenameCaption);
        } else {
            renamed = db.Execute(wordsdb::RenameWordbookById(newName, id)) > 0;
        }
    } catch (const CppSQLite3Exception& e) {
        ShowException(ui, e);
    }
    db.Close();
    FillWordbookList(state, ui, false);
    state.m_wordbookSelection = selection <= LastEntry(state) ? selection : 0;
    return renamed;
}

bool DeleteWordbook(AuthorsDialogState& state, UserInterface& ui) {
    if (!HasSelection(state)) {
        ui.ShowMessage(kNoDeleteSelection, kNoDeleteSelectionCaption);
        return false;
    }
    const std::string name = SelectedEntry(state);
    if (IsProtectedWordbook(name)) {
        ui.ShowMessage(kProtectedDelete, kProtectedDeleteCaption);
        return false;
    }
    std::string table = kNoTableFound;
    const long id = SelectedId(state);
    bool deleted = false;
    SqlDatabase db;
    try {
        OpenWordsDatabase(db, state.m_databasePath);
        SqlQuery row = db.Query(wordsdb::SelectTableNameOfBookId(id));
        if (!row.IsEof() && row.FieldText(0)) table = row.FieldText(0);
        row.Finalize();
        const bool rowDeleted = ExecuteReported(db, ui, wordsdb::DeleteWordbookById(id));
        const bool tableDropped = ExecuteReported(db, ui, wordsdb::DropWordTable(table));
        deleted = rowDeleted && tableDropped;
    } catch (const CppSQLite3Exception& e) {
        ShowException(ui, e);
    }
    db.Close();
    FillWordbookList(state, ui, false);
    state.m_wordbookSelection = LastEntry(state);
    return deleted;
}

}  // namespace wordbooks
