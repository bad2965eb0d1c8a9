// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UserInterface;

// The wordbook commands of the authors dialog: the list of wordbooks, and
// creating, renaming and deleting one. They work on the dialog's state
// through ports, so the dialog and the command line run the same code.
namespace wordbooks {

// What the authors dialog holds besides its widgets.
struct AuthorsDialogState {
    // Stored when the dialog ends with OK.
    std::string m_authorName;
    std::string m_bookName;
    long m_bookId = 0;
    // Set by the owner before each run: its data folder's words database.
    std::string m_databasePath;
    // The table of the wordbook created last, and the file it was made from.
    std::string m_newTableName;
    std::string m_textFilePath;
    // Wordbook list 1020: "Select Wordbook" and every BOOKNAME; the selection.
    std::vector<std::string> m_wordbookList;
    // The catalogue record (ID, 0 for the first entry) and the table of each
    // entry: names may repeat, so commands act on the record.
    std::vector<long> m_wordbookIds;
    std::vector<std::string> m_wordbookTables;
    int m_wordbookSelection = 0;
    // Author list 1019: index into AuthorListEntries().
    int m_authorSelection = 1;
};

// The author list: "Select Author" and the 49 authors.
std::vector<std::string> AuthorListEntries();

// What the loader is given for a new wordbook. The catalogue row (bookName,
// tableName) and the table are made with the first entry stored.
struct LoaderSetup {
    std::string tableName;
    std::string filePath;
    std::string databasePath;
    std::string bookName;
};

// How a load ended.
struct LoadResult {
    bool started = false;     // START was pressed (the command line always starts)
    long stored = 0;          // entries stored
    bool stopped = false;     // STOP or Ctrl+C
    bool fileOpened = false;  // the file could be read
    std::string failure;      // the database refused to create the wordbook
};

// The two small dialogs the commands run modally.
class WordbookDialogs {
public:
    virtual ~WordbookDialogs() = default;
    // The bookname dialog; nothing when cancelled.
    virtual std::optional<std::string> AskNewBookName() = 0;
    // The customwait dialog: loads the file into the new wordbook.
    virtual LoadResult RunLoader(const LoaderSetup& setup) = 0;
};

// Texts of the dialogs.
inline constexpr const char* kTextFileFilter = "Text file (*.txt)|*.txt||";
inline constexpr const char* kNoRenameSelection = "No Wordbook has been selected,\n can't rename.";
inline constexpr const char* kNoRenameSelectionCaption = "Wordbook Selection";
inline constexpr const char* kProtectedRename = "Selected wordbook can't be renamed\n(used by Versomat)";
inline constexpr const char* kProtectedRenameCaption = "WORDBOOK RENAME MESSAGE";
inline constexpr const char* kNoDeleteSelection = "No Wordbook has been selected,\n can't delete.";
inline constexpr const char* kNoDeleteSelectionCaption = "Wordbook Delete";
inline constexpr const char* kProtectedDelete = "Selected wordbook can't be deleted\n(used by Versomat)";
inline constexpr const char* kProtectedDeleteCaption = "WORDBOOK DELETE MESSAGE";
inline constexpr const char* kNoTableFound = "NONEFOUND";
inline constexpr const char* kLoaderCaption = "Load Wordbook From File";
inline constexpr const char* kEmptyNewName = "The new wordbook name is empty.";
inline constexpr const char* kNewNameWithBreaks = "A wordbook name cannot hold tabs or line breaks.";
inline constexpr const char* kProtectedNewName =
    "A wordbook name cannot contain \"nonsensewords\" or \"velnarphrases\"\n(used by Versomat)";

// A wordbook the other program of the suite relies on.
bool IsProtectedWordbook(std::string_view name);
// A file name (with its 4-character extension) made into a wordbook name;
// nothing when the name has 4 characters or fewer.
std::optional<std::string> WordbookNameFromFile(std::string_view fileName);
// A new name as the rename command stores it.
std::string SanitisedNewName(std::string_view name);
// Why a sanitised new name cannot be stored: empty or blank, tabs or line
// breaks, protected; empty when it can (the catalogue check comes later).
std::string NewNameProblem(std::string_view name);
std::string DuplicateNameMessage(std::string_view name);
// Why a load stored no entry ("no entries: ...").
std::string NoEntriesMessage(const LoadResult& result, const std::string& filePath);

// Reads the list from the database; selects the new (last) wordbook and the
// "Select Author" entry when `selectNew`, else "Select Wordbook".
void FillWordbookList(AuthorsDialogState& state, UserInterface& ui, bool selectNew);

struct CreatedWordbook {
    std::string bookName;
    std::string tableName;
    LoadResult load;
};
// Asks for a text file and runs the loader, which adds the catalogue row and
// the table with the first entry. Nothing when no wordbook was added: a
// cancelled load says nothing, one that stored nothing says why.
std::optional<CreatedWordbook> CreateWordbook(AuthorsDialogState& state, UserInterface& ui, WordbookDialogs& dialogs);
// Renames the selected wordbook; false when refused, cancelled or failed.
bool RenameWordbook(AuthorsDialogState& state, UserInterface& ui, WordbookDialogs& dialogs);
// Deletes the selected wordbook and its table; false when refused or failed.
bool DeleteWordbook(AuthorsDialogState& state, UserInterface& ui);

// Index of the list entry whose name is `name`, else of the one whose table
// is `name`; 0 when none is, -1 when several wordbooks have that name.
int FindWordbookEntry(const AuthorsDialogState& state, std::string_view name);

}  // namespace wordbooks
