// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordTables.h"

#include "WordForms.h"
#include "common/SourceFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <tuple>

namespace wordtables {

using wordnet::Pos;

const std::vector<std::pair<std::string, int>>& Layout() {
    static const std::vector<std::pair<std::string, int>> layout = {
        {"nouns", 31021}, {"pluralnouns", 25711}, {"verbspast", 8959}, {"verbsing", 8460},   {"verbspresent", 5947},
        {"verbs", 5905},  {"adverbs", 4708},      {"abstracts", 2833}, {"adjectives", 14478}};
    return layout;
}

std::unordered_set<std::string> ReadWordLists(const std::vector<std::string>& paths) {
    std::unordered_set<std::string> words;
    for (const std::string& path : paths) {
        const std::string text = datasrc::ReadFile(path);
        for (std::string_view line : datasrc::SplitLines(text))
            if (datasrc::IsLowerWord(line, 1)) words.emplace(line);
    }
    return words;
}

namespace {

// Commonness order: tier, corpus frequency, number of senses, known to the
// word list, shorter first, then a hash so that ties do not favour the start
// of the alphabet.
struct Rank {
    int tier = 0;
    int tagged = 0;
    int senses = 0;
    bool known = false;
    auto Key(const std::string& word) const {
        std::uint32_t hash = 2166136261u;
        for (char c : word) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        return std::make_tuple(tier, -tagged, -senses, known ? 0 : 1, word.size(), hash, word);
    }
};

bool EndsWith(const std::string& word, const std::string& tail) {
    return word.size() >= tail.size() && word.compare(word.size() - tail.size(), tail.size(), tail) == 0;
}

class Candidates {
public:
    void Add(const std::string& word, const Rank& rank) {
        if (!datasrc::IsLowerWord(word)) return;
        auto [it, fresh] = m_ranks.emplace(word, rank);
        if (!fresh && rank.Key(word) < it->second.Key(word)) it->second = rank;
    }
    std::vector<std::string> Pick(const std::string& table, int rows) const {
        std::vector<std::pair<decltype(Rank().Key("")), std::string>> ranked;
        for (const auto& [word, rank] : m_ranks) ranked.emplace_back(rank.Key(word), word);
        std::fprintf(stderr, "%s: %zu candidates for %d rows\n", table.c_str(), ranked.size(), rows);
        if (static_cast<int>(ranked.size()) < rows)
            throw std::runtime_error("table " + table + ": only " + std::to_string(ranked.size()) + " candidates for " +
                                     std::to_string(rows) + " rows");
        std::sort(ranked.begin(), ranked.end());
        std::vector<std::string> words;
        for (int i = 0; i < rows; ++i) words.push_back(ranked[static_cast<std::size_t>(i)].second);
        std::sort(words.begin(), words.end());
        return words;
    }

private:
    std::map<std::string, Rank> m_ranks;
};

class Builder {
public:
    Builder(const wordnet::Database& wn, const std::unordered_set<std::string>& wordList)
            : m_wn(wn), m_wordList(wordList) {}

    Rank RankOf(Pos pos, const std::string& lemma, int tier = 0) const {
        const wordnet::Lemma info = m_wn.Info(pos, lemma);
        return Rank{tier, info.tagged, info.senses, Knows(lemma)};
    }
    bool Knows(const std::string& word) const { return m_wordList.count(word) > 0; }

    Candidates Lemmas(Pos pos) const {
        Candidates c;
        for (const std::string& lemma : m_wn.PlainLemmas(pos)) c.Add(lemma, RankOf(pos, lemma));
        return c;
    }

    // Regular forms of every plain lemma plus the exception list entries that
    // `fromExceptions` accepts; only forms the word list knows.
    template <typename Rule, typename Accept>
    Candidates Derived(Pos pos, Rule rule, Accept fromExceptions) const {
        Candidates c;
        const auto lemmas = m_wn.PlainLemmas(pos, 1);
        const std::unordered_set<std::string> plain(lemmas.begin(), lemmas.end());
        for (const std::string& lemma : lemmas)
            for (const std::string& form : rule(lemma))
                if (Knows(form)) c.Add(form, RankOf(pos, lemma));
        for (const auto& [form, base] : m_wn.Exceptions(pos))
            if (plain.count(base) && Knows(form) && fromExceptions(form, base)) c.Add(form, RankOf(pos, base));
        return c;
    }

    // Words of another class that have the shape of a verb form ("charming",
    // "talented"); they rank after the true verb forms.
    void AddShaped(Candidates& c, Pos pos, const std::string& ending) const {
        for (const std::string& lemma : m_wn.PlainLemmas(pos))
            if (lemma.size() > ending.size() + 2 && EndsWith(lemma, ending) && Knows(lemma))
                c.Add(lemma, RankOf(pos, lemma, 1));
    }

    Candidates Adverbs() const {
        Candidates c = Lemmas(Pos::Adverb);
        for (const std::string& adjective : m_wn.PlainLemmas(Pos::Adjective))
            for (const std::string& form : wordforms::LyAdverbs(adjective))
                if (Knows(form)) c.Add(form, RankOf(Pos::Adjective, adjective, 1));
        return c;
    }

    Candidates Abstracts() const {
        const auto abstract = m_wn.NounsInLexFiles({wordnet::kNounAttribute, wordnet::kNounFeeling});
        Candidates c;
        for (const std::string& lemma : m_wn.PlainLemmas(Pos::Noun))
            if (abstract.count(lemma)) c.Add(lemma, RankOf(Pos::Noun, lemma));
        return c;
    }

private:
    const wordnet::Database& m_wn;
    const std::unordered_set<std::string>& m_wordList;
};

// Irregular verb forms that are third person present rather than past.
bool IsPresentException(const std::string& form) {
    return form == "is" || form == "has" || form == "does" || form == "goes";
}

bool IsPastException(const std::string& form, const std::string& base) {
    if (EndsWith(form, "ing") || IsPresentException(form)) return false;
    if (base == "be") return form == "was" || form == "were" || form == "been";
    return true;
}

}  // namespace

std::vector<Table> Build(const wordnet::Database& wn, const std::unordered_set<std::string>& wordList) {
    const Builder b(wn, wordList);
    const auto any = [](const std::string&, const std::string&) { return true; };
    std::map<std::string, Candidates> candidates;
    candidates["nouns"] = b.Lemmas(Pos::Noun);
    candidates["pluralnouns"] = b.Derived(Pos::Noun, wordforms::Plurals, any);
    candidates["verbspast"] = b.Derived(Pos::Verb, wordforms::Pasts, IsPastException);
    b.AddShaped(candidates["verbspast"], Pos::Adjective, "ed");
    candidates["verbsing"] = b.Derived(Pos::Verb, wordforms::IngForms,
                                       [](const std::string& f, const std::string&) { return EndsWith(f, "ing"); });
    b.AddShaped(candidates["verbsing"], Pos::Adjective, "ing");
    b.AddShaped(candidates["verbsing"], Pos::Noun, "ing");
    candidates["verbspresent"] =
        b.Derived(Pos::Verb, wordforms::ThirdPersons,
                  [](const std::string& f, const std::string&) { return IsPresentException(f); });
    candidates["verbs"] = b.Lemmas(Pos::Verb);
    candidates["adverbs"] = b.Adverbs();
    candidates["abstracts"] = b.Abstracts();
    candidates["adjectives"] = b.Lemmas(Pos::Adjective);

    std::vector<Table> tables;
    for (const auto& [name, rows] : Layout()) tables.push_back(Table{name, rows, candidates[name].Pick(name, rows)});
    return tables;
}

}  // namespace wordtables
