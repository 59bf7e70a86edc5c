#include "png/PngChecksums.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <wmmintrin.h>
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

namespace {

// Slicing by eight over `length` bytes, continuing the reflected register `c`.
uint32_t CrcTables8(uint32_t c, const uint8_t* data, size_t length) {
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
    return c;
}

#if defined(__x86_64__)

// Carry-less folding. Loaded little-endian, a 16-byte block A holds the message's earlier 64
// bits A_H in its low half, bit-reflected. Moving A over D more bits of message is
// A_H * x^(D + 64) + A_L * x^D modulo the polynomial; each product of a 64-bit half with a
// 32-bit remainder fits 128 bits again. With the remainder of x^(n - 32) bit-reflected and shifted
// left by one, the carry-less product of reflected operands comes out aligned like the data.
constexpr uint64_t FoldConstant(unsigned n) {
    uint64_t r = 1;
    for (unsigned i = 0; i < n - 32; ++i) {
        r <<= 1;
        if (r & 0x100000000ull) r ^= 0x104C11DB7ull;
    }
    uint64_t reflected = 0;
    for (int i = 0; i < 32; ++i) reflected |= ((r >> i) & 1) << (31 - i);
    return reflected << 1;
}

__attribute__((target("pclmul"))) inline __m128i Fold(__m128i a, __m128i k) {
    return _mm_xor_si128(_mm_clmulepi64_si128(a, k, 0x00), _mm_clmulepi64_si128(a, k, 0x11));
}

__attribute__((target("pclmul"))) inline __m128i Load128(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Four blocks folded side by side over 64 bytes at a time, then into one block, which stands for
// 16 bytes of message with the same remainder; the tables finish from there. Needs 64 bytes.
__attribute__((target("pclmul"))) uint32_t CrcFolded(uint32_t c, const uint8_t* data,
                                                     size_t length) {
    const __m128i by512 = _mm_set_epi64x(int64_t(FoldConstant(512)), int64_t(FoldConstant(576)));
    const __m128i by128 = _mm_set_epi64x(int64_t(FoldConstant(128)), int64_t(FoldConstant(192)));
    __m128i a0 = _mm_xor_si128(Load128(data), _mm_cvtsi32_si128(int(c)));
    __m128i a1 = Load128(data + 16);
    __m128i a2 = Load128(data + 32);
    __m128i a3 = Load128(data + 48);
    data += 64;
    length -= 64;
    while (length >= 64) {
        a0 = _mm_xor_si128(Fold(a0, by512), Load128(data));
        a1 = _mm_xor_si128(Fold(a1, by512), Load128(data + 16));
        a2 = _mm_xor_si128(Fold(a2, by512), Load128(data + 32));
        a3 = _mm_xor_si128(Fold(a3, by512), Load128(data + 48));
        data += 64;
        length -= 64;
    }
    a1 = _mm_xor_si128(Fold(a0, by128), a1);
    a2 = _mm_xor_si128(Fold(a1, by128), a2);
    a3 = _mm_xor_si128(Fold(a2, by128), a3);
    while (length >= 16) {
        a3 = _mm_xor_si128(Fold(a3, by128), Load128(data));
        data += 16;
        length -= 16;
    }
    uint8_t block[16];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(block), a3);
    return CrcTables8(CrcTables8(0, block, 16), data, length);
}

#endif

}  // namespace

uint32_t PngChunkCrc(const uint8_t* data, size_t length) {
#if defined(__x86_64__)
    if (length >= 256 && __builtin_cpu_supports("pclmul")) {
        return ~CrcFolded(0xFFFFFFFFu, data, length);
    }
#endif
    return ~CrcTables8(0xFFFFFFFFu, data, length);
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
