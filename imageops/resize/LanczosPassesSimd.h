#pragma once

#include "imageops/resize/ResizeArithmetic.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The Lanczos-3 passes of the SIMD builds, shared by the SSE2 and SSE3 files (internal linkage
// keeps each build's copy compiled with its own flags). The row pass takes the plain build's
// taps and clamps but single precision: every product and each of the five partial sums is
// rounded, in tap order. Integer column passes are the plain build's (double, + 1e-7,
// truncated, clamped); the float column pass sums in tap order in single precision.
namespace {

// Tap columns of destination column x relative to `offset`, in samples: the six columns
// centre - 2 .. centre + 3 clamped to first .. last (relative to the region).
inline void TapDistances(std::int64_t centre, std::int64_t first, std::int64_t last,
                         std::int64_t stride, std::int64_t distances[6]) {
    for (int k = 0; k < 6; ++k) {
        const std::int64_t column = std::clamp<std::int64_t>(centre + k - 2, first, last);
        distances[k] = (column - centre) * stride;
    }
}

inline __m128 FourSamples(const std::uint8_t* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi32_si128(v), zero);
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, zero));
}

inline __m128 FourSamples(const std::uint16_t* p) {
    const __m128i words = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(words, _mm_setzero_si128()));
}

inline __m128 FourSamples(const float* p) {
    return _mm_loadu_ps(p);
}

// Horizontal pass over count destination columns, kChannels values each (3: samples 0-2 of
// pixels `stride` apart, sample 3 never read; 4: four samples in one vector).
template <typename T, int kChannels>
void LanczosRowSimd(const T* row, std::int32_t stride, const std::int32_t* offsets,
                    const float* weights, float* out, std::int32_t count, std::int32_t srcRoiX,
                    std::int32_t columnsRight) {
    const std::int64_t first = -static_cast<std::int64_t>(srcRoiX);
    const std::int64_t last = static_cast<std::int64_t>(columnsRight) - 1;
    for (std::int32_t x = 0; x < count; ++x) {
        const std::int64_t offset = offsets[x];
        const std::int64_t centre = offset / stride;
        std::int64_t distances[6];
        TapDistances(centre, first, last, stride, distances);
        const T* p = row + offset;
        const float* w = weights + 6 * static_cast<std::ptrdiff_t>(x);
        float* o = out + static_cast<std::ptrdiff_t>(x) * kChannels;
        if constexpr (kChannels == 4) {
            __m128 sum = _mm_mul_ps(_mm_set1_ps(w[0]), FourSamples(p + distances[0]));
            for (int k = 1; k < 6; ++k) {
                sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(w[k]), FourSamples(p + distances[k])));
            }
            _mm_storeu_ps(o, sum);
        } else {
            for (int c = 0; c < kChannels; ++c) {
                float sum = w[0] * static_cast<float>(p[distances[0] + c]);
                for (int k = 1; k < 6; ++k) {
                    sum = sum + w[k] * static_cast<float>(p[distances[k] + c]);
                }
                o[c] = sum;
            }
        }
    }
}

inline double ColumnSumDouble(const float* const rows[6], std::ptrdiff_t i, const float* w) {
    double sum = static_cast<double>(rows[0][i]) * w[0];
    for (int k = 1; k < 6; ++k) {
        sum = sum + static_cast<double>(rows[k][i]) * w[k];
    }
    return sum;
}

inline float ColumnSumFloat(const float* const rows[6], std::ptrdiff_t i, const float* w) {
    float sum = rows[0][i] * w[0];
    for (int k = 1; k < 6; ++k) {
        sum = sum + rows[k][i] * w[k];
    }
    return sum;
}

// Vertical pass over count consecutive values; float rows four values per step.
template <typename T>
void LanczosColumnSimd(T* dst, std::int64_t count, const float* w, const float* const rows[6]) {
    std::int64_t i = 0;
    if constexpr (std::is_same_v<T, float>) {
        for (; i + 4 <= count; i += 4) {
            __m128 sum = _mm_mul_ps(_mm_loadu_ps(rows[0] + i), _mm_set1_ps(w[0]));
            for (int k = 1; k < 6; ++k) {
                sum = _mm_add_ps(sum, _mm_mul_ps(_mm_loadu_ps(rows[k] + i), _mm_set1_ps(w[k])));
            }
            _mm_storeu_ps(dst + i, sum);
        }
        for (; i < count; ++i) {
            dst[i] = ColumnSumFloat(rows, i, w);
        }
    } else {
        for (; i < count; ++i) {
            dst[i] = StoreInterpolated<T>(ColumnSumDouble(rows, i, w));
        }
    }
}

// Three packed values per pixel into samples 0-2 of 4-sample pixels; sample 3 is not written.
template <typename T>
void LanczosColumnSimd3of4(T* dst, std::int32_t width, const float* w, const float* const rows[6]) {
    for (std::int32_t x = 0; x < width; ++x) {
        for (int c = 0; c < 3; ++c) {
            const std::ptrdiff_t i = 3 * static_cast<std::ptrdiff_t>(x) + c;
            T& out = dst[4 * static_cast<std::ptrdiff_t>(x) + c];
            if constexpr (std::is_same_v<T, float>) {
                out = ColumnSumFloat(rows, i, w);
            } else {
                out = StoreInterpolated<T>(ColumnSumDouble(rows, i, w));
            }
        }
    }
}

}  // namespace
