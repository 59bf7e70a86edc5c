#pragma once

#include <emmintrin.h>

#include <cstdint>

// 128-bit integer lanes for the vector row kernels: sixteen bytes, four pixels per block.
namespace {

struct Sse2Lanes {
    using V = __m128i;
    static constexpr int kBytes = 16;
    // Composites neither prefetch nor stream; fills stream only when too large to stay cached
    // (VectorRows.h).
    static constexpr bool kPrefetchesComposites = false;
    static constexpr bool kStreamsComposites = false;
    static constexpr bool kStreamsEveryFill = false;

    static V Load(const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void Store(std::uint8_t* p, V v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    // Past the caches; p must lie on a 16-byte boundary.
    static void StoreStream(std::uint8_t* p, V v) { _mm_stream_si128(reinterpret_cast<__m128i*>(p), v); }
    static void Fence() { _mm_sfence(); }
    static void Finish() {}

    static V Words(std::uint16_t w) { return _mm_set1_epi16(static_cast<short>(w)); }
    static V Dwords(std::uint32_t d) { return _mm_set1_epi32(static_cast<int>(d)); }
    static V Bytes(std::uint8_t b) { return _mm_set1_epi8(static_cast<char>(b)); }

    static V And(V a, V b) { return _mm_and_si128(a, b); }
    static V Or(V a, V b) { return _mm_or_si128(a, b); }
    static V AndNot(V notThis, V b) { return _mm_andnot_si128(notThis, b); }
    static V Not(V a) { return _mm_xor_si128(a, _mm_set1_epi32(-1)); }

    static V Add16(V a, V b) { return _mm_add_epi16(a, b); }
    static V Mul16(V a, V b) { return _mm_mullo_epi16(a, b); }
    static V MulHiU16(V a, V b) { return _mm_mulhi_epu16(a, b); }
    static V AddSatU8(V a, V b) { return _mm_adds_epu8(a, b); }
    static V AddSatU16(V a, V b) { return _mm_adds_epu16(a, b); }
    static V CmpEq16(V a, V b) { return _mm_cmpeq_epi16(a, b); }
    static V CmpEq32(V a, V b) { return _mm_cmpeq_epi32(a, b); }

    template <int N> static V Srl16(V a) { return _mm_srli_epi16(a, N); }
    template <int N> static V Sll16(V a) { return _mm_slli_epi16(a, N); }
    template <int N> static V Srl32(V a) { return _mm_srli_epi32(a, N); }
    template <int N> static V Sll32(V a) { return _mm_slli_epi32(a, N); }
    static V Srl16By(V a, int n) { return _mm_srl_epi16(a, _mm_cvtsi32_si128(n)); }
    static V Sll16By(V a, int n) { return _mm_sll_epi16(a, _mm_cvtsi32_si128(n)); }

    static int ByteMask(V a) { return _mm_movemask_epi8(a); }
    static bool AllBytesFF(V a) { return _mm_movemask_epi8(_mm_cmpeq_epi8(a, _mm_set1_epi32(-1))) == 0xFFFF; }
    static bool AllZero(V a) { return _mm_movemask_epi8(_mm_cmpeq_epi8(a, _mm_setzero_si128())) == 0xFFFF; }
};

}  // namespace
