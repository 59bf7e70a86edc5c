#pragma once

#include <cstdint>

// The SSE build's row adders of area averaging, with the contract and the sums of their plain
// twins in AccumulateRows.h: for each of `rows` source rows (srcStep bytes apart) every summed
// sample is added into the sum of the same index; integer sums wrap at 2^32, float sums are
// rounded to single precision after every row. Rows or width below 1 add nothing. Where the
// source row and the sums do not overlap, the 16-bit adders sum with 64-bit vector additions
// and the float adders four at a time; otherwise they go sample by sample, to the same sums.
// The three-channel 8-bit and 16-bit layouts have no SSE adder: that build uses the plain ones.

void AccumulateRows8u1Sse(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                          std::int32_t rows, std::uint32_t* sums);
void AccumulateRows8u4Sse(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                          std::int32_t rows, std::uint32_t* sums);
void AccumulateRows16u1Sse(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums);
void AccumulateRows16u4Sse(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums);
void AccumulateRows32f1Sse(const float* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, float* sums);
void AccumulateRows32f3Sse(const float* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, float* sums, std::int32_t pixelStride);
void AccumulateRows32f4Sse(const float* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, float* sums);
