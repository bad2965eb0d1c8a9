// SPDX-License-Identifier: GPL-3.0-or-later
#include "tracks/WordShredder.h"

#include <gtest/gtest.h>

namespace {

const ShredSettings kPrefix3{FragmentType::Prefix, 3};
const ShredSettings kPrefix4{FragmentType::Prefix, 4};
const ShredSettings kPrefix5{FragmentType::Prefix, 5};
const ShredSettings kSuffix3{FragmentType::Suffix, 3};
const ShredSettings kSuffix4{FragmentType::Suffix, 4};

TEST(ShredWords, CutsLongerWordsToPrefixOrSuffix) {
    EXPECT_EQ(ShredWords("shredding the words", kPrefix3), "shr the wor ");
    EXPECT_EQ(ShredWords("fragments of text", kSuffix4), "ents of text ");
    EXPECT_EQ(ShredWords("collage", ShredSettings{FragmentType::Prefix, 4}), "coll ");
    EXPECT_EQ(ShredWords("collage", kPrefix5), "colla ");
    EXPECT_EQ(ShredWords("collage", ShredSettings{FragmentType::Suffix, 5}), "llage ");
}

TEST(ShredWords, WordsOfTheFragmentSizeOrShorterStayWhole) {
    EXPECT_EQ(ShredWords("abc ab a", kPrefix3), "abc ab a ");
    EXPECT_EQ(ShredWords("abcde abcdef", kPrefix5), "abcde abcde ");
    EXPECT_EQ(ShredWords("abcd", kSuffix4), "abcd ");
}

TEST(ShredWords, SplitsAtSingleSpacesOnly) {
    // An empty text is one empty word.
    EXPECT_EQ(ShredWords("", kPrefix3), " ");
    // Consecutive spaces give empty words, kept in place.
    EXPECT_EQ(ShredWords("alpha  beta", kPrefix3), "alp  bet ");
    EXPECT_EQ(ShredWords(" lead", kPrefix3), " lea ");
    EXPECT_EQ(ShredWords("trail ", kPrefix3), "tra  ");
    // Line feeds and tabs are part of a word.
    EXPECT_EQ(ShredWords("first\nsecond", kPrefix3), "fir ");
    EXPECT_EQ(ShredWords("first\nsecond", kSuffix3), "ond ");
    EXPECT_EQ(ShredWords("ab\tcd", kPrefix3), "ab\t ");
}

TEST(ShredWords, ShreddingAgainKeepsTheWords) {
    const std::string once = ShredWords("the quick brown fox jumps over", kSuffix3);
    const std::string twice = ShredWords(once, kSuffix3);
    // Only the trailing space of the first result adds one empty word.
    EXPECT_EQ(twice, once + " ");
}

TEST(ShredWords, CountsCharactersNotBytes) {
    // "naïve" has five characters in six bytes: size 5 keeps it whole.
    EXPECT_EQ(ShredWords("na\xC3\xAFve", kPrefix5), "na\xC3\xAFve ");
    // "größer": the cut never falls inside ö or ß.
    EXPECT_EQ(ShredWords("gr\xC3\xB6\xC3\x9F"
                         "er",
                         kPrefix3),
              "gr\xC3\xB6 ");
    EXPECT_EQ(ShredWords("gr\xC3\xB6\xC3\x9F"
                         "er",
                         kSuffix4),
              "\xC3\xB6\xC3\x9F"
              "er ");
    // Three- and four-byte characters.
    EXPECT_EQ(ShredWords("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xA7", kPrefix3),
              "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E ");
    EXPECT_EQ(ShredWords("a\xF0\x9F\x98\x80"
                         "bc\xF0\x9F\x98\x80",
                         kSuffix3),
              "bc\xF0\x9F\x98\x80 ");
}

TEST(ShredWords, CountsWhatAReaderSeesAndIgnoresAByteOrderMark) {
    // "café" with a combining accent: four letters in five code points.
    EXPECT_EQ(ShredWords("cafe\xCC\x81s", kPrefix4), "cafe\xCC\x81 ");
    EXPECT_EQ(ShredWords("xcafe\xCC\x81", kSuffix4), "cafe\xCC\x81 ");
    // A flag is one character made of two.
    EXPECT_EQ(ShredWords("ab\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7", kSuffix3), "ab\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7 ");
    // The byte-order mark of a file is no letter of its first word.
    EXPECT_EQ(ShredWords("\xEF\xBB\xBFwords of text", kPrefix3), "wor of tex ");
}

TEST(ShredWords, MalformedBytesCountOneEach) {
    // A stray continuation byte, an impossible lead and a truncated sequence:
    // each byte is a character of its own, so nothing is merged or lost.
    EXPECT_EQ(ShredWords("\x80\xFF"
                         "abc",
                         kPrefix3),
              "\x80\xFF"
              "a ");
    EXPECT_EQ(ShredWords("abcd\xE2\x82", kSuffix3), "d\xE2\x82 ");
    // An overlong encoding of '/' is three characters, not one.
    EXPECT_EQ(ShredWords("\xC0\xAFxy", kPrefix3), "\xC0\xAFx ");
}

TEST(ShredWords, EncodedSurrogatesAreNotCharacters) {
    // The three bytes of an encoded surrogate count as three characters.
    EXPECT_EQ(ShredWords("\xED\xA0\x80z", kSuffix3), "\xA0\x80z ");
}

}  // namespace
