// SPDX-License-Identifier: GPL-3.0-or-later
// Collage pages as a browser saves them after items were dragged, and as
// people edit them by hand, read into the collage.
#include "CollageFixture.h"

using collage::ItemKind;
using fixture::CollageTest;

namespace {

// The head of a page as Chromium serialises its DOM, capture code included.
const std::string kChromiumHead =
    "<!DOCTYPE html>\n<html style=\"\"><head><meta charset=\"utf-8\"><title>VANTELO Auto-Collage</title>"
    "<script type=\"text/javascript\" src=\"artfonts/canvas.js\"></script></head><body bgcolor=\"#C0C0C0\">"
    "<center><a href=\"javascript:doCanvas()\">[Do FireFox Capture]</a></center>"
    "<script type=\"text/javascript\" src=\"artfonts/wz_dragdrop.js\"></script><center><div id=\"pagecontainer\" "
    "style=\"position:relative;top:25px;width:850px;height:1100px;border-width:1px;border-style:solid;"
    "border-color:#000000;background-color:#52AA9B\">";
const std::string kChromiumTail =
    "</div></center>\n<script type=\"text/javascript\"><!-- \nSET_DHTML(CURSOR_HAND,RESIZABLE,'dpagetextitem11~',"
    "'pagecontainer'+NO_DRAG);\n//--></script>\n</body></html>";

collage::Collage Read(const std::string& html) {
    collage::Collage page;
    std::string why;
    EXPECT_TRUE(collage::ReadPage(html, page, why)) << why;
    // What was read saves and reads back unchanged.
    collage::Collage again;
    EXPECT_TRUE(collage::ReadPage(collage::WritePage(page), again, why)) << why;
    EXPECT_EQ(again, page);
    return page;
}

std::vector<int> Box(const collage::Item& item) { return {item.left, item.top, item.width, item.height, item.z}; }

}  // namespace

TEST(BrowserPage, ChromiumsSerialisationAfterADragReadsEveryItem) {
    const collage::Collage page = Read(
        kChromiumHead +
        "<div id=\"dpageimageitem0~\" style=\"position: absolute; top: 544px; left: 527px; background: transparent; "
        "z-index: 2; cursor: pointer;\"><img name=\"pageimageitem0~\" src=\"collage1_files/texture%2311.gif\" "
        "width=\"323\" height=\"320\" border=\"0\" draggable=\"false\"></div>"
        "<div id=\"dpagetextitem11~\" style=\"position: absolute; top: 1039px; left: 407px; width: 153px; "
        "text-align: left; background-color: rgb(255, 255, 255); z-index: 17; cursor: pointer;\"><font face=\"MS "
        "Shell Dlg\" color=\"#0000FF\"><span style=\"font-size:12pt;\">fall &amp; where they</span></font></div>"
        "<div id=\"dpagetextitem3~\" style=\"position: absolute; top: 812px; left: 189px; width: 512px; text-align: "
        "left; background: transparent; z-index: 6;\"><img src=\"artfonts/lcd/h.gif\"><img "
        "src=\"artfonts/lcd/i.gif\"><br></div>" +
        kChromiumTail);
    EXPECT_TRUE(page.captureCode);
    EXPECT_EQ(page.background, 0x9BAA52u);
    ASSERT_EQ(page.items.size(), 3u);
    const collage::Item& picture = page.items[0];
    EXPECT_EQ(picture.kind, ItemKind::kPicture);
    EXPECT_EQ(picture.file, "collage1_files/texture#11.gif");
    EXPECT_EQ(Box(picture), std::vector<int>({527, 544, 323, 320, 2}));
    const collage::Item& snip = page.items[1];
    EXPECT_EQ(snip.kind, ItemKind::kText);
    EXPECT_EQ(snip.PageId(), "dpagetextitem11~");
    EXPECT_EQ(Box(snip), std::vector<int>({407, 1039, 153, 0, 17}));
    EXPECT_EQ(snip.style, 0);
    EXPECT_EQ(snip.background, 0xFFFFFFu);
    EXPECT_EQ(snip.words, "fall & where they");
    const collage::SpanFont font = collage::ParseFontSpan(snip.fontSpan);
    EXPECT_EQ(font.face, "MS Shell Dlg");
    EXPECT_EQ(font.colour, 0xFF0000u);
    EXPECT_EQ(font.pointSize, 12);
    const collage::Item& letters = page.items[2];
    EXPECT_EQ(letters.kind, ItemKind::kLetters);
    EXPECT_EQ(letters.style, 4);
    EXPECT_EQ(letters.Letters(), std::vector<std::string>({"artfonts/lcd/h.gif", "artfonts/lcd/i.gif"}));
}

// A page as Firefox holds it after a snip was dragged by the mouse, saved
// with XMLSerializer (made by tests/browser/firefox_dragged_page.py): XHTML's
// namespace, void elements closed with "/>", XML's escapes. Every item reads
// as in the page before the drag, the dragged one at its new place.
TEST(BrowserPage, FirefoxsSerialisationAfterADragReadsEveryItem) {
    const std::filesystem::path pages = std::filesystem::path(TARVEX4_SOURCE_DIR) / "tests/composer/pages";
    const collage::Collage before = Read(ReadFile(pages / "firefox_before_drag.html"));
    const collage::Collage dragged = Read(ReadFile(pages / "firefox_dragged.html"));
    ASSERT_EQ(dragged.items.size(), 13u);
    collage::Collage expected = before;
    for (collage::Item& item : expected.items) {
        if (item.PageId() != "dpagetextitem11~") continue;
        EXPECT_EQ(std::vector<int>({item.left, item.top}), std::vector<int>({389, 341}));
        item.left = 452;
        item.top = 382;
    }
    EXPECT_EQ(dragged, expected);
}

// Spaces, line breaks, decimals, capitals, other quotes and colours as
// people write them; a rotation comes with the item and is saved with it.
TEST(BrowserPage, HandEditsAreReadAsABrowserReadsThem) {
    const collage::Collage page = Read(
        "<HTML><BODY>\n<DIV ID='pagecontainer' STYLE=\"Background-Color : #abc\">\n"
        "  <div id=\"dpagetextitem4~\" title=\"main 3-5\"\n     style=\" TOP : 100.6PX ; left:-20.4px;width: 99.5px;"
        "Z-Index: 7 ; background-color:RGB(10,20,30); transform: rotate(-12.5deg)\">\n"
        "    <FONT FACE='Georgia' COLOR='#00ff00'><SPAN STYLE='font-size: 16px'>two\nlines</SPAN></FONT>\n  </div>\n"
        "  <div id='dpageimageitem9~' style='left:5px;top:6px;z-index:1'><img src='file:///pics/a%20b.gif' "
        "style='width:40.2px; height: 30px'></div>\n"
        "</DIV></BODY></HTML>");
    EXPECT_FALSE(page.captureCode);
    EXPECT_TRUE(page.markSources);
    EXPECT_EQ(page.background, 0xCCBBAAu);
    ASSERT_EQ(page.items.size(), 2u);
    const collage::Item& snip = page.items[0];
    EXPECT_EQ(Box(snip), std::vector<int>({-20, 101, 100, 0, 7}));
    EXPECT_EQ(snip.background, 0x1E140Au);
    EXPECT_DOUBLE_EQ(snip.rotation, -12.5);
    EXPECT_EQ(snip.source, "main");
    EXPECT_EQ(std::vector<int>({snip.firstWord, snip.lastWord}), std::vector<int>({3, 5}));
    EXPECT_NE(snip.words.find("two\nlines"), std::string::npos);
    const collage::SpanFont font = collage::ParseFontSpan(snip.fontSpan);
    EXPECT_EQ(font.face, "Georgia");
    EXPECT_EQ(font.colour, 0x00FF00u);
    EXPECT_EQ(font.pointSize, 12);
    const collage::Item& picture = page.items[1];
    EXPECT_EQ(picture.file, "/pics/a b.gif");
    EXPECT_EQ(Box(picture), std::vector<int>({5, 6, 40, 30, 1}));
    EXPECT_NE(collage::WritePage(page).find("transform:rotate(-12.5deg)'"), std::string::npos);
}

// A page tarvex4 wrote saves byte for byte; once rotated, an item says so in
// the page and a browser that saves it keeps the rotation.
TEST_F(CollageTest, WrittenPagesSaveUnchangedAndRotationsComeBack) {
    AddPicture("a.gif", 50, 50);
    SetMainText("alpha \r beta gamma delta");
    state.m_imageVolume = 3;
    state.m_textVolume = 5;
    for (std::uint32_t seed : {2u, 9u}) {
        const std::string page = Compose(seed);
        collage::Collage read = fixture::ReadBack(page);
        EXPECT_EQ(collage::WritePage(read), page);
        ASSERT_FALSE(read.items.empty());
        read.items.back().rotation = 30;
        std::string rotated = collage::WritePage(read);
        EXPECT_EQ(fixture::ReadBack(rotated), read);
        // As a browser serialises it.
        rotated.replace(rotated.find("transform:rotate(30deg)"), 23, "transform: rotate(30deg)");
        EXPECT_EQ(fixture::ReadBack(rotated).items.back().rotation, 30);
    }
}
