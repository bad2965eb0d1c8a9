// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordbooks/TextFileLines.h"

#include "richtext/Utf8Text.h"

#include <filesystem>

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool LineIsUtf8(std::string_view line) {
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (static_cast<unsigned char>(line[pos]) < 0x80) {
            ++pos;
        } else if (utf8text::Decode(line, pos) < 0) {
            return false;
        }
    }
    return true;
}

std::string FromCp1252(std::string_view line) {
    std::string out;
    out.reserve(line.size() + line.size() / 4);
    for (char c : line) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            utf8text::Append(out, utf8text::FromCp1252(byte));
        }
    }
    return out;
}

}  // namespace

bool TextFileLines::IsValidUtf8(std::istream& in) {
    // A line end never falls inside a multi-byte character, so lines can be
    // checked one at a time.
    std::string line;
    while (std::getline(in, line))
        if (!LineIsUtf8(line)) return false;
    return true;
}

bool TextFileLines::Open(const std::string& path) {
    // Only a regular file: opening a named pipe or a device would block.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    m_buffer = std::make_unique<char[]>(kBufferSize);
    m_in.rdbuf()->pubsetbuf(m_buffer.get(), kBufferSize);
    m_in.open(path, std::ios::binary);
    if (!m_in) return false;
    const auto size = std::filesystem::file_size(path, ec);
    m_fileSize = ec ? 0 : static_cast<std::int64_t>(size);
    m_utf8 = IsValidUtf8(m_in);
    m_in.clear();
    m_in.seekg(0);
    m_bytesRead = 0;
    m_first = true;
    return static_cast<bool>(m_in);
}

bool TextFileLines::Next(std::string& line) {
    if (!std::getline(m_in, line)) return false;
    m_bytesRead += static_cast<std::int64_t>(line.size()) + (m_in.eof() ? 0 : 1);
    if (m_first) {
        m_first = false;
        if (m_utf8 && line.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) line.erase(0, kByteOrderMark.size());
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!m_utf8) line = FromCp1252(line);
    return true;
}
