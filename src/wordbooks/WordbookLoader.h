// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "db/SqlDatabase.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

// The wordbook loader: fills a new wordbook's table from a text file on a
// worker thread. The stop flag is the only datum the interface thread writes;
// the counters are the only ones it reads.
namespace wordbooks {

struct LoadRequest {
    std::string m_filePath;
    std::string m_tableName;
    std::string m_databasePath;
    // When set, the catalogue row (this BOOKNAME, the table name) and the
    // table are created together with the first entry, so a load that
    // stores nothing leaves no wordbook behind.
    std::string m_bookName;
    // Opened by the interface thread, used and closed by the worker.
    SqlDatabase m_db;
    std::atomic<bool> m_stop{false};
    bool m_excludeShort = false;

    // Progress: bytes of the file read, its size, entries stored so far.
    std::atomic<std::int64_t> m_bytesRead{0};
    std::atomic<std::int64_t> m_fileSize{0};
    std::atomic<long> m_entriesStored{0};
    // The file could be opened (set by the worker).
    std::atomic<bool> m_fileOpened{false};
    // Why the wordbook could not be created (set by the worker; read after
    // it has ended).
    std::string m_failure;
};

// Words of fewer characters are left out when "exclude short" is checked.
inline constexpr std::size_t kShortWordLimit = 4;
// Words per phrase entry of a line of running text.
inline constexpr int kPhraseWords = 10;

// The entries one line gives, in order, each handed to `store`: a one-word
// line whole, running text as phrases of ten words and the words left at the
// end of the line as one shorter phrase. Blank entries are never handed on.
// `stopped` is asked before each token and before each entry is handed on.
void EntriesOfLine(std::string_view line, bool excludeShort, const std::function<bool()>& stopped,
                   const std::function<void(std::string_view)>& store);

// The worker's body: reads the file and stores its entries in the request's
// table, then closes the request's connection. Returns 1.
int LoadWordbookFile(LoadRequest& request);

// One load on its own thread.
class WordbookLoad {
public:
    WordbookLoad() = default;
    ~WordbookLoad();  // stops and waits for a load still running
    WordbookLoad(const WordbookLoad&) = delete;
    WordbookLoad& operator=(const WordbookLoad&) = delete;

    // Opens the request's connection (busy time-out 60000 ms; a failure is
    // thrown as CppSQLite3Exception and nothing starts), then starts the
    // worker. `finished` runs on the worker once it is done.
    void Start(std::unique_ptr<LoadRequest> request, std::function<void()> finished = {});
    void Stop();
    // Waits for the worker to end.
    void Wait();
    bool Running() const { return m_thread.joinable() && !m_done.load(); }
    bool Done() const { return m_done.load(); }

    // The current request (null before Start).
    LoadRequest* Request() const { return m_request.get(); }

private:
    std::unique_ptr<LoadRequest> m_request;
    std::thread m_thread;
    std::atomic<bool> m_done{false};
};

}  // namespace wordbooks
