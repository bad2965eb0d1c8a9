// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/WordsDb.h"

#include <cctype>

#include "db/DataFolder.h"
#include "db/SqlBuffer.h"

namespace wordsdb {

namespace {

void AppendQuoted(std::string& out, std::string_view text, char quote) {
    out.reserve(out.size() + text.size() + 2);
    out += quote;
    // Copied in runs between quotes: a stored picture's text is large and
    // holds none.
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t next = text.find(quote, at);
        const std::size_t end = next == std::string_view::npos ? text.size() : next + 1;
        out.append(text.substr(at, end - at));
        if (next == std::string_view::npos) break;
        out += quote;
        at = end;
    }
    out += quote;
}

std::string Quoted(std::string_view text, char quote) {
    std::string out;
    AppendQuoted(out, text, quote);
    return out;
}

// The stored selection list is read back into a statement: keep only its
// decimal numbers, so whatever the row holds stays a list of numbers.
std::string NumbersOnly(std::string_view list) {
    std::string out;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        std::string_view item = list.substr(start, end - start);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
        bool digits = !item.empty();
        for (char c : item) {
            digits = digits && std::isdigit(static_cast<unsigned char>(c));
        }
        if (digits) {
            if (!out.empty()) out += ',';
            out += item;
        }
        start = end + 1;
    }
    return out;
}

}  // namespace

std::string DatabasePath(const std::string& dataFolder) { return dataFolder + "/" + kFileName; }

std::string DefaultDatabasePath() { return DatabasePath(ResolveDataFolder()); }

std::string Literal(std::string_view text) { return Quoted(text, '\''); }

std::string Identifier(std::string_view name) { return Quoted(name, '"'); }

const std::vector<WordCategory>& WordCategories() {
    static const std::vector<WordCategory> categories = {
        {"nouns", 31021}, {"pluralnouns", 25711}, {"verbspast", 8959}, {"verbsing", 8460},    {"verbspresent", 5947},
        {"verbs", 5905},  {"adverbs", 4708},      {"abstracts", 2833}, {"adjectives", 14478},
    };
    return categories;
}

const std::vector<TableDefinition>& DeliveredTables() {
    static const std::vector<TableDefinition> tables = {
        {"nouns", "CREATE TABLE nouns (ID integer primary key,WORD text)"},
        {"pluralnouns", "CREATE TABLE pluralnouns (ID integer primary key,WORD text)"},
        {"verbspast", "CREATE TABLE verbspast (ID integer primary key,WORD text)"},
        {"verbsing", "CREATE TABLE verbsing (ID integer primary key,WORD text)"},
        {"verbspresent", "CREATE TABLE verbspresent (ID integer primary key,WORD text)"},
        {"verbs", "CREATE TABLE verbs (ID integer primary key,WORD text)"},
        {"adverbs", "CREATE TABLE adverbs (ID integer primary key,WORD text)"},
        {"abstracts", "CREATE TABLE abstracts (ID integer primary key,WORD text)"},
        {"adjectives", "CREATE TABLE adjectives (ID integer primary key,WORD text)"},
        {"authornames", "CREATE TABLE authornames (ID integer primary key,AUNAME text,STARTID integer,ENDID integer)"},
        {"authortext", "CREATE TABLE authortext (ID integer primary key,TEXTSAMPLE text)"},
        {"wordbooks", "CREATE TABLE wordbooks (ID integer primary key,BOOKNAME text,TABLENAME text)"},
        {"imagecategory", "CREATE TABLE imagecategory (ID integer primary key,CATEGORY text)"},
        {"categoryselections", "CREATE TABLE categoryselections (ID integer primary key,SELECTIONLIST text)"},
        {"imagelibrary",
         "CREATE TABLE imagelibrary (ID integer primary key,CATEGORY text,FILENAME text,"
         "WIDTH text,HEIGHT text,FILESTORE text)"},
        {"collagesettings", "CREATE TABLE collagesettings (OUTPUTFOLDER text)"},
    };
    return tables;
}

// ---- Word classes and authors ------------------------------------------------------

std::string SelectWordById(std::string_view table, long id) {
    return "SELECT WORD FROM " + Identifier(table) + " WHERE ID = " + std::to_string(id);
}

std::string SelectAuthorRange(std::string_view authorName) {
    return std::string("SELECT STARTID,ENDID FROM authornames WHERE") + " AUNAME = " + Literal(authorName);
}

std::string SelectAuthorText(long id) {
    return std::string("SELECT TEXTSAMPLE FROM authortext") + " WHERE ID = " + std::to_string(id);
}

std::string SelectMaxId(std::string_view table) { return "SELECT MAX(ID) FROM " + Identifier(table); }

// ---- Wordbooks ---------------------------------------------------------------------

std::string SelectTableNameOfBook(std::string_view bookName) {
    return "SELECT TABLENAME FROM wordbooks WHERE BOOKNAME = " + Literal(bookName);
}

std::string SelectTableNameOfBookId(long id) {
    return "SELECT TABLENAME FROM wordbooks WHERE ID = " + std::to_string(id);
}

std::string SelectBookNames() { return "SELECT BOOKNAME FROM wordbooks"; }

std::string SelectBookIdsNamesAndTables() { return "SELECT ID, BOOKNAME, TABLENAME FROM wordbooks"; }

std::string SelectBookIdsAndNames() { return "SELECT ID, BOOKNAME FROM wordbooks"; }

std::string InsertWordbook(std::string_view bookName, std::string_view tableName) {
    return "INSERT INTO wordbooks (BOOKNAME,TABLENAME) VALUES(" + Literal(bookName) + "," + Literal(tableName) + ")";
}

std::string CreateWordTable(std::string_view tableName) {
    return "CREATE TABLE " + Identifier(tableName) + "(ID integer primary key,WORD char(80))";
}

std::string RenameWordbook(std::string_view newName, std::string_view oldName) {
    return "UPDATE wordbooks SET BOOKNAME = " + Literal(newName) + " WHERE BOOKNAME = " + Literal(oldName);
}

std::string RenameWordbookById(std::string_view newName, long id) {
    return "UPDATE wordbooks SET BOOKNAME = " + Literal(newName) + " WHERE ID = " + std::to_string(id);
}

std::string DeleteWordbookById(long id) { return "DELETE FROM wordbooks WHERE ID = " + std::to_string(id); }

std::string DeleteWordbook(std::string_view tableName) {
    return "DELETE FROM wordbooks WHERE TABLENAME = " + Literal(tableName);
}

std::string DropWordTable(std::string_view tableName) { return "DROP TABLE " + Identifier(tableName); }

std::string InsertWord(std::string_view tableName, std::string_view entry) {
    return "INSERT INTO " + Identifier(tableName) + " (WORD) VALUES(" + Literal(entry) + ")";
}

std::string InsertBoundWord(std::string_view tableName) {
    return "INSERT INTO " + Identifier(tableName) + " (WORD) VALUES(?)";
}

std::string SelectBookNamesAndTables() { return "SELECT BOOKNAME, TABLENAME FROM wordbooks"; }

std::string CountWords(std::string_view tableName) { return "SELECT COUNT(*) FROM " + Identifier(tableName); }

std::string SetCacheSize(int kibibytes) { return "PRAGMA cache_size = -" + std::to_string(kibibytes); }

// ---- Collage settings -----------------------------------------------------------------

std::string SelectOutputFolder() { return "SELECT OUTPUTFOLDER from collagesettings"; }

std::string UpdateOutputFolder(std::string_view folder) {
    return "UPDATE collagesettings SET OUTPUTFOLDER = " + Literal(folder);
}

std::string InsertOutputFolder(std::string_view folder) {
    return "INSERT INTO collagesettings (OUTPUTFOLDER) VALUES(" + Literal(folder) + ")";
}

// ---- Image library ----------------------------------------------------------------------

std::string SelectSelectionList() { return "SELECT SELECTIONLIST FROM categoryselections"; }

std::string SelectImageIdsInCategories(std::string_view selectionList) {
    return "SELECT ID FROM imagelibrary WHERE CATEGORY IN (" + NumbersOnly(selectionList) + ")";
}

std::string SelectMaxImageId() { return "SELECT MAX(ID) FROM imagelibrary"; }

std::string SelectImageInfo(long id) {
    return "SELECT FILENAME,WIDTH,HEIGHT FROM imagelibrary WHERE ID = " + std::to_string(id);
}

std::string SelectImageFile(long id) {
    return "select FILENAME,FILESTORE from imagelibrary where ID = " + std::to_string(id);
}

std::string SelectCategoriesInIdOrder() { return "SELECT CATEGORY FROM imagecategory ORDER BY ID ASC"; }

std::string DeleteSelections() { return "DELETE FROM categoryselections WHERE ID > 0"; }

std::string InsertSelectionList(std::string_view selectionList) {
    return "INSERT INTO categoryselections (SELECTIONLIST) VALUES(" + Literal(selectionList) + ")";
}

std::string SelectCategories() { return "SELECT CATEGORY FROM imagecategory"; }

std::string InsertCategory(std::string_view categoryName) {
    return "INSERT INTO imagecategory (CATEGORY) VALUES(" + Literal(categoryName) + ")";
}

std::string SelectCategoryId(std::string_view categoryName) {
    return "SELECT ID FROM imagecategory WHERE CATEGORY = " + Literal(categoryName);
}

std::string InsertImage(std::string_view categoryId, std::string_view fileName, std::string_view width,
                        std::string_view height, const char* encodedFile) {
    std::string statement = "insert into imagelibrary (CATEGORY,FILENAME,WIDTH,HEIGHT,FILESTORE) values (" +
                            Literal(categoryId) + "," + Literal(fileName) + "," + Literal(width) + "," +
                            Literal(height) + ",";
    // The file's text is appended once, as the literal %Q would make of it,
    // without a pass through the formatter (it is the one large value).
    if (encodedFile == nullptr) {
        statement += "NULL";
    } else {
        AppendQuoted(statement, encodedFile, '\'');
    }
    statement += ");";
    return statement;
}

std::string InsertImageWithParameters() {
    return "insert into imagelibrary (CATEGORY,FILENAME,WIDTH,HEIGHT,FILESTORE) values (?1,?2,?3,?4,?5);";
}

std::string SelectCategoryRowsInIdOrder() { return "SELECT ID,CATEGORY FROM imagecategory ORDER BY ID ASC"; }

std::string CountImagesByCategory() { return "SELECT CATEGORY,COUNT(*) FROM imagelibrary GROUP BY CATEGORY"; }

std::string SelectImageCategoriesInIdOrder() { return "SELECT ID,CATEGORY FROM imagelibrary ORDER BY ID ASC"; }

namespace {

std::string IdList(const std::vector<long>& ids) {
    std::string list;
    for (long id : ids) {
        if (!list.empty()) list += ',';
        list += std::to_string(id);
    }
    return list;
}

}  // namespace

std::string SelectExistingImageIds(const std::vector<long>& ids) {
    return "SELECT ID FROM imagelibrary WHERE ID IN (" + IdList(ids) + ") ORDER BY ID ASC";
}

std::string SelectImageFiles(const std::vector<long>& ids) {
    return "SELECT ID,FILESTORE FROM imagelibrary WHERE ID IN (" + IdList(ids) + ") ORDER BY ID ASC";
}

// ---- Transactions -----------------------------------------------------------------------

std::string BeginTransaction() { return "BEGIN"; }

std::string CommitTransaction() { return "COMMIT"; }

std::string RollbackTransaction() { return "ROLLBACK"; }

}  // namespace wordsdb
