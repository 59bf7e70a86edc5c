#pragma once

#include <cstdint>

// The SSE build's Lanczos-3 tap weights: the rule of LanczosWeights (LanczosWeights.h) over
// the same table, every step in single precision. Tap k's distance is x0 + k with
// x0 = -2 - fraction; |x| * 100 is rounded to single precision before its whole part picks
// the table entries. Six weights per fraction; nothing for a count below 1. The weights may
// differ from the plain build's in the last bits.
void LanczosWeightsSse(const float* fractions, std::int32_t count, float* weights);
