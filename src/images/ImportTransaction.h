#pragma once
#include "db/SqlDatabase.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Runs many INSERTs on an open connection inside a few large transactions,
// so an import writes the file once per batch instead of once per row.
//
// A failing statement costs only its own row: the rows added before it are
// committed, and when the failure took their transaction with it (SQLite
// rolls back the whole transaction on some errors) they are written again.
// Rows are not kept in memory for that: each has a number, and `rebuild`
// makes its statement again from the number (empty: it cannot).
class ImportTransaction {
public:
    static constexpr std::size_t kBatchBytes = 64u * 1024u * 1024u;
    using Rebuild = std::function<std::string(std::size_t row)>;

    // A batch is committed once its statements reach `batchBytes`.
    ImportTransaction(SqlDatabase& db, Rebuild rebuild, std::size_t batchBytes = kBatchBytes)
        : m_db(db), m_rebuild(std::move(rebuild)), m_batchLimit(batchBytes) {}
    ImportTransaction(const ImportTransaction&) = delete;
    ImportTransaction& operator=(const ImportTransaction&) = delete;
    // Commits what is pending; a failure here is only counted in Lost().
    ~ImportTransaction();

    // Runs the INSERT of row `row`. Throws CppSQLite3Exception when the
    // database refused it; nothing of that row is stored then.
    void Add(const std::string& statement, std::size_t row);
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
    Rebuild m_rebuild;
    std::vector<std::size_t> m_batch;
    std::size_t m_batchLimit;
    std::size_t m_batchBytes = 0;
    bool m_open = false;
    int m_lost = 0;
};
