#pragma once
// The classic C runtime generator (multiplier 214013, increment 2531011, 15-bit output), so a
// seed reproduces the same deal on every machine whatever the local C library does.
#include <cstdint>

constexpr int kRandMax = 0x7FFF;

void SRand(uint32_t seed);

// Next value in 0..kRandMax.
int Rand();
