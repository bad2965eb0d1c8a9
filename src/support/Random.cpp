// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Random.h"

#include <chrono>

namespace rng {
namespace {
// The C runtime starts every thread as if srand(1) had been called.
thread_local std::uint32_t t_state = 1;
}  // namespace

void Seed(std::uint32_t seed) { t_state = seed; }

int Next() {
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int>((t_state >> 16) & 0x7FFFu);
}

std::uint32_t State() { return t_state; }

std::uint32_t ClockSeed() {
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
    // Every bit of the count reaches the low 32: a plain cut would repeat
    // every 4.3 s, a plain shift would ignore the nanoseconds.
    std::uint64_t mixed = ticks ^ (ticks >> 29);
    mixed *= 0xBF58476D1CE4E5B9ull;
    return static_cast<std::uint32_t>(mixed ^ (mixed >> 32));
}

void SeedFromTime() { Seed(ClockSeed()); }

}  // namespace rng
