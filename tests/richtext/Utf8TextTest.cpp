// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counting one character at a time is the reference the fast count must match.
std::size_t SlowCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count)
        if (utf8text::Decode(text, pos) < 0) ++pos;
    return count;
}

TEST(Utf8Count, MatchesCharacterByCharacterCountingAcrossWordBoundaries) {
    const std::string pieces[] = {"a", "abcdefgh", "é", "漢字", "😀", "\xff", "\xe6\xbc", " x "};
    // Every mix of pieces at every offset, so multi-byte and malformed
    // characters straddle the eight-byte steps.
    for (int prefix = 0; prefix < 17; ++prefix) {
        for (const std::string& a : pieces) {
            for (const std::string& b : pieces) {
                const std::string text = std::string(prefix, 'q') + a + b + std::string(prefix % 5, 'z') + a;
                EXPECT_EQ(utf8text::CountCodePoints(text), SlowCount(text)) << text;
            }
        }
    }
}

TEST(Utf8Count, CountsCharactersNotBytes) {
    EXPECT_EQ(utf8text::CountCodePoints(""), 0u);
    EXPECT_EQ(utf8text::CountCodePoints("twelve bytes"), 12u);
    EXPECT_EQ(utf8text::CountCodePoints("naïve café 漢字 😀"), 15u);
    EXPECT_EQ(utf8text::CountCodePoints(std::string(1 << 16, 'a') + "é"), (1u << 16) + 1);
    // A malformed byte counts as one character.
    EXPECT_EQ(utf8text::CountCodePoints("ab\x80\xff"
                                        "cdefghij"),
              12u);
}

}  // namespace
