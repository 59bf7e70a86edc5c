#pragma once

#include "imageops/resize/ResizeArithmetic.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// The Lanczos-3 passes one value at a time, shared by every build with internal linkage so each
// build's copy is compiled with its own flags. Sums run in tap order in the accumulator type
// (double in the plain build, float in the single-precision ones): every product and partial
// sum is rounded to it. A horizontal sum is stored as float; a vertical one is widened to
// double and stored by StoreInterpolated (+ 1e-7, truncated and clamped for integer samples).
namespace {

// Calls pixel(x, p, distances, w) for each of count destination columns: p the sample at the
// column's offset in row, distances the six taps' element distances from p (columns centre - 2
// .. centre + 3 clamped to -srcRoiX .. columnsRight - 1 relative to the region), w its six
// weights. The interior needs no clamp.
template <typename T, typename PixelFn>
void ForEachLanczosColumn(const T* row, std::int32_t stride, const std::int32_t* offsets,
                          const float* weights, std::int32_t count, std::int32_t srcRoiX,
                          std::int32_t columnsRight, PixelFn pixel) {
    const std::int64_t first = -static_cast<std::int64_t>(srcRoiX);
    const std::int64_t last = static_cast<std::int64_t>(columnsRight) - 1;
    for (std::int32_t x = 0; x < count; ++x) {
        const std::int64_t offset = offsets[x];
        const std::int64_t centre = offset / stride;
        std::int64_t distances[6];
        for (int k = 0; k < 6; ++k) {
            const std::int64_t column = std::clamp<std::int64_t>(centre + k - 2, first, last);
            distances[k] = (column - centre) * stride;
        }
        pixel(x, row + offset, distances, weights + 6 * static_cast<std::ptrdiff_t>(x));
    }
}

// One output of the horizontal pass: sample `channel` of the six taps.
template <typename Acc, typename T>
float TapSum(const T* p, const std::int64_t distances[6], int channel, const float* w) {
    Acc sum = static_cast<Acc>(p[distances[0] + channel]) * static_cast<Acc>(w[0]);
    for (int k = 1; k < 6; ++k) {
        sum = sum + static_cast<Acc>(p[distances[k] + channel]) * static_cast<Acc>(w[k]);
    }
    return static_cast<float>(sum);
}

// Horizontal pass over count destination columns, kChannels values each (3: samples 0-2 of
// pixels `stride` apart).
template <typename Acc, typename T, int kChannels>
void LanczosRowScalar(const T* row, std::int32_t stride, const std::int32_t* offsets,
                      const float* weights, float* out, std::int32_t count,
                      std::int32_t srcRoiX, std::int32_t columnsRight) {
    ForEachLanczosColumn(row, stride, offsets, weights, count, srcRoiX, columnsRight,
                         [&](std::int32_t x, const T* p, const std::int64_t* distances,
                             const float* w) {
                             float* o = out + static_cast<std::ptrdiff_t>(x) * kChannels;
                             for (int c = 0; c < kChannels; ++c) {
                                 o[c] = TapSum<Acc>(p, distances, c, w);
                             }
                         });
}

template <typename Acc>
double ColumnSum(const float* const rows[6], std::ptrdiff_t i, const float* w) {
    Acc sum = static_cast<Acc>(rows[0][i]) * static_cast<Acc>(w[0]);
    for (int k = 1; k < 6; ++k) {
        sum = sum + static_cast<Acc>(rows[k][i]) * static_cast<Acc>(w[k]);
    }
    return static_cast<double>(sum);
}

// Vertical pass over values first .. count - 1.
template <typename Acc, typename T>
void LanczosColumnScalar(T* dst, std::int64_t first, std::int64_t count, const float* w,
                         const float* const rows[6]) {
    for (std::int64_t i = first; i < count; ++i) {
        dst[i] = StoreInterpolated<T>(ColumnSum<Acc>(rows, i, w));
    }
}

// Three packed values per pixel into samples 0-2 of 4-sample pixels; sample 3 is not written.
template <typename Acc, typename T>
void LanczosColumn3of4(T* dst, std::int32_t width, const float* w, const float* const rows[6]) {
    for (std::int32_t x = 0; x < width; ++x) {
        for (int c = 0; c < 3; ++c) {
            const std::ptrdiff_t i = 3 * static_cast<std::ptrdiff_t>(x) + c;
            dst[4 * static_cast<std::ptrdiff_t>(x) + c] =
                StoreInterpolated<T>(ColumnSum<Acc>(rows, i, w));
        }
    }
}

// The passes of a build that computes one value at a time in Acc.
template <typename Acc>
struct ScalarLanczosPasses {
    template <typename T, int kChannels>
    static void Row(const T* row, std::int32_t stride, const std::int32_t* offsets,
                    const float* weights, float* out, std::int32_t count, std::int32_t srcRoiX,
                    std::int32_t columnsRight) {
        LanczosRowScalar<Acc, T, kChannels>(row, stride, offsets, weights, out, count, srcRoiX,
                                            columnsRight);
    }
    template <typename T>
    static void Column(T* dst, std::int64_t count, const float* w, const float* const rows[6]) {
        LanczosColumnScalar<Acc>(dst, 0, count, w, rows);
    }
    template <typename T>
    static void Column3of4(T* dst, std::int32_t width, const float* w,
                           const float* const rows[6]) {
        LanczosColumn3of4<Acc>(dst, width, w, rows);
    }
};

}  // namespace
