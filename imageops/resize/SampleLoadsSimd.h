#pragma once

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

// Sample loads of the SIMD builds' filters, shared by the SSE2 and SSE3 files with internal
// linkage.
namespace {

// Four samples of any type as floats, exactly.
inline __m128 FourAsFloats(const std::uint8_t* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi32_si128(v), zero);
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero));
}

inline __m128 FourAsFloats(const std::uint16_t* p) {
    const __m128i words = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, _mm_setzero_si128()));
}

inline __m128 FourAsFloats(const float* p) {
    return _mm_loadu_ps(p);
}

}  // namespace
