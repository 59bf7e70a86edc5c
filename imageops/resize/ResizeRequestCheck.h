#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The checks every resize driver makes first, in this order, the first failing one deciding:
// NullPointer (src, dst, or with planar nonzero one of their 3 planes for channels 3, 4
// otherwise), BadSize (source size), BadStep (a step below 1), BadSize (region),
// RegionOutsideSource (a warning: the region starts past the source), BadSize (destination),
// BadFactor (a factor not above 0, NaN included). Ok when all pass.
ImageOpStatus CheckResizeRequest(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                                 std::int32_t srcStep, std::int32_t srcRoiX,
                                 std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                 std::int32_t srcRoiHeight, void* dst, std::int32_t dstStep,
                                 std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                                 double yFactor, std::int32_t channels, std::int32_t planar);
