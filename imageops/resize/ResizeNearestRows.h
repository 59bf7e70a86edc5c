#pragma once

#include <cstdint>

// Nearest-neighbour kernels: for every destination pixel, copy the samples of the source pixel
// at src + rowOffsets[y] + columnOffsets[x]. Steps and offsets count samples. Suffix 1 copies
// one sample per pixel, 3 copies samples 0-2 and advances the destination by pixelStride
// (leaving further samples of the pixel as they were), 4 copies four samples. Float kernels
// move bit patterns unchanged. A width or height below 1 writes nothing.

void ResizeNearestRows8u1(const std::uint8_t* src, std::uint8_t* dst, std::int32_t dstStep,
                          std::int32_t dstWidth, std::int32_t dstHeight,
                          const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                          std::int32_t pixelStride);
void ResizeNearestRows8u3(const std::uint8_t* src, std::uint8_t* dst, std::int32_t dstStep,
                          std::int32_t dstWidth, std::int32_t dstHeight,
                          const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                          std::int32_t pixelStride);
void ResizeNearestRows8u4(const std::uint8_t* src, std::uint8_t* dst, std::int32_t dstStep,
                          std::int32_t dstWidth, std::int32_t dstHeight,
                          const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                          std::int32_t pixelStride);
void ResizeNearestRows16u1(const std::uint16_t* src, std::uint16_t* dst, std::int32_t dstStep,
                           std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           std::int32_t pixelStride);
void ResizeNearestRows16u3(const std::uint16_t* src, std::uint16_t* dst, std::int32_t dstStep,
                           std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           std::int32_t pixelStride);
void ResizeNearestRows16u4(const std::uint16_t* src, std::uint16_t* dst, std::int32_t dstStep,
                           std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           std::int32_t pixelStride);
void ResizeNearestRows32f1(const float* src, float* dst, std::int32_t dstStep,
                           std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           std::int32_t pixelStride);
void ResizeNearestRows32f3(const float* src, float* dst, std::int32_t dstStep,
                           std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           std::int32_t pixelStride);
void ResizeNearestRows32f4(const float* src, float* dst, std::int32_t dstStep,
                           std::int32_t dstWidth, std::int32_t dstHeight,
                           const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                           std::int32_t pixelStride);
