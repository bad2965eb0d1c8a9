// SPDX-License-Identifier: GPL-3.0-or-later
// Whole collage runs on a fixture library: the page's text, its items and
// the draws behind them.
#include "CollageFixture.h"

#include <cctype>

using namespace fixture;

class PageSkeleton : public CollageTest {};
class ItemStacking : public CollageTest {};
class ItemPlacement : public CollageTest {};
class TextSnips : public CollageTest {};

namespace {

const std::string kTail = "</div></center>\n<script type='text/javascript'><!-- \nSET_DHTML(CURSOR_HAND,RESIZABLE,";

}  // namespace

TEST_F(PageSkeleton, EmptyPageWithoutCaptureCodeIsExactlyTheSkeleton) {
    state.m_textVolume = 0;
    state.m_imageVolume = 0;
    state.m_captureCode = false;
    // Seed 1: chance 41, then 18467 % 255 = 107, 6334 % 255 = 214, 26500 % 255 = 235.
    ScriptedUserInterface ui;
    CollageResult result = Build(ui);
    ASSERT_TRUE(result.written) << result.problem;
    EXPECT_EQ(result.pagePath, outputFolder + "collage1.html");
    EXPECT_EQ(Page(),
              "<html><head><meta charset=\"utf-8\"><title>VANTELO Auto-Collage</title></head><body bgcolor='#C0C0C0'>"
              "<script type='text/javascript' src='artfonts/wz_dragdrop.js'></script>"
              "<center><div id='pagecontainer' style='position:relative;top:25px;width:850px;height:"
              "1100px;border-width:1px;border-style:solid;border-color:#000000;background-color:#6BD6EB'>"
              "</div></center>\n<script type='text/javascript'><!-- \n"
              "SET_DHTML(CURSOR_HAND,RESIZABLE,'pagecontainer'+NO_DRAG);\n//--></script>\n</body></html>");
    EXPECT_EQ(ui.openedPages, std::vector<std::string>{result.pagePath});
    EXPECT_EQ(ui.waitHidden, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PageSkeleton, CaptureCodeAddsOnlyItsScriptAndLink) {
    state.m_textVolume = 0;
    state.m_imageVolume = 0;
    state.m_captureCode = false;
    const std::string without = Compose(5);
    state.m_captureCode = true;
    const std::string with = Compose(5);
    const std::string script =
        "<script type='text/javascript' src='artfonts/canvas.js'></script><script type='text/javascript'>\n"
        "function doCanvas()\n{\nhtml2canvas(document.body, {onrendered: function(canvas) {\n"
        "document.body.appendChild(canvas);\n}});\n}</script>\n";
    const std::string link = "<center><a href='javascript:doCanvas()'>[Do FireFox Capture]</a></center>";
    std::string expected = without;
    expected.insert(expected.find("</head>"), script);
    expected.insert(expected.find("<script type='text/javascript' src='artfonts/wz_dragdrop.js'>"), link);
    EXPECT_EQ(with, expected);
}

TEST_F(PageSkeleton, BackgroundColourIsThreeUpperCaseComponentsBelowFF) {
    state.m_textVolume = 0;
    state.m_imageVolume = 0;
    const std::string key = "border-color:#000000;background-color:#";
    for (std::uint32_t seed = 1; seed <= 100; ++seed) {
        std::string page = Compose(seed);
        size_t at = page.find(key);
        ASSERT_NE(at, std::string::npos);
        const std::string hex = page.substr(at + key.size(), 8);
        ASSERT_EQ(hex.substr(6), "'>");
        for (char c : hex.substr(0, 6)) EXPECT_TRUE(std::isdigit(c) || (c >= 'A' && c <= 'F')) << hex;
        for (int i = 0; i < 3; ++i) EXPECT_LE(std::stoi(hex.substr(2 * i, 2), nullptr, 16), 0xFE) << hex;
    }
    // Which draw gives which component: the whole pages of seed 1 above and below.
}

TEST_F(PageSkeleton, SeededRunMatchesDrawsWorkedOutByHand) {
    // Seed 1 draws 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962,
    // 24464, 5705, 28145.
    AddPicture("p.gif", 900, 300);
    state.m_imageVolume = 1;
    state.m_textVolume = 1;
    state.m_showMain = false;
    SetTrackText(1, "one two three");
    const std::string page = Compose(1);

    // chance 41: no background. Candidate 19169 % 1 = 0. left 15724 % 850 = 424,
    // top 11478 % 1100 = 478; width 900 clipped to 850 - 424 = 426.
    const std::string image =
        "<div id='dpageimageitem0~' style='position:absolute;top:478px;left:424px;background:transparent;"
        "Z-INDEX:1'><IMG name='pageimageitem0~' SRC='p.gif' width=426 height=300 BORDER=0></div>";
    // Track draw 29358 - 293 x 100 = 58 lies in track 1's range 0..100; its
    // snip draw 26962 reduces to 1 of 3 words: "two". left 24464 % 750 = 464,
    // top 5705 % 1000 = 705, width 28145 % 750 = 395 cut to 750 - 464 = 286.
    const std::string text =
        "<div id='dpagetextitem0~' style='position:absolute;top:705px;left:464px;width:286px;text-align:left;"
        "background-color:#FFFFFF;Z-INDEX:3'>" +
        state.m_tracks[0].GetTextStylePrefix() + "two</span></font></div>";
    const std::string head = "background-color:#6BD6EB'>";
    ASSERT_NE(page.find(head), std::string::npos);
    EXPECT_EQ(page.substr(page.find(head) + head.size()),
              image + text + kTail +
                  "'dpageimageitem0~','dpagetextitem0~','pagecontainer'+NO_DRAG);\n"
                  "//--></script>\n</body></html>");
    EXPECT_EQ(ReadFile(root / "out/p.gif"), "GIF89a-picture");
    EXPECT_EQ(last.nextImageId, 2);
}

TEST_F(ItemStacking, TextOverImagesStacksTextAboveEveryPicture) {
    AddPicture("a.gif", 10, 10);
    AddPicture("b.gif", 20, 20);
    state.m_imageVolume = 4;
    state.m_textVolume = 3;
    SetMainText("alpha beta gamma");
    std::vector<Item> items = ItemsOf(Compose(11));
    ASSERT_EQ(items.size(), 7u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[static_cast<size_t>(i)].id, "dpageimageitem" + std::to_string(i) + "~");
        EXPECT_EQ(items[static_cast<size_t>(i)].z, i + 1);
    }
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(items[static_cast<size_t>(4 + n)].id, "dpagetextitem" + std::to_string(n) + "~");
        EXPECT_EQ(items[static_cast<size_t>(4 + n)].z, 6 + n);  // z start 5, first item one above
    }
}

TEST_F(ItemStacking, TextUnderImagesGoesBeforeTheSecondPicture) {
    AddPicture("a.gif", 10, 10);
    state.m_imageVolume = 3;
    state.m_textVolume = 2;
    state.m_textOverImages = false;
    std::vector<Item> items = ItemsOf(Compose(12));
    ASSERT_EQ(items.size(), 5u);
    const std::vector<std::pair<std::string, int>> expected{{"dpageimageitem0~", 1},
                                                            {"dpagetextitem0~", 3},
                                                            {"dpagetextitem1~", 4},
                                                            {"dpageimageitem1~", 52},
                                                            {"dpageimageitem2~", 53}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(items[i].id, expected[i].first);
        EXPECT_EQ(items[i].z, expected[i].second);
    }
}

TEST_F(ItemStacking, TextUnderImagesWithoutASecondPictureFollowsThePictures) {
    state.m_textOverImages = false;
    state.m_textVolume = 2;
    for (int volume : {0, 1}) {
        state.m_imageVolume = volume;
        std::vector<Item> items = ItemsOf(Compose(13));
        ASSERT_EQ(items.size(), 2u) << "no candidates, volume " << volume;
        EXPECT_EQ(items[0].z, 2);
    }
    AddPicture("a.gif", 10, 10);
    state.m_imageVolume = 1;
    std::vector<Item> items = ItemsOf(Compose(13));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].id, "dpageimageitem0~");
    EXPECT_EQ(items[1].id, "dpagetextitem0~");
    EXPECT_EQ(items[1].z, 3);
}

TEST_F(ItemStacking, DragListNamesEveryItemInPageOrder) {
    AddPicture("a.gif", 10, 10);
    state.m_imageVolume = 5;
    state.m_textVolume = 7;
    state.m_textOverImages = false;
    const std::string page = Compose(21);
    std::string ids;
    for (const Item& item : ItemsOf(page)) ids += "'" + item.id + "',";
    EXPECT_EQ(last.dragItemIds, ids);
    EXPECT_NE(page.find("SET_DHTML(CURSOR_HAND,RESIZABLE," + ids + "'pagecontainer'+NO_DRAG);"), std::string::npos);
    // Rebuilt from empty by the next run.
    state.m_imageVolume = 0;
    state.m_textVolume = 0;
    Compose(22);
    EXPECT_EQ(last.dragItemIds, "");
}

TEST_F(ItemStacking, FirstPictureBecomesTheBackgroundOnHighChance) {
    AddPicture("a.gif", 30, 40);
    state.m_imageVolume = 1;
    state.m_textVolume = 0;
    int backgrounds = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        state.m_landscape = seed % 2 == 0;
        std::vector<Item> items = ItemsOf(Compose(seed));
        ASSERT_EQ(items.size(), 1u);
        const bool background = Draws(seed, 1)[0] % 100 > 50;
        backgrounds += background;
        if (background) {
            EXPECT_EQ(items[0].left, 0);
            EXPECT_EQ(items[0].top, 0);
            EXPECT_EQ(items[0].width, 850);
            EXPECT_EQ(items[0].height, 1100);
        } else {
            EXPECT_EQ(items[0].width, std::min(30, (state.m_landscape ? 1100 : 850) - items[0].left));
        }
        EXPECT_EQ(items[0].z, 1);
    }
    EXPECT_GT(backgrounds, 10);
    EXPECT_LT(backgrounds, 50);
}

TEST_F(ItemPlacement, PicturesStayInsideTheOrientationsBounds) {
    AddPicture("big.gif", 2000, 2000);
    state.m_imageVolume = 20;
    state.m_textVolume = 0;
    for (bool landscape : {false, true}) {
        state.m_landscape = landscape;
        const int w = landscape ? 1100 : 850, h = landscape ? 850 : 1100;
        int maxLeft = 0, maxTop = 0;
        for (std::uint32_t seed = 1; seed <= 8; ++seed) {
            const std::string page = Compose(seed);
            EXPECT_NE(page.find("width:850px;height:1100px;"), std::string::npos);
            for (const Item& item : ItemsOf(page)) {
                if (item.id == "dpageimageitem0~" && item.width == 850 && item.height == 1100) continue;
                EXPECT_LT(item.left, w);
                EXPECT_LT(item.top, h);
                EXPECT_EQ(item.left + item.width, w);  // a picture larger than the page is cut at its edge
                EXPECT_EQ(item.top + item.height, h);
                maxLeft = std::max(maxLeft, item.left);
                maxTop = std::max(maxTop, item.top);
            }
        }
        EXPECT_GT(maxLeft, landscape ? 850 : 800);
        EXPECT_GT(maxTop, landscape ? 800 : 850);
    }
}

TEST_F(ItemPlacement, TextItemsStayInTheTextBox) {
    SetMainText("a b c d e f g h i j k l m n o p q r s t u v w x y z");
    state.m_textVolume = 40;
    state.m_imageVolume = 0;
    for (bool landscape : {false, true}) {
        state.m_landscape = landscape;
        for (std::uint32_t seed = 1; seed <= 10; ++seed) {
            for (const Item& item : ItemsOf(Compose(seed))) {
                EXPECT_LT(item.left, 750);
                EXPECT_LT(item.top, 1000);
                EXPECT_GE(item.width, 40);
                EXPECT_LT(item.width, 750);
                EXPECT_TRUE(item.left + item.width <= 750 || item.width == 40);
            }
        }
    }
}

TEST_F(TextSnips, ItemCountIsTheVolumeLimitedByTheWords) {
    state.m_imageVolume = 0;
    struct Case {
        int volume;
        std::string text;
        size_t items;
    };
    // The empty track 1 adds one word to the main text's count.
    std::string words24;
    for (int i = 0; i < 24; ++i) words24 += (i ? " w" : "w");
    for (const Case& c : {Case{40, words24, 25}, Case{40, "a b", 10}, Case{5, words24, 5}, Case{0, words24, 0}}) {
        SetMainText(c.text);
        state.m_textVolume = c.volume;
        EXPECT_EQ(ItemsOf(Compose(3)).size(), c.items) << c.volume << " " << c.text;
    }
}

TEST_F(TextSnips, WithShowMainEverySecondItemComesFromTheMainText) {
    SetMainText("mmm");
    SetTrackText(1, "ttt uuu");
    state.m_mainStyle = 3;  // Ransom Note
    state.m_tracks[0].m_collageStyle = 1;
    state.m_textVolume = 10;
    state.m_imageVolume = 0;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        std::vector<Item> items = ItemsOf(Compose(seed));
        ASSERT_EQ(items.size(), 10u);
        for (size_t n = 0; n < items.size(); ++n) {
            const bool lettered = items[n].body.find("artfonts/ransomnote/") != std::string::npos;
            if (n % 2 == 1) {
                EXPECT_TRUE(lettered) << seed << " " << n;
                EXPECT_EQ(items[n].background, "background:transparent;");
            } else if (lettered) {
                // A track draw that matched nothing keeps the last style, with a bare space.
                EXPECT_EQ(items[n].body, "<IMG SRC='artfonts/ransomnote/space.gif'><BR>");
            } else {
                EXPECT_EQ(items[n].body.rfind("<font face=", 0), 0u) << items[n].body;
            }
        }
    }
    state.m_showMain = false;
    for (const Item& item : ItemsOf(Compose(4))) EXPECT_EQ(item.body.find("mmm"), std::string::npos);
}

TEST_F(TextSnips, FaderRangesExcludeTheirBounds) {
    // Track 1 writes solid items, track 2 transparent ones; a draw that
    // matches neither writes the bare space.
    state.m_tracks[1].m_collageStyle = 1;
    state.m_trackWindowOpen = {true, true, false, false};
    state.m_showMain = false;
    state.m_textVolume = 1;
    state.m_imageVolume = 0;
    const std::vector<std::pair<int, int>> faders{{100, 100}, {0, 200}, {200, 0}, {1, 1}, {2, 0}, {3, 3}, {0, 0}};
    for (auto [w1, w2] : faders) {
        state.m_trackFader = {w1, w2, 100, 100};
        const int total = w1 + w2;
        for (std::uint32_t seed = 1; seed <= 60; ++seed) {
            // Four draws for the colour, then the track draw.
            int r = Draws(seed, 5)[4];
            if (total > 0) {
                while (r > total) r -= total;
            }
            const bool one = 0 < r && r < w1;
            const bool two = w1 + 1 < r && r < w1 + w2;
            std::vector<Item> items = ItemsOf(Compose(seed));
            ASSERT_EQ(items.size(), 1u);
            const Item& item = items[0];
            const bool spanned = item.body.rfind("<font face=", 0) == 0;
            SCOPED_TRACE(std::to_string(w1) + "," + std::to_string(w2) + " r=" + std::to_string(r));
            EXPECT_EQ(spanned && item.background != "background:transparent;", one);
            EXPECT_EQ(spanned && item.background == "background:transparent;", two);
            if (!one && !two) {
                EXPECT_EQ(item.body, " </span></font>");
            }
        }
    }
}

TEST_F(TextSnips, TracksThatAreOffGiveNeitherWordsNorSnips) {
    SetTrackText(2, "x x x x x x x x x x x x x x x x x x x x x x x x x x x x x x");
    state.m_trackWindowOpen = {false, false, false, false};
    state.m_trackFader = {100, 200, 100, 100};
    state.m_showMain = false;
    state.m_textVolume = 40;
    state.m_imageVolume = 0;
    std::vector<Item> items = ItemsOf(Compose(9));
    EXPECT_EQ(items.size(), 10u);  // only the main text's single word counts
    for (const Item& item : items) EXPECT_EQ(item.body.find('x'), std::string::npos);
}

TEST_F(TextSnips, LetteredAndWholeTracks) {
    SetTrackText(1, "Hi yo");
    state.m_tracks[0].m_collageStyle = 5;
    state.m_tracks[0].m_useWhole = true;
    state.m_trackFader = {200, 100, 100, 100};
    state.m_showMain = false;
    state.m_textVolume = 10;
    state.m_imageVolume = 0;
    const std::string sp = "<IMG SRC='artfonts/metal/space.gif'>";
    const std::string whole = sp + sp + "<IMG SRC='artfonts/metal/h.gif'><IMG SRC='artfonts/metal/i.gif'>" + sp +
                              "<IMG SRC='artfonts/metal/y.gif'><IMG SRC='artfonts/metal/o.gif'>";
    int matched = 0;
    for (const Item& item : ItemsOf(Compose(31))) {
        EXPECT_EQ(item.background, "background:transparent;");
        // The whole text, each word after one more space; whatever ends the
        // plain text (its last line break) follows as spaces.
        if (item.body.rfind(whole, 0) == 0) {
            ++matched;
        } else {
            EXPECT_EQ(item.body, sp + "<BR>");
        }
    }
    EXPECT_GT(matched, 5);
}

TEST_F(TextSnips, SnipWordsAndFileNamesAreEscapedInThePage) {
    ASSERT_TRUE(state.m_tracks[0].m_trackText->StreamRtfIn("{\\rtf1 a <script>alert(1)</script>&'x}"));
    state.m_tracks[0].m_useWhole = true;
    state.m_textVolume = 10;
    state.m_imageVolume = 1;
    state.m_showMain = false;
    AddPicture("../../evil'<b>.gif", 5, 5, "bytes");
    const std::string page = Compose(2);
    EXPECT_EQ(page.find("<script>alert"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt;&amp;&#39;x"), std::string::npos);
    // The library name is written into the output folder only, under its base name.
    EXPECT_EQ(ReadFile(root / "out/evil'<b>.gif"), "bytes");
    EXPECT_FALSE(fs::exists(root / "evil'<b>.gif"));
    EXPECT_NE(page.find("SRC='evil&#39;&lt;b&gt;.gif'"), std::string::npos);
}

TEST_F(TextSnips, NonMatchingDrawsWithoutWeightEndAndHoldASpace) {
    state.m_trackWindowOpen = {false, false, false, false};
    state.m_showMain = false;
    state.m_textVolume = 10;
    state.m_imageVolume = 0;
    std::vector<Item> items = ItemsOf(Compose(6));
    ASSERT_EQ(items.size(), 10u);
    for (const Item& item : items) {
        EXPECT_EQ(item.background, "background-color:#FFFFFF;");
        EXPECT_EQ(item.body, " </span></font>");
    }
}

TEST_F(PageSkeleton, SameSeedSamePage) {
    AddPicture("a.gif", 100, 100);
    SetMainText("the quick brown fox jumps over the lazy dog");
    state.m_imageVolume = 7;
    state.m_textVolume = 20;
    EXPECT_EQ(Compose(77), Compose(77));
    EXPECT_NE(Compose(77), Compose(78));
}
