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
    EntryStore(SqlDatabase& db, const std::string& table, std::atomic<long>& stored) : m_db(db), m_stored(stored) {
        try {
            db.Execute(wordsdb::SetCacheSize(kCacheKibibytes));
        } catch (const CppSQLite3Exception&) {
            // Only slower with the default cache.
        }
        try {
            m_insert = db.Prepare(wordsdb::InsertBoundWord(table));
            m_ready = true;
            Begin();
        } catch (const CppSQLite3Exception&) {
            // No table to fill: every insert fails, as each would on its own.
        }
    }
    ~EntryStore() { Commit(); }
    EntryStore(const EntryStore&) = delete;
    EntryStore& operator=(const EntryStore&) = delete;

    void Insert(std::string_view entry) {
        if (!m_ready) return;
        try {
            m_insert.BindText(1, entry);
            m_insert.Execute();
            ++m_pending;
            m_stored.store(m_committed + m_pending, std::memory_order_relaxed);
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
        } catch (const CppSQLite3Exception&) {
            // SQLite rolled the batch back (a full disk, an I/O error).
        }
        m_pending = 0;
        m_stored.store(m_committed, std::memory_order_relaxed);
        m_lastCommit = Clock::now();
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr long kBatchEntries = 500000;
    static constexpr std::chrono::milliseconds kBatchTime{1000};
    static constexpr int kCacheKibibytes = 64 * 1024;

    void Begin() {
        try {
            m_db.Execute(wordsdb::BeginTransaction());
            m_inTransaction = true;
        } catch (const CppSQLite3Exception&) {
            m_inTransaction = false;  // entries then commit one by one
        }
        m_lastCommit = Clock::now();
    }

    SqlDatabase& m_db;
    std::atomic<long>& m_stored;
    SqlStatement m_insert;
    bool m_ready = false;
    bool m_inTransaction = false;
    long m_pending = 0;
    long m_committed = 0;
    Clock::time_point m_lastCommit = Clock::now();
};

std::size_t Characters(std::string_view text) { return utf8text::CountCodePoints(text); }

}  // namespace

void EntriesOfLine(std::string_view line, bool excludeShort, const std::function<bool()>& stopped,
                   const std::function<void(std::string_view)>& store) {
    if (line.find(' ') == std::string_view::npos) {
        if (Characters(line) > 1 && !stopped()) store(line);
        return;
    }
    std::string phrase;
    int count = 0;
    std::size_t start = 0;
    for (bool last = false; !last && !stopped();) {
        std::size_t space = line.find(' ', start);
        last = space == std::string_view::npos;
        std::string token(line.substr(start, last ? std::string_view::npos : space - start));
        start = space + 1;
        for (char& c : token)
            if (c == '"') c = '\'';
        if (excludeShort && Characters(token) < kShortWordLimit) continue;
        phrase += token;
        if (++count == kPhraseWords) {
            if (!stopped()) store(phrase);
            count = 0;
        }
        phrase += ' ';
    }
}

int LoadWordbookFile(LoadRequest& request) {
    TextFileLines file;
    if (request.m_filePath.size() > 1 && file.Open(request.m_filePath)) {
        request.m_fileOpened = true;
        request.m_fileSize = file.FileSize();
        const std::function<bool()> stopped = [&request] { return request.m_stop.load(); };
        EntryStore store(request.m_db, request.m_tableName, request.m_entriesStored);
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
