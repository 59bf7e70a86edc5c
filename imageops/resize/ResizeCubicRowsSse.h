#pragma once

#include "imageops/resize/ResizeCubicRows.h"

#include <cstdint>

// The SSE build's cubic kernels: arguments, row window and layouts of ResizeCubicRows.h, all
// arithmetic in single precision. Each pass gives the largest multiple of four of its outputs
// (when at least four) to the four-wide pieces of CubicQuadsSse.h and computes the rest
// itself with the plain build's formula and order, ((a + w3 * d3) + w2 * d2) + w1 * d1 with
// d3 = ((b - (c + c)) + d) - d2 and w3 = (t - 1) * w2 / 3. Integer outputs of the pieces are
// rounded to nearest after adding 1e-5; those of the remainder are truncated after adding 1e-7
// and clamped, as in the plain build. The three-of-four float pass is scalar throughout and
// sums ((w3 * d3 + w2 * d2) + w1 * d1) + a. Results may differ from the plain build's by one
// code value or in the last bits of a float.

#define QM_CUBIC_SSE_ARGS(type)                                                                \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t *rowOffsets,        \
        const std::int32_t *columnOffsets, const float *rowFractions,                         \
        const float *columnFractions, float *lineBuffer0, float *lineBuffer1,                 \
        float *lineBuffer2, float *lineBuffer3

CubicInterleavedKernel<std::uint8_t> ResizeCubicRows8uSse;
CubicInterleavedKernel<std::uint16_t> ResizeCubicRows16uSse;
CubicInterleavedKernel<float> ResizeCubicRows32fSse;
CubicSingleKernel<std::uint8_t> ResizeCubicRows8u1Sse;
CubicSingleKernel<std::uint16_t> ResizeCubicRows16u1Sse;
CubicSingleKernel<float> ResizeCubicRows32f1Sse;
