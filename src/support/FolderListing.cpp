// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FolderListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    if (pattern == "*.*" || pattern == "*") return true;
    // Iterative wildcard match with backtracking to the last star.
    size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<FolderEntry> FindEntries(const std::string& pattern, bool* ok) {
    std::vector<FolderEntry> entries;
    if (ok) *ok = false;
    size_t slash = pattern.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (namePattern.empty()) return entries;

    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) return entries;
    if (ok) *ok = true;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::string name = it->path().filename().string();
        if (name == "." || name == ".." || !MatchesPattern(name, namePattern)) continue;
        std::error_code typeEc;
        bool isFolder = it->is_directory(typeEc);
        entries.push_back({name, folder + name, isFolder && !typeEc});
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

std::string ListFolderEntries(const std::string& pattern) {
    std::string listing;
    for (const FolderEntry& e : FindEntries(pattern)) {
        listing += e.name;
        listing += e.isFolder ? "  [FOLDER]|" : "|";
    }
    if (listing.size() > 2) listing.pop_back();
    return listing;
}
