// SPDX-License-Identifier: GPL-3.0-or-later
// Shapes that word processors write and that both RTF readers, the text
// extractor and the text area's document reader, must read to the same words.
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kWordProcessorHead =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman{\\*\\falt Times};}"
    "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fnil\\fcharset2 Wingdings;}}"
    "{\\colortbl;\\red0\\green0\\blue255;}\\pard\\plain\\f0 ";

// The extractor ends each paragraph with a line feed; the document joins
// its paragraphs with one.
void ExpectBothRead(const std::string& body, const std::string& text) {
    const std::string rtf = kWordProcessorHead + body + "}";
    std::string extracted;
    ASSERT_TRUE(ExtractPlainText(rtf, extracted)) << body;
    EXPECT_EQ(extracted, text + "\n") << "extractor: " << body;
    EXPECT_EQ(RichDocument::FromRtf(rtf).Text(), text) << "document: " << body;
}

TEST(RtfWordProcessorShapes, FieldResultsAreReadAndInstructionsHidden) {
    // A hyperlink as AbiWord writes it: the result group marked ignorable.
    ExpectBothRead(
        "see {\\field{\\*\\fldinst{HYPERLINK \"http://example.org/\"}}{\\*\\fldrslt{\\cf1\\ul the site}}} now\\par",
        "see the site now");
    // A date, and a title, with nothing marked.
    ExpectBothRead(
        "on {\\field{\\fldinst DATE \\\\@ \"d MMMM yyyy\"}{\\fldrslt 9 December 2026}}, "
        "{\\field\\fldedit{\\*\\fldinst { TITLE }}{\\fldrslt {Every Word}}}\\par",
        "on 9 December 2026, Every Word");
}

TEST(RtfWordProcessorShapes, SymbolFontCharactersAreTheCharactersTheyShow) {
    // A Symbol bullet as a byte, as \u with its fallback, and as the
    // private-use character; alpha and greater-or-equal.
    ExpectBothRead("{\\f1 \\'b7} a {\\f1\\u-3913\\'b7} b {\\f1\\u61623?} c {\\f1 \\'61\\'b3}\\par",
                   "\xE2\x80\xA2 a \xE2\x80\xA2 b \xE2\x80\xA2 c \xCE\xB1\xE2\x89\xA5");
    // Wingdings: the small square, the check, the filled circle.
    ExpectBothRead("{\\f2 \\'a7\\'fc\\'6c} done\\par", "\xE2\x96\xAA\xE2\x9C\x93\xE2\x97\x8F done");
}

TEST(RtfWordProcessorShapes, ListNumbersAndBulletsAreText) {
    ExpectBothRead(
        "{\\listtext\\pard\\plain\\f1 \\'b7\\tab}first\\par"
        "{\\*\\listtext 2.\\tab}second\\par"
        "{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}{\\pntext\\f0 3.\\tab}third\\par",
        "\xE2\x80\xA2\tfirst\n2.\tsecond\n3.\tthird");
}

// AbiWord writes the numbering's settings but not the number (or only
// blanks where it goes): both readers make the number as other readers do,
// counting on from the start while paragraphs stay list items and starting
// again after one that is not; a deeper level starts anew under each item
// above it.
TEST(RtfWordProcessorShapes, ListNumbersWrittenOnlyAsSettingsAreMade) {
    const std::string item = "\\pard{\\*\\pn\\pnql\\pnstart1\\pnlvlbody{\\pntxtb }{\\pntxta .}\\pndec}";
    ExpectBothRead(
        item + "Take a page\\par" + item + "Cut it\\par" + item + "Draw\\par\\pard after\\par" + item + "again\\par",
        "1.\tTake a page\n2.\tCut it\n3.\tDraw\nafter\n1.\tagain");
    // As AbiWord writes an item: a list text of blanks, then the settings.
    ExpectBothRead(
        "{\\listtext\\pard\\fi-431  \\tab}\\pard\\plain{\\ql{\\*\\pn\\pnstart4\\pnlvlbody\\pndec{\\pntxta .}}"
        "{\\f0 one}{\\f0\\par}}{\\listtext\\pard  \\tab}\\pard{{\\*\\pn\\pnstart4\\pnlvlbody\\pndec"
        "{\\pntxta .}}two\\par}",
        "4.\tone\n5.\ttwo");
    const auto level = [](int depth, const char* format, int start) {
        return "\\pard{\\*\\pn\\pnlvl" + std::to_string(depth) + "\\" + format + "\\pnstart" + std::to_string(start) +
               "{\\pntxtb (}{\\pntxta )}}";
    };
    ExpectBothRead(level(1, "pnucrm", 3) + "c\\par" + level(2, "pnlcltr", 1) + "x\\par" + level(2, "pnlcltr", 1) +
                       "y\\par" + level(1, "pnucrm", 3) + "d\\par" + level(2, "pnlcltr", 1) + "z\\par" +
                       level(2, "pnlcltr", 1) + "\\par" + level(1, "pnucrm", 3) + "e\\par",
                   "(III)\tc\n(a)\tx\n(b)\ty\n(IV)\td\n(a)\tz\n(b)\t\n(V)\te");
    // Bullets show their own sign or a dot; continued paragraphs get none;
    // a number the document wrote itself, before or after the settings, is
    // not doubled.
    ExpectBothRead(
        "{\\*\\pn\\pnlvlblt{\\pntxtb \\'b7}}dot\\par{\\*\\pn\\pnlvlblt{\\pntxtb -}}dash\\par"
        "{\\*\\pn\\pnlvlcont}more\\par"
        "{\\pntext 7.\\tab}{\\*\\pn\\pnlvlbody\\pndec}own\\par"
        "{\\*\\pn\\pnlvlbody\\pndec}{\\pntext\\f1 \\'b7\\tab}sign\\par",
        "\xE2\x80\xA2\tdot\n-\tdash\nmore\n7.\town\n\xE2\x80\xA2\tsign");
}

TEST(RtfWordProcessorShapes, FootnoteMarksAreNumberedAndNotesLeftOut) {
    ExpectBothRead(
        "words{\\super\\chftn}{\\*\\footnote\\pard\\plain{\\super\\chftn} The first note.} and "
        "more{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} The second.}\\par",
        "words1 and more2");
}

}  // namespace
