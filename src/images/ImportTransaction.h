// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "db/SqlDatabase.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Runs many INSERTs on an open connection inside a few large transactions,
// so an import writes the file once per batch instead of once per row.
//
// A failing insert costs only its own row: the rows added before it are
// committed, and when the failure took their transaction with it (SQLite
// rolls back the whole transaction on some errors) they are written again.
// Rows are not kept in memory for that: each has a number, and `rewrite`
// stores its row again from the number (false: it cannot).
class ImportTransaction {
public:
    static constexpr std::size_t kBatchBytes = 64u * 1024u * 1024u;
    using Rewrite = std::function<bool(std::size_t row)>;
    using Store = std::function<void()>;

    // A batch is committed once its rows reach `batchBytes`.
    ImportTransaction(SqlDatabase& db, Rewrite rewrite, std::size_t batchBytes = kBatchBytes)
            : m_db(db), m_rewrite(std::move(rewrite)), m_batchLimit(batchBytes) {}
    ImportTransaction(const ImportTransaction&) = delete;
    ImportTransaction& operator=(const ImportTransaction&) = delete;
    // Commits what is pending; a failure here is only counted in Lost().
    ~ImportTransaction();

    // Runs `store`, the INSERT of row `row` (about `bytes` long), inside the
    // open batch. Throws CppSQLite3Exception when the database refused it;
    // nothing of that row is stored then.
    void Add(std::size_t row, std::size_t bytes, const Store& store);
    // Makes every row added so far durable. Throws the first failure when
    // some of them could not be stored (they are counted in Lost()).
    void Commit();
    // Rows that Add accepted but that are not in the file after all.
    int Lost() const { return m_lost; }

private:
    void Begin();
    // Keeps the batch, by COMMIT or else by writing it again row by row.
    void SaveBatch(bool rethrow);

    SqlDatabase& m_db;
    Rewrite m_rewrite;
    std::vector<std::size_t> m_batch;
    std::size_t m_batchLimit;
    std::size_t m_batchBytes = 0;
    bool m_open = false;
    int m_lost = 0;
};
