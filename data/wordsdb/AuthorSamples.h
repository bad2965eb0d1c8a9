// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "WordNet.h"

#include <string>
#include <vector>

// Text samples for every entry of the author list, from public-domain texts
// that Debian ships: dictionary quotations cited by author, Bible books, the
// satirical dictionary, and cookery glosses of WordNet.
namespace authorsamples {

struct Sources {
    std::string gcideDict;  // gcide.dict.dz
    std::string devilDict;  // devil.dict.dz
    std::string bibleCommand = "bible";
};

struct Author {
    std::string name;
    std::vector<std::string> samples;  // each 5..60 words of plain text
};

constexpr int kMinWords = 5;
constexpr int kMaxWords = 60;
constexpr std::size_t kMaxSamples = 800;

// One Author per entry of the author list, in its order. Throws
// std::runtime_error when an entry has fewer than 100 samples.
std::vector<Author> Build(const Sources& sources, const wordnet::Database& wn);

// Collapses white space and returns the text when it is a usable sample
// (plain characters only, kMinWords..kMaxWords words), else an empty text.
std::string CleanSample(std::string_view raw);

// Quotations of the dictionary text cited with "--" + citation, in order.
std::vector<std::string> QuotationsCitedAs(const std::string& dictionary, const std::string& citation);
// Sentences of the definitions in the satirical dictionary.
std::vector<std::string> DevilSentences(const std::string& dictionary);
// Verses of the output of `bible -l0 <range>`.
std::vector<std::string> BibleVerses(const std::string& listing);

}  // namespace authorsamples
