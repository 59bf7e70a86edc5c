#pragma once

#include <cstdint>

// Row adders of area averaging: for each of `rows` source rows (the first at src, each next
// srcStep bytes further) add the row's samples into the sums, sample by sample; rows or width
// below 1 add nothing. Integer samples go into unsigned 32-bit sums (wrapping), float samples
// into float sums rounded to single precision after every row. Suffix 1: one sample per pixel;
// 4: four; 3: samples 0-2 of pixels pixelStride samples apart, in the source and the sums
// alike (further slots untouched).

void AccumulateRows8u1(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                       std::int32_t rows, std::uint32_t* sums);
void AccumulateRows8u3(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                       std::int32_t rows, std::uint32_t* sums, std::int32_t pixelStride);
void AccumulateRows8u4(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                       std::int32_t rows, std::uint32_t* sums);
void AccumulateRows16u1(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, std::uint32_t* sums);
void AccumulateRows16u3(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, std::uint32_t* sums, std::int32_t pixelStride);
void AccumulateRows16u4(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, std::uint32_t* sums);
void AccumulateRows32f1(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums);
void AccumulateRows32f3(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums, std::int32_t pixelStride);
void AccumulateRows32f4(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums);
