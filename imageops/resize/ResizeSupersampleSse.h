#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The SSE build of area averaging: ResizeSupersample (ResizeSupersample.h) with the same
// arguments, checks, statuses and results, running the SSE build's workers.
ImageOpStatus ResizeSupersampleSse(const void* src, std::int32_t srcWidth,
                                   std::int32_t srcHeight, std::int32_t srcStep,
                                   std::int32_t srcRoiX, std::int32_t srcRoiY,
                                   std::int32_t srcRoiWidth, std::int32_t srcRoiHeight,
                                   void* dst, std::int32_t dstStep, std::int32_t dstWidth,
                                   std::int32_t dstHeight, double xFactor, double yFactor,
                                   std::int32_t pixelStride, std::int32_t channels,
                                   std::int32_t sampleType, std::int32_t planar);
