// SPDX-License-Identifier: GPL-3.0-or-later
// Pages from arbitrary bytes (after 16 bytes that choose one board edit): a
// page the reader takes, edited as the board edits it, must be written and
// read back as it was saved.
#include "../tests/common/ReaderChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string problem = readercheck::PageEditProblem(bytes);
    if (!problem.empty()) {
        std::fprintf(stderr, "reader problem: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
