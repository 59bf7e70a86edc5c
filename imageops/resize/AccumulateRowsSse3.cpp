#include "imageops/resize/AccumulateRowsSse3.h"

#include "imageops/resize/AccumulateRowsSimd.h"
#include "imageops/resize/IsaSse3.h"

void AccumulateRows8u1Sse3(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums) {
    SimdAccumulate8u1<IsaSse3>(src, srcStep, width, rows, sums);
}

void AccumulateRows8u3Sse3(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums, std::int32_t pixelStride) {
    SimdAccumulate8u3<IsaSse3>(src, srcStep, width, rows, sums, pixelStride);
}

void AccumulateRows8u4Sse3(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums) {
    SimdAccumulate8u4<IsaSse3>(src, srcStep, width, rows, sums);
}

void AccumulateRows16u1Sse3(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, std::uint32_t* sums) {
    SimdAccumulate16u1<IsaSse3>(src, srcStep, width, rows, sums);
}

void AccumulateRows16u3Sse3(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, std::uint32_t* sums, std::int32_t pixelStride) {
    SimdAccumulate16u3<IsaSse3>(src, srcStep, width, rows, sums, pixelStride);
}

void AccumulateRows16u4Sse3(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, std::uint32_t* sums) {
    SimdAccumulate16u4<IsaSse3>(src, srcStep, width, rows, sums);
}

void AccumulateRows32f1Sse3(const float* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, float* sums) {
    SimdAccumulate32f1<IsaSse3>(src, srcStep, width, rows, sums);
}

void AccumulateRows32f3Sse3(const float* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, float* sums, std::int32_t pixelStride) {
    SimdAccumulate32f3<IsaSse3>(src, srcStep, width, rows, sums, pixelStride);
}

void AccumulateRows32f4Sse3(const float* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, float* sums) {
    SimdAccumulate32f4<IsaSse3>(src, srcStep, width, rows, sums);
}
