#include "png/PngChecksums.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Eight tables let the CRC consume eight bytes per step (slicing by eight); table 0 is the
// classic byte-at-a-time table.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr CrcTables MakeCrcTables() {
    CrcTables t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n) {
        for (int k = 1; k < 8; ++k) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    }
    return t;
}

constexpr CrcTables kCrc = MakeCrcTables();

#if defined(__SSE2__)
uint64_t LaneSum(__m128i v) {
    alignas(16) uint32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), v);
    return uint64_t(lanes[0]) + lanes[1] + lanes[2] + lanes[3];
}
#endif

uint32_t Load32Le(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

uint32_t PngChunkCrc(const uint8_t* data, size_t length) {
    uint32_t c = 0xFFFFFFFFu;
    while (length >= 8) {
        const uint32_t lo = Load32Le(data) ^ c;
        const uint32_t hi = Load32Le(data + 4);
        c = kCrc[7][lo & 0xFF] ^ kCrc[6][(lo >> 8) & 0xFF] ^ kCrc[5][(lo >> 16) & 0xFF] ^
            kCrc[4][lo >> 24] ^ kCrc[3][hi & 0xFF] ^ kCrc[2][(hi >> 8) & 0xFF] ^
            kCrc[1][(hi >> 16) & 0xFF] ^ kCrc[0][hi >> 24];
        data += 8;
        length -= 8;
    }
    while (length--) c = kCrc[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
    return ~c;
}

uint32_t PngAdler32(const uint8_t* data, size_t length) { return PngAdler32Update(1, data, length); }

uint32_t PngAdler32Update(uint32_t adler, const uint8_t* data, size_t length) {
    constexpr uint32_t kMod = 65521;
    // 5552 is the longest run after which the 32-bit sums cannot have overflowed.
    constexpr size_t kRun = 5552;
    uint32_t s1 = adler & 0xFFFF;
    uint32_t s2 = adler >> 16;
    while (length > 0) {
        size_t n = length < kRun ? length : kRun;
        length -= n;
#if defined(__SSE2__)
        // Sixteen bytes per step: byte b_k of a step adds (16 - k) * b_k to s2 on top of 16 times
        // the s1 the step started with. The lanes sum the bytes, the weighted bytes and the s1
        // of every step; each stays below 2^32 over a run.
        if (n >= 16) {
            const size_t steps = n / 16;
            const __m128i zero = _mm_setzero_si128();
            const __m128i weightsHigh = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
            const __m128i weightsLow = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
            __m128i byteSum = zero;
            __m128i stepSums = zero;
            __m128i weighted = zero;
            for (size_t k = 0; k < steps; ++k, data += 16) {
                const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
                stepSums = _mm_add_epi32(stepSums, byteSum);
                byteSum = _mm_add_epi32(byteSum, _mm_sad_epu8(x, zero));
                weighted = _mm_add_epi32(
                    weighted, _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(x, zero), weightsHigh),
                                            _mm_madd_epi16(_mm_unpackhi_epi8(x, zero), weightsLow)));
            }
            const uint64_t bytes = LaneSum(byteSum);
            s2 = uint32_t((s2 + uint64_t(s1) * 16 * steps + 16 * LaneSum(stepSums) +
                           LaneSum(weighted)) % kMod);
            s1 = uint32_t((s1 + bytes) % kMod);
            n -= steps * 16;
        }
#endif
        while (n--) {
            s1 += *data++;
            s2 += s1;
        }
        s1 %= kMod;
        s2 %= kMod;
    }
    return s2 << 16 | s1;
}
