#pragma once

#include "imageops/resize/LanczosPasses.h"
#include "imageops/resize/SampleLoadsSimd.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The Lanczos-3 passes of the SIMD builds, shared by the SSE2 and SSE3 files (internal linkage
// keeps each build's copy compiled with its own flags). Rows are summed in single precision,
// four-channel pixels one vector per tap; the lanes round exactly as the scalar sums do.
// Columns of floats are summed in single precision, four values per vector step; columns of
// 8-bit and 16-bit samples in double, two values per vector step, every product and partial sum
// rounded as the plain build's scalar sums are, so the same rows give the plain build's samples
// (a single-precision sum can round a sum just under an integer up to it: one more once
// truncated).
namespace {

struct SimdLanczosPasses {
    template <typename T>
    using ColumnAcc = std::conditional_t<std::is_same_v<T, float>, float, double>;

    // The six products of four consecutive values, summed in tap order.
    static __m128 ColumnBlock(const float* const rows[6], std::int64_t i, const float* w) {
        __m128 sum = _mm_mul_ps(_mm_loadu_ps(rows[0] + i), _mm_set1_ps(w[0]));
        for (int k = 1; k < 6; ++k) {
            sum = _mm_add_ps(sum, _mm_mul_ps(_mm_loadu_ps(rows[k] + i), _mm_set1_ps(w[k])));
        }
        return sum;
    }

    static __m128d TwoAsDoubles(const float* p) {
        return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))));
    }

    // The sums of two consecutive values in double, every product and partial sum rounded in
    // tap order as the scalar double sums are.
    static __m128d ColumnPair(const float* const rows[6], std::int64_t i, const __m128d w[6]) {
        __m128d sum = _mm_mul_pd(TwoAsDoubles(rows[0] + i), w[0]);
        for (int k = 1; k < 6; ++k) {
            sum = _mm_add_pd(sum, _mm_mul_pd(TwoAsDoubles(rows[k] + i), w[k]));
        }
        return sum;
    }

    // StoreInterpolated of four sums as 32-bit lanes: + 1e-7, clamped to the sample range (NaN
    // to 0), truncated.
    template <typename T>
    static __m128i StoredLanes(__m128d low, __m128d high) {
        const __m128d offset = _mm_set1_pd(1e-7);
        const __m128d zero = _mm_setzero_pd();
        const __m128d top = _mm_set1_pd(SampleLimits<T>::kMax);
        const auto truncated = [&](__m128d sums) {
            return _mm_cvttpd_epi32(_mm_min_pd(_mm_max_pd(_mm_add_pd(sums, offset), zero), top));
        };
        return _mm_unpacklo_epi64(truncated(low), truncated(high));
    }

    static void StoreFour(std::uint8_t* dst, __m128i lanes) {
        const __m128i words = _mm_packs_epi32(lanes, lanes);
        const std::int32_t bytes = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
        std::memcpy(dst, &bytes, 4);
    }

    // 0 .. 65535 moved into the signed range for the pack, and back.
    static void StoreFour(std::uint16_t* dst, __m128i lanes) {
        const __m128i offset = _mm_set1_epi32(32768);
        const __m128i moved = _mm_sub_epi32(lanes, offset);
        const __m128i words = _mm_packs_epi32(moved, moved);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst),
                         _mm_xor_si128(words, _mm_set1_epi16(static_cast<short>(0x8000))));
    }

    template <typename T, int kChannels>
    static void Row(const T* row, std::int32_t stride, const std::int32_t* offsets,
                    const float* weights, float* out, std::int32_t count, std::int32_t srcRoiX,
                    std::int32_t columnsRight) {
        if constexpr (kChannels == 4) {
            ForEachLanczosColumn(
                row, stride, offsets, weights, count, srcRoiX, columnsRight,
                [&](std::int32_t x, const T* p, const std::int64_t* distances, const float* w) {
                    __m128 sum = _mm_mul_ps(_mm_set1_ps(w[0]), FourAsFloats(p + distances[0]));
                    for (int k = 1; k < 6; ++k) {
                        sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(w[k]),
                                                         FourAsFloats(p + distances[k])));
                    }
                    _mm_storeu_ps(out + static_cast<std::ptrdiff_t>(x) * 4, sum);
                });
        } else {
            LanczosRowScalar<float, T, kChannels>(row, stride, offsets, weights, out, count,
                                                  srcRoiX, columnsRight);
        }
    }

    template <typename T>
    static void Column(T* dst, std::int64_t count, const float* w, const float* const rows[6]) {
        std::int64_t i = 0;
        if constexpr (std::is_same_v<T, float>) {
            for (; i + 4 <= count; i += 4) _mm_storeu_ps(dst + i, ColumnBlock(rows, i, w));
        } else {
            __m128d weights[6];
            for (int k = 0; k < 6; ++k) {
                weights[k] = _mm_set1_pd(w[k]);
            }
            for (; i + 4 <= count; i += 4) {
                StoreFour(dst + i, StoredLanes<T>(ColumnPair(rows, i, weights),
                                                  ColumnPair(rows, i + 2, weights)));
            }
        }
        LanczosColumnScalar<ColumnAcc<T>>(dst, i, count, w, rows);
    }

    template <typename T>
    static void Column3of4(T* dst, std::int32_t width, const float* w,
                           const float* const rows[6]) {
        LanczosColumn3of4<ColumnAcc<T>>(dst, width, w, rows);
    }
};

}  // namespace
