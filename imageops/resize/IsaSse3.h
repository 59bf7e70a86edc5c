#pragma once

#include <pmmintrin.h>

#include <cstdint>

// The instruction choices of the SSE3 build's resize code; only files compiled with -msse3
// include this header.
struct IsaSse3 {
    // 16 bytes from any address, with the load that does not split across cache lines.
    static __m128i LoadUnaligned(const void* p) {
        return _mm_lddqu_si128(static_cast<const __m128i*>(p));
    }
    // Block copies (BlockFillCopySimd.h) go past the caches once at least 512 KiB remain at an
    // aligned destination, except where a misaligned destination's source is misaligned alike:
    // those stay cached at any size.
    static constexpr bool StreamsCopyOf(std::int64_t bytes) { return bytes >= 0x80000; }
    static constexpr bool kCopyRoutesByDistance = false;
    static constexpr bool kCachesCoalignedCopies = true;
};
