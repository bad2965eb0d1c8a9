// SPDX-License-Identifier: GPL-3.0-or-later
#include "SourceFiles.h"

#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace datasrc {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string ReadGzipFile(const std::string& path) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error("cannot read " + path);
    std::string text;
    char chunk[1 << 16];
    int got = 0;
    while ((got = gzread(file, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<std::size_t>(got));
    const bool failed = got < 0;
    gzclose(file);
    if (failed) throw std::runtime_error("cannot uncompress " + path);
    return text;
}

std::string ReadCommandOutput(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string text;
    char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, got);
    if (pclose(pipe) != 0) throw std::runtime_error("command failed: " + command);
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::vector<std::string_view> SplitBlanks(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) fields.push_back(text.substr(start, i - start));
    }
    return fields;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string CollapseSpaces(std::string_view text) {
    std::string out;
    for (std::string_view word : SplitBlanks(text)) {
        if (!out.empty()) out += ' ';
        out += word;
    }
    return out;
}

int CountWords(std::string_view text) { return static_cast<int>(SplitBlanks(text).size()); }

bool IsLowerWord(std::string_view word, std::size_t minLength) {
    if (word.size() < minLength) return false;
    for (char c : word)
        if (c < 'a' || c > 'z') return false;
    return true;
}

}  // namespace datasrc
