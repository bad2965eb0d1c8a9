// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

class CppSQLite3Exception;

// A cheap look at the user's words database before anything uses it: that
// the file is there, is an SQLite database, and holds the tables the program
// reads. A damaged file is never changed here.
namespace wordsdb {

enum class Health {
    Ok,
    Missing,        // no file
    Empty,          // zero bytes, or a database without a single table
    NotADatabase,   // a folder, or bytes that are not an SQLite database
    MissingTables,  // a database that lacks some of the program's tables
    Damaged,        // SQLite reports corruption
    Unreadable,     // cannot be opened or read for another reason
};

struct DatabaseHealth {
    Health state = Health::Ok;
    std::string detail;  // what is wrong, in SQLite's or our words
    bool ok() const { return state == Health::Ok; }
    // Nothing of the user's can be in it: set-up may put it aside on its own.
    bool holdsNothing() const { return state == Health::Missing || state == Health::Empty; }
};

// `thorough` adds SQLite's quick check of every page (slow on a big file:
// for when a statement has already reported corruption).
DatabaseHealth CheckDatabase(const std::string& path, bool thorough = false);

// One sentence naming the file and what is wrong with it.
std::string DescribeHealth(const DatabaseHealth& health, const std::string& path);

// SQLite's result codes that mean the file itself is broken.
bool IsDamageCode(int code);

// How the user puts the delivered copy in place of the database at
// `databasePath`: the command (with --data when the folder is not the
// user's own), or Yes at the next start of the window.
std::string RestoreAdvice(const std::string& databasePath);

// For a broken database: what is wrong with the file (named) and how to
// restore it, in two lines; empty when the database is in order.
// `thorough` also reads every page (for when SQLite reported damage).
std::string DamageReport(const std::string& databasePath, bool thorough = false);

// The text shown for a failed statement: its own message, followed by the
// damage report when the file it ran on is broken.
std::string ExplainedFailure(const CppSQLite3Exception& error);
std::string ExplainedFailure(const std::string& text, const std::string& databasePath, int code);

}  // namespace wordsdb
