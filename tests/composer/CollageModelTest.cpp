// SPDX-License-Identifier: GPL-3.0-or-later
// The collage as data: the run's model, the page written from it and the
// page read back into it.
#include "CollageFixture.h"

using namespace fixture;
using collage::ItemKind;

class CollageModel : public CollageTest {
protected:
    collage::Collage Model(std::uint32_t seed) {
        rng::Seed(seed);
        return ComposeCollage(state).collage;
    }
    bool Refused(const std::string& page) {
        collage::Collage model;
        std::string why;
        const bool read = collage::ReadPage(page, model, why);
        return !read && !why.empty();
    }
};

TEST_F(CollageModel, EverySettingsPageReadsBackIntoTheRunsModel) {
    AddPicture("a.gif", 120, 80);
    AddPicture("odd name #1?%'<b>.gif", 900, 1200, "other bytes");
    SetMainText("the quick brown fox <jumps> & 'over' the  lazy dog");
    SetTrackText(1, "track one words");
    SetTrackText(2, "second track text");
    state.m_trackWindowOpen = {true, true, false, false};
    state.m_imageVolume = 6;
    state.m_textVolume = 25;
    int lettered = 0, text = 0, pictures = 0;
    for (int style = 0; style <= 5; ++style) {
        state.m_mainStyle = style;
        state.m_tracks[1].m_collageStyle = 5 - style;
        state.m_tracks[0].m_useWhole = style == 3;
        state.m_landscape = style % 2 == 1;
        state.m_captureCode = style < 3;
        state.m_textOverImages = style != 4;
        for (std::uint32_t seed : {1u, 2u, 40u}) {
            const collage::Collage model = Model(seed);
            const std::string page = Compose(seed);
            EXPECT_EQ(collage::WritePage(model), page) << "style " << style << " seed " << seed;
            EXPECT_EQ(ReadBack(page), collage::PageOnly(model)) << "style " << style << " seed " << seed;
            EXPECT_EQ(collage::DragItemIds(model), last.dragItemIds);
            for (const collage::Item& item : model.items) {
                lettered += item.kind == ItemKind::kLetters;
                text += item.kind == ItemKind::kText;
                pictures += item.kind == ItemKind::kPicture;
            }
        }
    }
    EXPECT_GT(lettered, 20);
    EXPECT_GT(text, 20);
    EXPECT_GT(pictures, 20);
}

TEST_F(CollageModel, ItemsAreThereWithoutParsingThePage) {
    // The run worked out by hand in the page tests (seed 1).
    AddPicture("p.gif", 900, 300);
    state.m_imageVolume = 1;
    state.m_textVolume = 1;
    state.m_showMain = false;
    state.m_tracks[0].m_collageStyle = 0;
    SetTrackText(1, "one two three");
    const collage::Collage model = Model(1);
    EXPECT_EQ(model.background, 0xEBD66Bu);
    ASSERT_EQ(model.items.size(), 2u);
    const collage::Item& picture = model.items[0];
    EXPECT_EQ(picture.kind, ItemKind::kPicture);
    EXPECT_EQ(picture.file, "p.gif");
    EXPECT_EQ(std::vector<int>({picture.left, picture.top, picture.width, picture.height, picture.z}),
              std::vector<int>({424, 478, 426, 300, 1}));
    const collage::Item& snip = model.items[1];
    EXPECT_EQ(snip.kind, ItemKind::kText);
    EXPECT_EQ(snip.words, "two");
    EXPECT_EQ(snip.PageId(), "dpagetextitem0~");
    EXPECT_EQ(std::vector<int>({snip.left, snip.top, snip.width, snip.z}), std::vector<int>({464, 705, 286, 3}));
    const collage::SpanFont font = collage::ParseFontSpan(snip.fontSpan);
    EXPECT_FALSE(font.face.empty());
    EXPECT_GT(font.pointSize, 0);

    state.m_tracks[0].m_collageStyle = 4;
    const collage::Item letters = Model(1).items[1];
    ASSERT_EQ(letters.kind, ItemKind::kLetters);
    EXPECT_EQ(letters.Letters(), std::vector<std::string>({"artfonts/lcd/space.gif", "artfonts/lcd/t.gif",
                                                           "artfonts/lcd/w.gif", "artfonts/lcd/o.gif"}));
}

TEST_F(CollageModel, MovedReorderedAndDeletedItemsWriteAPageThatReadsBack) {
    AddPicture("a.gif", 50, 50);
    SetMainText("alpha beta gamma delta");
    state.m_imageVolume = 4;
    state.m_textVolume = 6;
    collage::Collage model = Model(5);
    ASSERT_GE(model.items.size(), 5u);
    model.items[1].left += 17;
    model.items[1].top = 0;
    model.items[2].width = 333;
    std::swap(model.items[0].z, model.items[3].z);
    model.items.erase(model.items.begin() + 4);
    const std::string page = collage::WritePage(model);
    EXPECT_EQ(ReadBack(page), collage::PageOnly(model));
    // The drag script still names exactly the items that are left.
    EXPECT_NE(page.find(collage::DragItemIds(model) + "'pagecontainer'+NO_DRAG"), std::string::npos);
}

// Pages the program did not write are taken as long as they are collages;
// what is no collage, or a page cut short, is refused with the reason.
TEST_F(CollageModel, PagesThatAreNoCollageOrCutShortAreRefused) {
    AddPicture("a.gif", 50, 50);
    SetMainText("alpha beta gamma");
    state.m_imageVolume = 3;
    state.m_textVolume = 5;
    const std::string page = Compose(3);
    const collage::Collage model = ReadBack(page);
    EXPECT_TRUE(Refused(""));
    EXPECT_TRUE(Refused("<html><body><p>a page of somebody else's</p></body></html>"));
    EXPECT_EQ(ReadBack(page + "\n"), model);
    const size_t item = page.find("<div id='dpage");
    EXPECT_EQ(ReadBack(page.substr(0, item) + "<script>alert(1)</script>" + page.substr(item)), model);
    // Cut anywhere, a page is never half read.
    for (size_t cut = 0; cut < page.size() - 7; cut += 41) EXPECT_TRUE(Refused(page.substr(0, cut))) << cut;
    // Nesting without end costs an HTML parser time by its square: refused at once.
    std::string deep = page;
    for (int i = 0; i < 20000; ++i) deep.insert(item, "<div>");
    EXPECT_TRUE(Refused(deep));
}

// A browser takes "https:x.gif" in a SRC for a web address; the page names
// such a picture from its own folder, and reading the page gives back the
// file GO wrote beside it, which is what the board and export draw.
TEST_F(CollageModel, PictureNamesThatLookLikeWebAddressesStayFilesBesideThePage) {
    AddPicture("https:evil.example.gif", 40, 30, "scheme bytes");
    state.m_imageVolume = 1;
    state.m_textVolume = 0;
    const std::string page = Compose(4);
    EXPECT_NE(page.find("SRC='./https:evil.example.gif'"), std::string::npos) << page;
    const collage::Collage read = ReadBack(page);
    ASSERT_EQ(read.items.size(), 1u);
    EXPECT_EQ(read.items[0].file, "https:evil.example.gif");
    EXPECT_EQ(ReadFile(outputFolder + read.items[0].file), "scheme bytes");
    // A page written before names it bare; it still opens, and is saved the new way.
    std::string older = page;
    older.replace(older.find("SRC='./"), 7, "SRC='");
    EXPECT_EQ(ReadBack(older), read);
    EXPECT_EQ(collage::WritePage(ReadBack(older)), page);

    // Only a colon before the first slash is a scheme; other names are
    // written as they are, and every one reads back to its own file.
    collage::Collage model;
    for (const char* file : {"c:x.gif", "mailto:%23?.gif", "dir/a:b.gif", "./plain.gif", "plain.gif"}) {
        collage::Item item;
        item.kind = ItemKind::kPicture;
        item.number = static_cast<int>(model.items.size());
        item.file = file;
        model.items.push_back(item);
    }
    const std::string written = collage::WritePage(model);
    for (const char* src : {"SRC='./c:x.gif'", "SRC='./mailto:%2523%3F.gif'", "SRC='dir/a:b.gif'", "SRC='./plain.gif'",
                            "SRC='plain.gif'"}) {
        EXPECT_NE(written.find(src), std::string::npos) << src;
    }
    EXPECT_EQ(ReadBack(written), model);
}
