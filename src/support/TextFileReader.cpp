#include "support/TextFileReader.h"

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

// `end`, or the start of a UTF-8 character that `end` would cut in two.
std::size_t CharacterBoundary(const std::string& text, std::size_t end) {
    std::size_t lead = end;
    while (lead > 0 && end - lead < 4 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead == 0) return end;
    const unsigned char first = static_cast<unsigned char>(text[lead - 1]);
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return lead - 1 + length > end ? lead - 1 : end;
}

}  // namespace

TextFileStart ReadTextFileStart(const std::string& path, int maxLines, std::size_t byteLimit) {
    TextFileStart start;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        start.problem = path + " is a folder, not a text file.";
        return start;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        start.problem = path + " cannot be opened" + (errno ? std::string(": ") + std::strerror(errno) : "") + ".";
        return start;
    }
    constexpr std::size_t kChunk = 64 * 1024;
    std::string& text = start.text;
    int lines = 0;
    std::size_t scanned = 0;
    while (lines < maxLines && text.size() < byteLimit && in) {
        const std::size_t want = std::min(kChunk, byteLimit - text.size());
        const std::size_t old = text.size();
        text.resize(old + want);
        in.read(text.data() + old, static_cast<std::streamsize>(want));
        text.resize(old + static_cast<std::size_t>(in.gcount()));
        for (; scanned < text.size(); ++scanned) {
            if (text[scanned] == '\n' && ++lines == maxLines) {
                text.resize(scanned + 1);
                break;
            }
        }
    }
    if (in.bad()) {
        start.problem = path + " cannot be read.";
        return start;
    }
    if (text.find('\0') != std::string::npos) {
        start.problem = path + " is not a text file: it holds binary data.";
        return start;
    }
    if (lines < maxLines && text.size() >= byteLimit && in.peek() != std::char_traits<char>::eof()) {
        text.resize(CharacterBoundary(text, text.size()));
        start.notice = "Only the first " + std::to_string(byteLimit >> 20) + " MB of " + path + " were read.";
    }
    start.ok = true;
    return start;
}
