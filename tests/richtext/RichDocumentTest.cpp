// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::string Plain(std::string_view rtf) {
    std::string text;
    if (!ExtractPlainText(rtf, text)) return "<not convertible>";
    return text;
}

const TextRun& RunWith(const RichDocument& document, std::string_view text) {
    for (const Paragraph& p : document.Paragraphs())
        for (const TextRun& r : p.runs)
            if (r.text == text) return r;
    static TextRun none{"<no such run>", {}};
    return none;
}

TEST(RichDocumentReader, ReadsTheRenderersFormats) {
    RenderOptions options;
    options.baseFont.face = "Courier";
    auto rtf = RenderToRtf(
        "plain <b>bold</b> <font color='#ff0000' size=5 face=Arial>red</font>"
        "<span style=\"background-color:'#00ff00'\">lit</span><i><u>iu</u></i>"
        "<div align=center>mid</div>end",
        options);
    ASSERT_TRUE(rtf);
    RichDocument document = RichDocument::FromRtf(*rtf);
    ASSERT_EQ(document.Paragraphs().size(), 3u);
    EXPECT_EQ(document.Text(), "plain bold redlitiu\nmid\nend");

    const TextRun& plain = RunWith(document, "plain ");
    EXPECT_EQ(plain.format.face, "Courier");
    EXPECT_EQ(plain.format.heightTwips, 240);
    EXPECT_FALSE(plain.format.bold);
    EXPECT_TRUE(RunWith(document, "bold").format.bold);
    const RunFormat& red = RunWith(document, "red").format;
    EXPECT_EQ(red.face, "arial");
    EXPECT_EQ(red.heightTwips, 360);
    EXPECT_EQ(red.textColour, 0x0000FFu);
    const RunFormat& lit = RunWith(document, "lit").format;
    EXPECT_TRUE(lit.hasHighlight);
    EXPECT_EQ(lit.highlightColour, 0x00FF00u);
    EXPECT_FALSE(RunWith(document, "red").format.hasHighlight);
    EXPECT_TRUE(RunWith(document, "iu").format.italic);
    EXPECT_TRUE(RunWith(document, "iu").format.underline);
    EXPECT_EQ(document.Paragraphs()[1].alignment, ParagraphAlignment::kCentre);
}

TEST(RichDocumentReader, ReadsWordProcessorRtf) {
    // The shape LibreOffice and Word write: tables, styles, info, fields, pictures, \uN and \'hh.
    const char* rtf =
        "{\\rtf1\\ansi\\deff4\\adeflang1025\r\n"
        "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f4\\fswiss\\fprq2\\fcharset0 "
        "Liberation Sans{\\*\\falt Arial};}{\\f5\\fnil\\fcharset0 Noto Sans CJK SC;}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}\r\n"
        "{\\stylesheet{\\s0\\snext0 Normal;}}{\\*\\generator LibreOffice/7.4$Linux_X86_64}"
        "{\\info{\\creatim\\yr2024\\mo1}{\\title Sample}}\\deftab709\r\n"
        "\\pgndec\\pard\\plain \\s0\\ql\\fs24 {\\rtlch \\ltrch\\loch Plain \\'e9t\\'e9 }"
        "{\\b\\cf2 bold red}{\\i\\highlight3  mark}\\par\r\n"
        "\\pard\\plain \\s0\\qr{\\f5\\fs48\\ul \\u20013\\'3f\\u25991\\'3f}{\\ulnone  after}\\par\r\n"
        "\\pard\\plain \\qj{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}"
        "{\\*\\shppict{\\pict\\pngblip 89504e47}}{\\nonshppict{\\pict\\wmetafile8 0100}}"
        "\\tab\\emdash\\~\\lquote q\\rquote\\line next\\par\r\n"
        "\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row\\pard end\\par}";
    RichDocument document = RichDocument::FromRtf(rtf);
    EXPECT_EQ(document.Text(),
              "Plain \xc3\xa9t\xc3\xa9 bold red mark\n"
              "\xe4\xb8\xad\xe6\x96\x87 after\n"
              "link\t\xe2\x80\x94\xc2\xa0\xe2\x80\x98q\xe2\x80\x99\vnext\n"
              "a\tb\t\nend");
    ASSERT_EQ(document.Paragraphs().size(), 5u);
    EXPECT_EQ(document.Paragraphs()[0].alignment, ParagraphAlignment::kLeft);
    EXPECT_EQ(document.Paragraphs()[1].alignment, ParagraphAlignment::kRight);
    EXPECT_EQ(document.Paragraphs()[2].alignment, ParagraphAlignment::kJustify);

    const RunFormat& plain = RunWith(document, "Plain \xc3\xa9t\xc3\xa9 ").format;
    EXPECT_EQ(plain.face, "Liberation Sans");
    EXPECT_EQ(plain.heightTwips, 240);
    const RunFormat& bold = RunWith(document, "bold red").format;
    EXPECT_TRUE(bold.bold);
    EXPECT_EQ(bold.textColour, 0x0000FFu);
    const RunFormat& mark = RunWith(document, " mark").format;
    EXPECT_TRUE(mark.italic && mark.hasHighlight);
    EXPECT_EQ(mark.highlightColour, 0x00FFFFu);
    const RunFormat& cjk = RunWith(document, "\xe4\xb8\xad\xe6\x96\x87").format;
    EXPECT_EQ(cjk.face, "Noto Sans CJK SC");
    EXPECT_EQ(cjk.heightTwips, 480);
    EXPECT_TRUE(cjk.underline);
    EXPECT_FALSE(RunWith(document, " after").format.underline);
}

TEST(RichDocumentReader, ToleratesBrokenInputAndPlainText) {
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 a}}}b{{").Text(), "ab");
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 x\\").Text(), "x");
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 \\'4").Text(), "4");
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 \\bin999 ab}").Text(), "");
    EXPECT_EQ(RichDocument::FromRtf("").Text(), "");
    EXPECT_EQ(RichDocument::FromRtf("line one\r\nl\xc3\xadne two\n\xe9").Text(), "line one\nl\xc3\xadne two\n\xc3\xa9");
    // Raw bytes that are not UTF-8 read as Windows-1252.
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 \x93q\x94}").Text(), "\xe2\x80\x9cq\xe2\x80\x9d");
}

TEST(RichDocumentReader, TheFinalParagraphMarkIsNotAnExtraParagraph) {
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 a\\par}").Paragraphs().size(), 1u);
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 a}").Paragraphs().size(), 1u);
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 a\\par\\par}").Paragraphs().size(), 2u);
    EXPECT_EQ(RichDocument::FromRtf("{\\rtf1 \\par b}").Paragraphs().size(), 2u);
    // An empty document keeps the format of its mark.
    RichDocument empty = RichDocument::FromRtf(*RenderToRtf(""));
    EXPECT_EQ(empty.Length(), 0);
    EXPECT_EQ(empty.Paragraphs()[0].markFormat.heightTwips, 240);
    EXPECT_EQ(empty.Paragraphs()[0].markFormat.face, "MS Shell Dlg");
}

// A document of random text and formats, built through the public model.
RichDocument RandomDocument() {
    static const char* const kPieces[] = {"word",
                                          " ",
                                          "caf\xc3\xa9",
                                          "\xe4\xb8\xad\xe6\x96\x87",
                                          "\xf0\x9f\x98\x80",
                                          "{",
                                          "}",
                                          "\\",
                                          ";",
                                          "\t",
                                          "\v",
                                          "?",
                                          "a1",
                                          "-",
                                          "\xe2\x82\xac"};
    static const char* const kFaces[] = {"Arial", "Courier New", "MS Shell Dlg", "DejaVu Sans"};
    static const std::uint32_t kColours[] = {0, 0x0000FF, 0x00FF00, 0x123456, 0xFFFFFF};
    auto draw = [](int n) { return rng::Next() % n; };
    auto format = [&] {
        RunFormat f;
        f.face = kFaces[draw(4)];
        f.heightTwips = 20 * (6 + draw(30));
        f.textColour = kColours[draw(5)];
        f.hasHighlight = draw(3) == 0;
        f.highlightColour = f.hasHighlight ? kColours[draw(5)] : 0;
        f.bold = draw(2), f.italic = draw(2), f.underline = draw(2);
        return f;
    };
    std::vector<Paragraph> paragraphs(1 + draw(6));
    for (Paragraph& p : paragraphs) {
        p.alignment = static_cast<ParagraphAlignment>(draw(4));
        p.markFormat = format();
        int runs = draw(5);
        for (int i = 0; i < runs; ++i) {
            TextRun run{"", format()};
            int pieces = 1 + draw(6);
            for (int k = 0; k < pieces; ++k) run.text += kPieces[draw(15)];
            if (!p.runs.empty() && p.runs.back().format == run.format)
                p.runs.back().text += run.text;
            else
                p.runs.push_back(run);
        }
        if (!p.runs.empty()) p.markFormat = p.runs.back().format;
    }
    RichDocument document;
    document.SetParagraphs(std::move(paragraphs));
    return document;
}

void ExpectSameDocument(const RichDocument& a, const RichDocument& b) {
    ASSERT_EQ(a.Paragraphs().size(), b.Paragraphs().size());
    for (std::size_t i = 0; i < a.Paragraphs().size(); ++i) {
        const Paragraph& pa = a.Paragraphs()[i];
        const Paragraph& pb = b.Paragraphs()[i];
        EXPECT_EQ(pa.alignment, pb.alignment) << "paragraph " << i;
        ASSERT_EQ(pa.runs.size(), pb.runs.size()) << "paragraph " << i;
        for (std::size_t k = 0; k < pa.runs.size(); ++k) {
            EXPECT_EQ(pa.runs[k].text, pb.runs[k].text);
            EXPECT_TRUE(pa.runs[k].format == pb.runs[k].format) << "run " << k << " of " << i;
        }
        if (pa.runs.empty()) {
            EXPECT_TRUE(pa.markFormat == pb.markFormat);
        }
    }
}

TEST(RichDocumentRoundTrip, RandomDocumentsSurviveWriterAndReader) {
    rng::Seed(4711);
    for (int i = 0; i < 300; ++i) {
        RichDocument original = RandomDocument();
        const std::string rtf = original.ToRtf();
        SCOPED_TRACE(rtf);
        RichDocument back = RichDocument::FromRtf(rtf);
        ExpectSameDocument(original, back);
        EXPECT_EQ(back.ToRtf(), rtf);
        // The extractor sees the same words, a line break as a line feed.
        std::string expected = original.Text() + "\n";
        std::replace(expected.begin(), expected.end(), '\v', '\n');
        EXPECT_EQ(Plain(rtf), expected);
        if (HasFailure()) break;
    }
}

TEST(RichDocumentRoundTrip, Utf8SurvivesMarkupRtfDocumentRtfAndPlainText) {
    const std::string text =
        "na\xc3\xafve caf\xc3\xa9 \xc3\x86sop \xe4\xb8\xad\xe6\x96\x87 "
        "\xf0\x9f\x98\x80 \xe2\x82\xac"
        "5";
    auto rtf = RenderToRtf("<b>" + text + "</b>");
    ASSERT_TRUE(rtf);
    RichDocument document = RichDocument::FromRtf(*rtf);
    EXPECT_EQ(document.Text(), text);
    const std::string written = document.ToRtf();
    for (unsigned char c : written) ASSERT_LT(c, 0x80) << "the writer keeps RTF 7-bit";
    EXPECT_EQ(Plain(written), text + "\n");
    EXPECT_EQ(Plain(*rtf), text);
}

TEST(RichDocumentRoundTrip, FontNamesAndEmptyParagraphsKeepTheirFormats) {
    RichDocument document;
    std::vector<Paragraph> paragraphs(3);
    paragraphs[0].markFormat.face = "Odd;{Name}";
    paragraphs[0].markFormat.heightTwips = 480;
    paragraphs[1].runs.push_back({"x", paragraphs[0].markFormat});
    paragraphs[2].markFormat.face =
        "\xc3\x89"
        "cole";
    document.SetParagraphs(paragraphs);
    RichDocument back = RichDocument::FromRtf(document.ToRtf());
    ASSERT_EQ(back.Paragraphs().size(), 3u);
    EXPECT_EQ(back.Paragraphs()[0].markFormat.face, "Odd{Name}");
    EXPECT_EQ(back.Paragraphs()[0].markFormat.heightTwips, 480);
    EXPECT_EQ(back.Paragraphs()[1].runs[0].format.face, "Odd{Name}");
    EXPECT_EQ(back.Paragraphs()[2].markFormat.face,
              "\xc3\x89"
              "cole");
}

}  // namespace
