#pragma once

#include <cstdint>

// Lanczos-3 kernels: six taps per axis, weights from LanczosWeights (six per destination row
// and column, tap k for index offset k - 2), separable in two passes over a ring of six float
// row buffers holding rows r - 2 .. r + 3. Taps outside the image take the nearest edge column
// or row: the margins (srcRoiX, srcRoiY) and extents (columnsRight = source width - srcRoiX,
// rowsBelow = source height - srcRoiY) tell how far the source reaches around the region.
// upY nonzero promises rows advancing by at most one per destination row. Sums are formed in
// double; integer results are trunc(v + 1e-7) clamped to the sample range, floats unclamped.
// Interleaved kernels serve 4 channels, 3 channels, or 3 channels of 4-sample pixels; single
// kernels one channel or one plane. Every build's kernels have these two types.

template <typename T>
using LanczosInterleavedKernel =
    void(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
         std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
         const std::int32_t* columnOffsets, const float* rowWeights, const float* columnWeights,
         float* lineBuffer0, float* lineBuffer1, float* lineBuffer2, float* lineBuffer3,
         float* lineBuffer4, float* lineBuffer5, std::int32_t srcRoiX, std::int32_t srcRoiY,
         std::int32_t columnsRight, std::int32_t rowsBelow, std::int32_t upY,
         std::int32_t pixelStride, std::int32_t channels);

template <typename T>
using LanczosSingleKernel =
    void(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
         std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
         const std::int32_t* columnOffsets, const float* rowWeights, const float* columnWeights,
         float* lineBuffer0, float* lineBuffer1, float* lineBuffer2, float* lineBuffer3,
         float* lineBuffer4, float* lineBuffer5, std::int32_t srcRoiX, std::int32_t srcRoiY,
         std::int32_t columnsRight, std::int32_t rowsBelow, std::int32_t upY);

LanczosInterleavedKernel<std::uint8_t> ResizeLanczosRows8u;
LanczosInterleavedKernel<std::uint16_t> ResizeLanczosRows16u;
LanczosInterleavedKernel<float> ResizeLanczosRows32f;
LanczosSingleKernel<std::uint8_t> ResizeLanczosRows8u1;
LanczosSingleKernel<std::uint16_t> ResizeLanczosRows16u1;
LanczosSingleKernel<float> ResizeLanczosRows32f1;
