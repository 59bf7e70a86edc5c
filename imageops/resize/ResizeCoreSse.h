#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The SSE build of the general resize driver: ResizeCore (ResizeCore.h) with the same
// arguments, checks, statuses, tables and buffers, running ResizeKernelTableSse and taking its
// Lanczos-3 tap weights from LanczosWeightsSse.
ImageOpStatus ResizeCoreSse(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                            std::int32_t srcStep, std::int32_t srcRoiX, std::int32_t srcRoiY,
                            std::int32_t srcRoiWidth, std::int32_t srcRoiHeight, void* dst,
                            std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                            double xFactor, double yFactor, double xShift, double yShift,
                            std::int32_t pixelStride, std::int32_t channels,
                            std::int32_t sampleType, std::int32_t planar,
                            std::int32_t interpolation, std::int32_t factorConvention);
