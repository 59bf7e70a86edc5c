#pragma once

#include "imageops/ImageOpStatus.h"
#include "imageops/resize/ResizeKernelTable.h"

#include <cstdint>

// What sets one build's general resize driver apart from another's: its kernel table and the
// routine that turns Lanczos-3 fractions into six tap weights each. Checks, clipping, sizing,
// position tables and buffers are common to every build.
struct ResizeBuild {
    const ResizeKernel* kernels;  // kResizeKernelCount entries, laid out as ResizeKernelTable
    void (*lanczosWeights)(const float* fractions, std::int32_t count, float* weights);
};

// ResizeCore (see ResizeCore.h for arguments and statuses) running the given build.
ImageOpStatus ResizeCoreForBuild(const ResizeBuild& build, const void* src,
                                 std::int32_t srcWidth, std::int32_t srcHeight,
                                 std::int32_t srcStep, std::int32_t srcRoiX,
                                 std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                 std::int32_t srcRoiHeight, void* dst, std::int32_t dstStep,
                                 std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                                 double yFactor, double xShift, double yShift,
                                 std::int32_t pixelStride, std::int32_t channels,
                                 std::int32_t sampleType, std::int32_t planar,
                                 std::int32_t interpolation, std::int32_t factorConvention);
