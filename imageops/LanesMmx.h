#pragma once

#include <mmintrin.h>
#include <xmmintrin.h>

#include <cstdint>
#include <cstring>

// 64-bit MMX lanes with the SSE integer extensions: eight bytes, two pixels per block. Entries
// that use them end with Finish, which empties the MMX state for later floating-point code.
namespace {

struct MmxLanes {
    using V = __m64;
    static constexpr int kBytes = 8;
    // This build prefetches the sources of its composites, and writes per-pixel and
    // constant-alpha compositing results, and every fill, with non-temporal stores
    // (VectorRows.h).
    static constexpr bool kPrefetchesComposites = true;
    static constexpr bool kStreamsComposites = true;
    static constexpr bool kStreamsEveryFill = true;

    static V Load(const std::uint8_t* p) {
        V v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    static void Store(std::uint8_t* p, V v) { std::memcpy(p, &v, sizeof v); }
    // Past the caches; any address.
    static void StoreStream(std::uint8_t* p, V v) { _mm_stream_pi(reinterpret_cast<__m64*>(p), v); }
    // Into every cache level.
    static void Prefetch(const std::uint8_t* p) { _mm_prefetch(reinterpret_cast<const char*>(p), _MM_HINT_T0); }
    static void Fence() { _mm_sfence(); }
    static void Finish() { _mm_empty(); }

    static V Words(std::uint16_t w) { return _mm_set1_pi16(static_cast<short>(w)); }
    static V Dwords(std::uint32_t d) { return _mm_set1_pi32(static_cast<int>(d)); }
    static V Bytes(std::uint8_t b) { return _mm_set1_pi8(static_cast<char>(b)); }

    static V And(V a, V b) { return _mm_and_si64(a, b); }
    static V Or(V a, V b) { return _mm_or_si64(a, b); }
    static V AndNot(V notThis, V b) { return _mm_andnot_si64(notThis, b); }
    static V Not(V a) { return _mm_xor_si64(a, _mm_set1_pi32(-1)); }

    static V Add16(V a, V b) { return _mm_add_pi16(a, b); }
    static V Mul16(V a, V b) { return _mm_mullo_pi16(a, b); }
    static V MulHiU16(V a, V b) { return _mm_mulhi_pu16(a, b); }
    static V AddSatU8(V a, V b) { return _mm_adds_pu8(a, b); }
    static V AddSatU16(V a, V b) { return _mm_adds_pu16(a, b); }
    static V CmpEq16(V a, V b) { return _mm_cmpeq_pi16(a, b); }
    static V CmpEq32(V a, V b) { return _mm_cmpeq_pi32(a, b); }

    template <int N> static V Srl16(V a) { return _mm_srli_pi16(a, N); }
    template <int N> static V Sll16(V a) { return _mm_slli_pi16(a, N); }
    template <int N> static V Srl32(V a) { return _mm_srli_pi32(a, N); }
    template <int N> static V Sll32(V a) { return _mm_slli_pi32(a, N); }
    static V Srl16By(V a, int n) { return _mm_srl_pi16(a, _mm_cvtsi32_si64(n)); }
    static V Sll16By(V a, int n) { return _mm_sll_pi16(a, _mm_cvtsi32_si64(n)); }

    static int ByteMask(V a) { return _mm_movemask_pi8(a); }
    static bool AllBytesFF(V a) { return _mm_movemask_pi8(_mm_cmpeq_pi8(a, _mm_set1_pi32(-1))) == 0xFF; }
    static bool AllZero(V a) { return _mm_movemask_pi8(_mm_cmpeq_pi8(a, _mm_setzero_si64())) == 0xFF; }
};

}  // namespace
