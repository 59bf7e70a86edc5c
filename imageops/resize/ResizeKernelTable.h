#pragma once

#include <cstdint>

// Everything a resize kernel gets from the driver for one call over a whole destination (or
// one plane). Steps, sizes and offsets count elements of the sample type. Each kernel reads the
// members its mode uses: nearest ignores the steps of the source, the weights and buffers;
// only Lanczos-3 reads the margins, extents and upY.
struct ResizeKernelCall {
    const void* src = nullptr;  // first element of the source region (of the plane)
    void* dst = nullptr;        // first element of destination row 0
    std::int32_t srcStep = 0;
    std::int32_t dstStep = 0;
    std::int32_t dstWidth = 0;
    std::int32_t dstHeight = 0;
    const std::int32_t* rowOffsets = nullptr;
    const std::int32_t* columnOffsets = nullptr;
    const void* rowWeights = nullptr;     // fractions or tap weights, by mode
    const void* columnWeights = nullptr;
    void* lineBuffers[6] = {};
    std::int32_t srcRoiX = 0;
    std::int32_t srcRoiY = 0;
    std::int32_t columnsRight = 0;  // source width - srcRoiX
    std::int32_t rowsBelow = 0;     // source height - srcRoiY
    std::int32_t upY = 0;           // nonzero: rows advance by at most one per destination row
    std::int32_t pixelStride = 0;
    std::int32_t channels = 0;
};

using ResizeKernel = void (*)(const ResizeKernelCall& call);

// 27 kernels, 9 rows of 3 (one column per sample type): Lanczos-3 0-5, cubic 6-11, linear
// 12-17, nearest 18-26. Within a mode the first three serve interleaved multi-channel images,
// the next three one channel or one plane; nearest 24-26 copy four samples per pixel.
inline constexpr int kResizeKernelCount = 27;
extern const ResizeKernel ResizeKernelTable[kResizeKernelCount];

inline constexpr int kResizeLanczosBase = 0;
inline constexpr int kResizeCubicBase = 6;
inline constexpr int kResizeLinearBase = 12;
inline constexpr int kResizeNearestBase = 18;
