#pragma once

#include <cstdint>

// Per-call scratch blocks of the resize drivers and workers: 32-byte aligned, contents
// undefined, released with AlignedFree. Null when count is below 1, when the byte size does
// not fit, or when the heap cannot serve the request.

// A block of count 32-bit elements (tables, fractions, weights, float row buffers).
void* AlignedAllocInts(std::int64_t count);

// A block of count 16-bit elements (the fixed-point linear row buffers and weights).
void* AlignedAllocShorts(std::int64_t count);
