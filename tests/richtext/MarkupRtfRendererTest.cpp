// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"
#include "RtfChecks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kHead =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 MS Shell Dlg;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green255\\blue255;}"
    "\\pard\\plain\\tx0\\fs24 ";

std::string Render(std::string_view markup, int twipsPerPixel = 15) {
    RenderOptions options;
    options.twipsPerPixel = twipsPerPixel;
    auto rtf = RenderToRtf(markup, options);
    return rtf ? *rtf : std::string("<failed>");
}

// The body of a rendering: what follows the base size, without the closing brace.
std::string Body(std::string_view markup) {
    const std::string rtf = Render(markup);
    const std::string start = "\\pard\\plain\\tx0\\fs24 ";
    const std::size_t at = rtf.find(start);
    if (at == std::string::npos || rtf.back() != '}') return "<frame differs>" + rtf;
    return rtf.substr(at + start.size(), rtf.size() - at - start.size() - 1);
}

TEST(MarkupRenderer, EmptyMarkupGivesTheBareDocument) { EXPECT_EQ(Render(""), kHead + "}"); }

TEST(MarkupRenderer, BaseSizeFollowsTheFontHeight) {
    const std::pair<int, const char*> cases[] = {
        {40, "\\fs72 "}, {36, "\\fs72 "},  {24, "\\fs48 "},  {18, "\\fs36 "}, {16, "\\fs32 "},
        {14, "\\fs28 "}, {12, "\\fs24 "},  {10, "\\fs20 "},  {8, "\\fs18 "},  {7, "\\fs24 "},
        {0, "\\fs24 "},  {-11, "\\fs24 "}, {-40, "\\fs24 "},
    };
    for (auto [height, expected] : cases) {
        RenderOptions options;
        options.baseFont.height = height;
        options.baseFont.face = "Courier";
        std::string rtf = *RenderToRtf("x", options);
        EXPECT_NE(rtf.find(std::string("\\tx0") + expected + "x}"), std::string::npos) << height;
        EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset0 Courier;}"), std::string::npos);
    }
}

TEST(MarkupRenderer, CallerColoursOpenTheColourTable) {
    RenderOptions options;
    options.textColour = 0x00332211;  // blue 0x33, green 0x22, red 0x11
    options.backgroundColour = 0x00CCBBAA;
    std::string rtf = *RenderToRtf("", options);
    EXPECT_NE(rtf.find("{\\colortbl ;\\red17\\green34\\blue51;\\red170\\green187\\blue204;}"), std::string::npos);
}

TEST(MarkupRenderer, WhitespaceCollapsesAndLineFeedsWriteTheirOwnSpace) {
    EXPECT_EQ(Body("a  b\n\nc"), "a b  c");
    EXPECT_EQ(Body("   lead"), "lead");
    EXPECT_EQ(Body("a \t b"), "a b");
    EXPECT_EQ(Body("a\r\nb"), "a b");
    EXPECT_EQ(Body("a \nb"), "a b");
    EXPECT_EQ(Body("\nx"), "x");
}

TEST(MarkupRenderer, SpecialCharactersAndBytesPassAsTheRulesSay) {
    EXPECT_EQ(Body("a\\b{c}d"), "a\\\\b\\{c\\}d");
    EXPECT_EQ(Body("&amp;&lt;"), "&amp;&lt;");
    // Beyond ASCII: \uN? (the document is 7-bit); a byte that is no UTF-8 reads as Windows-1252.
    EXPECT_EQ(Body("caf\xc3\xa9 \xe4\xb8\xad"), "caf\\u233? \\u20013?");
    EXPECT_EQ(Body("\xf0\x9f\x98\x80!"), "\\u-10179?\\u-8704?!");
    EXPECT_EQ(Body("\x93q\x94 \xc3"), "\\u8220?q\\u8221? \\u195?");
    // A character beyond ASCII clears both flags, as any other text does.
    EXPECT_EQ(Body("<br>\xc3\xa9 x"), "\\line \\u233? x");
    // An escaped character clears after-space only, so spaces after a break stay dropped.
    EXPECT_EQ(Body("<br> {x"), "\\line \\{x");
    EXPECT_EQ(Body("<br>{ x"), "\\line \\{x");
}

TEST(MarkupRenderer, ParagraphAndLineBreaksDependOnTheLineStart) {
    EXPECT_EQ(Body("<p>x"), "\\par\\par x");
    EXPECT_EQ(Body("<br><p>y"), "\\line \\par y");
    EXPECT_EQ(Body("a<p><p>b"), "a\\par\\par \\par b");
    EXPECT_EQ(Body("a<br> b"), "a\\line b");
    // Any tag clears the line start, even one that writes nothing.
    EXPECT_EQ(Body("<br><html><p>"), "\\line \\par\\par ");
}

TEST(MarkupRenderer, CharacterTagsWriteTheirSwitches) {
    EXPECT_EQ(Body("<b>x</b><strong>y</strong><i>z</i><u>w</u>"), "\\b1 x\\b0 \\b1 y\\b0 \\i1 z\\i0 \\ul1 w\\ulnone ");
    EXPECT_EQ(Body("<B>X</B><Br><P>"), "\\b1 X\\b0 \\line \\par ");
    EXPECT_EQ(Body("a<br/>b<!-- c -->d</p></col><html>"), "abd");
}

TEST(MarkupRenderer, FontTagOpensAGroupWithItsChanges) {
    EXPECT_EQ(Body("<font size=5>x</font>"), "{\\fs36 x}\r\n");
    EXPECT_EQ(Body("<font>x</font>"), "{x}\r\n");
    EXPECT_EQ(Body("<span>a<a href='h'>b</a></span>"), "{a{b}\r\n}\r\n");
}

TEST(MarkupRenderer, HtmlSizesMapToHalfPoints) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "\\fs15 "}, {"2", "\\fs20 "}, {"4", "\\fs27 "},    {"5", "\\fs36 "},
        {"6", "\\fs48 "}, {"7", "\\fs72 "}, {"'-1'", "\\fs24 "}, {"'9'", "\\fs24 "},
    };
    for (auto [size, expected] : cases) {
        std::string change = std::string(expected) == "\\fs24 " ? "" : expected;
        EXPECT_EQ(Body(std::string("<font size=") + size + ">x"), "{" + change + "x}") << size;
    }
    // Size 3 equals the base size: nothing to write.
    EXPECT_EQ(Body("<font size=3>x"), "{x}");
}

TEST(MarkupRenderer, HexColoursNeedQuotes) {
    EXPECT_EQ(Body("<font color=#ff0000>x</font>"), "{x}\r\n");
    std::string rtf = Render("<font color='#ff0000'>x</font>");
    EXPECT_NE(rtf.find("\\red255\\green255\\blue255;\\red255\\green0\\blue0;}"), std::string::npos);
    EXPECT_NE(rtf.find("\\fs24 {\\cf3 x}\r\n}"), std::string::npos);
    // The same colour again reuses its entry; black is entry 0.
    rtf = Render("<font color='#00FF00'>a</font><font color=\"#00ff00\">b</font><font color='#000000'>c");
    EXPECT_NE(rtf.find("{\\cf3 a}\r\n{\\cf3 b}\r\n{c"), std::string::npos);
    EXPECT_EQ(rtf.find("\\cf4"), std::string::npos);
}

TEST(MarkupRenderer, ColourNamesAndOddValues) {
    SystemColours system;
    system.buttonFace = 0x00102030;
    MarkupRtfRenderer renderer(15, system);
    std::uint32_t background = 0xFFFFFF;
    auto rtf = renderer.RenderToRtf("<font color=buttonface>a<font color=WINDOW>b<font color=red>c", DefaultGuiFont(),
                                    0, background);
    ASSERT_TRUE(rtf);
    // "face" is found inside "buttonface": an empty face, font 1.
    EXPECT_NE(rtf->find("{\\f1\\fnil\\fcharset0 ;}"), std::string::npos);
    EXPECT_NE(rtf->find("{\\cf3\\f1 a{\\cf2 b{\\cf1 c"), std::string::npos);
    EXPECT_EQ(renderer.ColourTable(), (std::vector<std::uint32_t>{0, 0xFFFFFF, 0x00102030}));
    // Hexadecimal values read like strtol: a prefix and overflow saturate.
    renderer.RenderToRtf("<font color='#0x0000ff'>a<font color='#123456789'>b", DefaultGuiFont(), 0, background);
    EXPECT_EQ(renderer.ColourTable(), (std::vector<std::uint32_t>{0, 0xFFFFFF, 0xFF0000}));
}

TEST(MarkupRenderer, AttributeLookupIsAPlainSubstringSearch) {
    // "color" is found inside "bgcolor": the body's background also sets the text colour of a font.
    EXPECT_EQ(Body("<font bgcolor='#ffffff'>x"), "{\\cf2 x}");
    // A name without '=' is present and empty: black.
    EXPECT_EQ(Body("<font color='#ff0000'><font color>x"), "{\\cf3 {\\cf1 x}}");
    // Inline style: only background-color given sets both indexes.
    EXPECT_EQ(Body("<span style=\"background-color:'#ff0000'\">x"), "{\\cf3\\highlight3 x}");
    EXPECT_EQ(Body("<span style=\"color: 'white'\">x"), "{x}");
    // CSS rule: a property not followed by ':' is absent.
    EXPECT_EQ(Body("<span style='x' color='#ff0000'>x"), "{x}");
    // Whitespace around '=' is allowed.
    EXPECT_EQ(Body("<font size = 7>x"), "{\\fs72 x}");
    // An unterminated quote runs to the end of the tag.
    EXPECT_EQ(Body("<font face='Arial>x"), Body("<font face='Arial'>x"));
}

TEST(MarkupRenderer, FacesAreLookedUpWithoutRegardToCase) {
    std::string rtf = Render(
        "<font face='Courier New'>a</font><font face=\"COURIER new\">b</font>"
        "<font face='ms shell dlg'>c</font>");
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset0 MS Shell Dlg;}{\\f1\\fnil\\fcharset0 courier new;}}"),
              std::string::npos);
    EXPECT_NE(rtf.find("\\fs24 {\\f1 a}\r\n{\\f1 b}\r\n{\\f0 c}\r\n}"), std::string::npos);
}

TEST(MarkupRenderer, BodySetsMarginsAndTheBackground) {
    RenderOptions options;
    std::uint32_t background = 0;
    auto rtf = RenderToRtf("<body bgcolor='#102030' topmargin=2 leftmargin>x</body>", options, &background);
    ASSERT_TRUE(rtf);
    EXPECT_EQ(background, 0x00302010u);
    EXPECT_NE(rtf->find("\\fs24 {\\margt30\\margb120\\li0\\ri120\\highlight3 x}\r\n}"), std::string::npos);
    options.twipsPerPixel = TwipsPerPixelForDpi(120);
    rtf = RenderToRtf("<body>", options, &background);
    EXPECT_NE(rtf->find("{\\margt96\\margb96\\li96\\ri96}"), std::string::npos);
    EXPECT_EQ(background, 0xFFFFFFu);
}

TEST(MarkupRenderer, DivBreaksAlignsAndCloses) {
    EXPECT_EQ(Body("a<div align=center nowrap>b</div>c"), "a{\\par \\qc \\nowwrap b\\par }\r\nc");
    EXPECT_EQ(Body("<div align=right>x</div>"), "{\\par \\qr x\\par }\r\n");
    EXPECT_EQ(Body("<p><div align=justify>x"), "\\par\\par {\\qj x}");
    EXPECT_EQ(Body("<br><div align=left>x"), "\\line {\\ql x}");
    EXPECT_EQ(Body("a<div align=middle>x"), "a{\\par x}");
}

TEST(MarkupRenderer, TableWritesRowsAndCells) {
    EXPECT_EQ(Body("<table border=1><col width=100><tr><td>x</td></tr></table>"),
              "{\\par\\trowd \\trgaph108\\trleft-108"
              "\\trbrdrt\\brdrs\\brdrw1 \\trbrdrl\\brdrs\\brdrw1 \\trbrdrb\\brdrs\\brdrw1 "
              "\\trbrdrr\\brdrs\\brdrw1 "
              "\\clbrdrt\\brdrw15\\brdrs\\clbrdrl\\brdrw15\\brdrs\\clbrdrb\\brdrw15\\brdrs"
              "\\clbrdrr\\brdrw15\\brdrs\\cellx1500"
              "\\intbl \\par x\\cell \\row }\r\n");
    // Cell edges accumulate within a table and restart with the next.
    std::string body = Body("<table><col width=10><col width=20></table><table><col width=5>");
    EXPECT_NE(body.find("\\cellx150\\clbrdrt"), std::string::npos);
    EXPECT_NE(body.find("\\cellx450}"), std::string::npos);
    EXPECT_NE(body.find("\\cellx75"), std::string::npos);
    // After a table the text is at a line start again.
    EXPECT_EQ(Body("<table></table> x"), Body("<table></table>x"));
}

TEST(MarkupRenderer, ClosingTagWithNoOpenGroupFails) {
    for (const char* markup : {"</span>", "</font>", "</a>", "</body>", "</div>", "</table>", "<span></span></span>"}) {
        MarkupRtfRenderer renderer;
        std::uint32_t background = 0x123456;
        EXPECT_FALSE(renderer.RenderToRtf(markup, DefaultGuiFont(), 0, background)) << markup;
        EXPECT_EQ(background, 0x123456u);
        EXPECT_NE(renderer.Failure().find("no open group"), std::string::npos);
    }
    // A /font closes whatever group is open; open groups stay open at the end.
    EXPECT_EQ(Body("<div>a</font>b"), "{\\par a}\r\nb");
}

TEST(MarkupRenderer, LongOrUnfinishedInputIsHandledWhole) {
    // A tag without '>' ends the rendering.
    EXPECT_EQ(Body("ab<font size=5"), "ab");
    EXPECT_EQ(Body("ab<"), "ab");
    // The markup ends at a NUL byte.
    EXPECT_EQ(Body(std::string_view("ab\0<p>", 6)), "ab");
    // Attributes far beyond any fixed tag length still count.
    std::string longTag = "<font " + std::string(500, ' ') + "size=7>x";
    EXPECT_EQ(Body(longTag), "{\\fs72 x}");
    std::string face(300, 'q');
    std::string rtf = Render("<font face='" + face + "'>x");
    EXPECT_NE(rtf.find("{\\f1\\fnil\\fcharset0 " + face + ";}"), std::string::npos);
    // Large numbers wrap as 32-bit values instead of overflowing.
    EXPECT_NE(Render("<body leftmargin=99999999999>").find("\\li2147483633"), std::string::npos);
}

TEST(MarkupRenderer, RendererCanBeReused) {
    MarkupRtfRenderer renderer;
    std::uint32_t background = 0xFFFFFF;
    auto first = renderer.RenderToRtf("<font face=arial color='#ff0000'>x", DefaultGuiFont(), 0, background);
    auto second = renderer.RenderToRtf("", DefaultGuiFont(), 0, background);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*second, kHead + "}");
    EXPECT_EQ(renderer.FontTable().size(), 1u);
}

TEST(MarkupRenderer, NonAsciiTextComesBackFromBothReaders) {
    const std::string text = "Voil\xc3\xa0 \xce\xb1\xce\xb2\xce\xb3 \xd0\x96 \xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80";
    const std::string rtf = Render("<b>" + text + "</b>");
    EXPECT_EQ(rtfcheck::Problem(rtf), "");
    std::string plain;
    ASSERT_TRUE(ExtractPlainText(rtf, plain));
    EXPECT_EQ(plain, text);
    EXPECT_EQ(RichDocument::FromRtf(rtf).Text(), text);
}

TEST(MarkupRenderer, FaceNamesCannotEndTheDocument) {
    // A face is an attribute value: lower case, then escaped in the font table.
    std::string rtf = Render("<font face='Arial}}'>x</font>");
    EXPECT_NE(rtf.find("{\\f1\\fnil\\fcharset0 arial\\}\\};}"), std::string::npos) << rtf;
    EXPECT_EQ(rtfcheck::Problem(rtf), "");
    EXPECT_EQ(RichDocument::FromRtf(rtf).Paragraphs()[0].runs[0].format.face, "arial}}");

    RenderOptions options;
    options.baseFont.face =
        "Bad}Face{\\ \xc3\x89"
        "cole";
    rtf = *RenderToRtf("x", options);
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset0 Bad\\}Face\\{\\\\ \\u201?cole;}"), std::string::npos) << rtf;
    EXPECT_EQ(rtfcheck::Problem(rtf), "");
    EXPECT_EQ(RichDocument::FromRtf(rtf).Paragraphs()[0].runs[0].format.face,
              "Bad}Face{\\ \xc3\x89"
              "cole");
}

TEST(MarkupRenderer, GroupsLeftOpenCloseBeforeTheFinalBrace) {
    EXPECT_EQ(Render("<font color='#ff0000'>red"),
              "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 MS Shell Dlg;}}"
              "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}"
              "\\pard\\plain\\tx0\\fs24 {\\cf3 red}}");
    // Closed groups stay as they were; only what is open gets a brace.
    EXPECT_EQ(Body("<span>a</span><div><span>b"), "{a}\r\n{\\par {b}}");
    for (const char* markup : {"<font size=7>x", "<div><div><div>", "<body>x<font face=y>z", "a<b>b"})
        EXPECT_EQ(rtfcheck::Problem(Render(markup)), "") << markup;
}

TEST(MarkupRenderer, EveryRenderingIsWellFormed) {
    const char* const markups[] = {
        "",
        "plain",
        "<p>a<br>b</p>",
        "<table border=2><col width=9><tr><td>c</td></tr></table>",
        "<body bgcolor='#123456'><div align=center nowrap>x</div></body>",
        "a\\b{c}d",
        "<font face='\\'>x</font>",
        "<font face='{'>x",
        "<font face='x\xff\xfe'>y",
        "\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80\x80\xff",
        "<span style='color:#ff0000'>{",
        "<a href='x'>}<",
    };
    for (const char* markup : markups) EXPECT_EQ(rtfcheck::Problem(Render(markup)), "") << markup;
}

// The head (font and colour tables) goes in front of the body in the body's
// own buffer; a head far longer than the body's spare room must come out
// whole all the same.
TEST(MarkupRenderer, TablesLongerThanTheTextStayWhole) {
    std::string markup;
    for (int i = 0; i < 300; ++i) {
        markup += "<font face='Face number " + std::to_string(i) + "' color='#" + std::to_string(100000 + i) + "'>y";
    }
    const std::string rtf = Render(markup);
    EXPECT_EQ(rtfcheck::Problem(rtf), "");
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 MS Shell Dlg;}", 0), 0u);
    EXPECT_NE(rtf.find("{\\f300\\fnil\\fcharset0 face number 299;}}"), std::string::npos);
    EXPECT_NE(rtf.find("\\red16\\green2\\blue153;"), std::string::npos);  // #100299
    std::string text;
    ASSERT_TRUE(ExtractPlainText(rtf, text));
    EXPECT_EQ(text.substr(0, 300), std::string(300, 'y'));
}

}  // namespace
