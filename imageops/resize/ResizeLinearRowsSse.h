#pragma once

#include <cstdint>

// The SSE build's linear kernels: arguments, row window and layouts of ResizeLinearRows.h.
// 8-bit and 16-bit kernels compute in Q14 integers and give the plain build's bytes. Float
// kernels round every step to single precision: the horizontal blend p0 + (p1 - p0) * fx and
// the vertical U * (1 - t) + L * t with 1 - t formed in single precision, four values per
// vector step in the one-channel horizontal pass and the contiguous vertical pass; their
// results may differ from the plain build's double-precision ones in the last bit.

void ResizeLinearRows8uSse(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                           std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                           std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                           std::int32_t pixelStride, std::int32_t channels);
void ResizeLinearRows16uSse(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                            std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                            std::int32_t pixelStride, std::int32_t channels);
void ResizeLinearRows32fSse(const float* src, float* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const float* rowWeights, const float* columnWeights,
                            float* lineBuffer0, float* lineBuffer1, std::int32_t pixelStride,
                            std::int32_t channels);
void ResizeLinearRows8u1Sse(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                            std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1);
void ResizeLinearRows16u1Sse(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth,
                             std::int32_t dstHeight, const std::int32_t* rowOffsets,
                             const std::int32_t* columnOffsets, const std::uint16_t* rowWeights,
                             const std::uint16_t* columnWeights, std::uint16_t* lineBuffer0,
                             std::uint16_t* lineBuffer1);
void ResizeLinearRows32f1Sse(const float* src, float* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth,
                             std::int32_t dstHeight, const std::int32_t* rowOffsets,
                             const std::int32_t* columnOffsets, const float* rowWeights,
                             const float* columnWeights, float* lineBuffer0,
                             float* lineBuffer1);
