#pragma once

#include "imageops/resize/LanczosPasses.h"
#include "imageops/resize/SampleLoadsSimd.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

// The Lanczos-3 passes of the SIMD builds, shared by the SSE2 and SSE3 files (internal linkage
// keeps each build's copy compiled with its own flags). Rows are summed in single precision,
// four-channel pixels one vector per tap; the lanes round exactly as the scalar sums do.
// Columns of floats and of bytes are summed in single precision, four values per vector step
// (bytes within a code value of the plain build's double sums); 16-bit columns are the plain
// build's (double), whose wider range single precision would round too coarsely.
namespace {

struct SimdLanczosPasses {
    template <typename T>
    using ColumnAcc = std::conditional_t<std::is_same_v<T, std::uint16_t>, double, float>;

    // The six products of four consecutive values, summed in tap order.
    static __m128 ColumnBlock(const float* const rows[6], std::int64_t i, const float* w) {
        __m128 sum = _mm_mul_ps(_mm_loadu_ps(rows[0] + i), _mm_set1_ps(w[0]));
        for (int k = 1; k < 6; ++k) {
            sum = _mm_add_ps(sum, _mm_mul_ps(_mm_loadu_ps(rows[k] + i), _mm_set1_ps(w[k])));
        }
        return sum;
    }

    // StoreInterpolated of four sums as 32-bit lanes: widened to double, + 1e-7, truncated.
    // Out-of-range lanes are left to the saturating packs that follow.
    static __m128i TruncatedLanes(__m128 sums) {
        const __m128d offset = _mm_set1_pd(1e-7);
        const __m128i low = _mm_cvttpd_epi32(_mm_add_pd(_mm_cvtps_pd(sums), offset));
        const __m128i high = _mm_cvttpd_epi32(_mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(sums, sums)), offset));
        return _mm_unpacklo_epi64(low, high);
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
        } else if constexpr (std::is_same_v<T, std::uint8_t>) {
            for (; i + 8 <= count; i += 8) {
                const __m128i words = _mm_packs_epi32(TruncatedLanes(ColumnBlock(rows, i, w)),
                                                      TruncatedLanes(ColumnBlock(rows, i + 4, w)));
                _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(words, words));
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
