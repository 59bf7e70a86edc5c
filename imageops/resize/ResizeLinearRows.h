#pragma once

#include <cstdint>
#include <type_traits>

// Linear-interpolation kernels: a horizontal pass filters each needed source row once into one
// of two row buffers, a vertical pass blends the two buffered rows into each destination row.
// Steps and offsets count samples. 8-bit and 16-bit kernels use Q14 weights (16384 = 1.0):
// rowWeights holds the weight of the lower row per destination row, columnWeights a pair
// (left, right) per destination column, and the row buffers hold 16-bit values (8-bit samples
// times 64, 16-bit samples at full scale). Float kernels take one float weight per row (the
// lower row's) and per column (the right sample's) and float row buffers. Each buffer holds
// dstWidth times the values per pixel. Interleaved kernels serve 4 channels, 3 channels, or 3
// channels of 4-sample pixels (sample 3 untouched); the C1 kernels one channel or one plane.
// Every build's kernels have the types below.

template <typename T>
using LinearWeight = std::conditional_t<std::is_same_v<T, float>, float, std::uint16_t>;

template <typename T>
using LinearInterleavedKernel =
    void(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
         std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
         const std::int32_t* columnOffsets, const LinearWeight<T>* rowWeights,
         const LinearWeight<T>* columnWeights, LinearWeight<T>* lineBuffer0,
         LinearWeight<T>* lineBuffer1, std::int32_t pixelStride, std::int32_t channels);

template <typename T>
using LinearSingleKernel =
    void(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
         std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
         const std::int32_t* columnOffsets, const LinearWeight<T>* rowWeights,
         const LinearWeight<T>* columnWeights, LinearWeight<T>* lineBuffer0,
         LinearWeight<T>* lineBuffer1);

LinearInterleavedKernel<std::uint8_t> ResizeLinearRows8u;
LinearInterleavedKernel<std::uint16_t> ResizeLinearRows16u;
LinearInterleavedKernel<float> ResizeLinearRows32f;
LinearSingleKernel<std::uint8_t> ResizeLinearRows8u1;
LinearSingleKernel<std::uint16_t> ResizeLinearRows16u1;
LinearSingleKernel<float> ResizeLinearRows32f1;
