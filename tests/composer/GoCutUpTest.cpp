// tarvex4 go --text, --provenance, --mark-sources and --report, run as a program.
// GCC 12 sees std::regex's std::function members as maybe uninitialised once
// the sanitizers inline them; they are not.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "CollageFixture.h"
#include "ProgramRun.h"


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
    const std::string mainText = "the quick brown fox jumps & 'over' the lazy dog while seven wild owls hum "
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
        ProgramRun traced = RunTarvex4(Go(settings + " --text " + Quoted((root / "cut.txt").string()) + " --provenance"), root);
        ASSERT_EQ(traced.status, 0) << settings << ": " << traced.err;
        // Words asked for beside the page leave the page as it always was.
        EXPECT_EQ(ReadFile(root / "o/collage1.html"), unmarked) << settings;

        // Standard output holds the page's path, then the text.
        const std::vector<std::string> text = Lines(run.out);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.front(), (root / "o/collage1.html").string());
        const std::vector<std::string> snips(text.begin() + 1, text.end());
        EXPECT_EQ(Mismatch(snips, ReadBack(unmarked)), "") << settings << "\n" << run.out;

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
    ProgramRun run = RunTarvex4(Go("--seed 11 --track-off 1 --text-volume 40 --fader 2=50 --fader 4=150 --words 2 --report "
                                   "--mark-sources"),
                                root);
    ASSERT_EQ(run.status, 0) << run.err;
    // Count over the marked page: snips and words per source.
    std::map<std::string, std::pair<int, int>> counted;
    int snips = 0, words = 0;
    for (const collage::Item& item : ReadBack(ReadFile(root / "o/collage1.html")).items) {
        if (item.kind == ItemKind::kPicture || item.source.empty()) continue;
        const int taken = item.lastWord >= item.firstWord ? item.lastWord - item.firstWord + 1 : 0;
        counted[item.source].first += 1;
        counted[item.source].second += taken;
        snips += 1;
        words += taken;
    }
    ASSERT_GT(snips, 10);
    const std::regex row(R"(^(.+)\t([\d.]+)%\t([\d.]+)% \((\d+)\)\t([\d.]+)% \((\d+)\)$)");
    const std::map<std::string, double> weights{{"main", 50}, {"track 2 (notes.txt)", 12.5}, {"track 4 (other.txt)", 37.5}};
    double weightSum = 0, snipSum = 0, wordSum = 0;
    int rows = 0;
    for (const std::string& line : Lines(run.out)) {
        std::smatch m;
        if (!std::regex_match(line, m, row)) continue;
        ++rows;
        const std::string label = m[1].str();
        ASSERT_TRUE(weights.count(label)) << line;
        EXPECT_DOUBLE_EQ(std::stod(m[2].str()), weights.at(label)) << line;
        EXPECT_EQ(std::stoi(m[4].str()), counted[label].first) << line;
        EXPECT_EQ(std::stoi(m[6].str()), counted[label].second) << line;
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
    for (const std::string& bad : {"--text " + Quoted((root / "no/such/folder/cut.txt").string()),
                                  std::string("--text - >&-"), std::string("--report >&-")}) {
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
