#include "imageops/resize/ResizeCubicRowsSse3.h"

#include "imageops/resize/ResizeCubicRowsSimd.h"

void ResizeCubicRows8uSse3(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                           std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           const float* rowFractions, const float* columnFractions,
                           float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                           float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels) {
    SimdCubicInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                         rowFractions, columnFractions, lineBuffer0, lineBuffer1, lineBuffer2,
                         lineBuffer3, pixelStride, channels);
}

void ResizeCubicRows16uSse3(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const float* rowFractions, const float* columnFractions,
                            float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                            float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels) {
    SimdCubicInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                         rowFractions, columnFractions, lineBuffer0, lineBuffer1, lineBuffer2,
                         lineBuffer3, pixelStride, channels);
}

void ResizeCubicRows32fSse3(const float* src, float* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const float* rowFractions, const float* columnFractions,
                            float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                            float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels) {
    SimdCubicInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                         rowFractions, columnFractions, lineBuffer0, lineBuffer1, lineBuffer2,
                         lineBuffer3, pixelStride, channels);
}

void ResizeCubicRows8u1Sse3(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                            const float* rowFractions, const float* columnFractions,
                            float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                            float* lineBuffer3) {
    SimdCubicSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                    rowFractions, columnFractions, lineBuffer0, lineBuffer1, lineBuffer2,
                    lineBuffer3);
}

void ResizeCubicRows16u1Sse3(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                             const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                             const float* rowFractions, const float* columnFractions,
                             float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                             float* lineBuffer3) {
    SimdCubicSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                    rowFractions, columnFractions, lineBuffer0, lineBuffer1, lineBuffer2,
                    lineBuffer3);
}

void ResizeCubicRows32f1Sse3(const float* src, float* dst, std::int32_t srcStep,
                             std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                             const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                             const float* rowFractions, const float* columnFractions,
                             float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                             float* lineBuffer3) {
    SimdCubicSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                    rowFractions, columnFractions, lineBuffer0, lineBuffer1, lineBuffer2,
                    lineBuffer3);
}
