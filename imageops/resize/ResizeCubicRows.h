#pragma once

#include <cstdint>

// Cubic-interpolation kernels: the cubic through four consecutive samples (offsets -1..+2 from
// the tap index) evaluated at the fraction t in Newton's forward form, separable in two passes.
// A horizontal pass filters each needed source row once into one of four float row buffers; a
// vertical pass combines the four buffered rows (index rows r - 1 .. r + 2) into each
// destination row. rowOffsets hold r times srcStep, columnOffsets the tap index times
// pixelStride (interleaved) or the index itself (C1); fractions are floats in [-1, 2]. The
// driver keeps every tap inside the image. Double-precision arithmetic; integer results are
// trunc(v + 1e-7) clamped to the sample range, floats are stored unclamped. Every build's
// kernels have the types below.

template <typename T>
using CubicInterleavedKernel =
    void(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
         std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
         const std::int32_t* columnOffsets, const float* rowFractions,
         const float* columnFractions, float* lineBuffer0, float* lineBuffer1,
         float* lineBuffer2, float* lineBuffer3, std::int32_t pixelStride,
         std::int32_t channels);

template <typename T>
using CubicSingleKernel =
    void(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
         std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
         const std::int32_t* columnOffsets, const float* rowFractions,
         const float* columnFractions, float* lineBuffer0, float* lineBuffer1,
         float* lineBuffer2, float* lineBuffer3);

CubicInterleavedKernel<std::uint8_t> ResizeCubicRows8u;
CubicInterleavedKernel<std::uint16_t> ResizeCubicRows16u;
CubicInterleavedKernel<float> ResizeCubicRows32f;
CubicSingleKernel<std::uint8_t> ResizeCubicRows8u1;
CubicSingleKernel<std::uint16_t> ResizeCubicRows16u1;
CubicSingleKernel<float> ResizeCubicRows32f1;
