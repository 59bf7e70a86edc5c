#include "imageops/CopyColorAvx2.h"

#include <immintrin.h>

// A 16-byte block costs two loads and a store, so the SSE2 kernel spends more memory operations
// than a plain copy of the same bytes; 32-byte blocks halve them.
std::int64_t CopyColorBlocksAvx2(const std::uint8_t* src, std::uint8_t* dst, std::int64_t count) {
    const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
    const auto block = [&](std::int64_t i) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_blendv_epi8(d, s, colour));
    };
    const std::int64_t bytes = count * 4;
    std::int64_t i = 0;
    for (; i + 128 <= bytes; i += 128) {
        block(i);
        block(i + 32);
        block(i + 64);
        block(i + 96);
    }
    for (; i + 32 <= bytes; i += 32) block(i);
    return i / 4;
}
