#pragma once

#include "imageops/resize/ResizeLanczosRows.h"
#include "imageops/resize/ResizeLanczosWindow.h"

#include <cstdint>

// The Lanczos-3 kernels of every build: the six-row ring (ResizeLanczosWindow.h) driven by a
// build's passes and row copy. Passes provides Row<T, kChannels>, Column<T> (consecutive
// values) and Column3of4<T> (three packed values into samples 0-2 of 4-sample pixels);
// LanczosPasses.h and LanczosPassesSimd.h hold them. Internal linkage keeps each build's copy
// compiled with its own flags.
namespace {

using LanczosRowCopy = void (*)(const float* from, float* to, std::int64_t count);

template <typename Passes, typename T>
void LanczosInterleaved(LanczosRowCopy copyRow, const T* src, T* dst, std::int32_t srcStep,
                        std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                        const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                        const float* rowWeights, const float* columnWeights,
                        float* const lineBuffers[6], std::int32_t srcRoiX, std::int32_t srcRoiY,
                        std::int32_t columnsRight, std::int32_t rowsBelow, std::int32_t upY,
                        std::int32_t pixelStride, std::int32_t channels) {
    const bool three = channels == 3;
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const auto rowPass = [&](const T* row, float* out) {
        if (three) {
            Passes::template Row<T, 3>(row, pixelStride, columnOffsets, columnWeights, out,
                                       dstWidth, srcRoiX, columnsRight);
        } else {
            Passes::template Row<T, 4>(row, 4, columnOffsets, columnWeights, out, dstWidth,
                                       srcRoiX, columnsRight);
        }
    };
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, const float* w, const float* const rows[6]) {
        if (contiguous) {
            Passes::template Column<T>(out, values, w, rows);
        } else {
            Passes::template Column3of4<T>(out, dstWidth, w, rows);
        }
    };
    LanczosWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffers,
                  srcRoiY, rowsBelow, upY, values, rowPass, columnPass, copyRow);
}

template <typename Passes, typename T>
void LanczosSingle(LanczosRowCopy copyRow, const T* src, T* dst, std::int32_t srcStep,
                   std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                   const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                   const float* rowWeights, const float* columnWeights,
                   float* const lineBuffers[6], std::int32_t srcRoiX, std::int32_t srcRoiY,
                   std::int32_t columnsRight, std::int32_t rowsBelow, std::int32_t upY) {
    const auto rowPass = [&](const T* row, float* out) {
        Passes::template Row<T, 1>(row, 1, columnOffsets, columnWeights, out, dstWidth, srcRoiX,
                                   columnsRight);
    };
    const auto columnPass = [&](T* out, const float* w, const float* const rows[6]) {
        Passes::template Column<T>(out, dstWidth, w, rows);
    };
    LanczosWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffers,
                  srcRoiY, rowsBelow, upY, dstWidth, rowPass, columnPass, copyRow);
}

}  // namespace

#define QM_LANCZOS_KERNEL_PARAMS(type)                                                         \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t *rowOffsets,        \
        const std::int32_t *columnOffsets, const float *rowWeights,                           \
        const float *columnWeights, float *lineBuffer0, float *lineBuffer1,                   \
        float *lineBuffer2, float *lineBuffer3, float *lineBuffer4, float *lineBuffer5,       \
        std::int32_t srcRoiX, std::int32_t srcRoiY, std::int32_t columnsRight,                \
        std::int32_t rowsBelow, std::int32_t upY
#define QM_LANCZOS_KERNEL_ARGS                                                                 \
    src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets, rowWeights,   \
        columnWeights, buffers, srcRoiX, srcRoiY, columnsRight, rowsBelow, upY
#define QM_LANCZOS_KERNEL_BUFFERS                                                              \
    float* const buffers[6] = {lineBuffer0, lineBuffer1, lineBuffer2,                          \
                               lineBuffer3, lineBuffer4, lineBuffer5}
#define QM_LANCZOS_INTERLEAVED_KERNEL(name, type, Passes, copyRow)                             \
    void name(QM_LANCZOS_KERNEL_PARAMS(type), std::int32_t pixelStride,                       \
              std::int32_t channels) {                                                         \
        QM_LANCZOS_KERNEL_BUFFERS;                                                             \
        LanczosInterleaved<Passes>(copyRow, QM_LANCZOS_KERNEL_ARGS, pixelStride, channels);    \
    }
#define QM_LANCZOS_SINGLE_KERNEL(name, type, Passes, copyRow)                                  \
    void name(QM_LANCZOS_KERNEL_PARAMS(type)) {                                                \
        QM_LANCZOS_KERNEL_BUFFERS;                                                             \
        LanczosSingle<Passes>(copyRow, QM_LANCZOS_KERNEL_ARGS);                                \
    }

// Defines a build's six kernels, ResizeLanczosRows8u<suffix> .. ResizeLanczosRows32f1<suffix>,
// from its passes and its row copy (a LanczosRowCopy).
#define QM_DEFINE_LANCZOS_KERNELS(suffix, Passes, copyRow)                                    \
    QM_LANCZOS_INTERLEAVED_KERNEL(ResizeLanczosRows8u##suffix, std::uint8_t, Passes, copyRow)  \
    QM_LANCZOS_INTERLEAVED_KERNEL(ResizeLanczosRows16u##suffix, std::uint16_t, Passes,        \
                                  copyRow)                                                     \
    QM_LANCZOS_INTERLEAVED_KERNEL(ResizeLanczosRows32f##suffix, float, Passes, copyRow)       \
    QM_LANCZOS_SINGLE_KERNEL(ResizeLanczosRows8u1##suffix, std::uint8_t, Passes, copyRow)     \
    QM_LANCZOS_SINGLE_KERNEL(ResizeLanczosRows16u1##suffix, std::uint16_t, Passes, copyRow)   \
    QM_LANCZOS_SINGLE_KERNEL(ResizeLanczosRows32f1##suffix, float, Passes, copyRow)
