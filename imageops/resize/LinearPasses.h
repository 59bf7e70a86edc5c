#pragma once

#include "imageops/resize/LinearSampleOps.h"

#include <cstddef>
#include <cstdint>

// The linear passes one value at a time over a build's arithmetic (LinearSampleOps.h), shared
// by every build with internal linkage so each build's copy is compiled with its own flags.
namespace {

// Horizontal pass over count destination columns: kChannels values per pixel, the right
// neighbour `distance` samples after the left one.
template <typename Ops, typename T, int kChannels>
void LinearRowScalar(const T* row, std::int32_t count, std::int32_t distance,
                     const std::int32_t* columnOffsets, const typename Ops::Weight* columnWeights,
                     typename Ops::Buffer* out) {
    for (std::int32_t x = 0; x < count; ++x) {
        const T* left = row + columnOffsets[x];
        const auto* w =
            columnWeights + static_cast<std::ptrdiff_t>(x) * Ops::kColumnWeightsPerPixel;
        for (int c = 0; c < kChannels; ++c) {
            out[c] = Ops::Horizontal(left[c], left[c + distance], w);
        }
        out += kChannels;
    }
}

// Vertical pass over values first .. count - 1.
template <typename Ops, typename T>
void LinearColumnScalar(T* dst, std::int64_t first, std::int64_t count,
                        typename Ops::Weight weight, const typename Ops::Buffer* top,
                        const typename Ops::Buffer* bottom) {
    const typename Ops::RowWeight w(weight);
    for (std::int64_t i = first; i < count; ++i) {
        dst[i] = Ops::Vertical(top[i], bottom[i], w);
    }
}

// Three packed values per pixel into samples 0-2 of 4-sample pixels first .. width - 1;
// sample 3 is not written.
template <typename Ops, typename T>
void LinearColumn3of4Scalar(T* dst, std::int32_t first, std::int32_t width,
                            typename Ops::Weight weight, const typename Ops::Buffer* top,
                            const typename Ops::Buffer* bottom) {
    const typename Ops::RowWeight w(weight);
    for (std::int32_t x = first; x < width; ++x) {
        for (int c = 0; c < 3; ++c) {
            const std::ptrdiff_t v = 3 * static_cast<std::ptrdiff_t>(x) + c;
            dst[4 * static_cast<std::ptrdiff_t>(x) + c] = Ops::Vertical(top[v], bottom[v], w);
        }
    }
}

// The passes of a build that computes one value at a time: Q14 integers, FloatOps for floats.
template <typename FloatOps>
struct ScalarLinearPasses {
    template <typename T>
    using Ops = LinearOpsFor<T, FloatOps>;

    template <typename T, int kChannels>
    static void Row(const T* row, std::int32_t count, std::int32_t distance,
                    const std::int32_t* offsets, const typename Ops<T>::Weight* weights,
                    typename Ops<T>::Buffer* out) {
        LinearRowScalar<Ops<T>, T, kChannels>(row, count, distance, offsets, weights, out);
    }
    template <typename T>
    static void Column(T* dst, std::int64_t count, typename Ops<T>::Weight weight,
                       const typename Ops<T>::Buffer* top, const typename Ops<T>::Buffer* bottom) {
        LinearColumnScalar<Ops<T>>(dst, 0, count, weight, top, bottom);
    }
    template <typename T>
    static void Column3of4(T* dst, std::int32_t width, typename Ops<T>::Weight weight,
                           const typename Ops<T>::Buffer* top,
                           const typename Ops<T>::Buffer* bottom) {
        LinearColumn3of4Scalar<Ops<T>>(dst, 0, width, weight, top, bottom);
    }
};

}  // namespace
