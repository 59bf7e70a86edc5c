#pragma once

#include "imageops/resize/CubicPassesSimd.h"
#include "imageops/resize/ResizeCubicWindow.h"

#include <cstdint>

// The cubic kernels of the SIMD builds: the plain build's four-row ring with the SIMD passes
// (CubicPassesSimd.h). Shared by the SSE2 and SSE3 files with internal linkage.
namespace {

template <typename T>
void SimdCubicInterleaved(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                          std::int32_t dstWidth, std::int32_t dstHeight,
                          const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                          const float* rowFractions, const float* columnFractions,
                          float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                          float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels) {
    const bool three = channels == 3;
    const auto rowPass = [&](const T* row, float* out) {
        if (three) {
            CubicRow3(row, dstWidth, pixelStride, columnOffsets, columnFractions, out);
        } else {
            CubicRow4(row, dstWidth, columnOffsets, columnFractions, out);
        }
    };
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, float t, const float* b0, const float* b1, const float* b2,
                                const float* b3) {
        if (contiguous) {
            CubicColumn(out, values, t, b0, b1, b2, b3);
        } else {
            CubicColumn3of4(out, dstWidth, t, b0, b1, b2, b3);
        }
    };
    CubicWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowFractions, lineBuffer0,
                lineBuffer1, lineBuffer2, lineBuffer3, rowPass, columnPass);
}

template <typename T>
void SimdCubicSingle(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                     std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
                     const std::int32_t* columnOffsets, const float* rowFractions,
                     const float* columnFractions, float* lineBuffer0, float* lineBuffer1,
                     float* lineBuffer2, float* lineBuffer3) {
    const auto rowPass = [&](const T* row, float* out) {
        CubicRow1(row, dstWidth, columnOffsets, columnFractions, out);
    };
    const auto columnPass = [&](T* out, float t, const float* b0, const float* b1, const float* b2,
                                const float* b3) { CubicColumn(out, dstWidth, t, b0, b1, b2, b3); };
    CubicWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowFractions, lineBuffer0,
                lineBuffer1, lineBuffer2, lineBuffer3, rowPass, columnPass);
}

}  // namespace
