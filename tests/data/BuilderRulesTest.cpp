// SPDX-License-Identifier: GPL-3.0-or-later
// The rules the data builders apply to their sources, on small inputs.
#include <gtest/gtest.h>

#include "wordsdb/AuthorSamples.h"
#include "wordsdb/DeliveredWordbooks.h"
#include "wordsdb/ImageLibrary.h"
#include "wordsdb/WordForms.h"
#include "common/GifFile.h"
#include "ScratchFolder.h"
#include "common/SourceFiles.h"

#include <algorithm>
#include <set>

namespace {

bool Has(const std::vector<std::string>& forms, const std::string& form) {
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}

TEST(WordFormRules, RegularInflectionsIncludeTheRealSpelling) {
    EXPECT_TRUE(Has(wordforms::Plurals("box"), "boxes"));
    EXPECT_TRUE(Has(wordforms::Plurals("city"), "cities"));
    EXPECT_TRUE(Has(wordforms::Plurals("day"), "days"));
    EXPECT_TRUE(Has(wordforms::Plurals("knife"), "knives"));
    EXPECT_TRUE(Has(wordforms::Plurals("potato"), "potatoes"));
    EXPECT_TRUE(Has(wordforms::Pasts("stop"), "stopped"));
    EXPECT_TRUE(Has(wordforms::Pasts("visit"), "visited"));
    EXPECT_TRUE(Has(wordforms::Pasts("bake"), "baked"));
    EXPECT_TRUE(Has(wordforms::Pasts("carry"), "carried"));
    EXPECT_TRUE(Has(wordforms::Pasts("panic"), "panicked"));
    EXPECT_TRUE(Has(wordforms::IngForms("make"), "making"));
    EXPECT_TRUE(Has(wordforms::IngForms("see"), "seeing"));
    EXPECT_TRUE(Has(wordforms::IngForms("die"), "dying"));
    EXPECT_TRUE(Has(wordforms::IngForms("run"), "running"));
    EXPECT_TRUE(Has(wordforms::IngForms("travel"), "traveling"));
    EXPECT_TRUE(Has(wordforms::IngForms("travel"), "travelling"));
    EXPECT_TRUE(Has(wordforms::ThirdPersons("watch"), "watches"));
    EXPECT_TRUE(Has(wordforms::ThirdPersons("fly"), "flies"));
    EXPECT_TRUE(Has(wordforms::ThirdPersons("play"), "plays"));
    EXPECT_TRUE(Has(wordforms::LyAdverbs("happy"), "happily"));
    EXPECT_TRUE(Has(wordforms::LyAdverbs("simple"), "simply"));
    EXPECT_TRUE(Has(wordforms::LyAdverbs("basic"), "basically"));
    EXPECT_TRUE(Has(wordforms::LyAdverbs("full"), "fully"));
    EXPECT_TRUE(Has(wordforms::LyAdverbs("true"), "truly"));
    EXPECT_TRUE(wordforms::LyAdverbs("friendly").empty());
}

TEST(AuthorSampleRules, OnlyPlainRunsOfFiveToSixtyWordsAreKept) {
    using authorsamples::CleanSample;
    EXPECT_EQ(CleanSample("  Thou shalt have it,\n   if thou wilt.  "), "Thou shalt have it, if thou wilt.");
    EXPECT_EQ(CleanSample("Too short to use"), "");
    std::string sixty, sixtyOne;
    for (int i = 0; i < 60; ++i) sixty += "word ";
    sixtyOne = sixty + "more";
    EXPECT_NE(CleanSample(sixty), "");
    EXPECT_EQ(CleanSample(sixtyOne), "");
    // markup and dictionary codes would reach the rich text as tags
    EXPECT_EQ(CleanSample("one two <b>three</b> four five"), "");
    EXPECT_EQ(CleanSample("the [ae]ther of the sky above"), "");
    EXPECT_EQ(CleanSample("caf\xc3\xa9 and more words here"), "");
}

TEST(AuthorSampleRules, QuotationsAreFoundByTheirCitation) {
    const std::string dictionary =
        "Abate \\A*bate\\, v. t.\n"
        "   1. To lessen. \"The sun's heat abated at last, and the night came\" --Shak.\n"
        "      [1913 Webster]\n"
        "\n"
        "            She hath abated me of half my train,\n"
        "            and more besides it.                --Shak.\n"
        "      [1913 Webster]\n"
        "\n"
        "            They are never alone that are accompanied with noble\n"
        "            thoughts.                             --Sir P.\n"
        "                                                  Sidney.\n"
        "            Not this one, for it is by another hand.  --Shak.Hen.\n"
        "            Nor this one, which a different man once wrote.  --Milton.\n";
    const auto shak = authorsamples::QuotationsCitedAs(dictionary, "Shak.");
    ASSERT_EQ(shak.size(), 2u);
    EXPECT_EQ(shak[0], "The sun's heat abated at last, and the night came");
    EXPECT_EQ(shak[1], "She hath abated me of half my train, and more besides it.");
    const auto sidney = authorsamples::QuotationsCitedAs(dictionary, "Sir P. Sidney.");
    ASSERT_EQ(sidney.size(), 1u);
    EXPECT_EQ(sidney[0], "They are never alone that are accompanied with noble thoughts.");
}

TEST(AuthorSampleRules, VersesAndDefinitionsBecomeSamples) {
    const auto verses = authorsamples::BibleVerses(
        "\nGenesis 1\n\n  1 In the beginning God created the heaven and the earth.\n  2 And it was so.\n");
    ASSERT_EQ(verses.size(), 1u) << "headings and verses under five words are dropped";
    EXPECT_EQ(verses[0], "In the beginning God created the heaven and the earth.");
    const auto sentences = authorsamples::DevilSentences(
        "ABSENT, adj.  Peculiarly exposed to the tooth of detraction.  Vilified; hopelessly\n"
        "in the wrong; superseded in the consideration and affection of another.\n"
        "\n"
        "    To men a man is but a mind.  Who cares\n"
        "    What face he carries or what form he wears?\n");
    ASSERT_EQ(sentences.size(), 2u) << "the indented verse is left out";
    EXPECT_EQ(sentences[0], "Peculiarly exposed to the tooth of detraction.");
}

TEST(DeliveredWordbookRules, NonsenseWordsAreNewAndDistinct) {
    const std::unordered_set<std::string> known = {"banana", "table"};
    const auto words = deliveredbooks::NonsenseWords(1000, known);
    ASSERT_EQ(words.size(), 1000u);
    EXPECT_EQ(std::set<std::string>(words.begin(), words.end()).size(), 1000u);
    for (const std::string& w : words) {
        EXPECT_FALSE(known.count(w));
        EXPECT_TRUE(std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; })) << w;
    }
    EXPECT_EQ(deliveredbooks::NonsenseWords(1000, known), words) << "the same inputs give the same rows";
}

TEST(DeliveredWordbookRules, PhrasesUseTheTablesAndReadWell) {
    std::vector<wordtables::Table> tables;
    for (const auto& [name, rows] : wordtables::Layout())
        tables.push_back({name, rows, {"apple" + name, "owl" + name, "pear" + name}});
    const auto phrases = deliveredbooks::Phrases(200, tables);
    ASSERT_EQ(phrases.size(), 200u);
    for (const std::string& p : phrases) {
        EXPECT_GE(std::count(p.begin(), p.end(), ' '), 2) << p;
        EXPECT_EQ(p.find("a apple"), std::string::npos) << p;
        EXPECT_EQ(p.find("a owl"), std::string::npos) << p;
    }
}

TEST(PictureFiles, GifRoundTripKeepsSizePaletteAndTransparency) {
    ScratchFolder scratch;
    giffile::IndexedImage image;
    image.width = 3;
    image.height = 2;
    image.palette = {0xFF0000, 0x00FF00, 0x0000FF};
    image.pixels = {0, 1, 2, 2, 1, 0};
    image.transparentIndex = 2;
    const std::string path = scratch.path() + "/t.gif";
    giffile::Write(path, image);
    const giffile::IndexedImage back = giffile::Read(path);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.pixels, image.pixels);
    EXPECT_EQ(back.transparentIndex, 2);
    ASSERT_GE(back.palette.size(), 3u);
    EXPECT_EQ(back.palette[1], 0x00FF00u);
    const auto size = imagelibrary::ReadGifSize(datasrc::ReadFile(path));
    EXPECT_EQ(size.width, 3);
    EXPECT_EQ(size.height, 2);
}

TEST(PictureFiles, MalformedPicturesAreRefused) {
    ScratchFolder scratch;
    giffile::IndexedImage image;
    image.width = 2;
    image.height = 2;
    image.palette = {0};
    image.pixels = {0, 0, 0};  // one pixel short
    EXPECT_THROW(giffile::Write(scratch.path() + "/bad.gif", image), std::runtime_error);
    EXPECT_THROW(imagelibrary::ReadGifSize("\x89PNG\r\n\x1a\n...."), std::runtime_error);
    EXPECT_THROW(giffile::ReadFromMemory("GIF89a"), std::runtime_error);
}

}  // namespace
