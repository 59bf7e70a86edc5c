#pragma once

#include <cstdint>

// The cubic kernels of the SSE3 build: the arguments and ring of the plain kernels
// (ResizeCubicRows.h) in single precision. Integer values of each destination row's blocks of
// four are rounded to nearest (after adding 0.00001) where the plain build truncates, so they
// can be one higher; the last n mod 4 values of a row follow the plain rule. Float results
// carry single-precision rounding.

void ResizeCubicRows8uSse3(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                           std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           const float* rowFractions, const float* columnFractions,
                           float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                           float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels);
void ResizeCubicRows16uSse3(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const float* rowFractions, const float* columnFractions,
                            float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                            float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels);
void ResizeCubicRows32fSse3(const float* src, float* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const float* rowFractions, const float* columnFractions,
                            float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                            float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels);
void ResizeCubicRows8u1Sse3(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const float* rowFractions, const float* columnFractions,
                            float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                            float* lineBuffer3);
void ResizeCubicRows16u1Sse3(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                             const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                             const float* rowFractions, const float* columnFractions,
                             float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                             float* lineBuffer3);
void ResizeCubicRows32f1Sse3(const float* src, float* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                             const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                             const float* rowFractions, const float* columnFractions,
                             float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                             float* lineBuffer3);
