// SPDX-License-Identifier: GPL-3.0-or-later
#include "AuthorSamples.h"

#include "common/SourceFiles.h"
#include "wordbooks/AuthorList.h"

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

namespace authorsamples {

namespace {

enum class Kind { Gcide, Bible, Devil, Recipes };

struct Source {
    Kind kind;
    const char* key;  // citation in the dictionary, or verse range
};

// Where each entry of the author list takes its samples from.
const std::map<std::string_view, Source>& SourceTable() {
    static const std::map<std::string_view, Source> table = {
        {"Shakespeare, William", {Kind::Gcide, "Shak."}},
        {"Milton, John", {Kind::Gcide, "Milton."}},
        {"Chaucer, Geoffrey", {Kind::Gcide, "Chaucer."}},
        {"Spenser, Edmund", {Kind::Gcide, "Spenser."}},
        {"Dryden, John", {Kind::Gcide, "Dryden."}},
        {"Pope, Alexander", {Kind::Gcide, "Pope."}},
        {"Swift, Jonathan", {Kind::Gcide, "Swift."}},
        {"Addison, Joseph", {Kind::Gcide, "Addison."}},
        {"Bacon, Francis", {Kind::Gcide, "Bacon."}},
        {"Locke, John", {Kind::Gcide, "Locke."}},
        {"Jonson, Ben", {Kind::Gcide, "B. Jonson."}},
        {"Beaumont and Fletcher", {Kind::Gcide, "Beau. & Fl."}},
        {"Chapman, George", {Kind::Gcide, "Chapman."}},
        {"Sidney, Philip", {Kind::Gcide, "Sir P. Sidney."}},
        {"Hooker, Richard", {Kind::Gcide, "Hooker."}},
        {"Taylor, Jeremy", {Kind::Gcide, "Jer. Taylor."}},
        {"Fuller, Thomas", {Kind::Gcide, "Fuller."}},
        {"South, Robert", {Kind::Gcide, "South."}},
        {"Tillotson, John", {Kind::Gcide, "Tillotson."}},
        {"Atterbury, Francis", {Kind::Gcide, "Atterbury."}},
        {"Evelyn, John", {Kind::Gcide, "Evelyn."}},
        {"Clarendon, Edward Hyde", {Kind::Gcide, "Clarendon."}},
        {"Prior, Matthew", {Kind::Gcide, "Prior."}},
        {"Arbuthnot, John", {Kind::Gcide, "Arbuthnot."}},
        {"Watts, Isaac", {Kind::Gcide, "I. Watts."}},
        {"Goldsmith, Oliver", {Kind::Gcide, "Goldsmith."}},
        {"Burke, Edmund", {Kind::Gcide, "Burke."}},
        {"Cowper, William", {Kind::Gcide, "Cowper."}},
        {"Wordsworth, William", {Kind::Gcide, "Wordsworth."}},
        {"Coleridge, Samuel Taylor", {Kind::Gcide, "Coleridge."}},
        {"Scott, Walter", {Kind::Gcide, "Sir W. Scott."}},
        {"Byron, George Gordon", {Kind::Gcide, "Byron."}},
        {"De Quincey, Thomas", {Kind::Gcide, "De Quincey."}},
        {"Macaulay, Thomas Babington", {Kind::Gcide, "Macaulay."}},
        {"Irving, Washington", {Kind::Gcide, "W. Irving."}},
        {"Prescott, William Hickling", {Kind::Gcide, "Prescott."}},
        {"Hawthorne, Nathaniel", {Kind::Gcide, "Hawthorne."}},
        {"Longfellow, Henry Wadsworth", {Kind::Gcide, "Longfellow."}},
        {"Tennyson, Alfred", {Kind::Gcide, "Tennyson."}},
        {"Thackeray, William Makepeace", {Kind::Gcide, "Thackeray."}},
        {"Bierce, Ambrose", {Kind::Devil, ""}},
        {"The Book of Genesis", {Kind::Bible, "Gen1:1-Gen50:26"}},
        {"The Book of Job", {Kind::Bible, "Job1:1-Job42:17"}},
        {"The Psalms", {Kind::Bible, "Ps1:1-Ps150:6"}},
        {"The Proverbs", {Kind::Bible, "Prov1:1-Prov31:31"}},
        {"Ecclesiastes", {Kind::Bible, "Ec1:1-Ec12:14"}},
        {"The Book of Isaiah", {Kind::Bible, "Isa1:1-Isa66:24"}},
        {"The Revelation of St. John", {Kind::Bible, "Re1:1-Re22:21"}},
        {"cooking recipes", {Kind::Recipes, ""}},
    };
    return table;
}

bool PlainCharacter(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view(" .,;:!?'\"()-").find(c) != std::string_view::npos;
}

bool IsIndented(std::string_view line, std::size_t depth) {
    return line.size() > depth && line.find_first_not_of(' ') >= depth;
}

// Keeps at most kMaxSamples, spread evenly over the source, without repeats.
std::vector<std::string> Thin(const std::vector<std::string>& samples) {
    std::vector<std::string> unique;
    std::set<std::string> seen;
    for (const std::string& s : samples)
        if (seen.insert(s).second) unique.push_back(s);
    if (unique.size() <= kMaxSamples) return unique;
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < kMaxSamples; ++i) kept.push_back(unique[i * unique.size() / kMaxSamples]);
    return kept;
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

// "Headword: gloss." from WordNet cookery: dishes and foods described by how
// they are made, and the cooking verbs.
std::vector<std::string> RecipeLines(const wordnet::Database& wn) {
    static const char* const kMaking[] = {"cooked",   "baked",     "fried",   "boiled",    "roasted",
                                          "stewed",   "made with", "made of", "made from", "served",
                                          "seasoned", "mixed",     "topped",  "filled"};
    std::vector<std::string> lines;
    const auto add = [&](const wordnet::Synset& synset) {
        std::string head = synset.words.empty() ? "" : synset.words.front();
        std::replace(head.begin(), head.end(), '_', ' ');
        std::string gloss = synset.gloss.substr(0, synset.gloss.find(';'));
        const std::string line = CleanSample(Capitalised(head) + ": " + gloss + ".");
        if (!line.empty()) lines.push_back(line);
    };
    for (const wordnet::Synset& synset : wn.Synsets(wordnet::Noun)) {
        if (synset.lexFile != wordnet::kNounFood) continue;
        if (std::any_of(std::begin(kMaking), std::end(kMaking),
                        [&](const char* m) { return synset.gloss.find(m) != std::string::npos; }))
            add(synset);
    }
    for (const wordnet::Synset& synset : wn.Synsets(wordnet::Verb))
        if (synset.cookingDomain) add(synset);
    return lines;
}

}  // namespace

std::string CleanSample(std::string_view raw) {
    std::string text = datasrc::CollapseSpaces(raw);
    if (!std::all_of(text.begin(), text.end(), PlainCharacter)) return {};
    const int words = datasrc::CountWords(text);
    if (words < kMinWords || words > kMaxWords) return {};
    return text;
}

std::vector<std::string> QuotationsCitedAs(const std::string& dictionary, const std::string& citation) {
    std::vector<std::string> quotes;
    const auto lines = datasrc::SplitLines(dictionary);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const auto at = line.find("--");
        if (at == std::string_view::npos) continue;
        // A long citation may wrap onto the next line ("--Sir P." / "Sidney.").
        std::string cited(datasrc::Trim(line.substr(at + 2)));
        if (cited != citation && !cited.empty() && citation.rfind(cited, 0) == 0 && i + 1 < lines.size())
            cited.append(" ").append(datasrc::Trim(lines[i + 1]));
        if (cited.rfind(citation, 0) != 0) continue;
        if (cited.size() > citation.size() && cited[citation.size()] != ' ') continue;  // "Shak." not "Shak.Hen."
        const std::string_view before = datasrc::Trim(line.substr(0, at));
        std::string text;
        if (!before.empty() && before.back() == '"') {
            // inline: "..." --Author, possibly spread over the lines above
            std::string para(before);
            for (std::size_t j = i; j-- > 0 && !datasrc::Trim(lines[j]).empty() && para.size() < 2000;)
                para = std::string(lines[j]) + " " + para;
            para = datasrc::CollapseSpaces(para);
            const auto open = para.rfind('"', para.size() - 2);
            if (open == std::string::npos) continue;
            text = para.substr(open + 1, para.size() - open - 2);
        } else if (IsIndented(line, 9)) {
            // block quotation: the indented lines above it
            text = std::string(before);
            for (std::size_t j = i; j-- > 0 && IsIndented(lines[j], 9) && datasrc::Trim(lines[j])[0] != '[';)
                text = std::string(lines[j]) + " " + text;
        } else {
            continue;
        }
        std::string sample = CleanSample(text);
        if (!sample.empty()) quotes.push_back(std::move(sample));
    }
    return quotes;
}

std::vector<std::string> DevilSentences(const std::string& dictionary) {
    std::vector<std::string> sentences;
    std::string paragraph;
    const auto flush = [&] {
        // drop the "WORD, n." head of an entry
        const auto head = paragraph.find(".  ");
        std::string body = paragraph;
        if (head != std::string::npos && head < 40 && body.find(',') < head) body = body.substr(head + 1);
        body.erase(std::remove(body.begin(), body.end(), '_'), body.end());
        body = datasrc::CollapseSpaces(body);
        std::size_t start = 0;
        for (std::size_t i = 0; i < body.size(); ++i) {
            const bool end = (body[i] == '.' || body[i] == '!' || body[i] == '?') &&
                             (i + 1 == body.size() ||
                              (body[i + 1] == ' ' && i + 2 < body.size() && body[i + 2] >= 'A' && body[i + 2] <= 'Z'));
            if (!end) continue;
            std::string s = CleanSample(body.substr(start, i + 1 - start));
            if (!s.empty()) sentences.push_back(std::move(s));
            start = i + 1;
        }
        paragraph.clear();
    };
    for (std::string_view line : datasrc::SplitLines(dictionary)) {
        if (datasrc::Trim(line).empty() || line[0] == ' ') {  // verse and quoted matter are indented
            flush();
            continue;
        }
        paragraph += std::string(line) + "  ";
    }
    flush();
    return sentences;
}

std::vector<std::string> BibleVerses(const std::string& listing) {
    std::vector<std::string> verses;
    for (std::string_view line : datasrc::SplitLines(listing)) {
        const std::string_view t = datasrc::Trim(line);
        const auto space = t.find(' ');
        if (space == std::string_view::npos || t[0] < '0' || t[0] > '9') continue;  // chapter headings
        std::string verse = CleanSample(t.substr(space + 1));
        if (!verse.empty()) verses.push_back(std::move(verse));
    }
    return verses;
}

std::vector<Author> Build(const Sources& sources, const wordnet::Database& wn) {
    const std::string gcide = datasrc::ReadGzipFile(sources.gcideDict);
    const std::string devil = datasrc::ReadGzipFile(sources.devilDict);
    std::vector<Author> authors;
    for (std::string_view name : wordbooks::AuthorList()) {
        const auto it = SourceTable().find(name);
        if (it == SourceTable().end()) throw std::runtime_error("no source for author " + std::string(name));
        const Source& source = it->second;
        std::vector<std::string> samples;
        switch (source.kind) {
            case Kind::Gcide: samples = QuotationsCitedAs(gcide, source.key); break;
            case Kind::Devil: samples = DevilSentences(devil); break;
            case Kind::Recipes: samples = RecipeLines(wn); break;
            case Kind::Bible:
                samples = BibleVerses(datasrc::ReadCommandOutput(sources.bibleCommand + " -l0 " + source.key));
                break;
        }
        samples = Thin(samples);
        if (samples.size() < 100)
            throw std::runtime_error("author " + std::string(name) + ": only " + std::to_string(samples.size()) +
                                     " samples");
        authors.push_back(Author{std::string(name), std::move(samples)});
    }
    return authors;
}

}  // namespace authorsamples
