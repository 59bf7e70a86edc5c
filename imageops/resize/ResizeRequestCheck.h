#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The checks every resize driver makes first, in this order, the first failing one deciding:
// NullPointer (src or dst), BadSize (source size), BadStep (a step below 1), BadSize (region),
// RegionOutsideSource (a warning: the region starts past the source), BadSize (destination),
// BadFactor (a factor not above 0, NaN included). Ok when all pass.
ImageOpStatus CheckResizeArguments(const void* src, std::int32_t srcWidth,
                                   std::int32_t srcHeight, std::int32_t srcStep,
                                   std::int32_t srcRoiX, std::int32_t srcRoiY,
                                   std::int32_t srcRoiWidth, std::int32_t srcRoiHeight,
                                   void* dst, std::int32_t dstStep, std::int32_t dstWidth,
                                   std::int32_t dstHeight, double xFactor, double yFactor);

// Whether a planar call (planar nonzero) passes all its planes: 3 source and 3 destination
// plane pointers for channels 3, 4 of each otherwise. True for an interleaved call. A missing
// plane is refused like a missing image rather than dereferenced, after the checks above, so
// that a request failing one of them reports it whatever its planes hold.
bool ResizePlanesPresent(const void* src, void* dst, std::int32_t planar, std::int32_t channels);
