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

bool ExecuteQuietly(SqlDatabase& db, const std::string& statement) {
    try {
        db.Execute(statement);
        return true;
    } catch (const CppSQLite3Exception&) {
        return false;
    }
}

int LastEntry(const AuthorsDialogState& state) { return static_cast<int>(state.m_wordbookList.size()) - 1; }

std::string SelectedEntry(const AuthorsDialogState& state) {
    return state.m_wordbookList[static_cast<std::size_t>(state.m_wordbookSelection)];
}

bool HasSelection(const AuthorsDialogState& state) {
    return state.m_wordbookSelection > 0 && state.m_wordbookSelection <= LastEntry(state);
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
    return Replaced(fileName.substr(0, cut), kFileNameCharacters, '_');
}

std::string SanitisedNewName(std::string_view name) { return Replaced(name, kNewNameCharacters, '-'); }

int FindWordbookEntry(const AuthorsDialogState& state, std::string_view name) {
    for (std::size_t i = 1; i < state.m_wordbookList.size(); ++i)
        if (state.m_wordbookList[i] == name) return static_cast<int>(i);
    return 0;
}

void FillWordbookList(AuthorsDialogState& state, UserInterface& ui, bool selectNew) {
    state.m_wordbookList.assign(1, std::string(kSelectWordbook));
    SqlDatabase db;
    try {
        OpenWordsDatabase(db, state.m_databasePath);
        for (SqlQuery rows = db.Query(wordsdb::SelectBookNames()); !rows.IsEof(); rows.NextRow()) {
            const char* name = rows.FieldText(0);
            state.m_wordbookList.emplace_back(name ? name : "");
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
    const std::string numbered = *name + std::to_string(number.number);
    CreatedWordbook created{number.nameTaken ? numbered : *name, numbered};
    // One transaction for both statements (one write to the disk); a
    // failing statement is still reported on its own and the other stays.
    const bool together = ExecuteQuietly(db, wordsdb::BeginTransaction());
    ExecuteReported(db, ui, wordsdb::InsertWordbook(created.bookName, created.tableName));
    state.m_newTableName = created.tableName;
    ExecuteReported(db, ui, wordsdb::CreateWordTable(created.tableName));
    if (together) ExecuteReported(db, ui, wordsdb::CommitTransaction());
    db.Close();

    dialogs.RunLoader(LoaderSetup{state.m_newTableName, state.m_textFilePath, state.m_databasePath});
    FillWordbookList(state, ui, true);
    return created;
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

    const int selection = state.m_wordbookSelection;
    bool renamed = false;
    SqlDatabase db;
    try {
        OpenWordsDatabase(db, state.m_databasePath);
        renamed = db.Execute(wordsdb::RenameWordbook(newName, oldName)) > 0;
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
    bool deleted = false;
    SqlDatabase db;
    try {
        OpenWordsDatabase(db, state.m_databasePath);
        SqlQuery row = db.Query(wordsdb::SelectTableNameOfBook(name));
        if (!row.IsEof() && row.FieldText(0)) table = row.FieldText(0);
        row.Finalize();
        const bool rowDeleted = ExecuteReported(db, ui, wordsdb::DeleteWordbook(table));
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
