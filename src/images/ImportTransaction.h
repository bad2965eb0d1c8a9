#pragma once
#include "db/SqlDatabase.h"

#include <cstddef>
#include <string>
#include <vector>

// Runs many INSERTs on an open connection inside a few large transactions,
// so an import writes the file once per batch instead of once per row.
//
// A failing statement costs only its own row: the rows added before it are
// committed, and when the failure took their transaction with it (SQLite
// rolls back the whole transaction on some errors) they are written again.
class ImportTransaction {
public:
    static constexpr std::size_t kBatchRows = 200;
    static constexpr std::size_t kBatchBytes = 16u * 1024u * 1024u;

    explicit ImportTransaction(SqlDatabase& db) : m_db(db) {}
    ImportTransaction(const ImportTransaction&) = delete;
    ImportTransaction& operator=(const ImportTransaction&) = delete;
    // Commits what is pending; a failure here is only counted in Lost().
    ~ImportTransaction();

    // Runs one INSERT. Throws CppSQLite3Exception when the database refused
    // it; nothing of that row is stored then.
    void Add(std::string statement);
    // Makes every row added so far durable. Throws the first failure when
    // some of them could not be stored (they are counted in Lost()).
    void Commit();
    // Rows that Add accepted but that are not in the file after all.
    int Lost() const { return m_lost; }

private:
    void Begin();
    // After a failure: keep the batch, by COMMIT or else by writing it again.
    void SaveBatch(bool rethrow);

    SqlDatabase& m_db;
    std::vector<std::string> m_batch;
    std::size_t m_batchBytes = 0;
    bool m_open = false;
    int m_lost = 0;
};
