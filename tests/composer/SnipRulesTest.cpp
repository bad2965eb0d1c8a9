// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/ArtFontLetters.h"
#include "composer/SnipRules.h"
#include "support/Random.h"

#include <gtest/gtest.h>

namespace {
// Seeds whose first draws are known: seed 1 gives 41, 18467, 6334, 26500;
// this one's first draw is 0.
constexpr std::uint32_t kSeedFirstDrawZero = 2708534849u;
}  // namespace

TEST(Words, CountAndPositionFollowSingleSpaces) {
    EXPECT_EQ(CountWords(""), 1);
    EXPECT_EQ(CountWords("one"), 1);
    EXPECT_EQ(CountWords("a b  c"), 4);
    EXPECT_EQ(CountWords("line\nbreak\tand tab"), 2);

    EXPECT_EQ(WordAt("a b  c", 0), "a");
    EXPECT_EQ(WordAt("a b  c", 2), "");
    EXPECT_EQ(WordAt("a b  c", 3), "c");
    EXPECT_EQ(WordAt("a b  c", 4), "");
    EXPECT_EQ(WordAt(" lead", 0), "");
    EXPECT_EQ(WordAt("trail ", 1), "");

    WordIndex index("a b  c");
    ASSERT_EQ(index.Count(), 4);
    for (int k = -1; k <= 5; ++k) EXPECT_EQ(index.Word(k), WordAt("a b  c", k)) << k;
}

TEST(PickSnip, ReducesTheDrawByRepeatedSubtraction) {
    // Four words, three per snip: draws 41, 18467, 6334, 26500 reduce to 1, 3, 2, 4.
    const std::string text = "w0 w1 w2 w3";
    WordIndex index(text);
    rng::Seed(1);
    EXPECT_EQ(PickSnip(index, 4, 3), "w1 w2 w3");
    EXPECT_EQ(PickSnip(index, 4, 3), "w3");
    EXPECT_EQ(PickSnip(index, 4, 3), "w2 w3");
    EXPECT_EQ(PickSnip(index, 4, 3), "");
    // Only a draw of 0 starts at word 0.
    rng::Seed(kSeedFirstDrawZero);
    EXPECT_EQ(PickSnip(text, 4, 3), "w0 w1 w2");
    // The text form draws the same.
    rng::Seed(1);
    EXPECT_EQ(PickSnip(text, 4, 3), "w1 w2 w3");
}

TEST(PickSnip, EmptyTextGivesEmptySnips) {
    rng::Seed(7);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(PickSnip(std::string_view(""), 1, 5), "");
}

TEST(LeadingWords, EachTokenPrecededByOneSpace) {
    EXPECT_EQ(LeadingWords("one two three", 40), " one two three");
    EXPECT_EQ(LeadingWords("nospace", 40), "");
    EXPECT_EQ(LeadingWords("", 40), "");
    EXPECT_EQ(LeadingWords("a  b", 40), " a  b");  // the empty token keeps its space
    EXPECT_EQ(LeadingWords("a b ", 40), " a b ");  // k spaces, k + 1 tokens
    EXPECT_EQ(LeadingWords("1 2 3 4 5", 3), " 1 2 3");
    std::string many;
    for (int i = 0; i < 60; ++i) many += "w ";
    EXPECT_EQ(CountWords(LeadingWords(many, 40)), 41);  // 40 tokens, each after a space
}

TEST(CollapseSpaces, RunsOfSpacesBecomeOne) {
    EXPECT_EQ(CollapseSpaces("a  b   c"), "a b c");
    EXPECT_EQ(CollapseSpaces("  "), " ");
    EXPECT_EQ(CollapseSpaces("<div>  x </div>"), "<div> x </div>");
    EXPECT_EQ(CollapseSpaces("a\n  b"), "a\n b");
}

TEST(ArtFontLetters, OnePicturePerCharacter) {
    EXPECT_EQ(BuildArtFontLetters(" ", 2), "<IMG SRC='artfonts/stampkit/space.gif'><BR>");
    EXPECT_EQ(BuildArtFontLetters("Ab1", 5),
              "<IMG SRC='artfonts/metal/a.gif'><IMG SRC='artfonts/metal/b.gif'>"
              "<IMG SRC='artfonts/metal/space.gif'><BR>");
    EXPECT_EQ(BuildArtFontLetters("Zz", 3), BuildArtFontLetters("zZ", 3));
    EXPECT_EQ(BuildArtFontLetters("", 4), "<BR>");
    // Runs of spaces are not merged here.
    EXPECT_EQ(BuildArtFontLetters("  ", 4), "<IMG SRC='artfonts/lcd/space.gif'><IMG SRC='artfonts/lcd/space.gif'><BR>");
    // Unknown styles spell with Stamp Kit.
    EXPECT_EQ(BuildArtFontLetters("a", 9), "<IMG SRC='artfonts/stampkit/a.gif'><BR>");
    EXPECT_EQ(BuildArtFontLetters("a", 0), "<IMG SRC='artfonts/stampkit/a.gif'><BR>");
}

// Letters spelled for every style: base letters for accented ones, two
// pictures for the letters that stand for two, one space for anything else
// (a character is what a reader sees, however many bytes or code points).
TEST(ArtFontLetters, LettersOfAnyLanguage) {
    for (int style = 2; style <= 5; ++style) {
        const std::string prefix = ArtFontPrefix(style);
        auto pictures = [&](std::string_view names) {
            std::string out;
            for (char c : names)
                out += "<IMG SRC='" + prefix + (c == '_' ? std::string("space") : std::string(1, c)) + ".gif'>";
            return out + "<BR>";
        };
        // café ŒUVRE ß 東京, the é of café written as e and a combining accent.
        EXPECT_EQ(BuildArtFontLetters("cafe\xCC\x81 \xC5\x92UVRE \xC3\x9F \xE6\x9D\xB1\xE4\xBA\xAC", style),
                  pictures("cafe_oeuvre_ss___"))
            << style;
        // é Ö ç æ ĳ; €, an emoji, a flag, a Greek letter: one space each.
        EXPECT_EQ(BuildArtFontLetters("\xC3\xA9\xC3\x96\xC3\xA7\xC3\xA6\xC4\xB3", style), pictures("eocaeij")) << style;
        EXPECT_EQ(BuildArtFontLetters("\xE2\x82\xAC\xF0\x9F\x98\x80\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7\xCE\xB1", style),
                  pictures("____"))
            << style;
        // Stray bytes are a space each; the letter after them is kept.
        EXPECT_EQ(BuildArtFontLetters("\x80\xE2\x82"
                                      "a",
                                      style),
                  pictures("___a"))
            << style;
    }
}
