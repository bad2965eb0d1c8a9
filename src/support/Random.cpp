#include "support/Random.h"

#include <ctime>

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

void SeedFromTime() { Seed(static_cast<std::uint32_t>(std::time(nullptr))); }

}  // namespace rng
