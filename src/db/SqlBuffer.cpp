// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/SqlBuffer.h"

#include <sqlite3.h>

#include <cstdarg>
#include <utility>

#include "db/CppSQLite3Exception.h"

SqlBuffer::SqlBuffer(SqlBuffer&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}

SqlBuffer& SqlBuffer::operator=(SqlBuffer&& other) noexcept {
    if (this != &other) {
        Clear();
        m_text = std::exchange(other.m_text, nullptr);
    }
    return *this;
}

SqlBuffer::~SqlBuffer() { Clear(); }

void SqlBuffer::Clear() noexcept {
    sqlite3_free(m_text);
    m_text = nullptr;
}

const char* SqlBuffer::Format(const char* format, ...) {
    Clear();
    va_list arguments;
    va_start(arguments, format);
    m_text = sqlite3_vmprintf(format, arguments);
    va_end(arguments);
    if (!m_text) {
        throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, "Cannot allocate memory");
    }
    return m_text;
}
