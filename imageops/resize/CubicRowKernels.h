#pragma once

#include "imageops/resize/ResizeCubicRows.h"
#include "imageops/resize/ResizeCubicWindow.h"

#include <cstdint>

// The cubic kernels of every build: the four-row ring (ResizeCubicWindow.h) driven by a build's
// passes. Passes provides Row<T, kChannels>(row, count, distance, offsets, fractions, out) with
// neighbouring taps `distance` samples apart, Column<T>(dst, count, t, r0, r1, r2, r3) over
// consecutive values and Column3of4<T>(dst, width, t, r0, r1, r2, r3) from three packed values
// into samples 0-2 of 4-sample pixels. Internal linkage keeps each build's copy compiled with
// its own flags.
namespace {

template <typename Passes, typename T>
void CubicInterleaved(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                      std::int32_t dstWidth, std::int32_t dstHeight,
                      const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                      const float* rowFractions, const float* columnFractions,
                      float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                      float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels) {
    const bool three = channels == 3;
    const auto rowPass = [&](const T* row, float* out) {
        if (three) {
            Passes::template Row<T, 3>(row, dstWidth, pixelStride, columnOffsets,
                                       columnFractions, out);
        } else {
            Passes::template Row<T, 4>(row, dstWidth, 4, columnOffsets, columnFractions, out);
        }
    };
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, float t, const float* b0, const float* b1,
                                const float* b2, const float* b3) {
        if (contiguous) {
            Passes::template Column<T>(out, values, t, b0, b1, b2, b3);
        } else {
            Passes::template Column3of4<T>(out, dstWidth, t, b0, b1, b2, b3);
        }
    };
    CubicWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowFractions, lineBuffer0,
                lineBuffer1, lineBuffer2, lineBuffer3, rowPass, columnPass);
}

template <typename Passes, typename T>
void CubicSingle(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                 std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
                 const std::int32_t* columnOffsets, const float* rowFractions,
                 const float* columnFractions, float* lineBuffer0, float* lineBuffer1,
                 float* lineBuffer2, float* lineBuffer3) {
    const auto rowPass = [&](const T* row, float* out) {
        Passes::template Row<T, 1>(row, dstWidth, 1, columnOffsets, columnFractions, out);
    };
    const auto columnPass = [&](T* out, float t, const float* b0, const float* b1,
                                const float* b2, const float* b3) {
        Passes::template Column<T>(out, dstWidth, t, b0, b1, b2, b3);
    };
    CubicWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowFractions, lineBuffer0,
                lineBuffer1, lineBuffer2, lineBuffer3, rowPass, columnPass);
}

}  // namespace

#define QM_CUBIC_KERNEL_PARAMS(type)                                                           \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t *rowOffsets,        \
        const std::int32_t *columnOffsets, const float *rowFractions,                         \
        const float *columnFractions, float *lineBuffer0, float *lineBuffer1,                 \
        float *lineBuffer2, float *lineBuffer3
#define QM_CUBIC_KERNEL_ARGS                                                                   \
    src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets, rowFractions, \
        columnFractions, lineBuffer0, lineBuffer1, lineBuffer2, lineBuffer3
#define QM_CUBIC_INTERLEAVED_KERNEL(name, type, Passes)                                        \
    void name(QM_CUBIC_KERNEL_PARAMS(type), std::int32_t pixelStride, std::int32_t channels) { \
        CubicInterleaved<Passes>(QM_CUBIC_KERNEL_ARGS, pixelStride, channels);                 \
    }
#define QM_CUBIC_SINGLE_KERNEL(name, type, Passes)                                             \
    void name(QM_CUBIC_KERNEL_PARAMS(type)) {                                                  \
        CubicSingle<Passes>(QM_CUBIC_KERNEL_ARGS);                                             \
    }

// Defines a build's six kernels, ResizeCubicRows8u<suffix> .. ResizeCubicRows32f1<suffix>, from
// its passes.
#define QM_DEFINE_CUBIC_KERNELS(suffix, Passes)                                               \
    QM_CUBIC_INTERLEAVED_KERNEL(ResizeCubicRows8u##suffix, std::uint8_t, Passes)               \
    QM_CUBIC_INTERLEAVED_KERNEL(ResizeCubicRows16u##suffix, std::uint16_t, Passes)             \
    QM_CUBIC_INTERLEAVED_KERNEL(ResizeCubicRows32f##suffix, float, Passes)                     \
    QM_CUBIC_SINGLE_KERNEL(ResizeCubicRows8u1##suffix, std::uint8_t, Passes)                   \
    QM_CUBIC_SINGLE_KERNEL(ResizeCubicRows16u1##suffix, std::uint16_t, Passes)                 \
    QM_CUBIC_SINGLE_KERNEL(ResizeCubicRows32f1##suffix, float, Passes)
