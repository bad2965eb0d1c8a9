// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Random.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(Random, MatchesTheCRuntimeSequenceForSeedOne) {
    // The first draws of the C runtime after srand(1).
    rng::Seed(1);
    EXPECT_EQ(rng::Next(), 41);
    EXPECT_EQ(rng::Next(), 18467);
    EXPECT_EQ(rng::Next(), 6334);
    EXPECT_EQ(rng::Next(), 26500);
    EXPECT_EQ(rng::Next(), 19169);
}

TEST(Random, StateFollowsTheLinearFormulaModulo2To32) {
    rng::Seed(0xFFFFFFFFu);
    rng::Next();
    EXPECT_EQ(rng::State(), static_cast<std::uint32_t>(0xFFFFFFFFull * 214013ull + 2531011ull));
    rng::Seed(0);
    EXPECT_EQ(rng::Next(), 38);  // 2531011 >> 16
    EXPECT_EQ(rng::State(), 2531011u);
}

TEST(Random, DrawsStayInZeroTo32767AndReseedRepeats) {
    rng::Seed(12345);
    int first[100];
    for (int& v : first) {
        v = rng::Next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, rng::kRandMax);
    }
    rng::Seed(12345);
    for (int v : first) EXPECT_EQ(rng::Next(), v);
}

TEST(Random, EachThreadHasItsOwnState) {
    rng::Seed(7);
    int other = -1;
    std::thread t([&] { other = rng::Next(); });  // a fresh thread starts at seed 1
    t.join();
    EXPECT_EQ(other, 41);
    rng::Seed(7);
    int here = rng::Next();
    rng::Seed(7);
    EXPECT_EQ(rng::Next(), here);
}

}  // namespace
