// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement that is run many times with new values bound to its
// parameters (the loader's INSERT). Move-only; destruction finalises it.
class SqlStatement {
public:
    SqlStatement() = default;
    SqlStatement(sqlite3* db, sqlite3_stmt* statement);
    SqlStatement(SqlStatement&& other) noexcept;
    SqlStatement& operator=(SqlStatement&& other) noexcept;
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;
    ~SqlStatement();

    // Binds text (copied) to parameter `index` (from 1).
    void BindText(int index, std::string_view text);
    // Binds text without copying it: it must stay unchanged until the
    // statement has run or is bound again.
    void BindTextInPlace(int index, std::string_view text);
    // Runs the statement to its end and makes it ready for the next values;
    // returns the rows changed. A failure is thrown (the statement stays usable).
    int Execute();
    void Finalize() noexcept;

private:
    void CheckStatement() const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
};
