// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "WordNet.h"

#include <string>
#include <unordered_set>
#include <vector>

// The nine word-class tables: exactly `rows` words each, chosen by commonness
// and stored alphabetically.
namespace wordtables {

struct Table {
    std::string name;
    int rows = 0;
    std::vector<std::string> words;  // alphabetical, rows long
};

// Table names and row counts in the order the random fill visits them.
const std::vector<std::pair<std::string, int>>& Layout();

// `wordList`: lower-case words of a spelling dictionary; derived forms are
// kept only when it knows them. Throws std::runtime_error when a table
// cannot be filled.
std::vector<Table> Build(const wordnet::Database& wn, const std::unordered_set<std::string>& wordList);

// Lower-case entries of one-word-a-line dictionary files.
std::unordered_set<std::string> ReadWordLists(const std::vector<std::string>& paths);

}  // namespace wordtables
