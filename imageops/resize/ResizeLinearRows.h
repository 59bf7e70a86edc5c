#pragma once

#include <cstdint>

// Linear-interpolation kernels: a horizontal pass filters each needed source row once into one
// of two row buffers, a vertical pass blends the two buffered rows into each destination row.
// Steps and offsets count samples. 8-bit and 16-bit kernels use Q14 weights (16384 = 1.0):
// rowWeights holds the weight of the lower row per destination row, columnWeights a pair
// (left, right) per destination column, and the row buffers hold 16-bit values (8-bit samples
// times 64, 16-bit samples at full scale). Float kernels take one float weight per row (the
// lower row's) and per column (the right sample's) and float row buffers. Each buffer holds
// dstWidth times the values per pixel. Interleaved kernels serve 4 channels, 3 channels, or 3
// channels of 4-sample pixels (sample 3 untouched); the C1 kernels one channel or one plane.

void ResizeLinearRows8u(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                        std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                        const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                        const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                        std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                        std::int32_t pixelStride, std::int32_t channels);
void ResizeLinearRows16u(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                         std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                         const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                         const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                         std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                         std::int32_t pixelStride, std::int32_t channels);
void ResizeLinearRows32f(const float* src, float* dst, std::int32_t srcStep,
                         std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                         const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                         const float* rowWeights, const float* columnWeights,
                         float* lineBuffer0, float* lineBuffer1, std::int32_t pixelStride,
                         std::int32_t channels);
void ResizeLinearRows8u1(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                         std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                         const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                         const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                         std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1);
void ResizeLinearRows16u1(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                          std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                          const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                          const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                          std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1);
void ResizeLinearRows32f1(const float* src, float* dst, std::int32_t srcStep,
                          std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                          const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                          const float* rowWeights, const float* columnWeights,
                          float* lineBuffer0, float* lineBuffer1);
