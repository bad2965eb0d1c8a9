// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

// Reads a text file line by line as UTF-8: a file that is valid UTF-8 is
// taken as it is (a leading byte order mark dropped), any other as
// Windows-1252 and converted. Lines end at LF; a CR before it is dropped.
class TextFileLines {
public:
    // False when the file cannot be opened or is not a regular file.
    bool Open(const std::string& path);
    // The next line without its end; false at the end of the file.
    bool Next(std::string& line);

    bool IsUtf8() const { return m_utf8; }
    // Bytes consumed so far and the file's size, for progress.
    std::int64_t BytesRead() const { return m_bytesRead; }
    std::int64_t FileSize() const { return m_fileSize; }

    // Whether every line of `in` is well-formed UTF-8 (reads it to its end).
    static bool IsValidUtf8(std::istream& in);

private:
    std::ifstream m_in;
    std::unique_ptr<char[]> m_buffer;
    bool m_utf8 = true;
    bool m_first = true;
    std::int64_t m_bytesRead = 0;
    std::int64_t m_fileSize = 0;
};
