// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordForms.h"

namespace wordforms {

namespace {

bool IsVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }

bool EndsWith(const std::string& word, const char* tail) {
    const std::string t(tail);
    return word.size() >= t.size() && word.compare(word.size() - t.size(), t.size(), t) == 0;
}

std::string DropLast(const std::string& word, std::size_t n) { return word.substr(0, word.size() - n); }

// consonant-vowel-consonant ending, where doubling the last letter may apply
bool MayDouble(const std::string& w) {
    const std::size_t n = w.size();
    if (n < 3) return false;
    const char last = w[n - 1];
    if (IsVowel(last) || last == 'w' || last == 'x' || last == 'y') return false;
    return IsVowel(w[n - 2]) && !IsVowel(w[n - 3]);
}

bool ConsonantY(const std::string& w) { return w.size() >= 2 && w.back() == 'y' && !IsVowel(w[w.size() - 2]); }

bool Sibilant(const std::string& w) {
    return EndsWith(w, "s") || EndsWith(w, "x") || EndsWith(w, "z") || EndsWith(w, "ch") || EndsWith(w, "sh");
}

// Suffix starting with a vowel (-ed, -ing) on a verb.
std::vector<std::string> VowelSuffix(const std::string& verb, const std::string& suffix) {
    std::vector<std::string> forms;
    if (MayDouble(verb)) forms.push_back(verb + verb.back() + suffix);
    if (EndsWith(verb, "c")) forms.push_back(verb + "k" + suffix);
    forms.push_back(verb + suffix);
    return forms;
}

}  // namespace

std::vector<std::string> Plurals(const std::string& noun) {
    if (ConsonantY(noun)) return {DropLast(noun, 1) + "ies"};
    if (Sibilant(noun)) return {noun + "es"};
    if (EndsWith(noun, "o")) return {noun + "s", noun + "es"};
    if (EndsWith(noun, "fe")) return {DropLast(noun, 2) + "ves", noun + "s"};
    if (EndsWith(noun, "f")) return {DropLast(noun, 1) + "ves", noun + "s"};
    return {noun + "s"};
}

std::vector<std::string> Pasts(const std::string& verb) {
    if (EndsWith(verb, "e")) return {verb + "d"};
    if (ConsonantY(verb)) return {DropLast(verb, 1) + "ied"};
    return VowelSuffix(verb, "ed");
}

std::vector<std::string> IngForms(const std::string& verb) {
    if (EndsWith(verb, "ie")) return {DropLast(verb, 2) + "ying"};
    if (EndsWith(verb, "ee") || EndsWith(verb, "ye") || EndsWith(verb, "oe")) return {verb + "ing"};
    if (EndsWith(verb, "e")) return {DropLast(verb, 1) + "ing", verb + "ing"};
    return VowelSuffix(verb, "ing");
}

std::vector<std::string> ThirdPersons(const std::string& verb) {
    if (ConsonantY(verb)) return {DropLast(verb, 1) + "ies"};
    if (Sibilant(verb)) return {verb + "es"};
    if (EndsWith(verb, "o")) return {verb + "es", verb + "s"};
    return {verb + "s"};
}

std::vector<std::string> LyAdverbs(const std::string& adjective) {
    const std::string& a = adjective;
    if (EndsWith(a, "ly")) return {};  // "friendly" has no adverb of its own
    if (EndsWith(a, "ic")) return {a + "ally", a + "ly"};
    if (EndsWith(a, "ll")) return {a + "y"};
    if (EndsWith(a, "ue")) return {DropLast(a, 1) + "ly"};
    if (EndsWith(a, "le") && a.size() >= 3 && !IsVowel(a[a.size() - 3])) return {DropLast(a, 1) + "y", a + "ly"};
    if (ConsonantY(a)) return {DropLast(a, 1) + "ily", a + "ly"};
    return {a + "ly"};
}

}  // namespace wordforms
