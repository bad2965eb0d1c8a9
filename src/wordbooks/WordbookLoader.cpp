// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordbooks/WordbookLoader.h"

#include "db/CppSQLite3Exception.h"
#include "db/SqlStatement.h"
#include "db/WordsDb.h"
#include "richtext/Utf8Text.h"
#include "wordbooks/TextFileLines.h"
#include "wordbooks/WordsConnection.h"

#include <chrono>
#include <optional>

namespace wordbooks {

namespace {

// Entries go in through one prepared INSERT, inside transactions committed
// in batches, at STOP, at the end and after a failure: one transaction per
// entry took minutes for a large file, and a commit keeps what is stored
// safe from a crash or a kill.
class EntryStore {
public:
    EntryStore(LoadRequest& request) : m_request(request), m_db(request.m_db) {
        try {
            m_db.Execute(wordsdb::SetCacheSize(kCacheKibibytes));
        } catch (const CppSQLite3Exception&) {
            // Only slower with the default cache.
        }
        Begin();
        if (request.m_bookName.empty()) {
            try {
                Prepare();
            } catch (const CppSQLite3Exception&) {
                // No table to fill: every insert fails, as each would on its own.
            }
        }
    }
    ~EntryStore() { Commit(); }
    EntryStore(const EntryStore&) = delete;
    EntryStore& operator=(const EntryStore&) = delete;

    // The wordbook could not be created: nothing more can be stored.
    bool Failed() const { return !m_request.m_failure.empty(); }

    void Insert(std::string_view entry) {
        if (!m_ready && !m_request.m_bookName.empty() && !Failed()) CreateWordbook();
        if (!m_ready) return;
        try {
            m_insert.BindText(1, entry);
            m_insert.Execute();
            ++m_pending;
            m_request.m_entriesStored.store(m_committed + m_pending, std::memory_order_relaxed);
        } catch (const CppSQLite3Exception&) {
            // A failing entry is skipped; what came before it is made safe.
            Commit();
            Begin();
            return;
        }
        if (m_pending >= kBatchEntries || Clock::now() - m_lastCommit >= kBatchTime) {
            Commit();
            Begin();
        }
    }

    void Commit() {
        if (!m_inTransaction) return;
        m_inTransaction = false;
        try {
            m_db.Execute(wordsdb::CommitTransaction());
            m_committed += m_pending;
        } catch (const CppSQLite3Exception& e) {
            // SQLite rolled the batch back (a full disk, an I/O error); with
            // it the catalogue row when this was the first batch.
            if (m_committed == 0 && !m_request.m_bookName.empty()) m_request.m_failure = e.Message();
        }
        m_pending = 0;
        m_request.m_entriesStored.store(m_committed, std::memory_order_relaxed);
        m_lastCommit = Clock::now();
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr long kBatchEntries = 500000;
    static constexpr std::chrono::milliseconds kBatchTime{1000};
    static constexpr int kCacheKibibytes = 64 * 1024;

    void Prepare() {
        m_insert = m_db.Prepare(wordsdb::InsertBoundWord(m_request.m_tableName));
        m_ready = true;
    }

    // The catalogue row and the table go into the transaction of the first
    // entry; a failure (a read-only database) ends the load.
    void CreateWordbook() {
        try {
            m_db.Execute(wordsdb::InsertWordbook(m_request.m_bookName, m_request.m_tableName));
            m_db.Execute(wordsdb::CreateWordTable(m_request.m_tableName));
            Prepare();
        } catch (const CppSQLite3Exception& e) {
            m_request.m_failure = e.Message();
            if (m_inTransaction) {
                m_inTransaction = false;
                try {
                    m_db.Execute(wordsdb::RollbackTransaction());
                } catch (const CppSQLite3Exception&) {
                    // Nothing was written.
                }
            }
        }
    }

    void Begin() {
        try {
            m_db.Execute(wordsdb::BeginTransaction());
            m_inTransaction = true;
        } catch (const CppSQLite3Exception&) {
            m_inTransaction = false;  // entries then commit one by one
        }
        m_lastCommit = Clock::now();
    }

    LoadRequest& m_request;
    SqlDatabase& m_db;
    SqlStatement m_insert;
    bool m_ready = false;
    bool m_inTransaction = false;
    long m_pending = 0;
    long m_committed = 0;
    Clock::time_point m_lastCommit = Clock::now();
};

std::size_t Characters(std::string_view text) { return utf8text::CountCodePoints(text); }

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

bool KeptWord(std::string_view word, bool excludeShort) { return !excludeShort || Characters(word) >= kShortWordLimit; }

void StoreUnlessBlank(std::string_view entry, const std::function<bool()>& stopped,
                      const std::function<void(std::string_view)>& store) {
    if (!IsBlank(entry) && !stopped()) store(entry);
}

}  // namespace

void EntriesOfLine(std::string_view line, bool excludeShort, const std::function<bool()>& stopped,
                   const std::function<void(std::string_view)>& store) {
    if (line.find(' ') == std::string_view::npos) {
        if (Characters(line) > 1 && KeptWord(line, excludeShort)) StoreUnlessBlank(line, stopped, store);
        return;
    }
    // Each entry starts empty: an entry that repeated the ones before it
    // made one long line grow the database by its square.
    std::string phrase;
    int count = 0;
    std::size_t start = 0;
    bool last = false;
    while (!last && !stopped()) {
        const std::size_t space = line.find(' ', start);
        last = space == std::string_view::npos;
        std::string token(line.substr(start, last ? std::string_view::npos : space - start));
        start = space + 1;
        for (char& c : token)
            if (c == '"') c = '\'';
        if (!KeptWord(token, excludeShort)) continue;
        if (count > 0) phrase += ' ';
        phrase += token;
        if (++count == kPhraseWords) {
            StoreUnlessBlank(phrase, stopped, store);
            phrase.clear();
            count = 0;
        }
    }
    // The words left at the end of the line (a short line, a verse) make one
    // last, shorter entry.
    if (last && count > 0 && Characters(phrase) > 1) StoreUnlessBlank(phrase, stopped, store);
}

int LoadWordbookFile(LoadRequest& request) {
    TextFileLines file;
    if (request.m_filePath.size() > 1 && file.Open(request.m_filePath)) {
        request.m_fileOpened = true;
        request.m_fileSize = file.FileSize();
        EntryStore store(request);
        const std::function<bool()> stopped = [&request, &store] { return request.m_stop.load() || store.Failed(); };
        const std::function<void(std::string_view)> insert = [&store](std::string_view entry) { store.Insert(entry); };
        std::string line;
        while (!stopped() && file.Next(line)) {
            EntriesOfLine(line, request.m_excludeShort, stopped, insert);
            request.m_bytesRead.store(file.BytesRead(), std::memory_order_relaxed);
        }
        store.Commit();
    }
    request.m_db.Close();
    return 1;
}

WordbookLoad::~WordbookLoad() {
    Stop();
    Wait();
}

void WordbookLoad::Start(std::unique_ptr<LoadRequest> request, std::function<void()> finished) {
    Stop();
    Wait();
    request->m_db.SetBusyTimeout(SqlDatabase::kDefaultBusyTimeoutMs);
    OpenWordsDatabase(request->m_db, request->m_databasePath);
    m_request = std::move(request);
    m_done = false;
    LoadRequest* job = m_request.get();
    m_thread = std::thread([this, job, finished = std::move(finished)] {
        LoadWordbookFile(*job);
        m_done = true;
        if (finished) finished();
    });
}

void WordbookLoad::Stop() {
    if (m_request) m_request->m_stop = true;
}

void WordbookLoad::Wait() {
    if (m_thread.joinable()) m_thread.join();
}

}  // namespace wordbooks
