// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ImportTransaction.h"

#include "db/WordsDb.h"

#include <optional>

ImportTransaction::~ImportTransaction() {
    try {
        Commit();
    } catch (const CppSQLite3Exception&) {
        // Counted in m_lost; nobody is left to tell.
    }
}

void ImportTransaction::Begin() {
    m_db.Execute(wordsdb::BeginTransaction());
    m_open = true;
}

void ImportTransaction::Add(std::size_t row, std::size_t bytes, const Store& store) {
    if (!m_open) Begin();
    try {
        store();
    } catch (const CppSQLite3Exception&) {
        SaveBatch(false);
        throw;
    }
    m_batchBytes += bytes;
    m_batch.push_back(row);
    if (m_batchBytes >= m_batchLimit) SaveBatch(true);
}

void ImportTransaction::Commit() {
    if (m_open) SaveBatch(true);
}

void ImportTransaction::SaveBatch(bool rethrow) {
    if (!m_open) return;
    m_open = false;
    std::vector<std::size_t> batch;
    batch.swap(m_batch);
    m_batchBytes = 0;
    try {
        m_db.Execute(wordsdb::CommitTransaction());
        return;
    } catch (const CppSQLite3Exception&) {
        // No transaction left to commit (the failure rolled it back), or the
        // commit itself failed: end it and write the batch again.
    }
    try {
        m_db.Execute(wordsdb::RollbackTransaction());
    } catch (const CppSQLite3Exception&) {}
    std::optional<CppSQLite3Exception> first;
    for (std::size_t row : batch) {
        try {
            if (!m_rewrite(row)) throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, "row lost");
        } catch (const CppSQLite3Exception& e) {
            ++m_lost;
            if (!first) first = e;
        }
    }
    if (first && rethrow) throw *first;
}
