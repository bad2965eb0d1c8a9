// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/SqlStatement.h"

#include "db/CppSQLite3Exception.h"

#include <sqlite3.h>

#include <utility>

SqlStatement::SqlStatement(sqlite3* db, sqlite3_stmt* statement) : m_db(db), m_statement(statement) {}

SqlStatement::SqlStatement(SqlStatement&& other) noexcept
        : m_db(std::exchange(other.m_db, nullptr)), m_statement(std::exchange(other.m_statement, nullptr)) {}

SqlStatement& SqlStatement::operator=(SqlStatement&& other) noexcept {
    if (this != &other) {
        Finalize();
        m_db = std::exchange(other.m_db, nullptr);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

SqlStatement::~SqlStatement() { Finalize(); }

void SqlStatement::Finalize() noexcept {
    if (m_statement) sqlite3_finalize(std::exchange(m_statement, nullptr));
}

void SqlStatement::CheckStatement() const {
    if (!m_statement) throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, "Null Virtual Machine pointer");
}

void SqlStatement::BindText(int index, std::string_view text) {
    CheckStatement();
    const int result = sqlite3_bind_text64(m_statement, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (result != SQLITE_OK) throw CppSQLite3Exception(result, sqlite3_errmsg(m_db));
}

void SqlStatement::BindTextInPlace(int index, std::string_view text) {
    CheckStatement();
    const int result = sqlite3_bind_text64(m_statement, index, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8);
    if (result != SQLITE_OK) throw CppSQLite3Exception(result, sqlite3_errmsg(m_db));
}

int SqlStatement::Execute() {
    CheckStatement();
    int result = sqlite3_step(m_statement);
    while (result == SQLITE_ROW) result = sqlite3_step(m_statement);
    // reset repeats the step's error code; the message is read before it.
    if (result != SQLITE_DONE) {
        CppSQLite3Exception error(result, sqlite3_errmsg(m_db));
        sqlite3_reset(m_statement);
        throw error;
    }
    sqlite3_reset(m_statement);
    return sqlite3_changes(m_db);
}
