#pragma once

#include <cstdint>

// The Lanczos-3 window L(x) = 3 sin(pi x) sin(pi x / 3) / (pi x)^2, L(0) = 1, tabulated at
// x = i / 100 for i = 0..300 as floats, plus a trailing 0 that an interpolation exactly at
// x = 3 may read: 302 entries.
inline constexpr int kLanczosTableSize = 302;
const float* LanczosTable();

// Six tap weights per fraction, tap k for the source sample at offset k - 2 from the
// position's index: the table interpolated linearly at the tap's distance |k - 2 - f|, 0 at a
// distance of 3 or more. Computed in double, stored as floats, not normalised. Nothing for a
// count below 1.
void LanczosWeights(const float* fractions, std::int32_t count, float* weights);
