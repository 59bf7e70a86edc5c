#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

// The single-precision Lanczos-3 weight builder of the SIMD builds, shared by the SSE2 and
// SSE3 files (internal linkage keeps each build's copy compiled with its own flags): six
// weights per fraction, tap k at distance x = -fraction - 2 + k, weight
// T[j] + (a - j)(T[j + 1] - T[j]) with a = min(|x|, 3) * 100 and j = trunc(a), all in single
// precision; table is LanczosTable() (302 entries, the last two 0). They agree with
// LanczosWeights at the zeros and may differ from it in the last bits elsewhere. Nothing for a
// count below 1.
namespace {

// Interpolates the table at four distances a (0 <= a <= 300): T[j] + (a - j)(T[j + 1] - T[j]),
// j = trunc(a), every step rounded to single precision.
inline __m128 TableAt(__m128 a, const float* table) {
    const __m128i j = _mm_cvttps_epi32(a);
    alignas(16) std::int32_t index[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(index), j);
    const __m128 low =
        _mm_setr_ps(table[index[0]], table[index[1]], table[index[2]], table[index[3]]);
    const __m128 high = _mm_setr_ps(table[index[0] + 1], table[index[1] + 1], table[index[2] + 1],
                                    table[index[3] + 1]);
    const __m128 part = _mm_sub_ps(a, _mm_cvtepi32_ps(j));
    return _mm_add_ps(low, _mm_mul_ps(part, _mm_sub_ps(high, low)));
}

// min(|d|, 3) * 100: a distance of 3 or more (or NaN) reads entries 300 and 301, both 0.
inline __m128 TableDistance(__m128 d) {
    const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), d);
    return _mm_mul_ps(_mm_min_ps(magnitude, _mm_set1_ps(3.0f)), _mm_set1_ps(100.0f));
}

// Six weights per fraction f, tap k at distance (-f - 2) + k, two fractions per step (three
// vectors of four taps), an odd last fraction as four taps and two.
inline void SimdLanczosWeights(const float* fractions, std::int32_t count, float* weights,
                               const float* table) {
    const __m128 two = _mm_set1_ps(2.0f);
    const __m128 steps0123 = _mm_setr_ps(0.0f, 1.0f, 2.0f, 3.0f);
    const __m128 steps4501 = _mm_setr_ps(4.0f, 5.0f, 0.0f, 1.0f);
    const __m128 steps2345 = _mm_setr_ps(2.0f, 3.0f, 4.0f, 5.0f);
    std::int32_t i = 0;
    for (; i + 2 <= count; i += 2) {
        const __m128 d0 = _mm_sub_ps(_mm_sub_ps(_mm_setzero_ps(), _mm_set1_ps(fractions[i])), two);
        const __m128 d1 =
            _mm_sub_ps(_mm_sub_ps(_mm_setzero_ps(), _mm_set1_ps(fractions[i + 1])), two);
        const __m128 mixed = _mm_shuffle_ps(d0, d1, _MM_SHUFFLE(0, 0, 0, 0));
        float* out = weights + 6 * static_cast<std::ptrdiff_t>(i);
        _mm_storeu_ps(out, TableAt(TableDistance(_mm_add_ps(d0, steps0123)), table));
        _mm_storeu_ps(out + 4, TableAt(TableDistance(_mm_add_ps(mixed, steps4501)), table));
        _mm_storeu_ps(out + 8, TableAt(TableDistance(_mm_add_ps(d1, steps2345)), table));
    }
    if (i < count) {
        const __m128 d = _mm_sub_ps(_mm_sub_ps(_mm_setzero_ps(), _mm_set1_ps(fractions[i])), two);
        float* out = weights + 6 * static_cast<std::ptrdiff_t>(i);
        _mm_storeu_ps(out, TableAt(TableDistance(_mm_add_ps(d, steps0123)), table));
        const __m128 tail = TableAt(TableDistance(_mm_add_ps(d, steps4501)), table);
        _mm_storel_pi(reinterpret_cast<__m64*>(out + 4), tail);
    }
}

}  // namespace
