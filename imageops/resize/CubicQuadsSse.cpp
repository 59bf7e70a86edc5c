#include "imageops/resize/CubicQuadsSse.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <xmmintrin.h>

namespace {

// One unit in the last place below the float nearest to 1/3.
float ThirdBelow() {
    const std::uint32_t bits = 0x3EAAAAAAu;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// 1e-5 as the nearest float.
constexpr float kBias = 9.99999974737875e-06f;

// Row pieces: for each channel, four pixels per step, taps gathered and converted exactly.
template <typename T, int kChannels>
void RowQuads(const T* src, std::int32_t n, std::int32_t distance, const std::int32_t* offsets,
              const float* fractions, float* dst) {
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 third = _mm_set1_ps(ThirdBelow());
    const std::ptrdiff_t d = distance;
    for (int c = 0; c < kChannels; ++c) {
        for (std::int32_t i = 0; i < n; i += 4) {
            float taps[4][4];
            for (int lane = 0; lane < 4; ++lane) {
                const T* p = src + offsets[i + lane] + c;
                taps[0][lane] = static_cast<float>(p[-d]);
                taps[1][lane] = static_cast<float>(p[0]);
                taps[2][lane] = static_cast<float>(p[d]);
                taps[3][lane] = static_cast<float>(p[2 * d]);
            }
            const __m128 a = _mm_loadu_ps(taps[0]);
            const __m128 b = _mm_loadu_ps(taps[1]);
            const __m128 cc = _mm_loadu_ps(taps[2]);
            const __m128 dd = _mm_loadu_ps(taps[3]);
            const __m128 t = _mm_load_ps(fractions + i);
            const __m128 w1 = _mm_add_ps(t, one);
            const __m128 w2 = _mm_mul_ps(_mm_mul_ps(t, half), w1);
            const __m128 w3 = _mm_mul_ps(_mm_sub_ps(t, one), _mm_mul_ps(w2, third));
            const __m128 d1 = _mm_sub_ps(b, a);
            const __m128 d2 = _mm_sub_ps(_mm_sub_ps(cc, b), d1);
            const __m128 d3 = _mm_add_ps(_mm_sub_ps(_mm_sub_ps(dd, cc), cc), _mm_sub_ps(b, d2));
            const __m128 v = _mm_add_ps(_mm_add_ps(a, _mm_mul_ps(d1, w1)),
                                        _mm_add_ps(_mm_mul_ps(d2, w2), _mm_mul_ps(d3, w3)));
            if constexpr (kChannels == 1) {
                _mm_store_ps(dst + i, v);
            } else {
                float values[4];
                _mm_storeu_ps(values, v);
                for (int lane = 0; lane < 4; ++lane) {
                    dst[kChannels * static_cast<std::ptrdiff_t>(i + lane) + c] = values[lane];
                }
            }
        }
    }
}

// The column value of four consecutive buffer values.
struct ColumnWeights {
    __m128 w1;
    __m128 w2;
    __m128 w3;
    explicit ColumnWeights(float t) {
        const __m128 tv = _mm_set1_ps(t);
        const __m128 one = _mm_set1_ps(1.0f);
        w1 = _mm_add_ps(tv, one);
        w2 = _mm_mul_ps(_mm_mul_ps(tv, _mm_set1_ps(0.5f)), w1);
        w3 = _mm_mul_ps(_mm_mul_ps(_mm_sub_ps(tv, one), _mm_set1_ps(ThirdBelow())), w2);
    }
    __m128 Value(const float* r0, const float* r1, const float* r2, const float* r3) const {
        const __m128 a = _mm_load_ps(r0);
        const __m128 b = _mm_load_ps(r1);
        const __m128 c = _mm_load_ps(r2);
        const __m128 d = _mm_load_ps(r3);
        const __m128 d1 = _mm_sub_ps(b, a);
        const __m128 d2 = _mm_sub_ps(_mm_sub_ps(c, b), d1);
        const __m128 d3 = _mm_add_ps(_mm_sub_ps(d, d2), _mm_sub_ps(_mm_sub_ps(b, c), c));
        return _mm_add_ps(_mm_add_ps(a, _mm_mul_ps(d1, w1)),
                          _mm_add_ps(_mm_mul_ps(d2, w2), _mm_mul_ps(d3, w3)));
    }
};

// v + 1e-5 rounded by the current rounding mode (to nearest, ties to even) and saturated.
template <typename T>
T RoundedSample(float biased, std::int32_t maximum) {
    const std::int32_t n = _mm_cvtss_si32(_mm_set_ss(biased));
    return static_cast<T>(std::clamp(n, 0, maximum));
}

template <typename T, bool kThreeOfFour>
void ColumnQuadsInteger(T* dst, std::int32_t n, float t, const float* row0, const float* row1,
                        const float* row2, const float* row3, std::int32_t maximum) {
    const ColumnWeights w(t);
    const __m128 bias = _mm_set1_ps(kBias);
    for (std::int32_t k = 0; k < n; k += 4) {
        float values[4];
        _mm_storeu_ps(values, _mm_add_ps(w.Value(row0 + k, row1 + k, row2 + k, row3 + k), bias));
        for (int lane = 0; lane < 4; ++lane) {
            const std::ptrdiff_t index = k + lane;
            const std::ptrdiff_t out = kThreeOfFour ? 4 * (index / 3) + index % 3 : index;
            dst[out] = RoundedSample<T>(values[lane], maximum);
        }
    }
}

}  // namespace

void CubicRowQuads8u1(const std::uint8_t* src, std::int32_t n, const std::int32_t* offsets,
                      const float* fractions, float* dst) {
    RowQuads<std::uint8_t, 1>(src, n, 1, offsets, fractions, dst);
}

void CubicRowQuads8u4(const std::uint8_t* src, std::int32_t n, const std::int32_t* offsets,
                      const float* fractions, float* dst) {
    RowQuads<std::uint8_t, 4>(src, n, 4, offsets, fractions, dst);
}

void CubicRowQuads8u3(const std::uint8_t* src, std::int32_t n, std::int32_t pixelStride,
                      const std::int32_t* offsets, const float* fractions, float* dst) {
    RowQuads<std::uint8_t, 3>(src, n, pixelStride, offsets, fractions, dst);
}

void CubicRowQuads16u1(const std::uint16_t* src, std::int32_t n, const std::int32_t* offsets,
                       const float* fractions, float* dst) {
    RowQuads<std::uint16_t, 1>(src, n, 1, offsets, fractions, dst);
}

void CubicRowQuads16u4(const std::uint16_t* src, std::int32_t n, const std::int32_t* offsets,
                       const float* fractions, float* dst) {
    RowQuads<std::uint16_t, 4>(src, n, 4, offsets, fractions, dst);
}

void CubicRowQuads16u3(const std::uint16_t* src, std::int32_t n, std::int32_t pixelStride,
                       const std::int32_t* offsets, const float* fractions, float* dst) {
    RowQuads<std::uint16_t, 3>(src, n, pixelStride, offsets, fractions, dst);
}

void CubicRowQuads32f1(const float* src, std::int32_t n, const std::int32_t* offsets,
                       const float* fractions, float* dst) {
    RowQuads<float, 1>(src, n, 1, offsets, fractions, dst);
}

void CubicRowQuads32f4(const float* src, std::int32_t n, const std::int32_t* offsets,
                       const float* fractions, float* dst) {
    RowQuads<float, 4>(src, n, 4, offsets, fractions, dst);
}

void CubicRowQuads32f3(const float* src, std::int32_t n, std::int32_t pixelStride,
                       const std::int32_t* offsets, const float* fractions, float* dst) {
    RowQuads<float, 3>(src, n, pixelStride, offsets, fractions, dst);
}

void CubicColumnQuads8u(std::uint8_t* dst, std::int32_t n, float t, const float* row0,
                        const float* row1, const float* row2, const float* row3) {
    ColumnQuadsInteger<std::uint8_t, false>(dst, n, t, row0, row1, row2, row3, 255);
}

void CubicColumnQuads8u3of4(std::uint8_t* dst, std::int32_t n, float t, const float* row0,
                            const float* row1, const float* row2, const float* row3) {
    ColumnQuadsInteger<std::uint8_t, true>(dst, n, t, row0, row1, row2, row3, 255);
}

void CubicColumnQuads16u(std::uint16_t* dst, std::int32_t n, float t, const float* row0,
                         const float* row1, const float* row2, const float* row3) {
    ColumnQuadsInteger<std::uint16_t, false>(dst, n, t, row0, row1, row2, row3, 65535);
}

void CubicColumnQuads16u3of4(std::uint16_t* dst, std::int32_t n, float t, const float* row0,
                             const float* row1, const float* row2, const float* row3) {
    ColumnQuadsInteger<std::uint16_t, true>(dst, n, t, row0, row1, row2, row3, 65535);
}

// Float blocks store v with no bias, as every other float path of every build does: 1e-5 only
// steers the rounding of the integer blocks, and here it would set the blocks of a row apart
// from its last n mod 4 values.
void CubicColumnQuads32f(float* dst, std::int32_t n, float t, const float* row0,
                         const float* row1, const float* row2, const float* row3) {
    const ColumnWeights w(t);
    const bool aligned = reinterpret_cast<std::uintptr_t>(dst) % 16 == 0;
    for (std::int32_t k = 0; k < n; k += 4) {
        const __m128 v = w.Value(row0 + k, row1 + k, row2 + k, row3 + k);
        if (aligned) {
            _mm_store_ps(dst + k, v);
        } else {
            _mm_storeu_ps(dst + k, v);
        }
    }
}
