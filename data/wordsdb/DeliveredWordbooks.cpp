// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeliveredWordbooks.h"

#include "support/Random.h"

#include <map>
#include <set>
#include <string_view>
#include <stdexcept>

namespace deliveredbooks {

namespace {

template <std::size_t N>
const char* Draw(const char* const (&choices)[N]) {
    return choices[static_cast<std::size_t>(rng::Next()) % N];
}

std::string Syllable(bool first, bool last) {
    static const char* const kOnsets[] = {"b", "bl", "br", "d",  "dr", "f",  "fl", "fr",  "g",  "gl", "gr",
                                          "h", "j",  "k",  "kl", "l",  "m",  "n",  "p",   "pl", "pr", "qu",
                                          "r", "s",  "sk", "sl", "sn", "sp", "st", "str", "t",  "tr", "v",
                                          "w", "z",  "ch", "sh", "th", "v",  "m",  "n",   "l",  "r",  "t"};
    static const char* const kNuclei[] = {"a", "e",  "i",  "o",  "u",  "a",  "e",  "i", "o",
                                          "u", "ai", "ee", "oo", "ou", "oa", "ie", "y"};
    static const char* const kMiddleCodas[] = {"", "", "", "", "n", "r", "l", "m", "s"};
    static const char* const kFinalCodas[] = {"",  "b",  "d",  "g",  "k",  "l",  "m",  "n",  "p",  "r",  "s",  "t",
                                              "x", "nd", "nk", "mp", "rt", "st", "sh", "ng", "lk", "ck", "zz", "ff"};
    std::string s;
    // a word may start with its vowel
    if (!first || rng::Next() % 4 != 0) s += Draw(kOnsets);
    s += Draw(kNuclei);
    s += last ? Draw(kFinalCodas) : Draw(kMiddleCodas);
    return s;
}

std::string NonsenseWord() {
    const int syllables = 2 + rng::Next() % 2;
    std::string word;
    for (int i = 0; i < syllables; ++i) word += Syllable(i == 0, i == syllables - 1);
    return word;
}

}  // namespace

std::vector<std::string> NonsenseWords(std::size_t count, const std::unordered_set<std::string>& wordList) {
    rng::Seed(4711);
    std::vector<std::string> words;
    std::set<std::string> seen;
    for (int attempts = 0; words.size() < count; ++attempts) {
        if (attempts > 100000) throw std::runtime_error("not enough nonsense words");
        std::string word = NonsenseWord();
        if (word.size() < 4 || word.size() > 11 || wordList.count(word) || !seen.insert(word).second) continue;
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<std::string> Phrases(std::size_t count, const std::vector<wordtables::Table>& tables) {
    std::map<std::string, const std::vector<std::string>*> byName;
    for (const auto& t : tables) byName[t.name] = &t.words;
    // Patterns name a table by its first letters; plain words are taken as they are.
    static const std::vector<std::vector<std::string>> kPatterns = {
        {"the", "@adjectives", "@nouns", "@verbspresent", "@adverbs"},
        {"@pluralnouns", "@verbsing", "near", "the", "@nouns"},
        {"@adjectives", "@pluralnouns", "of", "@abstracts"},
        {"@verbs", "the", "@adjectives", "@nouns"},
        {"@adverbs", "@verbspast", "by", "@abstracts"},
        {"a", "@nouns", "@verbsing", "@adverbs"},
        {"@abstracts", "and", "@abstracts", "@verbspast", "the", "@nouns"},
        {"every", "@nouns", "@verbspresent", "its", "@adjectives", "@pluralnouns"},
        {"@verbsing", "@pluralnouns", "under", "a", "@adjectives", "@nouns"},
        {"the", "@nouns", "of", "@adjectives", "@abstracts"},
    };
    rng::Seed(1913);
    std::vector<std::string> phrases;
    std::set<std::string> seen;
    while (phrases.size() < count) {
        const auto& pattern = kPatterns[static_cast<std::size_t>(rng::Next()) % kPatterns.size()];
        std::string phrase;
        for (const std::string& part : pattern) {
            std::string word = part;
            if (part[0] == '@') {
                const auto& words = *byName.at(part.substr(1));
                // two draws: tables are longer than one draw reaches
                const std::size_t index =
                    (static_cast<std::size_t>(rng::Next()) * 32768u + static_cast<std::size_t>(rng::Next())) %
                    words.size();
                word = words[index];
            }
            // "a" before a vowel reads "an"
            if (phrase == "a" || (phrase.size() > 2 && phrase.compare(phrase.size() - 2, 2, " a") == 0))
                if (std::string_view("aeiou").find(word[0]) != std::string_view::npos) phrase += 'n';
            if (!phrase.empty()) phrase += ' ';
            phrase += word;
        }
        if (seen.insert(phrase).second) phrases.push_back(std::move(phrase));
    }
    return phrases;
}

std::vector<Wordbook> Build(const std::vector<wordtables::Table>& tables,
                            const std::unordered_set<std::string>& wordList) {
    return {Wordbook{"nonsensewords", "nonsensewords", NonsenseWords(1500, wordList)},
            Wordbook{"velnarphrases", "velnarphrases", Phrases(1200, tables)}};
}

}  // namespace deliveredbooks
