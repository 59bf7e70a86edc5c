#pragma once

#include <emmintrin.h>

// The instruction choices of the SSE2 build's resize code. The shared SIMD templates take the
// build as a parameter, so each build's instantiations are compiled with that build's flags.
struct IsaSse2 {
    // 16 bytes from any address.
    static __m128i LoadUnaligned(const void* p) {
        return _mm_loadu_si128(static_cast<const __m128i*>(p));
    }
    // Blocks at least this large are copied with non-temporal stores; SSE2 never does.
    static constexpr bool kStreamLargeCopies = false;
};
