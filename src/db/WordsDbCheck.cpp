// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/WordsDbCheck.h"

#include <sqlite3.h>

#include <filesystem>
#include <set>
#include <system_error>

#include "db/CppSQLite3Exception.h"
#include "db/DataFolder.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"

namespace fs = std::filesystem;

namespace wordsdb {

namespace {

std::string TextOr(const char* text, const char* fallback) { return text ? text : fallback; }

// First line of PRAGMA quick_check: "ok", or SQLite's first complaint.
std::string QuickCheck(SqlDatabase& db) {
    try {
        SqlQuery query = db.Query("PRAGMA quick_check(1)");
        return query.IsEof() ? std::string("no answer") : TextOr(query.FieldText(0), "no answer");
    } catch (const CppSQLite3Exception& e) {
        return e.SqliteText().empty() ? e.Message() : e.SqliteText();
    }
}

DatabaseHealth FromFailure(SqlDatabase& db, const CppSQLite3Exception& e) {
    const std::string said = e.SqliteText().empty() ? std::string(e.Message()) : e.SqliteText();
    if (e.Code() == SQLITE_NOTADB) return {Health::NotADatabase, said};
    if (e.Code() == SQLITE_CORRUPT) return {Health::Damaged, db.IsOpen() ? QuickCheck(db) : said};
    return {Health::Unreadable, said};
}

DatabaseHealth CheckTables(SqlDatabase& db) {
    std::set<std::string> present;
    for (SqlQuery query = db.Query("SELECT name FROM sqlite_master WHERE type = 'table'"); !query.IsEof();
         query.NextRow()) {
        present.insert(TextOr(query.FieldText(0), ""));
    }
    if (present.empty()) return {Health::Empty, "it holds no tables"};
    std::string lacking;
    for (const TableDefinition& table : DeliveredTables()) {
        if (present.count(table.name) == 0) lacking += std::string(lacking.empty() ? "" : ", ") + table.name;
    }
    if (!lacking.empty()) return {Health::MissingTables, "these tables are missing: " + lacking};
    return {};
}

}  // namespace

DatabaseHealth CheckDatabase(const std::string& path, bool thorough) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        if (error && error != std::errc::no_such_file_or_directory) return {Health::Unreadable, error.message()};
        return {Health::Missing, "the file does not exist"};
    }
    if (fs::is_directory(status)) return {Health::NotADatabase, "it is a folder"};
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size == 0) return {Health::Empty, "the file is empty (0 bytes)"};

    SqlDatabase db;
    try {
        db.OpenExisting(path);
        DatabaseHealth health = CheckTables(db);
        if (health.ok() && thorough) {
            const std::string verdict = QuickCheck(db);
            if (verdict != "ok") health = {Health::Damaged, verdict};
        }
        return health;
    } catch (const CppSQLite3Exception& e) {
        return FromFailure(db, e);
    }
}

std::string DescribeHealth(const DatabaseHealth& health, const std::string& path) {
    switch (health.state) {
        case Health::Ok: return "The words database " + path + " is in order.";
        case Health::Missing: return "The words database " + path + " is missing.";
        case Health::Empty: return "The words database " + path + " is empty: " + health.detail + ".";
        case Health::NotADatabase: return "The words database " + path + " is not a database: " + health.detail + ".";
        case Health::MissingTables: return "The words database " + path + " is incomplete: " + health.detail + ".";
        case Health::Damaged: return "The words database " + path + " is damaged: " + health.detail + ".";
        case Health::Unreadable: break;
    }
    return "The words database " + path + " cannot be read: " + health.detail + ".";
}

bool IsDamageCode(int code) {
    const int primary = code & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

std::string RestoreAdvice(const std::string& databasePath) {
    const std::string folder = fs::path(databasePath).parent_path().string();
    std::error_code error;
    const bool usersOwn = fs::equivalent(folder, ResolveDataFolder(), error);
    // The window offers the copy only for the user's own data folder.
    return "To put the delivered copy in its place, run 'tarvex4 data restore" +
           (usersOwn ? "' (or answer Yes when the window starts)" : " --data " + folder + "'") +
           "; the file as it is now is kept beside it.";
}

std::string DamageReport(const std::string& databasePath, bool thorough) {
    if (databasePath.empty()) return {};
    const DatabaseHealth health = CheckDatabase(databasePath, thorough);
    if (health.ok()) return {};
    return DescribeHealth(health, databasePath) + "\n" + RestoreAdvice(databasePath);
}

std::string ExplainedFailure(const std::string& text, const std::string& databasePath, int code) {
    const std::string report = DamageReport(databasePath, IsDamageCode(code));
    return report.empty() ? text : text + "\n" + report;
}

std::string ExplainedFailure(const CppSQLite3Exception& error) {
    // A message that ends at its colon gets SQLite's own words.
    std::string text = error.Message();
    if (error.HasNoDetail() && !error.SqliteText().empty()) text += error.SqliteText();
    return ExplainedFailure(text, error.File(), error.Code());
}

}  // namespace wordsdb
