#pragma once

#include <cstdint>

// Nearest-neighbour kernels: for every destination pixel, copy the samples of the source pixel
// at src + rowOffsets[y] + columnOffsets[x]. Steps and offsets count samples. Suffix 1 copies
// one sample per pixel, 3 copies samples 0-2 and advances the destination by pixelStride
// (leaving further samples of the pixel as they were), 4 copies four samples. Float kernels
// move bit patterns unchanged. A width or height below 1 writes nothing.

template <typename T>
using NearestKernel = void(const T* src, T* dst, std::int32_t dstStep, std::int32_t dstWidth,
                           std::int32_t dstHeight, const std::int32_t* rowOffsets,
                           const std::int32_t* columnOffsets, std::int32_t pixelStride);

NearestKernel<std::uint8_t> ResizeNearestRows8u1;
NearestKernel<std::uint8_t> ResizeNearestRows8u3;
NearestKernel<std::uint8_t> ResizeNearestRows8u4;
NearestKernel<std::uint16_t> ResizeNearestRows16u1;
NearestKernel<std::uint16_t> ResizeNearestRows16u3;
NearestKernel<std::uint16_t> ResizeNearestRows16u4;
NearestKernel<float> ResizeNearestRows32f1;
NearestKernel<float> ResizeNearestRows32f3;
NearestKernel<float> ResizeNearestRows32f4;
