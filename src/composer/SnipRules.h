// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Words are the fields between single space characters (byte 32): line
// breaks and tabs do not separate words, two adjacent spaces enclose an empty
// word.

// 1 + the number of spaces; an empty text counts 1.
int CountWords(std::string_view text);

// The k-th word (0-based); empty beyond the last space.
std::string_view WordAt(std::string_view text, int k);

// The word boundaries of one text, found once, so that many snips can be cut
// from a long text without scanning it again for each word.
class WordIndex {
public:
    explicit WordIndex(std::string_view text);
    int Count() const { return static_cast<int>(m_spaces.size()) + 1; }
    std::string_view Word(int k) const;
    std::string_view Text() const { return m_text; }

private:
    std::string_view m_text;
    // Offsets of the spaces; 32 bits keep the index of a long text small.
    std::vector<std::uint32_t> m_spaces;
};

// A snip and the words it was cut from: word positions first..last, counted
// from 1 (0 and -1 when it holds no word).
struct SnipCut {
    std::string text;
    int first = 0;
    int last = -1;
};

// Up to n consecutive words from a random word: one draw reduced into
// 0..count by repeated subtraction; words at or past `count` are left out.
SnipCut CutSnip(const WordIndex& words, int count, int n);
std::string PickSnip(const WordIndex& words, int count, int n);
std::string PickSnip(std::string_view text, int count, int n);

// The first `most` space-separated tokens, each preceded by one space; a text
// without a space gives "".
std::string LeadingWords(std::string_view text, int most);
// LeadingWords with the positions of the words it took.
SnipCut CutLeadingWords(std::string_view text, int most);

// Every space immediately followed by another space is removed.
std::string CollapseSpaces(std::string_view html);
