// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/CppSQLite3Exception.h"

#include <sqlite3.h>

#include <utility>

namespace {

char* CopyMessage(const char* message) { return message ? sqlite3_mprintf("%s", message) : nullptr; }

}  // namespace

CppSQLite3Exception::CppSQLite3Exception(int code, const char* detail, bool releaseDetail)
        : m_code(code), m_message(sqlite3_mprintf("%s[%d]: %s", CodeName(code), code, detail ? detail : "")) {
    if (releaseDetail && detail) {
        sqlite3_free(const_cast<char*>(detail));
    }
}

CppSQLite3Exception::CppSQLite3Exception(const CppSQLite3Exception& other)
        : std::exception(other),
          m_code(other.m_code),
          m_message(CopyMessage(other.m_message)),
          m_file(other.m_file),
          m_sqliteText(other.m_sqliteText) {}

CppSQLite3Exception::CppSQLite3Exception(CppSQLite3Exception&& other) noexcept
        : std::exception(other),
          m_code(other.m_code),
          m_message(std::exchange(other.m_message, nullptr)),
          m_file(std::move(other.m_file)),
          m_sqliteText(std::move(other.m_sqliteText)) {}

CppSQLite3Exception& CppSQLite3Exception::operator=(const CppSQLite3Exception& other) {
    if (this != &other) {
        char* copy = CopyMessage(other.m_message);
        sqlite3_free(m_message);
        m_message = copy;
        m_code = other.m_code;
        m_file = other.m_file;
        m_sqliteText = other.m_sqliteText;
    }
    return *this;
}

CppSQLite3Exception& CppSQLite3Exception::operator=(CppSQLite3Exception&& other) noexcept {
    if (this != &other) {
        sqlite3_free(m_message);
        m_message = std::exchange(other.m_message, nullptr);
        m_code = other.m_code;
        m_file = std::move(other.m_file);
        m_sqliteText = std::move(other.m_sqliteText);
    }
    return *this;
}

CppSQLite3Exception::~CppSQLite3Exception() { sqlite3_free(m_message); }

const char* CppSQLite3Exception::Message() const { return m_message ? m_message : ""; }

const char* CppSQLite3Exception::CodeName(int code) {
    switch (code) {
        case 0: return "SQLITE_OK";
        case 1: return "SQLITE_ERROR";
        case 2: return "SQLITE_INTERNAL";
        case 3: return "SQLITE_PERM";
        case 4: return "SQLITE_ABORT";
        case 5: return "SQLITE_BUSY";
        case 6: return "SQLITE_LOCKED";
        case 7: return "SQLITE_NOMEM";
        case 8: return "SQLITE_READONLY";
        case 9: return "SQLITE_INTERRUPT";
        case 10: return "SQLITE_IOERR";
        case 11: return "SQLITE_CORRUPT";
        case 12: return "SQLITE_NOTFOUND";
        case 13: return "SQLITE_FULL";
        case 14: return "SQLITE_CANTOPEN";
        case 15: return "SQLITE_PROTOCOL";
        case 16: return "SQLITE_EMPTY";
        case 17: return "SQLITE_SCHEMA";
        case 18: return "SQLITE_TOOBIG";
        case 19: return "SQLITE_CONSTRAINT";
        case 20: return "SQLITE_MISMATCH";
        case 21: return "SQLITE_MISUSE";
        case 22: return "SQLITE_NOLFS";
        case 23: return "SQLITE_AUTH";
        case 24: return "SQLITE_FORMAT";
        case 25: return "SQLITE_RANGE";
        case 100: return "SQLITE_ROW";
        case 101: return "SQLITE_DONE";
        case CppSQLite3Exception::kLayerError: return "CPPSQLITE_ERROR";
        default: return "UNKNOWN_ERROR";
    }
}

void CppSQLite3Exception::SetContext(std::string file, const char* sqliteText) {
    m_file = std::move(file);
    m_sqliteText = sqliteText ? sqliteText : "";
}

bool CppSQLite3Exception::HasNoDetail() const {
    const std::string message = Message();
    return message.size() >= 2 && message.compare(message.size() - 2, 2, ": ") == 0;
}

std::string FailureText(const CppSQLite3Exception& error, const std::string& doing) {
    std::string text = error.Message();
    if (!error.HasNoDetail()) return text;
    text += "\n" + doing;
    if (!error.File().empty()) text += " (" + error.File() + ")";
    text += ": " + (error.SqliteText().empty() ? std::string("no further detail") : error.SqliteText());
    return text;
}
