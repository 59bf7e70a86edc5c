#pragma once

#include <cstdint>

// The Lanczos-3 kernels of the SSE2 build: the arguments, ring, taps and edge rules of the
// plain kernels (ResizeLanczosRows.h), with rows filtered in single precision (every product
// and partial sum rounded) and float columns summed in single precision; integer columns are
// the plain build's. Integer results can differ from the plain build's by one where a sum lies
// within rounding distance of an integer; float results carry single-precision rounding.

#define QM_LANCZOS_SSE2_ARGS(type)                                                                 \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep, std::int32_t dstWidth, \
        std::int32_t dstHeight, const std::int32_t *rowOffsets, const std::int32_t *columnOffsets, \
        const float *rowWeights, const float *columnWeights, float *lineBuffer0,                   \
        float *lineBuffer1, float *lineBuffer2, float *lineBuffer3, float *lineBuffer4,            \
        float *lineBuffer5, std::int32_t srcRoiX, std::int32_t srcRoiY, std::int32_t columnsRight, \
        std::int32_t rowsBelow, std::int32_t upY

void ResizeLanczosRows8uSse2(QM_LANCZOS_SSE2_ARGS(std::uint8_t), std::int32_t pixelStride,
                             std::int32_t channels);
void ResizeLanczosRows16uSse2(QM_LANCZOS_SSE2_ARGS(std::uint16_t), std::int32_t pixelStride,
                              std::int32_t channels);
void ResizeLanczosRows32fSse2(QM_LANCZOS_SSE2_ARGS(float), std::int32_t pixelStride,
                              std::int32_t channels);
void ResizeLanczosRows8u1Sse2(QM_LANCZOS_SSE2_ARGS(std::uint8_t));
void ResizeLanczosRows16u1Sse2(QM_LANCZOS_SSE2_ARGS(std::uint16_t));
void ResizeLanczosRows32f1Sse2(QM_LANCZOS_SSE2_ARGS(float));

#undef QM_LANCZOS_SSE2_ARGS
