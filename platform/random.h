#pragma once
// The one process-wide random generator, never seeded.
//
// Linear congruential: state = state * 214013 + 2531011 (mod 2^32), and each
// draw is (state >> 16) & 0x7FFF. Every module draws from it, so the values any
// module sees depend on all draws before; libc's rand is never used because its
// sequence differs.
#include <cstdint>

inline constexpr int randMax = 32767;
// A draw scaled to [0, 1]: the draw times this single-precision constant.
inline constexpr float randScale = 3.0518509e-05f;

int demoRand();

// For the state dump and for tests that need a fresh generator (state 1).
uint32_t demoRandState();
uint64_t demoRandDraws();
void resetDemoRand(uint32_t state = 1);
