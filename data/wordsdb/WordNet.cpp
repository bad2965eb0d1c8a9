// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordNet.h"

#include "common/SourceFiles.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace wordnet {

namespace {

const char* const kSuffix[PosCount] = {"noun", "verb", "adj", "adv"};
constexpr const char* kCookingSynset = "00243918";

int ToInt(std::string_view text, int base = 10) {
    return static_cast<int>(std::strtol(std::string(text).c_str(), nullptr, base));
}

// Adjective entries carry a syntactic marker such as "(a)" or "(ip)".
std::string_view StripMarker(std::string_view word) {
    const auto paren = word.find('(');
    return paren == std::string_view::npos ? word : word.substr(0, paren);
}

}  // namespace

Database::Database(const std::string& folder) {
    for (int p = 0; p < PosCount; ++p) {
        const Pos pos = static_cast<Pos>(p);
        ReadIndex(pos, folder + "/index." + kSuffix[p]);
        ReadData(pos, folder + "/data." + kSuffix[p]);
        ReadExceptions(pos, folder + "/" + kSuffix[p] + ".exc");
    }
}

void Database::ReadIndex(Pos pos, const std::string& path) {
    const std::string text = datasrc::ReadFile(path);
    for (std::string_view line : datasrc::SplitLines(text)) {
        if (line.empty() || line[0] == ' ') continue;  // licence header
        const auto f = datasrc::SplitBlanks(line);
        // lemma pos synset_cnt p_cnt ptr... sense_cnt tagsense_cnt offsets...
        if (f.size() < 6) continue;
        const int pointers = ToInt(f[3]);
        const std::size_t tagIndex = 4 + static_cast<std::size_t>(pointers) + 1;
        if (tagIndex >= f.size()) continue;
        Lemma& lemma = m_index[pos][std::string(f[0])];
        lemma.senses = ToInt(f[2]);
        lemma.tagged = ToInt(f[tagIndex]);
    }
}

void Database::ReadData(Pos pos, const std::string& path) {
    const std::string text = datasrc::ReadFile(path);
    for (std::string_view line : datasrc::SplitLines(text)) {
        if (line.empty() || line[0] == ' ') continue;
        const auto bar = line.find(" | ");
        const std::string_view head = line.substr(0, bar);
        const auto f = datasrc::SplitBlanks(head);
        if (f.size() < 4) continue;
        Synset synset;
        synset.lexFile = ToInt(f[1]);
        const int count = ToInt(f[3], 16);
        std::size_t i = 4;
        for (int w = 0; w < count && i + 1 < f.size(); ++w, i += 2) {
            std::string word(StripMarker(f[i]));
            if (datasrc::IsLowerWord(word, 1)) m_lowerInData[pos].insert(word);
            synset.words.push_back(std::move(word));
        }
        synset.cookingDomain = head.find(std::string(";c ") + kCookingSynset) != std::string_view::npos;
        if (bar != std::string_view::npos) synset.gloss = std::string(datasrc::Trim(line.substr(bar + 3)));
        m_synsets[pos].push_back(std::move(synset));
    }
}

void Database::ReadExceptions(Pos pos, const std::string& path) {
    const std::string text = datasrc::ReadFile(path);
    for (std::string_view line : datasrc::SplitLines(text)) {
        const auto f = datasrc::SplitBlanks(line);
        for (std::size_t i = 1; i < f.size(); ++i) m_exceptions[pos].emplace_back(f[0], f[i]);
    }
}

std::vector<std::string> Database::PlainLemmas(Pos pos, std::size_t minLength) const {
    std::vector<std::string> lemmas;
    for (const auto& [lemma, info] : m_index[pos])
        if (datasrc::IsLowerWord(lemma, minLength) && m_lowerInData[pos].count(lemma)) lemmas.push_back(lemma);
    std::sort(lemmas.begin(), lemmas.end());
    return lemmas;
}

std::unordered_set<std::string> Database::NounsInLexFiles(std::initializer_list<int> files) const {
    std::unordered_set<std::string> nouns;
    for (const Synset& synset : m_synsets[Noun]) {
        if (std::find(files.begin(), files.end(), synset.lexFile) == files.end()) continue;
        for (const std::string& word : synset.words)
            if (datasrc::IsLowerWord(word)) nouns.insert(word);
    }
    return nouns;
}

Lemma Database::Info(Pos pos, const std::string& lemma) const {
    const auto it = m_index[pos].find(lemma);
    return it == m_index[pos].end() ? Lemma{} : it->second;
}

}  // namespace wordnet
