#pragma once

#include <emmintrin.h>

#include <cstdint>

// The instruction choices of the SSE2 build's resize code. The shared SIMD templates take the
// build as a parameter, so each build's instantiations are compiled with that build's flags.
struct IsaSse2 {
    // 16 bytes from any address.
    static __m128i LoadUnaligned(const void* p) {
        return _mm_loadu_si128(static_cast<const __m128i*>(p));
    }
    // Block copies (BlockFillCopySimd.h) go past the caches once more than 256 KiB remain at an
    // aligned destination, whatever the source's alignment, unless the source's distance from
    // the destination routes them otherwise (RouteByDistance).
    static constexpr bool StreamsCopyOf(std::int64_t bytes) { return bytes > 0x40000; }
    static constexpr bool kCopyRoutesByDistance = true;
    static constexpr bool kCachesCoalignedCopies = false;
};
