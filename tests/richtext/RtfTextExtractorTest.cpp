// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/MarkupRtfRenderer.h"
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
    EXPECT_EQ(Text("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}Hello\\par World\\par}"), "Hello\nWorld\n");
    EXPECT_EQ(Text("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}{\\info{\\title T}{\\author A}}"
                   "{\\stylesheet{\\s0 Normal;}}{\\pict\\wmetafile8 0102ff}x}"),
              "x");
    // Formatting words are no text; tab and quotes are.
    EXPECT_EQ(Text("{\\b\\i\\ul\\qc\\fs24\\cf2 a\\tab b \\ldblquote hi\\rdblquote}"), "a\tb \"hi\"");
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
    EXPECT_EQ(Text("{" + std::string("\\") + std::string(200, 'k') + "9999999999999999999999999 z}"), "z");
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
    EXPECT_EQ(Text("{\\uc0\\u233 e}"),
              "\xc3\xa9"
              "e");
    EXPECT_EQ(Text("{\\u-10179?\\u-8704?}"), "\xf0\x9f\x98\x80");  // U+1F600 as a surrogate pair
    EXPECT_EQ(Text("{\\u-10179?x}"), "\xef\xbf\xbdx");             // a lone high surrogate
    EXPECT_EQ(Text("{\\u-4064?}"), "\xef\x80\xa0");                // negative: U+F020
    // \uc is a group property; the fallback never reaches past the group.
    EXPECT_EQ(Text("{{\\uc3\\u233}abc\\u233 ?z}"),
              "\xc3\xa9"
              "abc\xc3\xa9z");
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

TEST(RtfExtractor, RawBytesBecomeValidUtf8) {
    // Valid UTF-8 stays; any other byte is Windows-1252.
    EXPECT_EQ(Text("{caf\xe9 \x93q\x94 \x80}"), "caf\xc3\xa9 \xe2\x80\x9cq\xe2\x80\x9d \xe2\x82\xac");
    EXPECT_EQ(Text("{na\xc3\xafve \xc3 \xe4\xb8}"), "na\xc3\xafve \xc3\x83 \xc3\xa4\xc2\xb8");
    // Binary data in the text is bytes, not UTF-8.
    EXPECT_EQ(Text("{\\bin2 \xff\xfe}"), "\xc3\xbf\xc3\xbe");
    // A fallback written as raw UTF-8 counts as one character.
    EXPECT_EQ(Text("{\\u8364\xe2\x82\xac x}"), "\xe2\x82\xac x");
}

TEST(RtfExtractor, BreaksCellsAndTypographicWordsKeepWordsApart) {
    EXPECT_EQ(Text("{line\\line break}"), "line\nbreak");
    EXPECT_EQ(Text("{\\trowd\\cellx1000\\cellx2000\\intbl cellA\\cell cellB\\cell\\row after}"),
              "cellA\tcellB\t\nafter");
    EXPECT_EQ(Text("{word\\emdash word\\endash x}"), "word\xe2\x80\x94word\xe2\x80\x93x");
    EXPECT_EQ(Text("{\\lquote q\\rquote  \\bullet}"), "\xe2\x80\x98q\xe2\x80\x99 \xe2\x80\xa2");
    // The listed quotes keep their plain output; skipped text stays skipped.
    EXPECT_EQ(Text("{\\ldblquote a\\rdblquote{\\*\\unknown x\\line y}}"), "\"a\"");
    // What the renderer makes of <br> and a table comes out with its breaks.
    EXPECT_EQ(Text(*RenderToRtf("line<br>break")), "line\nbreak");
    EXPECT_EQ(Text(*RenderToRtf("<table><col width=5><tr><td>A</td><td>B</td></tr></table>")), "\n\nA\t\nB\t\n");
}

TEST(RtfExtractor, HexEscapesFollowTheCodePages) {
    // The document's code page.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1253 \\'e1\\'e2\\'e3}"), "\xce\xb1\xce\xb2\xce\xb3");
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0}"), "\xd0\x9f\xd1\x80");
    // A font's character set wins over it, for as long as the font is current.
    const std::string fonts =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1\\fcharset204 Times Cyr;}"
        "\\f2\\fcharset161 Greek;{\\f3\\fcharset238{\\*\\panose 0}CE;}{\\f4\\cpg874\\fcharset0 Thai;}}";
    EXPECT_EQ(Text(fonts + "\\'e9{\\f1 \\'e9}\\'e9\\f2 \\'e9\\plain\\'e9}"),
              "\xc3\xa9\xd0\xb9\xc3\xa9\xce\xb9\xc3\xa9");
    EXPECT_EQ(Text(fonts + "\\f3 \\'9a\\f4 \\'a1}"), "\xc5\xa1\xe0\xb8\x81");
    EXPECT_EQ(Text("{\\rtf1\\deff1{\\fonttbl{\\f1\\fcharset162 T;}}\\'fd}"), "\xc4\xb1");
    // Two-byte pages take lead and trail byte, even a trail byte below 0x80.
    EXPECT_EQ(Text("{\\rtf1{\\fonttbl{\\f0\\fcharset128 Gothic;}}\\f0 \\'82\\'a0\\'83\\'41}"),
              "\xe3\x81\x82\xe3\x82\xa2");
    EXPECT_EQ(Text("{\\rtf1\\ansicpg936 \\'d6\\'d0!}"), "\xe4\xb8\xad!");
    EXPECT_EQ(Text("{\\rtf1\\ansicpg932 \\'83A\\'82\\'a0}"), "\xe3\x82\xa2\xe3\x81\x82");
    // A lead byte that nothing completes, an undefined byte, an unknown page.
    EXPECT_EQ(Text("{\\rtf1\\ansicpg932 {\\'82}x}"), "\xef\xbf\xbdx");
    EXPECT_EQ(Text("{\\rtf1\\ansicpg1253 \\'aa}"), "\xef\xbf\xbd");
    EXPECT_EQ(Text("{\\rtf1\\ansicpg77777 \\'e9\\'81}"), "\xc3\xa9\xc2\x81");
    // Raw 8-bit text that is no UTF-8 is in the same page.
    EXPECT_EQ(Text("{\\rtf1\\ansicpg1251 \xcf\xf0\xe8}"), "\xd0\x9f\xd1\x80\xd0\xb8");
}

}  // namespace
