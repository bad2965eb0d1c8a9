// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <exception>
#include <string>

// The one failure type of the database layer. The message is formatted once,
// on construction, as "<code name>[<code>]: <detail>".
class CppSQLite3Exception : public std::exception {
public:
    // Code used for failures the layer detects itself.
    static constexpr int kLayerError = 1000;

    // `releaseDetail`: the detail is an error text allocated by SQLite
    // (sqlite3_exec's message); it is released with sqlite3_free after
    // formatting. Never set it for literals or std::string data.
    CppSQLite3Exception(int code, const char* detail, bool releaseDetail = false);
    CppSQLite3Exception(const CppSQLite3Exception& other);
    CppSQLite3Exception(CppSQLite3Exception&& other) noexcept;
    CppSQLite3Exception& operator=(const CppSQLite3Exception& other);
    CppSQLite3Exception& operator=(CppSQLite3Exception&& other) noexcept;
    ~CppSQLite3Exception() override;

    int Code() const { return m_code; }
    // The full report; never null.
    const char* Message() const;
    const char* what() const noexcept override { return Message(); }

    // "SQLITE_OK" ... "SQLITE_DONE", "CPPSQLITE_ERROR", else "UNKNOWN_ERROR".
    static const char* CodeName(int code);

    // Where it happened, kept beside the message (which stays as formatted):
    // the database file and SQLite's own error text.
    void SetContext(std::string file, const char* sqliteText);
    const std::string& File() const { return m_file; }
    const std::string& SqliteText() const { return m_sqliteText; }
    // True when the message ends with the colon and the space: no detail.
    bool HasNoDetail() const;

private:
    int m_code;
    char* m_message;  // from sqlite3_mprintf, released with sqlite3_free
    std::string m_file;
    std::string m_sqliteText;
};

// Throws a failure the layer detects itself (kLayerError) with `detail`.
[[noreturn]] inline void ThrowLayerError(const char* detail) {
    throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, detail);
}

// The text a user is shown for `error` while `doing` (e.g. "Building the
// collage page"): the message, and for a message without detail also what
// was being done, on which file, and SQLite's own text.
std::string FailureText(const CppSQLite3Exception& error, const std::string& doing);
