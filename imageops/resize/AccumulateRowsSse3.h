#pragma once

#include <cstdint>

// The SSE3 build's row adders of whole-number area averaging: the contracts of AccumulateRows.h,
// except that the totals are stored rather than added to the buffer, rows must be at least 1,
// and the one-channel float adder sums the columns past its last block of 16 in double,
// rounding once (a float sum of three or more rows may then differ in its last bits).

void AccumulateRows8u1Sse3(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums);
void AccumulateRows8u3Sse3(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums, std::int32_t pixelStride);
void AccumulateRows8u4Sse3(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums);
void AccumulateRows16u1Sse3(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, std::uint32_t* sums);
void AccumulateRows16u3Sse3(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, std::uint32_t* sums, std::int32_t pixelStride);
void AccumulateRows16u4Sse3(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, std::uint32_t* sums);
void AccumulateRows32f1Sse3(const float* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, float* sums);
void AccumulateRows32f3Sse3(const float* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, float* sums, std::int32_t pixelStride);
void AccumulateRows32f4Sse3(const float* src, std::int32_t srcStep, std::int32_t width,
                            std::int32_t rows, float* sums);
