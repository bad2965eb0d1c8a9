// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "WordTables.h"

#include <string>
#include <unordered_set>
#include <vector>

// The two wordbooks delivered with the database.
namespace deliveredbooks {

struct Wordbook {
    std::string bookName;
    std::string tableName;
    std::vector<std::string> entries;
};

// Pronounceable made-up words: syllables of our own rules, none of them a
// word the word list knows.
std::vector<std::string> NonsenseWords(std::size_t count, const std::unordered_set<std::string>& wordList);
// Short phrases composed from the word tables by a few phrase patterns.
std::vector<std::string> Phrases(std::size_t count, const std::vector<wordtables::Table>& tables);

std::vector<Wordbook> Build(const std::vector<wordtables::Table>& tables,
                            const std::unordered_set<std::string>& wordList);

}  // namespace deliveredbooks
