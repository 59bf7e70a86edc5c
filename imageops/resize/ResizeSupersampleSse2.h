#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// Area averaging in the SSE2 build: the arguments, statuses and results of ResizeSupersample
// (ResizeSupersample.h), with the whole-number case's rows summed by the SSE2 row adders. The
// results equal the plain build's bit for bit, except one-channel float images (and float
// planes) with whole-number steps of three or more rows, where the columns past the last
// block of 16 are summed in double and may differ in their last bits.
ImageOpStatus ResizeSupersampleSse2(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                                    std::int32_t srcStep, std::int32_t srcRoiX,
                                    std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                    std::int32_t srcRoiHeight, void* dst, std::int32_t dstStep,
                                    std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                                    double yFactor, std::int32_t pixelStride, std::int32_t channels,
                                    std::int32_t sampleType, std::int32_t planar);
