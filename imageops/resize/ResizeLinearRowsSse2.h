#pragma once

#include <cstdint>

// The linear kernels of the SSE2 build: the arguments, window and integer results of the plain
// kernels (ResizeLinearRows.h); float kernels round every operation to single precision, so
// their results may differ from the plain build's in the last bit.

void ResizeLinearRows8uSse2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                            std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                            std::int32_t pixelStride, std::int32_t channels);
void ResizeLinearRows16uSse2(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                             const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                             const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                             std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                             std::int32_t pixelStride, std::int32_t channels);
void ResizeLinearRows32fSse2(const float* src, float* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                             const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                             const float* rowWeights, const float* columnWeights,
                             float* lineBuffer0, float* lineBuffer1, std::int32_t pixelStride,
                             std::int32_t channels);
void ResizeLinearRows8u1Sse2(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                             const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                             const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                             std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1);
void ResizeLinearRows16u1Sse2(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                              std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                              const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                              const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                              std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1);
void ResizeLinearRows32f1Sse2(const float* src, float* dst, std::int32_t srcStep,
                              std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                              const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                              const float* rowWeights, const float* columnWeights,
                              float* lineBuffer0, float* lineBuffer1);
