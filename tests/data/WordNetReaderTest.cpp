// SPDX-License-Identifier: GPL-3.0-or-later
// The WordNet reader on a tiny database in the files' own layout.
#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "wordsdb/WordNet.h"

#include <fstream>

namespace {

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class WordNetReader : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string licence = "  1 This software and database is being provided\n";
        Write(folder / "index.noun", licence +
                                         "anger n 2 3 @ ~ + 2 5 07516354 14036539  \n"
                                         "paris n 2 2 @ #p 2 0 08932568 09007723  \n"
                                         "ox n 1 2 @ ~ 1 0 02403454  \n"
                                         "stew n 2 2 @ ~ 2 1 07587700 07588111  \n");
        Write(folder / "data.noun",
              licence +
                  "07516354 12 n 02 anger 0 choler 0 001 @ 07516997 n 0000 | a strong emotion  \n"
                  "08932568 15 n 01 Paris 0 001 @ 08524735 n 0000 | the capital of France  \n"
                  "02403454 05 n 01 ox 0 001 @ 02402425 n 0000 | an adult castrated bull  \n"
                  "07587700 13 n 01 stew 0 001 @ 07588299 n 0000 | food prepared by stewing; \"a hearty stew\"  \n");
        Write(folder / "noun.exc", "oxen ox\nmice mouse\n");
        Write(folder / "index.verb", licence + "simmer v 1 3 @ + ; 1 1 00324231  \n");
        Write(folder / "data.verb",
              licence +
                  "00324231 30 v 01 simmer 0 002 @ 00328128 v 0000 ;c 00243918 n 0000 01 + 01 00 | boil slowly  \n");
        Write(folder / "verb.exc", "went go\n");
        Write(folder / "index.adj", licence + "ablaze a 1 1 & 1 0 00000001  \n");
        Write(folder / "data.adj", licence + "00000001 00 s 01 ablaze(p) 0 000 | keenly excited  \n");
        Write(folder / "adj.exc", "");
        Write(folder / "index.adv", licence);
        Write(folder / "data.adv", licence);
        Write(folder / "adv.exc", "");
    }
    ScratchFolder folder;
};

TEST_F(WordNetReader, ReadsCommonnessLexicographerFilesGlossesAndExceptions) {
    const wordnet::Database wn(folder.path());
    EXPECT_EQ(wn.Info(wordnet::Noun, "anger").senses, 2);
    EXPECT_EQ(wn.Info(wordnet::Noun, "anger").tagged, 5);
    EXPECT_EQ(wn.Info(wordnet::Noun, "stew").tagged, 1);
    EXPECT_EQ(wn.Info(wordnet::Noun, "nothing").senses, 0);

    const auto& nouns = wn.Synsets(wordnet::Noun);
    ASSERT_EQ(nouns.size(), 4u) << "the licence lines are not synsets";
    EXPECT_EQ(nouns[0].lexFile, wordnet::kNounFeeling);
    EXPECT_EQ(nouns[0].words, (std::vector<std::string>{"anger", "choler"}));
    EXPECT_EQ(nouns[3].gloss, "food prepared by stewing; \"a hearty stew\"");
    EXPECT_TRUE(wn.Synsets(wordnet::Verb)[0].cookingDomain);
    EXPECT_FALSE(nouns[0].cookingDomain);
    EXPECT_EQ(wn.Synsets(wordnet::Adjective)[0].words, std::vector<std::string>{"ablaze"}) << "marker (p) dropped";

    ASSERT_EQ(wn.Exceptions(wordnet::Noun).size(), 2u);
    EXPECT_EQ(wn.Exceptions(wordnet::Noun)[0], (std::pair<std::string, std::string>{"oxen", "ox"}));
}

TEST_F(WordNetReader, PlainLemmasAreLowerCaseInTheDataAndLongEnough) {
    const wordnet::Database wn(folder.path());
    // "paris" is only ever written "Paris"; "ox" is shorter than three letters
    EXPECT_EQ(wn.PlainLemmas(wordnet::Noun), (std::vector<std::string>{"anger", "stew"}));
    EXPECT_EQ(wn.PlainLemmas(wordnet::Noun, 1), (std::vector<std::string>{"anger", "ox", "stew"}));
    EXPECT_EQ(wn.NounsInLexFiles({wordnet::kNounAttribute, wordnet::kNounFeeling}),
              (std::unordered_set<std::string>{"anger", "choler"}));
}

TEST_F(WordNetReader, AMissingFileIsAnError) {
    std::filesystem::remove(folder / "verb.exc");
    EXPECT_THROW(wordnet::Database{folder.path()}, std::runtime_error);
}

}  // namespace
