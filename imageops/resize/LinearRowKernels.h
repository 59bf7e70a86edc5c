#pragma once

#include "imageops/resize/ResizeLinearRows.h"
#include "imageops/resize/ResizeLinearWindow.h"

#include <cstdint>

// The linear kernels of every build: the two-row window (ResizeLinearWindow.h) driven by a
// build's passes. Passes provides Row<T, kChannels>(row, count, distance, offsets, weights,
// out) with the right neighbour `distance` samples on, Column<T> (consecutive values) and
// Column3of4<T> (three packed values into samples 0-2 of 4-sample pixels). It may also provide
// Fused4, a row pass Row(row, count, offsets, weights, out) and a whole window step
// Step(upper, lower, count, offsets, weights, top, bottom, weight, out) for contiguous
// four-channel pixels of one sample type, with a buffer content of its own. LinearPasses.h,
// ResizeLinearRowsSse.cpp and LinearPassesSimd.h hold them. Internal linkage keeps each build's
// copy compiled with its own flags.
namespace {

template <typename Passes, typename T>
void LinearInterleaved(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                       std::int32_t dstWidth, std::int32_t dstHeight,
                       const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                       const LinearWeight<T>* rowWeights, const LinearWeight<T>* columnWeights,
                       LinearWeight<T>* lineBuffer0, LinearWeight<T>* lineBuffer1,
                       std::int32_t pixelStride, std::int32_t channels) {
    using Buffer = LinearWeight<T>;
    const bool three = channels == 3;
    const auto rowPass = [&](const T* row, Buffer* out) {
        if (three) {
            Passes::template Row<T, 3>(row, dstWidth, pixelStride, columnOffsets, columnWeights,
                                       out);
        } else {
            Passes::template Row<T, 4>(row, dstWidth, 4, columnOffsets, columnWeights, out);
        }
    };
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, LinearWeight<T> w, const Buffer* top,
                                const Buffer* bottom) {
        if (contiguous) {
            Passes::template Column<T>(out, values, w, top, bottom);
        } else {
            Passes::template Column3of4<T>(out, dstWidth, w, top, bottom);
        }
    };
    const std::int64_t span = dstWidth > 0 ? static_cast<std::int64_t>(columnOffsets[dstWidth - 1]) + 2 * pixelStride : 0;
    if constexpr (requires {
                      Passes::Fused4::Step(src, src, dstWidth, columnOffsets, columnWeights,
                                           lineBuffer0, lineBuffer1, rowWeights[0], dst);
                  }) {
        if (!three && contiguous) {
            const auto row = [&](const T* r, Buffer* out) {
                Passes::Fused4::Row(r, dstWidth, columnOffsets, columnWeights, out);
            };
            const auto step = [&](const T* upper, const T* lower, Buffer* top, Buffer* bottom,
                                  LinearWeight<T> w, T* out) {
                Passes::Fused4::Step(upper, lower, dstWidth, columnOffsets, columnWeights, top,
                                     bottom, w, out);
            };
            LinearWindow(src, dst, srcStep, dstStep, dstHeight, span, rowOffsets, rowWeights,
                         lineBuffer0, lineBuffer1, row, step);
            return;
        }
    }
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, span, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, SeparateLinearSteps(rowPass, columnPass));
}

template <typename Passes, typename T>
void LinearSingle(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                  std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
                  const std::int32_t* columnOffsets, const LinearWeight<T>* rowWeights,
                  const LinearWeight<T>* columnWeights, LinearWeight<T>* lineBuffer0,
                  LinearWeight<T>* lineBuffer1) {
    using Buffer = LinearWeight<T>;
    const auto rowPass = [&](const T* row, Buffer* out) {
        Passes::template Row<T, 1>(row, dstWidth, 1, columnOffsets, columnWeights, out);
    };
    const auto columnPass = [&](T* out, LinearWeight<T> w, const Buffer* top,
                                const Buffer* bottom) {
        Passes::template Column<T>(out, dstWidth, w, top, bottom);
    };
    const std::int64_t span = dstWidth > 0 ? static_cast<std::int64_t>(columnOffsets[dstWidth - 1]) + 2 : 0;
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, span, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, SeparateLinearSteps(rowPass, columnPass));
}

}  // namespace

#define QM_LINEAR_KERNEL_PARAMS(type)                                                          \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t *rowOffsets,        \
        const std::int32_t *columnOffsets, const LinearWeight<type> *rowWeights,              \
        const LinearWeight<type> *columnWeights, LinearWeight<type> *lineBuffer0,             \
        LinearWeight<type> *lineBuffer1
#define QM_LINEAR_KERNEL_ARGS                                                                  \
    src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets, rowWeights,   \
        columnWeights, lineBuffer0, lineBuffer1
#define QM_LINEAR_INTERLEAVED_KERNEL(name, type, Passes)                                       \
    void name(QM_LINEAR_KERNEL_PARAMS(type), std::int32_t pixelStride, std::int32_t channels) { \
        LinearInterleaved<Passes>(QM_LINEAR_KERNEL_ARGS, pixelStride, channels);               \
    }
#define QM_LINEAR_SINGLE_KERNEL(name, type, Passes)                                            \
    void name(QM_LINEAR_KERNEL_PARAMS(type)) {                                                 \
        LinearSingle<Passes>(QM_LINEAR_KERNEL_ARGS);                                           \
    }

// Defines a build's six kernels, ResizeLinearRows8u<suffix> .. ResizeLinearRows32f1<suffix>,
// from its passes.
#define QM_DEFINE_LINEAR_KERNELS(suffix, Passes)                                              \
    QM_LINEAR_INTERLEAVED_KERNEL(ResizeLinearRows8u##suffix, std::uint8_t, Passes)             \
    QM_LINEAR_INTERLEAVED_KERNEL(ResizeLinearRows16u##suffix, std::uint16_t, Passes)           \
    QM_LINEAR_INTERLEAVED_KERNEL(ResizeLinearRows32f##suffix, float, Passes)                   \
    QM_LINEAR_SINGLE_KERNEL(ResizeLinearRows8u1##suffix, std::uint8_t, Passes)                 \
    QM_LINEAR_SINGLE_KERNEL(ResizeLinearRows16u1##suffix, std::uint16_t, Passes)               \
    QM_LINEAR_SINGLE_KERNEL(ResizeLinearRows32f1##suffix, float, Passes)
