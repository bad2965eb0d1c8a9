// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Everything the program says to words6.db: the file's place, the tables,
// and the text of every statement as a function of its values. Callers never
// paste SQL fragments themselves.
//
// Every text value is written as a single-quoted SQL literal with embedded
// quotes doubled, and every variable table name as a double-quoted
// identifier, so no value can change the shape of a statement.
namespace wordsdb {

// ---- Location ---------------------------------------------------------------

constexpr const char* kFileName = "words6.db";

// dataFolder + "/words6.db".
std::string DatabasePath(const std::string& dataFolder);
// The words database in the user's data folder (ResolveDataFolder()).
std::string DefaultDatabasePath();

// ---- Quoting ----------------------------------------------------------------

// 'text' with every ' doubled.
std::string Literal(std::string_view text);
// "name" with every " doubled.
std::string Identifier(std::string_view name);

// ---- Tables -----------------------------------------------------------------

// The word class tables, in their fixed order, with their row counts
// (IDs 1..rowCount).
struct WordCategory {
    const char* table;
    int rowCount;
};
const std::vector<WordCategory>& WordCategories();

struct TableDefinition {
    const char* name;
    const char* createStatement;
};
// CREATE TABLE statements of every delivered table (word classes, authors,
// wordbooks catalogue, image tables, settings), for the data builder and tests.
const std::vector<TableDefinition>& DeliveredTables();

// ---- Word classes and authors -------------------------------------------------

// SELECT WORD FROM <table> WHERE ID = <id>   (word class and wordbook tables)
std::string SelectWordById(std::string_view table, long id);
// SELECT STARTID,ENDID FROM authornames WHERE AUNAME = '<author>'
std::string SelectAuthorRange(std::string_view authorName);
// SELECT TEXTSAMPLE FROM authortext WHERE ID = <id>
std::string SelectAuthorText(long id);
// SELECT MAX(ID) FROM <table>   (read as an integer, default 0)
std::string SelectMaxId(std::string_view table);

// ---- Wordbooks ------------------------------------------------------------------

// SELECT TABLENAME FROM wordbooks WHERE BOOKNAME = '<book>'
std::string SelectTableNameOfBook(std::string_view bookName);
// SELECT TABLENAME FROM wordbooks WHERE ID = <id>
std::string SelectTableNameOfBookId(long id);
// SELECT BOOKNAME FROM wordbooks
std::string SelectBookNames();
// SELECT ID, BOOKNAME, TABLENAME FROM wordbooks
std::string SelectBookIdsNamesAndTables();
// SELECT ID, BOOKNAME FROM wordbooks
std::string SelectBookIdsAndNames();
// INSERT INTO wordbooks (BOOKNAME,TABLENAME) VALUES('<book>','<table>')
std::string InsertWordbook(std::string_view bookName, std::string_view tableName);
// CREATE TABLE <table>(ID integer primary key,WORD char(80))
std::string CreateWordTable(std::string_view tableName);
// UPDATE wordbooks SET BOOKNAME = '<new>' WHERE BOOKNAME = '<old>'
std::string RenameWordbook(std::string_view newName, std::string_view oldName);
// UPDATE wordbooks SET BOOKNAME = '<new>' WHERE ID = <id>
std::string RenameWordbookById(std::string_view newName, long id);
// DELETE FROM wordbooks WHERE ID = <id>
std::string DeleteWordbookById(long id);
// DELETE FROM wordbooks WHERE TABLENAME = '<table>'
std::string DeleteWordbook(std::string_view tableName);
// DROP TABLE <table>
std::string DropWordTable(std::string_view tableName);
// INSERT INTO <table> (WORD) VALUES('<entry>')
std::string InsertWord(std::string_view tableName, std::string_view entry);
// INSERT INTO <table> (WORD) VALUES(?)   (the loader's prepared insert)
std::string InsertBoundWord(std::string_view tableName);
// SELECT BOOKNAME, TABLENAME FROM wordbooks
std::string SelectBookNamesAndTables();
// SELECT COUNT(*) FROM <table>
std::string CountWords(std::string_view tableName);
// The loader stores its entries in transactions (statements below).
// PRAGMA cache_size = -<kib>: a page cache that holds a batch of entries, so
// pages are written once, at the commit.
std::string SetCacheSize(int kibibytes);

// ---- Collage settings -------------------------------------------------------------

// SELECT OUTPUTFOLDER from collagesettings
std::string SelectOutputFolder();
// UPDATE collagesettings SET OUTPUTFOLDER = '<folder>'
std::string UpdateOutputFolder(std::string_view folder);
// INSERT INTO collagesettings (OUTPUTFOLDER) VALUES('<folder>')
// (only for a file whose settings row is missing)
std::string InsertOutputFolder(std::string_view folder);

// ---- Image library ----------------------------------------------------------------

// SELECT SELECTIONLIST FROM categoryselections
std::string SelectSelectionList();
// SELECT ID FROM imagelibrary WHERE CATEGORY IN (<list>)
// Only the decimal numbers of the comma-separated list are used.
std::string SelectImageIdsInCategories(std::string_view selectionList);
// SELECT MAX(ID) FROM imagelibrary
std::string SelectMaxImageId();
// SELECT FILENAME,WIDTH,HEIGHT FROM imagelibrary WHERE ID = <id>
std::string SelectImageInfo(long id);
// select FILENAME,FILESTORE from imagelibrary where ID = <id>
// (read the columns by name "FILENAME" and "FILESTORE")
std::string SelectImageFile(long id);
// SELECT CATEGORY FROM imagecategory ORDER BY ID ASC
std::string SelectCategoriesInIdOrder();
// DELETE FROM categoryselections WHERE ID > 0
std::string DeleteSelections();
// INSERT INTO categoryselections (SELECTIONLIST) VALUES('<list>')
std::string InsertSelectionList(std::string_view selectionList);
// SELECT CATEGORY FROM imagecategory
std::string SelectCategories();
// INSERT INTO imagecategory (CATEGORY) VALUES('<category>')
std::string InsertCategory(std::string_view categoryName);
// SELECT ID FROM imagecategory WHERE CATEGORY = '<category>'
std::string SelectCategoryId(std::string_view categoryName);
// insert into imagelibrary (CATEGORY,FILENAME,WIDTH,HEIGHT,FILESTORE)
//   values ('<cat>','<file>','<w>','<h>','<encoded file>');
// `encodedFile` is SqlBlob::Encoded() of the file's bytes.
std::string InsertImage(std::string_view categoryId, std::string_view fileName, std::string_view width,
                        std::string_view height, const char* encodedFile);
// The same insert with its five values as parameters ?1..?5, in that order:
// the file's text is bound, not parsed out of a literal.
std::string InsertImageWithParameters();

// SELECT ID,CATEGORY FROM imagecategory ORDER BY ID ASC
std::string SelectCategoryRowsInIdOrder();
// SELECT CATEGORY,COUNT(*) FROM imagelibrary GROUP BY CATEGORY
std::string CountImagesByCategory();
// SELECT ID,CATEGORY FROM imagelibrary ORDER BY ID ASC
std::string SelectImageCategoriesInIdOrder();
// SELECT ID FROM imagelibrary WHERE ID IN (<ids>) ORDER BY ID ASC
std::string SelectExistingImageIds(const std::vector<long>& ids);
// The table and column of the stored picture files (SqlDatabase::StoredSize).
constexpr const char* kImageTable = "imagelibrary";
constexpr const char* kImageFileColumn = "FILESTORE";
// SELECT ID,FILESTORE FROM imagelibrary WHERE ID IN (<ids>) ORDER BY ID ASC
std::string SelectImageFiles(const std::vector<long>& ids);

// ---- Transactions -----------------------------------------------------------------

std::string BeginTransaction();     // BEGIN
std::string CommitTransaction();    // COMMIT
std::string RollbackTransaction();  // ROLLBACK

// ---- How a failure is reported ----------------------------------------------------

// Caption of every database message box, and the fixed text of the fills.
constexpr const char* kErrorCaption = "db error";
constexpr const char* kFixedErrorText = "Brisko database error";

}  // namespace wordsdb
