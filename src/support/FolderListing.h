// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// A directory search in the manner of find-first/find-next: the pattern is a
// folder path followed by a name pattern ("dir/*.*", "dir/*.gif" or an exact
// name, "dir/artfonts"). "*.*" matches every name, with or without a dot.
struct FolderEntry {
    std::string name;      // the entry's own name
    std::string fullPath;  // folder of the pattern + name
    bool isFolder = false;
};

// Matching entries sorted by name (byte order), so that a listing, and every
// collage drawn from it, is the same on every machine. "." and ".." are never
// returned. A folder that cannot be read gives no entries; `ok` (when given)
// tells whether the folder could be read at all.
std::vector<FolderEntry> FindEntries(const std::string& pattern, bool* ok = nullptr);

// True when `name` matches the wildcard pattern (* any run, ? one character).
bool MatchesPattern(const std::string& name, const std::string& pattern);

// The entries of a search as one text: each folder's name followed by
// "  [FOLDER]|", each file's name followed by "|", the final "|" removed when
// the text is longer than 2 characters. An empty folder gives "".
std::string ListFolderEntries(const std::string& pattern);
