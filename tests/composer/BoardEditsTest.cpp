// SPDX-License-Identifier: GPL-3.0-or-later
// Stacking on the board: the order a browser shows must follow the edit,
// with the page's own z values and nothing below the container.
#include "page/BoardEdits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

collage::Collage WithZ(const std::vector<int>& zs) {
    collage::Collage c;
    for (size_t i = 0; i < zs.size(); ++i) {
        collage::Item item;
        item.number = static_cast<int>(i);
        item.z = zs[i];
        c.items.push_back(item);
    }
    return c;
}

// Item indexes bottom to top as a browser stacks them (equal z: later on top).
std::vector<size_t> Shown(const collage::Collage& c) {
    std::vector<size_t> order(c.items.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return c.items[a].z < c.items[b].z; });
    return order;
}

TEST(BoardEdits, FrontAndBackFollowTheBrowsersStackingEvenAtEqualZ) {
    // Equal values, as GO gives a picture and the text items share none, but
    // a page may: page order decides among them.
    collage::Collage c = WithZ({1, 1, 2, 2, 3});
    collage::BringToFront(c, {0});
    EXPECT_EQ(Shown(c), (std::vector<size_t>{1, 2, 3, 4, 0}));
    collage::SendToBack(c, {4, 2});
    EXPECT_EQ(Shown(c), (std::vector<size_t>{2, 4, 1, 3, 0}));
    for (const auto& item : c.items) EXPECT_GE(item.z, 1);

    // Again and again to the front: the values do not climb.
    collage::Collage distinct = WithZ({1, 2, 3, 4});
    for (int round = 0; round < 50; ++round) collage::BringToFront(distinct, {static_cast<size_t>(round % 4)});
    for (const auto& item : distinct.items) EXPECT_LE(item.z, 4);
    // Already at the front: nothing changes.
    const collage::Collage before = distinct;
    collage::BringToFront(distinct, {Shown(distinct).back()});
    EXPECT_EQ(distinct, before);
}

TEST(BoardEdits, FrontAndBackHoldAtTheTopOfTheZRange) {
    // A page may carry any z a browser takes; the items near the top come
    // down just enough to stack as asked, nothing wraps round.
    constexpr int kTop = std::numeric_limits<std::int32_t>::max();
    collage::Collage c = WithZ({5, kTop, kTop, kTop - 1});
    collage::BringToFront(c, {0});
    EXPECT_EQ(Shown(c), (std::vector<size_t>{3, 1, 2, 0}));
    collage::BringToFront(c, {3});
    EXPECT_EQ(Shown(c), (std::vector<size_t>{1, 2, 0, 3}));
    collage::SendToBack(c, {2});
    EXPECT_EQ(Shown(c), (std::vector<size_t>{2, 1, 0, 3}));
    for (const auto& item : c.items) EXPECT_GE(item.z, 5);
    // Written and read again, the page keeps that order.
    std::string why;
    collage::Collage read;
    ASSERT_TRUE(collage::ReadPage(collage::WritePage(c), read, why)) << why;
    EXPECT_EQ(Shown(read), Shown(c));
}

TEST(BoardEdits, ResizeKeepsTextHeightAndASizeTheMouseCanTake) {
    collage::Collage c = WithZ({1, 2});
    c.items[1].kind = collage::ItemKind::kPicture;
    collage::ResizeItem(c, 0, 300, 90);
    EXPECT_EQ(c.items[0].width, 300);
    EXPECT_EQ(c.items[0].height, 0) << "a text's height is the browser's";
    collage::ResizeItem(c, 1, -20, 0);
    EXPECT_EQ(c.items[1].width, collage::kSmallestSide);
    EXPECT_EQ(c.items[1].height, collage::kSmallestSide);
    collage::DeleteItems(c, {0, 7});
    ASSERT_EQ(c.items.size(), 1u);
    EXPECT_EQ(collage::DragItemIds(c), "'dpageimageitem1~',");
}

}  // namespace

// Turns add up and wrap into (-180, 180]; a whole turn back is no turn, and
// the page then says nothing of it, as GO wrote it.
TEST(BoardEdits, TurnsWrapIntoOneTurnAndAFullCircleLeavesThePageAsItWas) {
    collage::Collage c = WithZ({1, 2, 3});
    const std::string upright = collage::WritePage(c);
    collage::RotateItems(c, {0, 2, 2, 7}, 170);
    EXPECT_EQ(c.items[0].rotation, 170);
    EXPECT_EQ(c.items[1].rotation, 0);
    EXPECT_EQ(c.items[2].rotation, 170) << "an item chosen twice turns once";
    collage::RotateItems(c, {0}, 20);
    EXPECT_EQ(c.items[0].rotation, -170);
    collage::RotateItems(c, {0}, -10);
    EXPECT_EQ(c.items[0].rotation, 180);
    for (int i = 0; i < 10; ++i) collage::RotateItems(c, {2}, 1.1);
    EXPECT_EQ(c.items[2].rotation, -179);  // 181, with no rounding dust
    EXPECT_NE(collage::WritePage(c).find("rotate(-179deg)"), std::string::npos);
    collage::RotateItems(c, {0}, 180);
    collage::RotateItems(c, {2}, 179);
    EXPECT_EQ(collage::WritePage(c), upright);
    EXPECT_FALSE(std::signbit(c.items[2].rotation)) << "-0 would write as -0deg";
    collage::RotateItems(c, {1}, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(c.items[1].rotation, 0);
}
