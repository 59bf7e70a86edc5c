#pragma once

#include <cstdint>

// The SSE2 build's Lanczos-3 weights: six per fraction, tap k at distance x = -fraction - 2 + k,
// weight T[j] + (a - j)(T[j + 1] - T[j]) with a = min(|x|, 3) * 100 and j = trunc(a), all in
// single precision; table is LanczosTable() (302 entries, the last two 0). They agree with
// LanczosWeights at the zeros and may differ from it in the last bits elsewhere. Nothing for
// a count below 1.
void LanczosWeightsSse2(const float* fractions, std::int32_t count, float* weights,
                        const float* table);
