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

void ImportTransaction::Add(std::string statement) {
    if (!m_open) Begin();
    try {
        m_db.Execute(statement);
    } catch (const CppSQLite3Exception&) {
        SaveBatch(false);
        throw;
    }
    m_batchBytes += statement.size();
    m_batch.push_back(std::move(statement));
    if (m_batch.size() >= kBatchRows || m_batchBytes >= kBatchBytes) SaveBatch(true);
}

void ImportTransaction::Commit() {
    if (m_open) SaveBatch(true);
}

void ImportTransaction::SaveBatch(bool rethrow) {
    if (!m_open) return;
    m_open = false;
    try {
        m_db.Execute(wordsdb::CommitTransaction());
        m_batch.clear();
        m_batchBytes = 0;
        return;
    } catch (const CppSQLite3Exception&) {
        // No transaction left to commit (the failure rolled it back), or the
        // commit itself failed: end it and write the batch again row by row.
    }
    try {
        m_db.Execute(wordsdb::RollbackTransaction());
    } catch (const CppSQLite3Exception&) {
    }
    std::optional<CppSQLite3Exception> first;
    for (const std::string& statement : m_batch) {
        try {
            m_db.Execute(statement);
        } catch (const CppSQLite3Exception& e) {
            ++m_lost;
            if (!first) first = e;
        }
    }
    m_batch.clear();
    m_batchBytes = 0;
    if (first && rethrow) throw *first;
}
