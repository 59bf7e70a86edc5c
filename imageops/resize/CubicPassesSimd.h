#pragma once

#include "imageops/resize/ResizeArithmetic.h"
#include "imageops/resize/SampleLoadsSimd.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The cubic passes of the SIMD builds, shared by the SSE2 and SSE3 files (internal linkage
// keeps each build's copy compiled with its own flags). All arithmetic is single precision.
//
// Blocks of four values: a = t + 1, b = (t 0.5) a, c = (t - 1) (b k) in the one-channel row
// blocks and ((t - 1) k) b elsewhere, k = 0.33333331 (bits 0x3EAAAAAA), and
// v = (q0 + a d1) + (b d2 + c d3) with d1 = q1 - q0, d2 = (q2 - q1) - d1 and d3 formed as
// ((q3 - q2) - q2) + (q1 - d2) in rows, (q3 - d2) + ((q1 - q2) - q2) in columns. Integer
// column blocks store the nearest integer to v + 0.00001 (ties to even), saturated.
// Remainders (the last n mod 4 values, all of them below 4): a = 1 + t, b = (t a) 0.5,
// c = ((t - 1) b) / 3, d3 = (((q3 - q2) - q2) + q1) - d2, v = ((q0 + c d3) + b d2) + a d1;
// integer columns store trunc(double(v) + 1e-7) clamped like the plain build. Float
// three-of-four columns take every value in the remainder form, which the SSE2 build sums with
// q0 last, ((c d3 + b d2) + a d1) + q0, and the SSE3 build in the remainder order.
namespace {

enum class CubicFloat3of4Sum { kRemainderOrder, kFirstTapLast };

inline float CubicThird() {
    const std::uint32_t bits = 0x3EAAAAAAu;
    float k;
    std::memcpy(&k, &bits, 4);
    return k;
}

inline float CubicBias() {
    const std::uint32_t bits = 0x3727C5ACu;
    float k;
    std::memcpy(&k, &bits, 4);
    return k;
}

// The remainder form of one value, summed in the remainder order or with q0 last.
template <CubicFloat3of4Sum kSum = CubicFloat3of4Sum::kRemainderOrder>
inline float CubicScalar(float q0, float q1, float q2, float q3, float t) {
    const float a = 1.0f + t;
    const float b = (t * a) * 0.5f;
    const float c = ((t - 1.0f) * b) / 3.0f;
    const float d1 = q1 - q0;
    const float d2 = (q2 - q1) - d1;
    const float d3 = (((q3 - q2) - q2) + q1) - d2;
    if constexpr (kSum == CubicFloat3of4Sum::kFirstTapLast) {
        return ((c * d3 + b * d2) + a * d1) + q0;
    }
    return ((q0 + c * d3) + b * d2) + a * d1;
}

// The remainder form of the one-channel row pass, whose third difference is formed as
// ((q1 - 2 q2) + q3) - d2.
inline float CubicRowScalar(float q0, float q1, float q2, float q3, float t) {
    const float a = 1.0f + t;
    const float b = (t * a) * 0.5f;
    const float c = ((t - 1.0f) * b) / 3.0f;
    const float d1 = q1 - q0;
    const float d2 = (q2 - q1) - d1;
    const float d3 = ((q1 - (q2 + q2)) + q3) - d2;
    return ((q0 + c * d3) + b * d2) + a * d1;
}

struct CubicVectorWeights {
    __m128 a;
    __m128 b;
    __m128 c;
};

// The block coefficients with c = ((t - 1) k) b.
inline CubicVectorWeights BlockWeights(__m128 t) {
    const __m128 one = _mm_set1_ps(1.0f);
    CubicVectorWeights w;
    w.a = _mm_add_ps(t, one);
    w.b = _mm_mul_ps(_mm_mul_ps(t, _mm_set1_ps(0.5f)), w.a);
    w.c = _mm_mul_ps(_mm_mul_ps(_mm_sub_ps(t, one), _mm_set1_ps(CubicThird())), w.b);
    return w;
}

// v = (q0 + a d1) + (b d2 + c d3) with the row form of d3.
inline __m128 RowBlockValue(__m128 q0, __m128 q1, __m128 q2, __m128 q3,
                            const CubicVectorWeights& w) {
    const __m128 d1 = _mm_sub_ps(q1, q0);
    const __m128 d2 = _mm_sub_ps(_mm_sub_ps(q2, q1), d1);
    const __m128 d3 = _mm_add_ps(_mm_sub_ps(_mm_sub_ps(q3, q2), q2), _mm_sub_ps(q1, d2));
    return _mm_add_ps(_mm_add_ps(q0, _mm_mul_ps(w.a, d1)),
                      _mm_add_ps(_mm_mul_ps(w.b, d2), _mm_mul_ps(w.c, d3)));
}

// The same with the column form of d3.
inline __m128 ColumnBlockValue(__m128 q0, __m128 q1, __m128 q2, __m128 q3,
                               const CubicVectorWeights& w) {
    const __m128 d1 = _mm_sub_ps(q1, q0);
    const __m128 d2 = _mm_sub_ps(_mm_sub_ps(q2, q1), d1);
    const __m128 d3 = _mm_add_ps(_mm_sub_ps(q3, d2), _mm_sub_ps(_mm_sub_ps(q1, q2), q2));
    return _mm_add_ps(_mm_add_ps(q0, _mm_mul_ps(w.a, d1)),
                      _mm_add_ps(_mm_mul_ps(w.b, d2), _mm_mul_ps(w.c, d3)));
}

// Exactly three samples (the fourth component 0), so nothing past them is read.
template <typename T>
inline __m128 ThreeAsFloats(const T* p) {
    return _mm_setr_ps(static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2]),
                       0.0f);
}

// ---- rows -------------------------------------------------------------------------------

// One channel: blocks of four columns (taps -1..+2 of each read together and transposed),
// then the remainder columns one at a time.
template <typename T>
void CubicRow1(const T* row, std::int32_t count, const std::int32_t* offsets,
               const float* fractions, float* out) {
    std::int32_t x = 0;
    if (count >= 4) {
        const __m128 one = _mm_set1_ps(1.0f);
        for (; x + 4 <= count; x += 4) {
            __m128 q0 = FourAsFloats(row + offsets[x] - 1);
            __m128 q1 = FourAsFloats(row + offsets[x + 1] - 1);
            __m128 q2 = FourAsFloats(row + offsets[x + 2] - 1);
            __m128 q3 = FourAsFloats(row + offsets[x + 3] - 1);
            _MM_TRANSPOSE4_PS(q0, q1, q2, q3);
            const __m128 t = _mm_loadu_ps(fractions + x);
            CubicVectorWeights w;
            w.a = _mm_add_ps(t, one);
            w.b = _mm_mul_ps(_mm_mul_ps(t, _mm_set1_ps(0.5f)), w.a);
            w.c = _mm_mul_ps(_mm_sub_ps(t, one), _mm_mul_ps(w.b, _mm_set1_ps(CubicThird())));
            _mm_storeu_ps(out + x, RowBlockValue(q0, q1, q2, q3, w));
        }
    }
    for (; x < count; ++x) {
        const T* p = row + offsets[x];
        out[x] = CubicRowScalar(static_cast<float>(p[-1]), static_cast<float>(p[0]),
                                static_cast<float>(p[1]), static_cast<float>(p[2]), fractions[x]);
    }
}

// Four channels: one pixel per step, its channels in the components of one vector.
template <typename T>
void CubicRow4(const T* row, std::int32_t count, const std::int32_t* offsets,
               const float* fractions, float* out) {
    for (std::int32_t x = 0; x < count; ++x) {
        const T* p = row + offsets[x];
        const CubicVectorWeights w = BlockWeights(_mm_set1_ps(fractions[x]));
        const __m128 v = RowBlockValue(FourAsFloats(p - 4), FourAsFloats(p), FourAsFloats(p + 4),
                                       FourAsFloats(p + 8), w);
        _mm_storeu_ps(out + 4 * static_cast<std::ptrdiff_t>(x), v);
    }
}

// Three channels: with a stride of 4 whole pixels are read and component 3 dropped; any other
// stride is taken as 3, the first three taps read as four samples (the fourth belongs to the
// next tap) and the last as exactly its three.
template <typename T>
void CubicRow3(const T* row, std::int32_t count, std::int32_t pixelStride,
               const std::int32_t* offsets, const float* fractions, float* out) {
    for (std::int32_t x = 0; x < count; ++x) {
        const T* p = row + offsets[x];
        const CubicVectorWeights w = BlockWeights(_mm_set1_ps(fractions[x]));
        __m128 v;
        if (pixelStride == 4) {
            v = RowBlockValue(FourAsFloats(p - 4), FourAsFloats(p), FourAsFloats(p + 4),
                              FourAsFloats(p + 8), w);
        } else {
            v = RowBlockValue(FourAsFloats(p - 3), FourAsFloats(p), FourAsFloats(p + 3),
                              ThreeAsFloats(p + 6), w);
        }
        alignas(16) float values[4];
        _mm_store_ps(values, v);
        std::memcpy(out + 3 * static_cast<std::ptrdiff_t>(x), values, 3 * sizeof(float));
    }
}

// ---- columns ----------------------------------------------------------------------------

inline __m128 LoadFour(const float* p) {
    return _mm_loadu_ps(p);
}

// Four block values as integers: v + 0.00001 rounded to nearest (ties to even), saturated to
// 0..255 or 0..65535.
inline void StoreBlock(std::uint8_t* out, __m128 v) {
    const __m128i n = _mm_cvtps_epi32(_mm_add_ps(v, _mm_set1_ps(CubicBias())));
    const __m128i words = _mm_packs_epi32(n, n);
    const std::int32_t bytes = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
    std::memcpy(out, &bytes, 4);
}

inline void StoreBlock(std::uint16_t* out, __m128 v) {
    const __m128i n = _mm_cvtps_epi32(_mm_add_ps(v, _mm_set1_ps(CubicBias())));
    const __m128i offset = _mm_set1_epi32(32768);
    const __m128i packed = _mm_packs_epi32(_mm_sub_epi32(n, offset), _mm_sub_epi32(n, offset));
    const __m128i words = _mm_xor_si128(packed, _mm_set1_epi16(static_cast<short>(0x8000)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), words);
}

inline void StoreBlock(float* out, __m128 v) {
    _mm_storeu_ps(out, v);
}

template <typename T>
T StoreRemainder(float v) {
    return StoreInterpolated<T>(static_cast<double>(v));
}

template <>
inline float StoreRemainder<float>(float v) {
    return v;
}

// n consecutive values: blocks of four, then the remainder one at a time.
template <typename T>
void CubicColumn(T* dst, std::int64_t count, float t, const float* r0, const float* r1,
                 const float* r2, const float* r3) {
    std::int64_t i = 0;
    if (count >= 4) {
        const CubicVectorWeights w = BlockWeights(_mm_set1_ps(t));
        for (; i + 4 <= count; i += 4) {
            StoreBlock(dst + i, ColumnBlockValue(LoadFour(r0 + i), LoadFour(r1 + i),
                                                 LoadFour(r2 + i), LoadFour(r3 + i), w));
        }
    }
    for (; i < count; ++i) {
        dst[i] = StoreRemainder<T>(CubicScalar(r0[i], r1[i], r2[i], r3[i], t));
    }
}

// Three packed values per pixel into samples 0-2 of 4-sample pixels: value i goes to pixel
// i / 3, sample i mod 3. Integer rows take blocks of four values and the remainder; float
// rows take every value in the remainder form, summed as kFloatSum says.
template <CubicFloat3of4Sum kFloatSum, typename T>
void CubicColumn3of4(T* dst, std::int32_t width, float t, const float* r0, const float* r1,
                     const float* r2, const float* r3) {
    const std::int64_t count = 3 * static_cast<std::int64_t>(width);
    const auto at = [](std::int64_t i) { return 4 * (i / 3) + i % 3; };
    std::int64_t i = 0;
    if constexpr (!std::is_same_v<T, float>) {
        if (count >= 4) {
            const CubicVectorWeights w = BlockWeights(_mm_set1_ps(t));
            for (; i + 4 <= count; i += 4) {
                T block[4];
                StoreBlock(block, ColumnBlockValue(LoadFour(r0 + i), LoadFour(r1 + i),
                                                   LoadFour(r2 + i), LoadFour(r3 + i), w));
                for (int k = 0; k < 4; ++k) {
                    dst[at(i + k)] = block[k];
                }
            }
        }
    }
    constexpr CubicFloat3of4Sum kSum =
        std::is_same_v<T, float> ? kFloatSum : CubicFloat3of4Sum::kRemainderOrder;
    for (; i < count; ++i) {
        dst[at(i)] = StoreRemainder<T>(CubicScalar<kSum>(r0[i], r1[i], r2[i], r3[i], t));
    }
}

// The passes of the kernel templates (CubicRowKernels.h), with the build's float
// three-of-four sum.
template <CubicFloat3of4Sum kFloatSum>
struct SimdCubicPasses {
    template <typename T, int kChannels>
    static void Row(const T* row, std::int32_t count, std::int32_t distance,
                    const std::int32_t* offsets, const float* fractions, float* out) {
        if constexpr (kChannels == 4) {
            CubicRow4(row, count, offsets, fractions, out);
        } else if constexpr (kChannels == 3) {
            CubicRow3(row, count, distance, offsets, fractions, out);
        } else {
            CubicRow1(row, count, offsets, fractions, out);
        }
    }
    template <typename T>
    static void Column(T* dst, std::int64_t count, float t, const float* r0, const float* r1,
                       const float* r2, const float* r3) {
        CubicColumn(dst, count, t, r0, r1, r2, r3);
    }
    template <typename T>
    static void Column3of4(T* dst, std::int32_t width, float t, const float* r0,
                           const float* r1, const float* r2, const float* r3) {
        CubicColumn3of4<kFloatSum>(dst, width, t, r0, r1, r2, r3);
    }
};

}  // namespace
