// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

// The program's one random generator: the C runtime's rand()/srand() formula,
// so that every draw reduced with % n or by repeated subtraction behaves as the
// collage rules expect (range 0..32767). One state per thread, seedable, so a
// collage is reproducible for a given seed.
namespace rng {

constexpr int kRandMax = 32767;

// Sets this thread's state (srand).
void Seed(std::uint32_t seed);

// Advances this thread's state and returns bits 16..30 of it (rand).
int Next();

// Current state of this thread, for tests and diagnostics.
std::uint32_t State();

// A seed from the clock in nanoseconds, folded to 32 bits, so two runs
// started in the same second draw differently.
std::uint32_t ClockSeed();

// Seeds from ClockSeed(), as the form does at start.
void SeedFromTime();

}  // namespace rng
