// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/SqlDatabase.h"

#include <sqlite3.h>

#include <utility>

namespace {

// After a failed step the statement is finalised; finalize reports the
// step's error. A zero code would read as success, so fall back to the step's.
[[noreturn]] void FinalizeAndThrow(sqlite3* db, sqlite3_stmt* statement, int stepResult) {
    int code = sqlite3_finalize(statement);
    if (code == SQLITE_OK) {
        code = stepResult;
    }
    throw CppSQLite3Exception(code, sqlite3_errmsg(db));
}

}  // namespace

// ---- SqlQuery ------------------------------------------------------------------

SqlQuery::SqlQuery(sqlite3* db, sqlite3_stmt* statement, bool eof, bool ownsStatement)
        : m_db(db),
          m_statement(statement),
          m_eof(eof),
          m_columns(statement ? sqlite3_column_count(statement) : 0),
          m_ownsStatement(ownsStatement) {}

SqlQuery::SqlQuery(SqlQuery&& other) noexcept
        : m_db(std::exchange(other.m_db, nullptr)),
          m_statement(std::exchange(other.m_statement, nullptr)),
          m_eof(std::exchange(other.m_eof, true)),
          m_columns(std::exchange(other.m_columns, 0)),
          m_ownsStatement(std::exchange(other.m_ownsStatement, false)) {}

SqlQuery& SqlQuery::operator=(SqlQuery&& other) noexcept {
    if (this != &other) {
        Release();
        m_db = std::exchange(other.m_db, nullptr);
        m_statement = std::exchange(other.m_statement, nullptr);
        m_eof = std::exchange(other.m_eof, true);
        m_columns = std::exchange(other.m_columns, 0);
        m_ownsStatement = std::exchange(other.m_ownsStatement, false);
    }
    return *this;
}

SqlQuery::~SqlQuery() { Release(); }

void SqlQuery::Release() noexcept {
    if (m_statement && m_ownsStatement) {
        sqlite3_finalize(m_statement);
    }
    m_statement = nullptr;
}

void SqlQuery::CheckStatement() const {
    if (!m_statement) {
        ThrowLayerError("Null Virtual Machine pointer");
    }
}

void SqlQuery::CheckIndex(int index) const {
    if (index < 0 || index > m_columns - 1) {
        ThrowLayerError("Invalid field index requested");
    }
}

bool SqlQuery::IsEof() const {
    CheckStatement();
    return m_eof;
}

void SqlQuery::NextRow() {
    CheckStatement();
    if (m_eof) {
        return;  // stepping a finished statement would start it over
    }
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_DONE) {
        m_eof = true;
    } else if (result != SQLITE_ROW) {
        sqlite3_stmt* statement = std::exchange(m_statement, nullptr);
        m_eof = true;
        FinalizeAndThrow(m_db, statement, result);
    }
}

int SqlQuery::FieldCount() const {
    CheckStatement();
    return m_columns;
}

const char* SqlQuery::FieldText(int index) const {
    CheckStatement();
    CheckIndex(index);
    return reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
}

int SqlQuery::FieldIndex(const std::string& name) const {
    CheckStatement();
    if (!name.empty()) {
        for (int i = 0; i < m_columns; ++i) {
            const char* columnName = sqlite3_column_name(m_statement, i);
            if (columnName && name == columnName) {
                return i;
            }
        }
    }
    ThrowLayerError("Invalid field name requested");
}

const char* SqlQuery::FieldTextByName(const std::string& name) const { return FieldText(FieldIndex(name)); }

int SqlQuery::FieldType(int index) const {
    CheckStatement();
    CheckIndex(index);
    return sqlite3_column_type(m_statement, index);
}

int SqlQuery::FieldInt(int index, int defaultValue) const {
    if (FieldType(index) == kNullType) {
        return defaultValue;
    }
    return sqlite3_column_int(m_statement, index);
}

void SqlQuery::Finalize() {
    if (m_statement && m_ownsStatement) {
        sqlite3_stmt* statement = std::exchange(m_statement, nullptr);
        const int result = sqlite3_finalize(statement);
        if (result != SQLITE_OK) {
            throw CppSQLite3Exception(result, sqlite3_errmsg(m_db));
        }
    }
}

// ---- SqlDatabase -----------------------------------------------------------------

SqlDatabase::SqlDatabase(SqlDatabase&& other) noexcept
        : m_db(std::exchange(other.m_db, nullptr)),
          m_busyTimeoutMs(other.m_busyTimeoutMs),
          m_mode(other.m_mode),
          m_path(std::move(other.m_path)) {}

SqlDatabase& SqlDatabase::operator=(SqlDatabase&& other) noexcept {
    if (this != &other) {
        Close();
        m_db = std::exchange(other.m_db, nullptr);
        m_busyTimeoutMs = other.m_busyTimeoutMs;
        m_mode = other.m_mode;
        m_path = std::move(other.m_path);
    }
    return *this;
}

SqlDatabase::~SqlDatabase() { Close(); }

void SqlDatabase::Open(const std::string& path) {
    int flags = SQLITE_OPEN_READWRITE;
    if (m_mode == OpenMode::CreateMissing) flags |= SQLITE_OPEN_CREATE;
    OpenWithFlags(path, flags);
}

void SqlDatabase::OpenExisting(const std::string& path) { OpenWithFlags(path, SQLITE_OPEN_READWRITE); }

void SqlDatabase::OpenWithFlags(const std::string& path, int flags) {
    // Reopening must not leak the connection held so far.
    Close();
    m_path = path;
    sqlite3* db = nullptr;
    const int result = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (result != SQLITE_OK) {
        CppSQLite3Exception error(result, sqlite3_errmsg(db));
        error.SetContext(path, sqlite3_errmsg(db));
        sqlite3_close(db);
        throw error;
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
}

void SqlDatabase::Close() {
    if (m_db) {
        // close_v2 defers the close while a query made from this connection
        // still holds its statement, so neither side dangles.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void SqlDatabase::CheckOpen() const {
    if (!m_db) {
        ThrowLayerError("Database not open");
    }
}

int SqlDatabase::Execute(const std::string& statement) {
    CheckOpen();
    char* error = nullptr;
    const int result = sqlite3_exec(m_db, statement.c_str(), nullptr, nullptr, &error);
    if (result != SQLITE_OK) {
        CppSQLite3Exception failure(result, error, true);
        failure.SetContext(m_path, sqlite3_errmsg(m_db));
        throw failure;
    }
    return sqlite3_changes(m_db);
}

SqlQuery SqlDatabase::Query(const std::string& statement) {
    CheckOpen();
    sqlite3_stmt* prepared = nullptr;
    const int prepareResult = sqlite3_prepare_v2(m_db, statement.c_str(), -1, &prepared, nullptr);
    if (prepareResult != SQLITE_OK) {
        // The message itself names no detail; what SQLite said travels
        // beside it, for the text the user is shown.
        CppSQLite3Exception failure(prepareResult, "");
        failure.SetContext(m_path, sqlite3_errmsg(m_db));
        throw failure;
    }
    if (!prepared) {
        // Only white space or a comment: there is nothing to run.
        throw CppSQLite3Exception(SQLITE_MISUSE, "empty statement");
    }
    const int stepResult = sqlite3_step(prepared);
    if (stepResult == SQLITE_ROW) {
        return SqlQuery(m_db, prepared, false);
    }
    if (stepResult == SQLITE_DONE) {
        return SqlQuery(m_db, prepared, true);
    }
    try {
        FinalizeAndThrow(m_db, prepared, stepResult);
    } catch (CppSQLite3Exception& failure) {
        failure.SetContext(m_path, sqlite3_errmsg(m_db));
        throw;
    }
}

SqlStatement SqlDatabase::Prepare(const std::string& statement) {
    CheckOpen();
    sqlite3_stmt* prepared = nullptr;
    const int result = sqlite3_prepare_v2(m_db, statement.c_str(), -1, &prepared, nullptr);
    if (result != SQLITE_OK) throw CppSQLite3Exception(result, sqlite3_errmsg(m_db));
    if (!prepared) throw CppSQLite3Exception(SQLITE_MISUSE, "empty statement");
    return SqlStatement(m_db, prepared);
}

long long SqlDatabase::StoredSize(const std::string& table, const std::string& column, long long rowid) {
    CheckOpen();
    sqlite3_blob* blob = nullptr;
    const int result = sqlite3_blob_open(m_db, "main", table.c_str(), column.c_str(), rowid, 0, &blob);
    long long size = -1;
    if (result == SQLITE_OK) {
        size = sqlite3_blob_bytes(blob);
    } else if (result != SQLITE_ERROR) {
        // Not a missing value but trouble with the database (busy, damaged).
        CppSQLite3Exception failure(result, sqlite3_errmsg(m_db));
        failure.SetContext(m_path, sqlite3_errmsg(m_db));
        sqlite3_blob_close(blob);
        throw failure;
    }
    sqlite3_blob_close(blob);
    return size;
}

void SqlDatabase::SetBusyTimeout(int milliseconds) {
    m_busyTimeoutMs = milliseconds;
    if (m_db) {
        sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    }
}
