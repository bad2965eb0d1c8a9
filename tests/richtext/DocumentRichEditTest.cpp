// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/DocumentRichEdit.h"
#include "richtext/RichTextOps.h"

#include <gtest/gtest.h>

namespace {

CharFormat Colour(std::uint32_t colour) {
    CharFormat format;
    format.mask = CharFormat::kColour;
    format.textColour = colour;
    return format;
}

TEST(DocumentRichEdit, LoadMarkupShowsTheTextInTheDefaultFont) {
    DocumentRichEdit edit;
    edit.SetFirstVisibleLine(7);
    LoadMarkup(edit, "  two   words\nand <b>more</b>");
    EXPECT_EQ(edit.FirstVisibleLine(), 0);
    EXPECT_EQ(PlainTextOf(edit), "two words and more\n");
    edit.SelectAll();
    CharFormat format = edit.SelectionCharFormat();
    EXPECT_TRUE(format.Has(CharFormat::kFace));
    EXPECT_EQ(format.face, "MS Shell Dlg");
    EXPECT_EQ(format.heightTwips, 240);
    EXPECT_EQ(format.textColour, 0u);
    EXPECT_FALSE(format.Has(CharFormat::kBold)) << "part of the text is bold";
    EXPECT_FALSE(format.Has(CharFormat::kHighlight));
}

TEST(DocumentRichEdit, MarkupThatDoesNotRenderEmptiesTheText) {
    DocumentRichEdit edit;
    LoadMarkup(edit, "some text");
    LoadMarkup(edit, "text</span>");
    EXPECT_EQ(edit.TextLength(), 0);
    EXPECT_EQ(PlainTextOf(edit), "\n");
}

TEST(DocumentRichEdit, LengthAndSelectionCountCharactersAndBreaks) {
    DocumentRichEdit edit;
    LoadMarkup(edit, "caf\xc3\xa9<p>\xe4\xb8\xad\xf0\x9f\x98\x80");
    // "café", an empty paragraph, then two characters: 4 + 1 + 1 + 2.
    EXPECT_EQ(edit.TextLength(), 8);
    edit.SetSelection(5, -1);
    EXPECT_EQ(edit.Document().SelectionStart(), 5);
    EXPECT_EQ(edit.Document().SelectionEnd(), 8);
    edit.SetSelection(20, 3);
    EXPECT_EQ(edit.Document().SelectionStart(), 3);
    EXPECT_EQ(edit.Document().SelectionEnd(), 8);
    edit.CollapseToStart();
    EXPECT_EQ(edit.Document().SelectionEnd(), 3);
}

TEST(DocumentRichEdit, FormatOfPartOfTheTextSplitsRuns) {
    DocumentRichEdit edit;
    LoadMarkup(edit,
               "abc\xc3\xa9"
               "def");
    edit.SetSelection(2, 5);
    edit.SetSelectionCharFormat(Colour(0x0000FF));
    const auto& runs = edit.Document().Paragraphs()[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "ab");
    EXPECT_EQ(runs[1].text,
              "c\xc3\xa9"
              "d");
    EXPECT_EQ(runs[1].format.textColour, 0x0000FFu);
    EXPECT_EQ(runs[2].format.textColour, 0u);
    EXPECT_TRUE(edit.SelectionCharFormat().Has(CharFormat::kColour));
    edit.SetSelection(1, 3);
    EXPECT_FALSE(edit.SelectionCharFormat().Has(CharFormat::kColour));
    EXPECT_TRUE(edit.SelectionCharFormat().Has(CharFormat::kFace));
    // Select all reaches the final mark, so text typed at the end matches.
    edit.SelectAll();
    edit.SetSelectionCharFormat(Colour(0x00FF00));
    EXPECT_EQ(edit.Document().Paragraphs()[0].markFormat.textColour, 0x00FF00u);
    EXPECT_EQ(edit.StreamRtfOut().find("\\cf0"), std::string::npos);
    // Setting the colour back joins the runs again.
    edit.SetSelectionCharFormat(Colour(0));
    EXPECT_EQ(edit.Document().Paragraphs()[0].runs.size(), 1u);
}

TEST(DocumentRichEdit, EmptySelectionReportsTheInsertionFormat) {
    DocumentRichEdit edit;
    LoadMarkup(edit, "ab<font size=7>cd</font>");
    edit.SetSelection(3, 3);  // after "abc"
    EXPECT_EQ(edit.SelectionCharFormat().heightTwips, 720);
    edit.SetSelection(0, 0);
    EXPECT_EQ(edit.SelectionCharFormat().heightTwips, 240);
    // An empty text takes a new format at its mark, and reports it back.
    LoadMarkup(edit, "");
    edit.SelectAll();
    CharFormat face;
    face.mask = CharFormat::kFace | CharFormat::kSize | CharFormat::kBold;
    face.face = "Courier";
    face.heightTwips = 200;
    face.bold = true;
    edit.SetSelectionCharFormat(face);
    CharFormat read = edit.SelectionCharFormat();
    EXPECT_EQ(read.face, "Courier");
    EXPECT_EQ(read.heightTwips, 200);
    EXPECT_TRUE(read.bold);
}

TEST(DocumentRichEdit, DefaultFormatCoversEverythingAndSurvivesStreaming) {
    DocumentRichEdit edit;
    LoadMarkup(edit, "<font face=arial size=6>a</font>b<p>c");
    CharFormat format;
    format.mask = CharFormat::kFace | CharFormat::kColour | CharFormat::kHighlight;
    format.face = "Courier";
    format.textColour = 0x123456;
    format.highlightColour = 0x00FFFF;
    edit.SetDefaultCharFormat(format);
    edit.SelectAll();
    CharFormat all = edit.SelectionCharFormat();
    EXPECT_EQ(all.face, "Courier");
    EXPECT_EQ(all.textColour, 0x123456u);
    EXPECT_TRUE(all.Has(CharFormat::kHighlight));
    EXPECT_FALSE(all.Has(CharFormat::kSize));

    DocumentRichEdit copy;
    copy.SetBackgroundColour(0x00ABCDEF);
    EXPECT_TRUE(copy.StreamRtfIn(edit.StreamRtfOut()));
    EXPECT_EQ(copy.BackgroundColour(), 0x00ABCDEFu) << "streaming in keeps the background";
    copy.SelectAll();
    CharFormat back = copy.SelectionCharFormat();
    EXPECT_EQ(back.mask, all.mask);
    EXPECT_EQ(back.face, "Courier");
    EXPECT_EQ(back.highlightColour, 0x00FFFFu);
    EXPECT_EQ(PlainTextOf(copy), PlainTextOf(edit));
    EXPECT_EQ(copy.StreamRtfOut(), edit.StreamRtfOut());
}

TEST(DocumentRichEdit, WordsAndCharactersSurviveTheArea) {
    DocumentRichEdit edit;
    LoadMarkup(edit, "line<br>break <table><col width=5><tr><td>cellA</td><td>cellB</td></tr></table>");
    std::string text = PlainTextOf(edit);
    EXPECT_NE(text.find("line\nbreak"), std::string::npos) << text;
    EXPECT_NE(text.find("cellA\t\ncellB"), std::string::npos) << text;

    LoadMarkup(edit, "Voil\xc3\xa0 \xe4\xb8\xad \xf0\x9f\x98\x80");
    EXPECT_EQ(PlainTextOf(edit), "Voil\xc3\xa0 \xe4\xb8\xad \xf0\x9f\x98\x80\n");

    // An odd face name and a group left open load whole, in their formats.
    LoadMarkup(edit, "<font face='Arial}}'>x</font> <font color='#ff0000'>red");
    EXPECT_EQ(PlainTextOf(edit), "x red\n");
    const auto& runs = edit.Document().Paragraphs()[0].runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].format.face, "arial}}");
    EXPECT_EQ(runs[2].format.textColour, 0x0000FFu);

    // RTF from elsewhere: code pages, raw bytes and dashes as the reader meets them.
    ASSERT_TRUE(
        edit.StreamRtfIn("{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0 A;}{\\f1\\fcharset204 B;}}"
                         "\\'e1\\'e2 {\\f1 \\'cf\\'f0} caf\xe9 word\\emdash word}"));
    EXPECT_EQ(PlainTextOf(edit), "\xce\xb1\xce\xb2 \xd0\x9f\xd1\x80 caf\xce\xb9 word\xe2\x80\x94word\n");
    ASSERT_TRUE(edit.StreamRtfIn("{\\rtf1{\\fonttbl{\\f0\\fcharset128 G;}}\\'82\\'a0\\'83\\'41 caf\xc3\xa9}"));
    EXPECT_EQ(PlainTextOf(edit), "\xe3\x81\x82\xe3\x82\xa2 caf\xc3\xa9\n");
    // A trail byte may be plain ASCII; a lead byte never reaches past its group.
    ASSERT_TRUE(edit.StreamRtfIn("{\\rtf1\\ansicpg932 \\'83A{\\'82}x}"));
    EXPECT_EQ(PlainTextOf(edit), "\xe3\x82\xa2\xef\xbf\xbdx\n");
}

}  // namespace
