// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/HugePages.h"

#include <sys/mman.h>

#include <cstdint>

HugePageRange WholeHugePagesIn(std::size_t begin, std::size_t size) {
    const std::size_t mask = kHugePageSize - 1;
    if (begin > SIZE_MAX - mask) return {};  // no whole page above it
    const std::size_t end = size > SIZE_MAX - begin ? SIZE_MAX : begin + size;
    const std::size_t first = (begin + mask) & ~mask;
    const std::size_t last = end & ~mask;
    if (last <= first) return {};
    return {first, last - first};
}

void PreferHugePages(void* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
    const HugePageRange range = WholeHugePagesIn(reinterpret_cast<std::uintptr_t>(data), size);
    // Advice only: a kernel without it (or a buffer that is not mapped
    // anonymously) answers with an error that changes nothing.
    if (range.length > 0) ::madvise(reinterpret_cast<void*>(range.first), range.length, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}
