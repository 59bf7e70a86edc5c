#pragma once

#include <cstdint>

// The SSE build's Lanczos-3 kernels: arguments, row window, edge rule and layouts of
// ResizeLanczosRows.h, one value at a time in single precision. The horizontal pass converts
// each sample to float and rounds every product and partial sum to single precision; the
// vertical pass sums the six rows likewise, then widens the sum to double, adds 1e-7 and
// truncates for integer samples (clamped to their range) or stores it for floats. Edge rows
// are copied with CopyIntsSse. A sum within single-precision rounding of an integer may land
// one code value away from the plain build's.

#define QM_LANCZOS_SSE_ARGS(type)                                                              \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t *rowOffsets,        \
        const std::int32_t *columnOffsets, const float *rowWeights,                           \
        const float *columnWeights, float *lineBuffer0, float *lineBuffer1,                   \
        float *lineBuffer2, float *lineBuffer3, float *lineBuffer4, float *lineBuffer5,       \
        std::int32_t srcRoiX, std::int32_t srcRoiY, std::int32_t columnsRight,                \
        std::int32_t rowsBelow, std::int32_t upY

void ResizeLanczosRows8uSse(QM_LANCZOS_SSE_ARGS(std::uint8_t), std::int32_t pixelStride,
                            std::int32_t channels);
void ResizeLanczosRows16uSse(QM_LANCZOS_SSE_ARGS(std::uint16_t), std::int32_t pixelStride,
                             std::int32_t channels);
void ResizeLanczosRows32fSse(QM_LANCZOS_SSE_ARGS(float), std::int32_t pixelStride,
                             std::int32_t channels);
void ResizeLanczosRows8u1Sse(QM_LANCZOS_SSE_ARGS(std::uint8_t));
void ResizeLanczosRows16u1Sse(QM_LANCZOS_SSE_ARGS(std::uint16_t));
void ResizeLanczosRows32f1Sse(QM_LANCZOS_SSE_ARGS(float));

#undef QM_LANCZOS_SSE_ARGS
