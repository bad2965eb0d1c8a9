// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "db/CppSQLite3Exception.h"
#include "db/SqlStatement.h"

struct sqlite3;
struct sqlite3_stmt;

// Forward-only cursor over the rows of one SELECT. Move-only: exactly one
// object owns (and finally finalises) a statement.
class SqlQuery {
public:
    static constexpr int kNullType = 5;  // SQLITE_NULL

    SqlQuery() = default;  // holds no statement; every operation throws
    SqlQuery(sqlite3* db, sqlite3_stmt* statement, bool eof, bool ownsStatement = true);
    SqlQuery(SqlQuery&& other) noexcept;
    SqlQuery& operator=(SqlQuery&& other) noexcept;
    SqlQuery(const SqlQuery&) = delete;
    SqlQuery& operator=(const SqlQuery&) = delete;
    ~SqlQuery();  // finalises, swallowing any failure

    // True when no current row remains.
    bool IsEof() const;
    // Steps to the next row; at the end sets the end flag (and stays there).
    // On failure the statement is finalised and the error thrown.
    void NextRow();

    int FieldCount() const;
    // Column text of the current row; null for NULL.
    const char* FieldText(int index) const;
    // Index of the first column named exactly `name` (case-sensitive).
    int FieldIndex(const std::string& name) const;
    const char* FieldTextByName(const std::string& name) const;
    // SQLite's column type (1 integer, 2 float, 3 text, 4 blob, 5 NULL).
    int FieldType(int index) const;
    // `defaultValue` when the column is NULL, else its integer value.
    int FieldInt(int index, int defaultValue = 0) const;

    // Finalises an owned statement now; a failure is thrown.
    void Finalize();

private:
    void CheckStatement() const;
    void CheckIndex(int index) const;
    void Release() noexcept;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    bool m_eof = true;
    int m_columns = 0;
    bool m_ownsStatement = false;
};

// One connection to an SQLite file. Move-only; destruction closes it.
class SqlDatabase {
public:
    static constexpr int kDefaultBusyTimeoutMs = 60000;

    // Whether Open makes a new empty file where none exists. The words
    // database must be delivered: an empty file made in its place would pass
    // for it from then on.
    enum class OpenMode { CreateMissing, ExistingOnly };

    SqlDatabase() = default;
    explicit SqlDatabase(OpenMode mode) : m_mode(mode) {}
    SqlDatabase(SqlDatabase&& other) noexcept;
    SqlDatabase& operator=(SqlDatabase&& other) noexcept;
    SqlDatabase(const SqlDatabase&) = delete;
    SqlDatabase& operator=(const SqlDatabase&) = delete;
    ~SqlDatabase();

    // Opens (creating an empty file if none exists, unless the object was
    // made ExistingOnly) and applies the busy time-out. A connection this
    // object still holds is closed first.
    void Open(const std::string& path);
    // Opens a file that must exist; a missing one throws SQLITE_CANTOPEN.
    void OpenExisting(const std::string& path);
    // The file of the open (or last opened) connection.
    const std::string& Path() const { return m_path; }
    // Closes the connection if one is held; harmless when closed.
    void Close();
    bool IsOpen() const { return m_db != nullptr; }

    // Runs one or more statements; returns the rows changed by the last one.
    int Execute(const std::string& statement);
    // Prepares the statement and steps to its first row.
    SqlQuery Query(const std::string& statement);
    // Prepares one statement to be run many times with bound values.
    SqlStatement Prepare(const std::string& statement);
    // The size in bytes of the text or blob in `column` of the row `rowid`
    // of `table`, found without reading the value itself; -1 when there is
    // none (no such row, table or column, or a NULL or a number there).
    long long StoredSize(const std::string& table, const std::string& column, long long rowid);

    // Stores the time-out and applies it to an open connection.
    void SetBusyTimeout(int milliseconds);
    int BusyTimeout() const { return m_busyTimeoutMs; }

private:
    void CheckOpen() const;
    void OpenWithFlags(const std::string& path, int flags);

    sqlite3* m_db = nullptr;
    int m_busyTimeoutMs = kDefaultBusyTimeoutMs;
    OpenMode m_mode = OpenMode::CreateMissing;
    std::string m_path;
};

// A command's use of a connection it does not own (the form's m_db): opened
// here, closed when the scope ends, also when a statement throws.
class ScopedConnection {
public:
    ScopedConnection(SqlDatabase& db, const std::string& path) : m_db(db) { m_db.Open(path); }
    ~ScopedConnection() { m_db.Close(); }
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

private:
    SqlDatabase& m_db;
};
