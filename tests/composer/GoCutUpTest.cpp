// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 go --text, --provenance, --mark-sources and --report, run as a program.
// GCC 12 sees std::regex's std::function members as maybe uninitialised once
// the sanitizers inline them; they are not.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "CollageFixture.h"
#include "ProgramRun.h"
#include "composer/CutUpText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <map>
#include <regex>
#include <sstream>

using namespace fixture;
using collage::ItemKind;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    for (size_t space = text.find(' '); space != std::string::npos; space = text.find(' ', start)) {
        words.push_back(text.substr(start, space - start));
        start = space + 1;
    }
    words.push_back(text.substr(start));
    return words;
}

// What a line looks like drawn in letters: a..z, everything else a space,
// runs of spaces single, none at the ends.
std::string AsLetters(const std::string& text) {
    std::string out;
    for (char c : text) {
        const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const char kept = l >= 'a' && l <= 'z' ? l : ' ';
        if (kept == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += kept;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// Runs of white space as one space, none at the ends.
std::string Trimmed(const std::string& text) {
    std::istringstream in(text);
    std::string out;
    for (std::string word; in >> word;) out += (out.empty() ? "" : " ") + word;
    return out;
}

// The text's lines against the snips a reader sees in the page, in page
// order: plain words as written, lettered ones as the letters their pictures
// show (a snip of punctuation alone shows no letter). "" when they agree.
std::string Mismatch(const std::vector<std::string>& lines, const collage::Collage& page) {
    size_t next = 0;
    for (const collage::Item& item : page.items) {
        if (item.kind == ItemKind::kText) {
            const std::string snip = Trimmed(item.words);
            if (snip.empty()) continue;
            if (next == lines.size() || lines[next] != snip) return "page snip '" + snip + "'";
        } else if (item.kind == ItemKind::kLetters) {
            std::string shown;
            for (const std::string& letter : item.Letters()) {
                const std::string name = letter.substr(letter.rfind('/') + 1);
                shown += name == "space.gif" ? std::string(" ") : name.substr(0, name.find('.'));
            }
            shown = AsLetters(shown);
            const bool blankLine = next < lines.size() && AsLetters(lines[next]).empty();
            if (shown.empty() && !blankLine) continue;
            if (next == lines.size() || AsLetters(lines[next]) != shown) return "lettered snip '" + shown + "'";
        } else {
            continue;
        }
        ++next;
    }
    return next == lines.size() ? "" : "text line '" + lines[next] + "' is not in the page";
}

}  // namespace

class GoCutUp : public CollageTest {
protected:
    const std::string mainText =
        "the quick brown fox jumps & 'over' the lazy dog while seven wild owls hum "
        "across an empty harbour at dawn";
    const std::string notesText = "notes one two three four five six seven eight nine ten eleven";
    const std::string otherText = "second track holds words of its own for the cut up to use";

    void SetUp() override {
        CollageTest::SetUp();
        AddPicture("lib.gif", 50, 60);
        WriteFile(root / "main.txt", mainText);
        WriteFile(root / "notes.txt", notesText);
        WriteFile(root / "other.txt", otherText);
    }
    std::string Go(const std::string& options) {
        return "go --data " + Quoted(dataFolder) + " --out " + Quoted((root / "o").string()) + " --main " +
               Quoted((root / "main.txt").string()) + " --track " + Quoted("2=" + (root / "notes.txt").string()) +
               " --track " + Quoted("4=" + (root / "other.txt").string()) + " --image-volume 3 " + options;
    }
    std::string SourceText(const std::string& label) {
        if (label == "main") return mainText + " ";
        // The lines of a file are joined, each followed by a space.
        if (label == "track 2 (notes.txt)") return notesText + " ";
        if (label == "track 4 (other.txt)") return otherText + " ";
        ADD_FAILURE() << "no source " << label;
        return {};
    }
};

TEST_F(GoCutUp, TheTextIsThePagesSnipsAndEachLineNamesTheWordsItWasCutFrom) {
    const std::regex provenance(R"(^(.+) (\d+)-(\d+)\t(.+)$)");
    int lines = 0, lettered = 0, fromTracks = 0;
    for (const char* setting :
         {"--seed 1 --text-volume 30", "--seed 2 --words 4 --track-words 2=3 --style 1 --fader 4=20",
          "--seed 3 --style 'Ransom Note' --track-style 4=3 --words 2 --text-volume 40",
          "--seed 4 --no-main --whole 4 --fader 2=200 --text-under-images"}) {
        const std::string settings = setting;
        ProgramRun plain = RunTarvex4(Go(settings), root);
        ASSERT_EQ(plain.status, 0) << settings << ": " << plain.err;
        const std::string unmarked = ReadFile(root / "o/collage1.html");

        ProgramRun run = RunTarvex4(Go(settings + " --text - --mark-sources"), root);
        ASSERT_EQ(run.status, 0) << settings << ": " << run.err;
        const std::string marked = ReadFile(root / "o/collage1.html");
        ProgramRun traced =
            RunTarvex4(Go(settings + " --text " + Quoted((root / "cut.txt").string()) + " --provenance"), root);
        ASSERT_EQ(traced.status, 0) << settings << ": " << traced.err;
        // Words asked for beside the page leave the page as it always was.
        EXPECT_EQ(ReadFile(root / "o/collage1.html"), unmarked) << settings;

        // Standard output holds the text alone; the page's path goes to stderr.
        const std::vector<std::string> snips = Lines(run.out);
        ASSERT_FALSE(snips.empty());
        EXPECT_EQ(Mismatch(snips, ReadBack(unmarked)), "") << settings << "\n" << run.out;
        EXPECT_NE(run.err.find((root / "o/collage1.html").string() + "\n"), std::string::npos) << run.err;

        // Each provenance line: the same snip, cut from those words of that source,
        // and the marked page's title of the same snip says the same.
        const std::vector<std::string> cut = Lines(ReadFile(root / "cut.txt"));
        ASSERT_EQ(cut.size(), snips.size()) << settings;
        std::vector<std::string> titles;
        for (const collage::Item& item : ReadBack(marked).items) {
            if (item.kind != ItemKind::kPicture && !item.source.empty()) titles.push_back(collage::SourceTitle(item));
        }
        for (size_t i = 0; i < cut.size(); ++i) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(cut[i], m, provenance)) << cut[i];
            EXPECT_EQ(m[4].str(), snips[i]);
            const std::vector<std::string> words = Words(SourceText(m[1].str()));
            const int first = std::stoi(m[2].str()), last = std::stoi(m[3].str());
            ASSERT_TRUE(1 <= first && first <= last && last <= static_cast<int>(words.size())) << cut[i];
            std::string expected;
            for (int k = first; k <= last; ++k) expected += (k > first ? " " : "") + words[static_cast<size_t>(k - 1)];
            EXPECT_EQ(Trimmed(expected), snips[i]) << cut[i];
            EXPECT_NE(std::find(titles.begin(), titles.end(), cut[i].substr(0, cut[i].find('\t'))), titles.end())
                << cut[i];
            fromTracks += m[1].str() != "main";
        }
        lines += static_cast<int>(cut.size());
        lettered += settings.find("Ransom") != std::string::npos;
        // Taking the titles out gives the unmarked page back.
        EXPECT_EQ(std::regex_replace(marked, std::regex(" title='[^']*'"), ""), unmarked) << settings;
    }
    EXPECT_GT(lines, 40);
    EXPECT_GT(fromTracks, 10);
    EXPECT_EQ(lettered, 1);
}

TEST_F(GoCutUp, TheReportsSharesAddUpAndMatchACountOverThePage) {
    ProgramRun run =
        RunTarvex4(Go("--seed 11 --track-off 1 --text-volume 40 --fader 2=50 --fader 4=150 --words 2 --report "
                      "--mark-sources"),
                   root);
    ASSERT_EQ(run.status, 0) << run.err;
    // The report goes to stderr, the page's path stays on stdout.
    EXPECT_EQ(run.out, (root / "o/collage1.html").string() + "\n");
    // Count over the marked page: snips and words per source.
    std::map<std::string, std::pair<int, int>> counted;
    std::map<std::string, int> empty;
    int snips = 0, words = 0;
    for (const collage::Item& item : ReadBack(ReadFile(root / "o/collage1.html")).items) {
        if (item.kind == ItemKind::kPicture || item.source.empty()) continue;
        if (collage::SnipLine(item).empty()) {
            empty[item.source] += 1;
            continue;
        }
        const int taken = item.lastWord >= item.firstWord ? item.lastWord - item.firstWord + 1 : 0;
        counted[item.source].first += 1;
        counted[item.source].second += taken;
        snips += 1;
        words += taken;
    }
    ASSERT_GT(snips, 10);
    const std::regex row(R"(^(.+)\t([\d.]+)%\t([\d.]+)% \((\d+)\)\t([\d.]+)% \((\d+)\)\t(\d+)$)");
    const std::map<std::string, double> weights{
        {"main", 50}, {"track 2 (notes.txt)", 12.5}, {"track 4 (other.txt)", 37.5}};
    double weightSum = 0, snipSum = 0, wordSum = 0;
    int rows = 0;
    for (const std::string& line : Lines(run.err)) {
        std::smatch m;
        if (!std::regex_match(line, m, row)) continue;
        ++rows;
        const std::string label = m[1].str();
        ASSERT_TRUE(weights.count(label)) << line;
        EXPECT_DOUBLE_EQ(std::stod(m[2].str()), weights.at(label)) << line;
        EXPECT_EQ(std::stoi(m[4].str()), counted[label].first) << line;
        EXPECT_EQ(std::stoi(m[6].str()), counted[label].second) << line;
        EXPECT_EQ(std::stoi(m[7].str()), empty[label]) << line;
        EXPECT_NEAR(std::stod(m[3].str()), 100.0 * counted[label].first / snips, 0.051) << line;
        EXPECT_NEAR(std::stod(m[5].str()), 100.0 * counted[label].second / words, 0.051) << line;
        weightSum += std::stod(m[2].str());
        snipSum += std::stod(m[3].str());
        wordSum += std::stod(m[5].str());
    }
    EXPECT_EQ(rows, 3) << run.out;
    EXPECT_NEAR(weightSum, 100, 0.15);
    EXPECT_NEAR(snipSum, 100, 0.15);
    EXPECT_NEAR(wordSum, 100, 0.15);
}

TEST_F(GoCutUp, WordsThatCannotBeWrittenFailTheCommandButNotThePage) {
    for (const std::string& bad :
         {"--text " + Quoted((root / "no/such/folder/cut.txt").string()), std::string("--text - >&-"),
          "--report " + Quoted((root / "no/such/folder/report.txt").string())}) {
        fs::remove_all(root / "o");
        ProgramRun run = RunTarvex4(Go("--seed 5 " + bad), root);
        EXPECT_EQ(run.status, 1) << bad;
        EXPECT_FALSE(run.err.empty()) << bad;
        EXPECT_TRUE(fs::exists(root / "o/collage1.html")) << bad;
    }
    for (const char* usage : {"--provenance", "--text - --count 2", "--report --count 3"}) {
        ProgramRun run = RunTarvex4(Go(std::string("--seed 5 ") + usage), root);
        EXPECT_EQ(run.status, 2) << usage << ": " << run.err;
    }
}

// What a script reads: standard output holds only the asked-for answer, the
// JSON answer says what the text says, and a clock-seeded page can be made
// again from the seed it told.
TEST_F(GoCutUp, ScriptsGetTheirAnswerAloneOnStandardOutput) {
    const std::string page = (root / "o/collage1.html").string();
    const ProgramRun text = RunTarvex4(Go("--seed 6 --text -"), root);
    ASSERT_EQ(text.status, 0) << text.err;
    const ProgramRun json = RunTarvex4(Go("--seed 6 --json"), root);
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json answer = nlohmann::json::parse(json.out);
    EXPECT_EQ(answer.at("page"), page);
    EXPECT_EQ(answer.at("seed"), 6);
    EXPECT_EQ(answer.at("text").get<std::vector<std::string>>(), Lines(text.out));
    const collage::Collage written = ReadBack(ReadFile(page));
    ASSERT_EQ(answer.at("items").size(), written.items.size());
    int pictures = 0;
    for (std::size_t i = 0; i < written.items.size(); ++i) {
        const nlohmann::json& item = answer.at("items")[i];
        EXPECT_EQ(item.at("id"), written.items[i].PageId());
        EXPECT_EQ(item.at("box").at("left"), written.items[i].left);
        if (item.at("kind") != "picture") continue;
        EXPECT_TRUE(fs::is_regular_file(root / "o" / item.at("file").get<std::string>())) << item;
        ++pictures;
    }
    EXPECT_GT(pictures, 0);
    EXPECT_EQ(answer.at("pictures").size(), 1u) << answer.at("pictures");
    EXPECT_NE(json.err.find(page), std::string::npos) << json.err;

    // Seeded from the clock: the told seed makes the same page and text.
    const ProgramRun clock = RunTarvex4(Go("--text -"), root);
    ASSERT_EQ(clock.status, 0) << clock.err;
    const std::string first = ReadFile(page);
    std::smatch told;
    ASSERT_TRUE(std::regex_search(clock.err, told, std::regex(R"((^|\n)seed (\d+)\n)"))) << clock.err;
    const ProgramRun again = RunTarvex4(Go("--seed " + told[2].str() + " --text -"), root);
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, clock.out);
    EXPECT_EQ(ReadFile(page), first);
    EXPECT_EQ(again.err.find("seed "), std::string::npos) << "a given seed is not told: " << again.err;

    // --quiet: nothing but the page on disk.
    const ProgramRun quiet = RunTarvex4(Go("--quiet"), root);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out + quiet.err, "");
}

// Standard input as a text and standard output as a drawing; two claims on
// one stream, and options no output uses, are bad usage.
TEST_F(GoCutUp, TheStandardStreamsAreFiles) {
    const ProgramRun piped =
        RunTarvex4(Go("--seed 3 --no-main --track 3=- --fader 2=0 --fader 4=0 --text - --provenance"), root,
                   "printf 'piped words only\\nfrom a pipe\\n' |");
    ASSERT_EQ(piped.status, 0) << piped.err;
    const std::vector<std::string> lines = Lines(piped.out);
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) EXPECT_EQ(line.rfind("track 3 (stdin) ", 0), 0u) << line;

    // The drawing on standard output, and no file named '-'.
    const ProgramRun png =
        RunTarvex4("go --seed 3 --image-volume 0 --data " + Quoted(dataFolder) + " --out " +
                       Quoted((root / "o").string()) + " --main " + Quoted((root / "main.txt").string()) + " --png -",
                   root, "cd " + Quoted(root.string()) + " &&");
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_FALSE(fs::exists(root / "-"));
    EXPECT_NE(png.err.find((root / "o/collage1.html").string()), std::string::npos) << png.err;

    for (const char* usage : {"--track 1=- --track 3=-", "--text - --json", "--png - --svg -", "--json --pdf -"}) {
        const ProgramRun run = RunTarvex4(Go(usage), root);
        EXPECT_EQ(run.status, 2) << usage << ": " << run.err;
        EXPECT_NE(run.err.find("standard"), std::string::npos) << usage << ": " << run.err;
    }
    // A text that is not there fails the run, as one that cannot be read.
    const ProgramRun missing = RunTarvex4(Go("--track 1=" + Quoted((root / "gone.txt").string())), root);
    EXPECT_EQ(missing.status, 1) << missing.err;
    EXPECT_NE(missing.err.find("gone.txt"), std::string::npos) << missing.err;
}

// Over a short text and an empty track, every snip the text leaves out is
// the report's "empty", and no word range runs past a source's last word.
TEST_F(GoCutUp, TheReportCountsTheSnipsTheTextHas) {
    WriteFile(root / "short.txt", "one two three four five six seven\n");
    WriteFile(root / "blank.txt", "  \n");
    const std::regex row(R"(^(.+)\t[\d.]+%\t[\d.]+% \((\d+)\)\t[\d.]+% \((\d+)\)\t(\d+)$)");
    const std::regex provenance(R"(^(.+) (\d+)-(\d+)\t.+$)");
    int empties = 0;
    for (int seed = 1; seed <= 6; ++seed) {
        const std::string settings = "--seed " + std::to_string(seed) +
                                     " --text-volume 40 --words 3 --track 1=" + Quoted((root / "blank.txt").string()) +
                                     " --main " + Quoted((root / "short.txt").string());
        const ProgramRun run =
            RunTarvex4("go --data " + Quoted(dataFolder) + " --out " + Quoted((root / "o").string()) + " " + settings +
                           " --text - --provenance --report " + Quoted((root / "report.txt").string()),
                       root);
        ASSERT_EQ(run.status, 0) << settings << ": " << run.err;
        const std::vector<std::string> lines = Lines(run.out);
        int reported = 0, empty = 0;
        for (const std::string& line : Lines(ReadFile(root / "report.txt"))) {
            std::smatch m;
            if (!std::regex_match(line, m, row)) continue;
            reported += std::stoi(m[2].str());
            empty += std::stoi(m[4].str());
        }
        EXPECT_EQ(reported, static_cast<int>(lines.size())) << settings << "\n" << ReadFile(root / "report.txt");
        for (const std::string& line : lines) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(line, m, provenance)) << line;
            const int last = std::stoi(m[3].str());
            EXPECT_LE(last, m[1].str() == "main" ? 7 : 0) << settings << ": " << line;
        }
        empties += empty;
    }
    EXPECT_GT(empties, 0) << "the empty track gave snips";
}
