// SPDX-License-Identifier: GPL-3.0-or-later
// A new draw around kept items: what is kept stays to the byte, the rest is
// the new draw, and the page still drags every item.
#include "CollageFixture.h"

#include "composer/KeepAndRedraw.h"

#include <set>

namespace {

using collage::ItemKind;
using fixture::CollageTest;

class KeepAndRedraw : public CollageTest {
protected:
    void SetUp() override {
        CollageTest::SetUp();
        AddPicture("a.gif", 120, 80);
        AddPicture("b.gif", 300, 200, "other bytes");
        SetMainText("the quick brown fox jumps over the lazy dog and runs into the woods");
        SetTrackText(1, "track one words for the letters");
        state.m_trackWindowOpen = {true, false, false, false};
        state.m_tracks[0].m_collageStyle = 3;
        state.m_imageVolume = 4;
        state.m_textVolume = 12;
    }
    // A page GO wrote, read back as the board and the command line read it.
    collage::Collage PageOf(std::uint32_t seed) { return fixture::ReadBack(Compose(seed)); }
    static std::set<std::string> Ids(const collage::Collage& collage) {
        std::set<std::string> ids;
        for (const collage::Item& item : collage.items) ids.insert(item.PageId());
        return ids;
    }
};

TEST_F(KeepAndRedraw, KeptItemsStayToTheByteAndTheRestIsTheNewDraw) {
    collage::Collage page = PageOf(1);
    // One of each kind, one of them moved as the board moves it.
    std::vector<std::string> keep;
    for (ItemKind kind : {ItemKind::kPicture, ItemKind::kText, ItemKind::kLetters}) {
        auto it = std::find_if(page.items.begin(), page.items.end(), [&](const auto& i) { return i.kind == kind; });
        ASSERT_NE(it, page.items.end());
        keep.push_back(it->PageId());
    }
    page.items.front().left += 13;
    ASSERT_TRUE(keepredraw::MarkKept(page, keep).empty());
    const std::set<std::string> kept = keepredraw::KeptIds(page);
    ASSERT_EQ(kept.size(), 3u);

    rng::Seed(2);
    const collage::Collage plain = ComposeCollage(state).collage;
    rng::Seed(2);
    const collage::Collage around = keepredraw::ComposeAround(state, page, kept).collage;

    // Kept items take the places of the drawn ones of their ids: the volume stays.
    ASSERT_EQ(around.items.size(), plain.items.size());
    EXPECT_EQ(Ids(around).size(), around.items.size()) << "an id is used twice";
    for (size_t i = 0; i < around.items.size(); ++i) {
        const collage::Item& item = around.items[i];
        if (kept.count(item.PageId())) {
            const auto original = std::find_if(page.items.begin(), page.items.end(),
                                               [&](const auto& p) { return p.PageId() == item.PageId(); });
            EXPECT_EQ(item, *original);
            EXPECT_EQ(collage::ItemHtml(item), collage::ItemHtml(*original));
        } else {
            EXPECT_FALSE(item.kept);
            EXPECT_EQ(collage::ItemHtml(item), collage::ItemHtml(plain.items[i])) << item.PageId();
        }
    }
    EXPECT_EQ(around.background, plain.background);

    // The page written drags every item, and reads back without the kept marks.
    const std::string written = collage::WritePage(around);
    for (const std::string& id : Ids(around)) EXPECT_NE(written.find("'" + id + "',"), std::string::npos) << id;
    EXPECT_EQ(fixture::ReadBack(written), collage::PageOnly(around));
    collage::Collage unmarked = around;
    for (collage::Item& item : unmarked.items) item.kept = false;
    EXPECT_EQ(collage::WritePage(unmarked), written) << "the kept mark reached the page";
}

TEST_F(KeepAndRedraw, ItemsBeyondTheDrawAndTakenIdsNeverCollide) {
    collage::Collage drawn;
    for (int n = 0; n < 3; ++n) {
        collage::Item text;
        text.number = n;
        text.words = "new " + std::to_string(n);
        drawn.items.push_back(text);
        collage::Item picture;
        picture.kind = ItemKind::kPicture;
        picture.number = n;
        picture.file = "new.gif";
        drawn.items.push_back(picture);
    }
    // A drawn item of an id that a kept one also has, as a run with two
    // items of one id would give: the second one gets a new number.
    drawn.items.push_back(drawn.items[0]);

    collage::Collage page;
    collage::Item added;  // added on the board, far beyond the draw
    added.number = 40;
    added.words = "my own line";
    collage::Item keptPicture;
    keptPicture.kind = ItemKind::kPicture;
    keptPicture.number = 1;
    keptPicture.file = "old.gif";
    collage::Item dropped;  // not kept: gone
    dropped.number = 2;
    dropped.words = "old words";
    page.items = {added, dropped, keptPicture};
    ASSERT_EQ(keepredraw::MarkKept(page, {"dpagetextitem40", "dpageimageitem1~"}), std::vector<std::string>{});

    const collage::Collage out = keepredraw::PutBackKept(drawn, page, keepredraw::KeptIds(page));
    EXPECT_EQ(Ids(out).size(), out.items.size());
    ASSERT_EQ(out.items.size(), drawn.items.size() + 1);
    // The kept picture stands where the drawn picture 1 was; text 1 is still drawn.
    EXPECT_EQ(out.items[3].file, "old.gif");
    EXPECT_TRUE(out.items[3].kept);
    EXPECT_EQ(out.items[2].words, "new 1");
    EXPECT_EQ(out.items.back().words, "my own line");
    EXPECT_EQ(out.items.back().number, 40);
    EXPECT_EQ(out.items[out.items.size() - 2].number, 41) << "the repeated drawn id was not given a free number";
    EXPECT_EQ(std::count_if(out.items.begin(), out.items.end(), [](const auto& i) { return i.words == "old words"; }),
              0);

    // Unknown ids are named as given, once; both spellings are taken.
    EXPECT_EQ(keepredraw::MarkKept(page, {"dpagetextitem40~", "dpagetextitem9", "dpagetextitem9", "x"}),
              (std::vector<std::string>{"dpagetextitem9", "x"}));
    EXPECT_TRUE(page.items[0].kept);
    EXPECT_FALSE(page.items[2].kept) << "marking again leaves only the ids named";
}

}  // namespace
