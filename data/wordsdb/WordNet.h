// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// What the word tables need from the WordNet database files.
namespace wordnet {

enum Pos { Noun, Verb, Adjective, Adverb, PosCount };

struct Lemma {
    int senses = 0;  // synsets the lemma belongs to
    int tagged = 0;  // senses counted in the tagged corpus: our commonness measure
};

struct Synset {
    int lexFile = 0;
    std::vector<std::string> words;  // as written in the data file (case kept)
    std::string gloss;
    bool cookingDomain = false;  // carries the "cooking" domain pointer
};

// Lexicographer files we pick from.
constexpr int kNounAttribute = 7;
constexpr int kNounFeeling = 12;
constexpr int kNounFood = 13;

class Database {
public:
    // `folder` holds index.*, data.* and *.exc.
    explicit Database(const std::string& folder);

    const std::unordered_map<std::string, Lemma>& Index(Pos pos) const { return m_index[pos]; }
    const std::vector<Synset>& Synsets(Pos pos) const { return m_synsets[pos]; }
    // Inflected form -> base forms, from the exception lists.
    const std::vector<std::pair<std::string, std::string>>& Exceptions(Pos pos) const { return m_exceptions[pos]; }

    // Lemmas of one word, lower-case letters only, at least `minLength` long,
    // that occur written in lower case in some synset.
    std::vector<std::string> PlainLemmas(Pos pos, std::size_t minLength = 3) const;
    // Plain noun lemmas with a sense in one of the given lexicographer files.
    std::unordered_set<std::string> NounsInLexFiles(std::initializer_list<int> files) const;

    Lemma Info(Pos pos, const std::string& lemma) const;

private:
    void ReadIndex(Pos pos, const std::string& path);
    void ReadData(Pos pos, const std::string& path);
    void ReadExceptions(Pos pos, const std::string& path);

    std::unordered_map<std::string, Lemma> m_index[PosCount];
    std::vector<Synset> m_synsets[PosCount];
    std::unordered_set<std::string> m_lowerInData[PosCount];
    std::vector<std::pair<std::string, std::string>> m_exceptions[PosCount];
};

}  // namespace wordnet
