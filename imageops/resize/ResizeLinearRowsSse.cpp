#include "imageops/resize/ResizeLinearRowsSse.h"

#include "imageops/resize/ResizeLinearWindow.h"

#include <cstddef>
#include <cstdint>
#include <xmmintrin.h>

namespace {

// Q14 arithmetic of the integer kernels: 8-bit rows keep 6 fraction bits (value * 64) so the
// sample rounds once, at the end; 16-bit rows round in both passes. Unsigned 32-bit sums never
// overflow (at most 16384 * 65535 + 8192).
template <typename T>
struct FixedLinear;

template <>
struct FixedLinear<std::uint8_t> {
    static std::uint16_t Row(std::uint32_t a, std::uint32_t b, const std::uint16_t* w) {
        return static_cast<std::uint16_t>((w[0] * a + w[1] * b + 128u) >> 8);
    }
    static std::uint8_t Column(std::uint32_t top, std::uint32_t bottom, std::uint32_t w) {
        return static_cast<std::uint8_t>((top * (16384u - w) + bottom * w + 524288u) >> 20);
    }
};

template <>
struct FixedLinear<std::uint16_t> {
    static std::uint16_t Row(std::uint32_t a, std::uint32_t b, const std::uint16_t* w) {
        return static_cast<std::uint16_t>((w[0] * a + w[1] * b + 8192u) >> 14);
    }
    static std::uint16_t Column(std::uint32_t top, std::uint32_t bottom, std::uint32_t w) {
        return static_cast<std::uint16_t>((top * (16384u - w) + bottom * w + 8192u) >> 14);
    }
};

// Interleaved horizontal pass, kChannels values per pixel, the right pixel `distance` samples on.
template <typename T, int kChannels>
void FixedRowPass(const T* row, std::int32_t count, std::int32_t distance,
                  const std::int32_t* columnOffsets, const std::uint16_t* columnWeights,
                  std::uint16_t* out) {
    for (std::int32_t x = 0; x < count; ++x) {
        const T* left = row + columnOffsets[x];
        const std::uint16_t* w = columnWeights + 2 * static_cast<std::ptrdiff_t>(x);
        for (int c = 0; c < kChannels; ++c) {
            out[c] = FixedLinear<T>::Row(left[c], left[c + distance], w);
        }
        out += kChannels;
    }
}

// One-channel horizontal pass, two destination columns per step.
template <typename T>
void FixedRowPassC1(const T* row, std::int32_t count, const std::int32_t* columnOffsets,
                    const std::uint16_t* columnWeights, std::uint16_t* out) {
    std::int32_t x = 0;
    for (; x + 2 <= count; x += 2) {
        const T* a = row + columnOffsets[x];
        const T* b = row + columnOffsets[x + 1];
        out[x] = FixedLinear<T>::Row(a[0], a[1], columnWeights + 2 * static_cast<std::ptrdiff_t>(x));
        out[x + 1] =
            FixedLinear<T>::Row(b[0], b[1], columnWeights + 2 * static_cast<std::ptrdiff_t>(x) + 2);
    }
    if (x < count) {
        const T* a = row + columnOffsets[x];
        out[x] = FixedLinear<T>::Row(a[0], a[1], columnWeights + 2 * static_cast<std::ptrdiff_t>(x));
    }
}

// Contiguous vertical pass, two values per step.
template <typename T>
void FixedColumnPass(T* dst, std::int64_t count, std::uint16_t weight, const std::uint16_t* top,
                     const std::uint16_t* bottom) {
    std::int64_t i = 0;
    for (; i + 2 <= count; i += 2) {
        dst[i] = FixedLinear<T>::Column(top[i], bottom[i], weight);
        dst[i + 1] = FixedLinear<T>::Column(top[i + 1], bottom[i + 1], weight);
    }
    if (i < count) {
        dst[i] = FixedLinear<T>::Column(top[i], bottom[i], weight);
    }
}

// Three packed values per pixel into samples 0-2 of 4-sample pixels.
template <typename T>
void FixedColumnPass3of4(T* dst, std::int32_t dstWidth, std::uint16_t weight,
                         const std::uint16_t* top, const std::uint16_t* bottom) {
    for (std::int32_t x = 0; x < dstWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
            const std::ptrdiff_t i = 3 * static_cast<std::ptrdiff_t>(x) + c;
            dst[4 * static_cast<std::ptrdiff_t>(x) + c] = FixedLinear<T>::Column(top[i], bottom[i], weight);
        }
    }
}

// Single-precision blends of the float kernels.
float RowBlend(float a, float b, float fx) {
    return a + (b - a) * fx;
}

float ColumnBlend(float top, float bottom, float upper, float lower) {
    return top * upper + bottom * lower;
}

template <int kChannels>
void FloatRowPass(const float* row, std::int32_t count, std::int32_t distance,
                  const std::int32_t* columnOffsets, const float* columnWeights, float* out) {
    for (std::int32_t x = 0; x < count; ++x) {
        const float* left = row + columnOffsets[x];
        for (int c = 0; c < kChannels; ++c) {
            out[c] = RowBlend(left[c], left[c + distance], columnWeights[x]);
        }
        out += kChannels;
    }
}

// One-channel horizontal pass: four columns per vector step (the weights and the output are
// 16-byte aligned blocks of the driver), the rest one by one.
void FloatRowPassC1(const float* row, std::int32_t count, const std::int32_t* columnOffsets,
                    const float* columnWeights, float* out) {
    std::int32_t x = 0;
    for (; x + 4 <= count; x += 4) {
        const float* p0 = row + columnOffsets[x];
        const float* p1 = row + columnOffsets[x + 1];
        const float* p2 = row + columnOffsets[x + 2];
        const float* p3 = row + columnOffsets[x + 3];
        const __m128 a = _mm_set_ps(p3[0], p2[0], p1[0], p0[0]);
        const __m128 b = _mm_set_ps(p3[1], p2[1], p1[1], p0[1]);
        const __m128 fx = _mm_load_ps(columnWeights + x);
        _mm_store_ps(out + x, _mm_add_ps(a, _mm_mul_ps(_mm_sub_ps(b, a), fx)));
    }
    for (; x < count; ++x) {
        const float* p = row + columnOffsets[x];
        out[x] = RowBlend(p[0], p[1], columnWeights[x]);
    }
}

// Contiguous vertical pass: four values per vector step from the aligned buffers, stored
// aligned or unaligned by the destination's address; the rest one by one.
void FloatColumnPass(float* dst, std::int64_t count, float weight, const float* top,
                     const float* bottom) {
    const float upper = 1.0f - weight;
    const __m128 u = _mm_set1_ps(upper);
    const __m128 l = _mm_set1_ps(weight);
    const bool aligned = reinterpret_cast<std::uintptr_t>(dst) % 16 == 0;
    std::int64_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128 v = _mm_add_ps(_mm_mul_ps(_mm_load_ps(top + i), u),
                                    _mm_mul_ps(_mm_load_ps(bottom + i), l));
        if (aligned) {
            _mm_store_ps(dst + i, v);
        } else {
            _mm_storeu_ps(dst + i, v);
        }
    }
    for (; i < count; ++i) {
        dst[i] = ColumnBlend(top[i], bottom[i], upper, weight);
    }
}

void FloatColumnPass3of4(float* dst, std::int32_t dstWidth, float weight, const float* top,
                         const float* bottom) {
    const float upper = 1.0f - weight;
    for (std::int32_t x = 0; x < dstWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
            const std::ptrdiff_t i = 3 * static_cast<std::ptrdiff_t>(x) + c;
            dst[4 * static_cast<std::ptrdiff_t>(x) + c] = ColumnBlend(top[i], bottom[i], upper, weight);
        }
    }
}

template <typename T>
void FixedInterleaved(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                      std::int32_t dstWidth, std::int32_t dstHeight,
                      const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                      const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                      std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                      std::int32_t pixelStride, std::int32_t channels) {
    const bool three = channels == 3;
    const auto rowPass = [&](const T* row, std::uint16_t* out) {
        if (three) {
            FixedRowPass<T, 3>(row, dstWidth, pixelStride, columnOffsets, columnWeights, out);
        } else {
            FixedRowPass<T, 4>(row, dstWidth, 4, columnOffsets, columnWeights, out);
        }
    };
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, std::uint16_t w, const std::uint16_t* top,
                                const std::uint16_t* bottom) {
        if (contiguous) {
            FixedColumnPass<T>(out, values, w, top, bottom);
        } else {
            FixedColumnPass3of4<T>(out, dstWidth, w, top, bottom);
        }
    };
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, columnPass);
}

template <typename T>
void FixedSingle(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                 std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
                 const std::int32_t* columnOffsets, const std::uint16_t* rowWeights,
                 const std::uint16_t* columnWeights, std::uint16_t* lineBuffer0,
                 std::uint16_t* lineBuffer1) {
    const auto rowPass = [&](const T* row, std::uint16_t* out) {
        FixedRowPassC1<T>(row, dstWidth, columnOffsets, columnWeights, out);
    };
    const auto columnPass = [&](T* out, std::uint16_t w, const std::uint16_t* top,
                                const std::uint16_t* bottom) {
        FixedColumnPass<T>(out, dstWidth, w, top, bottom);
    };
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, columnPass);
}

}  // namespace

void ResizeLinearRows8uSse(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                           std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                           std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                           std::int32_t pixelStride, std::int32_t channels) {
    FixedInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                     rowWeights, columnWeights, lineBuffer0, lineBuffer1, pixelStride, channels);
}

void ResizeLinearRows16uSse(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                            std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                            std::int32_t pixelStride, std::int32_t channels) {
    FixedInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                     rowWeights, columnWeights, lineBuffer0, lineBuffer1, pixelStride, channels);
}

void ResizeLinearRows32fSse(const float* src, float* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const float* rowWeights, const float* columnWeights,
                            float* lineBuffer0, float* lineBuffer1, std::int32_t pixelStride,
                            std::int32_t channels) {
    const bool three = channels == 3;
    const auto rowPass = [&](const float* row, float* out) {
        if (three) {
            FloatRowPass<3>(row, dstWidth, pixelStride, columnOffsets, columnWeights, out);
        } else {
            FloatRowPass<4>(row, dstWidth, 4, columnOffsets, columnWeights, out);
        }
    };
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](float* out, float w, const float* top, const float* bottom) {
        if (contiguous) {
            FloatColumnPass(out, values, w, top, bottom);
        } else {
            FloatColumnPass3of4(out, dstWidth, w, top, bottom);
        }
    };
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, columnPass);
}

void ResizeLinearRows8u1Sse(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                            std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1) {
    FixedSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                rowWeights, columnWeights, lineBuffer0, lineBuffer1);
}

void ResizeLinearRows16u1Sse(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth,
                             std::int32_t dstHeight, const std::int32_t* rowOffsets,
                             const std::int32_t* columnOffsets, const std::uint16_t* rowWeights,
                             const std::uint16_t* columnWeights, std::uint16_t* lineBuffer0,
                             std::uint16_t* lineBuffer1) {
    FixedSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                rowWeights, columnWeights, lineBuffer0, lineBuffer1);
}

void ResizeLinearRows32f1Sse(const float* src, float* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth,
                             std::int32_t dstHeight, const std::int32_t* rowOffsets,
                             const std::int32_t* columnOffsets, const float* rowWeights,
                             const float* columnWeights, float* lineBuffer0,
                             float* lineBuffer1) {
    const auto rowPass = [&](const float* row, float* out) {
        FloatRowPassC1(row, dstWidth, columnOffsets, columnWeights, out);
    };
    const auto columnPass = [&](float* out, float w, const float* top, const float* bottom) {
        FloatColumnPass(out, dstWidth, w, top, bottom);
    };
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, columnPass);
}
