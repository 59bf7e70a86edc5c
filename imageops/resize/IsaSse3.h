#pragma once

#include <pmmintrin.h>

// The instruction choices of the SSE3 build's resize code; only files compiled with -msse3
// include this header.
struct IsaSse3 {
    // 16 bytes from any address, with the load that does not split across cache lines.
    static __m128i LoadUnaligned(const void* p) {
        return _mm_lddqu_si128(static_cast<const __m128i*>(p));
    }
    // Large blocks go past the cache: the copied rows are read once more at most.
    static constexpr bool kStreamLargeCopies = true;
};
