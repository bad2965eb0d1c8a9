#include "richtext/RtfTextExtractor.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The text, or the error's message when the conversion fails.
std::string Text(std::string_view rtf) {
    std::string text;
    RtfError error = RtfTextExtractor().Convert(rtf, text);
    return error == RtfError::kOk ? text : std::string("error: ") + RtfErrorMessage(error);
}

RtfError ErrorOf(std::string_view rtf) {
    std::string text;
    return RtfTextExtractor().Convert(rtf, text);
}

TEST(RtfExtractor, ParagraphsBecomeLineFeedsAndTablesAreDropped) {
    EXPECT_EQ(Text("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}Hello\\par World\\par}"),
              "Hello\nWorld\n");
    EXPECT_EQ(Text("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}{\\info{\\title T}{\\author A}}"
                   "{\\stylesheet{\\s0 Normal;}}{\\pict\\wmetafile8 0102ff}x}"),
              "x");
    // Formatting words are no text; tab and quotes are.
    EXPECT_EQ(Text("{\\b\\i\\ul\\qc\\fs24\\cf2 a\\tab b \\ldblquote hi\\rdblquote}"),
              "a\tb \"hi\"");
    EXPECT_EQ(Text("{a\\{b\\}c\\\\d}"), "a{b}c\\d");
}

TEST(RtfExtractor, StarredGroupsAreSkippedOnlyWhenUnknown) {
    EXPECT_EQ(Text("{\\rtf1{\\*\\generator Writer;}text}"), "text");
    EXPECT_EQ(Text("{\\rtf1{\\foo kept}text}"), "kepttext");
    // A known word after the star acts as usual.
    EXPECT_EQ(Text("{\\rtf1{\\*\\par x}y}"), "\nxy");
    // The skip ends with the group.
    EXPECT_EQ(Text("{{\\*\\unknown a{b}c}d}"), "d");
}

TEST(RtfExtractor, HexEscapes) {
    EXPECT_EQ(Text("{\\'41}"), "A");
    EXPECT_EQ(Text("{caf\\'e9 \\'80}"), "caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ(Text("{\\'4\r\n1}"), "A");
    EXPECT_EQ(ErrorOf("{\\'4g}"), RtfError::kInvalidHex);
    EXPECT_EQ(ErrorOf("{\\'zz}"), RtfError::kInvalidHex);
    // In a skipped destination the escape does not act.
    EXPECT_EQ(Text("{{\\fonttbl \\'zz}ok}"), "ok");
}

TEST(RtfExtractor, FailureLeavesTheOutputAlone) {
    std::string text = "previous";
    EXPECT_FALSE(ExtractPlainText("{\\'4g}", text));
    EXPECT_EQ(text, "previous");
    EXPECT_TRUE(ExtractPlainText("{new}", text));
    EXPECT_EQ(text, "new");
}

TEST(RtfExtractor, BraceAndEndOfFileErrors) {
    EXPECT_EQ(ErrorOf("{a}}"), RtfError::kStackUnderflow);
    EXPECT_EQ(ErrorOf("}{"), RtfError::kStackUnderflow);
    EXPECT_EQ(ErrorOf("{{a}"), RtfError::kUnmatchedBrace);
    EXPECT_EQ(ErrorOf("{a\\"), RtfError::kEndOfFile);
    EXPECT_EQ(ErrorOf("{\\fs-"), RtfError::kEndOfFile);
    EXPECT_EQ(ErrorOf("plain words"), RtfError::kOk);
    // A control word may end the text: the missing brace is what fails.
    EXPECT_EQ(ErrorOf("{\\par"), RtfError::kUnmatchedBrace);
    EXPECT_EQ(Text("\\par"), "\n");
}

TEST(RtfExtractor, UnknownControlsProduceNothing) {
    EXPECT_EQ(Text("{a\\~b\\-c\\_d\\foo e\\u f}"), "abcdef");
    // A control word ends at its delimiter: one space is eaten, a '-' without digits too.
    EXPECT_EQ(Text("{\\foo  two\\bar-x}"), " twox");
    // Overlong keywords and parameters neither overflow nor leak into the text.
    EXPECT_EQ(Text("{" + std::string("\\") + std::string(200, 'k') + "9999999999999999999999999 z}"),
              "z");
}

TEST(RtfExtractor, LineEndsInsideTheText) {
    EXPECT_EQ(Text("{a\r\nb\rc\nd}"), "abcd");
    // A backslash before a line end is a paragraph mark, once per CR LF pair.
    EXPECT_EQ(Text("{a\\\r\nb\\\nc\\\rd}"), "a\nb\nc\nd");
}

TEST(RtfExtractor, BinaryDataCountsBytesAndCrLfPairsAsOne) {
    EXPECT_EQ(Text("{\\bin3 a{}b}"), "a{}b");
    EXPECT_EQ(Text("{\\bin2 \r\nxy}"), "\nxy");
    // The count is the last parameter seen, whichever word carried it.
    EXPECT_EQ(Text("{\\fs2 \\bin }}z}"), "}}z");
    EXPECT_EQ(Text("{\\bin0 \\x}"), "\\x");
    // In a skipped destination binary data is still stepped over.
    EXPECT_EQ(Text("{{\\pict\\bin2 }{}ok}"), "ok");
}

TEST(RtfExtractor, UnicodeComesOutAsUtf8) {
    EXPECT_EQ(Text("{caf\\u233?}"), "caf\xc3\xa9");
    EXPECT_EQ(Text("{\\u8364\\'80 x}"), "\xe2\x82\xac x");
    EXPECT_EQ(Text("{\\uc2\\u20013\\'a4\\'a4!}"), "\xe4\xb8\xad!");
    EXPECT_EQ(Text("{\\uc0\\u233 e}"), "\xc3\xa9" "e");
    EXPECT_EQ(Text("{\\u-10179?\\u-8704?}"), "\xf0\x9f\x98\x80");  // U+1F600 as a surrogate pair
    EXPECT_EQ(Text("{\\u-10179?x}"), "\xef\xbf\xbdx");              // a lone high surrogate
    EXPECT_EQ(Text("{\\u-4064?}"), "\xef\x80\xa0");                 // negative: U+F020
    // \uc is a group property; the fallback never reaches past the group.
    EXPECT_EQ(Text("{{\\uc3\\u233}abc\\u233 ?z}"), "\xc3\xa9" "abc\xc3\xa9z");
    EXPECT_EQ(Text("{\\u233{x}}"), "\xc3\xa9x");
    // Raw UTF-8 passes through.
    EXPECT_EQ(Text("{\xe4\xb8\xad\xe6\x96\x87}"), "\xe4\xb8\xad\xe6\x96\x87");
}

TEST(RtfExtractor, DeepNestingAndLargeInputs) {
    std::string deep = std::string(100000, '{') + "x" + std::string(100000, '}');
    EXPECT_EQ(Text(deep), "x");
    std::string big = "{\\rtf1 ";
    for (int i = 0; i < 20000; ++i) big += "word\\par ";
    big += "}";
    std::string text = Text(big);
    EXPECT_EQ(text.size(), 20000u * 5);
}

}  // namespace
