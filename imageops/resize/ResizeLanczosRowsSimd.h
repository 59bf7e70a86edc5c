#pragma once

#include "imageops/resize/LanczosPassesSimd.h"
#include "imageops/resize/ResizeLanczosWindow.h"

#include <cstdint>

// The Lanczos-3 kernels of the SIMD builds: the plain build's six-row ring with the SIMD passes
// (LanczosPassesSimd.h) and the build's own row copy. Shared by the SSE2 and SSE3 files with
// internal linkage.
namespace {

using LanczosRowCopy = void (*)(const float* from, float* to, std::int64_t count);

template <typename T>
void SimdLanczosInterleaved(LanczosRowCopy copyRow, const T* src, T* dst, std::int32_t srcStep,
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
            LanczosRowSimd<T, 3>(row, pixelStride, columnOffsets, columnWeights, out, dstWidth,
                                 srcRoiX, columnsRight);
        } else {
            LanczosRowSimd<T, 4>(row, 4, columnOffsets, columnWeights, out, dstWidth, srcRoiX,
                                 columnsRight);
        }
    };
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, const float* w, const float* const rows[6]) {
        if (contiguous) {
            LanczosColumnSimd<T>(out, values, w, rows);
        } else {
            LanczosColumnSimd3of4<T>(out, dstWidth, w, rows);
        }
    };
    LanczosWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffers,
                  srcRoiY, rowsBelow, upY, values, rowPass, columnPass, copyRow);
}

template <typename T>
void SimdLanczosSingle(LanczosRowCopy copyRow, const T* src, T* dst, std::int32_t srcStep,
                       std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                       const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                       const float* rowWeights, const float* columnWeights,
                       float* const lineBuffers[6], std::int32_t srcRoiX, std::int32_t srcRoiY,
                       std::int32_t columnsRight, std::int32_t rowsBelow, std::int32_t upY) {
    const auto rowPass = [&](const T* row, float* out) {
        LanczosRowSimd<T, 1>(row, 1, columnOffsets, columnWeights, out, dstWidth, srcRoiX,
                             columnsRight);
    };
    const auto columnPass = [&](T* out, const float* w, const float* const rows[6]) {
        LanczosColumnSimd<T>(out, dstWidth, w, rows);
    };
    LanczosWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffers,
                  srcRoiY, rowsBelow, upY, dstWidth, rowPass, columnPass, copyRow);
}

}  // namespace
