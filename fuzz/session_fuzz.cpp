// SPDX-License-Identifier: GPL-3.0-or-later
// Sessions from arbitrary bytes: the reader refuses with a session error, or
// what it read writes and reads back the same.
#include "../tests/common/ReaderChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string problem = readercheck::SessionProblem(bytes);
    if (!problem.empty()) {
        std::fprintf(stderr, "reader problem: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
