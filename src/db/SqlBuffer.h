// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text formatted by SQLite's printf (so %q, %Q and %w are available).
// The text lives until the next Format or destruction. Move-only.
class SqlBuffer {
public:
    SqlBuffer() = default;
    SqlBuffer(SqlBuffer&& other) noexcept;
    SqlBuffer& operator=(SqlBuffer&& other) noexcept;
    SqlBuffer(const SqlBuffer&) = delete;
    SqlBuffer& operator=(const SqlBuffer&) = delete;
    ~SqlBuffer();

    // Throws CppSQLite3Exception 1000 "Cannot allocate memory" when SQLite
    // cannot allocate the result. Never pass data as `format`.
    const char* Format(const char* format, ...);
    const char* Text() const { return m_text; }

private:
    void Clear() noexcept;
    char* m_text = nullptr;
};
