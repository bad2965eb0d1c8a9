// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>

// A large buffer filled once (a whole input file, a converted document) costs
// one page fault per 4 KiB on its first writing, which on virtual machines is
// most of a conversion's time. Where the system gives transparent huge pages
// on request, this asks for them for every whole 2 MiB inside
// [data, data + size); elsewhere it changes nothing. Call it before writing.
void PreferHugePages(void* data, std::size_t size);

// The huge page size the call above aligns to.
inline constexpr std::size_t kHugePageSize = std::size_t{2} << 20;

// The part of [begin, begin + size) that PreferHugePages advises: whole huge
// pages only, so that advice never reaches memory outside the buffer.
struct HugePageRange {
    std::size_t first = 0;
    std::size_t length = 0;
};
HugePageRange WholeHugePagesIn(std::size_t begin, std::size_t size);
