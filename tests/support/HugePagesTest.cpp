// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/HugePages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kHuge = kHugePageSize;

TEST(HugePages, AdviceCoversOnlyWholeHugePagesInsideTheBuffer) {
    // Smaller than a huge page, or straddling one boundary without holding a
    // whole page: nothing.
    EXPECT_EQ(WholeHugePagesIn(kHuge + 16, kHuge - 32).length, 0u);
    EXPECT_EQ(WholeHugePagesIn(kHuge - 4096, kHuge).length, 0u);
    EXPECT_EQ(WholeHugePagesIn(0, 0).length, 0u);
    // Exactly one aligned page.
    HugePageRange one = WholeHugePagesIn(4 * kHuge, kHuge);
    EXPECT_EQ(one.first, 4 * kHuge);
    EXPECT_EQ(one.length, kHuge);
    // A 5 MiB buffer from an unaligned start holds one or two whole pages,
    // never reaching before its start or past its end.
    for (std::size_t start : {std::size_t{4096}, kHuge - 16, kHuge + 12345, 3 * kHuge + 1}) {
        const std::size_t size = 5u << 20;
        const HugePageRange range = WholeHugePagesIn(start, size);
        EXPECT_GE(range.first, start) << start;
        EXPECT_LE(range.first + range.length, start + size) << start;
        EXPECT_EQ(range.first % kHuge, 0u) << start;
        EXPECT_EQ(range.length % kHuge, 0u) << start;
        EXPECT_GE(range.length, kHuge) << start;
    }
    // The top of the address space does not wrap around.
    EXPECT_EQ(WholeHugePagesIn(SIZE_MAX - 100, 1000).length, 0u);
}

TEST(HugePages, AdvisedMemoryKeepsWhatIsWrittenToIt) {
    std::vector<char> buffer(3 * kHuge, 'a');
    PreferHugePages(buffer.data(), buffer.size());
    std::memset(buffer.data() + kHuge / 2, 'b', kHuge);
    EXPECT_EQ(buffer[kHuge / 2 - 1], 'a');
    EXPECT_EQ(buffer[kHuge / 2], 'b');
    EXPECT_EQ(buffer[kHuge / 2 + kHuge - 1], 'b');
    EXPECT_EQ(buffer[kHuge / 2 + kHuge], 'a');
}

}  // namespace
