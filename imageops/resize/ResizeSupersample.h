#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// Reduces an image by area averaging (interpolation 8): checks, clips the region to the
// source, sizes the destination like ResizeCore (min(requested, max(1, trunc(region size *
// factor + 1e-7)))), fixes the footprint geometry and runs one worker per image or per plane.
// src and dst are an interleaved image or, with planar nonzero, arrays of 3 plane pointers
// (channels 3) or 4 (any other channels); steps are bytes. Interleaved layouts: channels 1 and
// 4, pixels of 1 or 4 samples read from the region's first pixel at srcRoiX * pixelStride
// samples (pixelStride at least 0); anything else as samples 0-2 of pixels pixelStride (at
// least 3) apart. A source row holds srcWidth pixels of the larger of pixelStride and the
// layout's samples. A footprint reaching past the region averages the part inside it.
// sampleType: 0 8-bit, 1 16-bit, 2 float; any other value writes nothing and returns Ok once
// the general checks pass, whatever the planes hold and even for a factor above 1.
//
// Statuses, the first failing check deciding: NullPointer, BadSize (source), BadStep, BadSize
// (region), RegionOutsideSource (a warning: nothing done), BadSize (destination), BadFactor
// (a factor not above 0, or NaN), Ok (a sample type without workers: nothing done), BadFactor
// (a factor above 1), NullPointer (a missing plane), BadSize (pixelStride negative, or below 3
// for three samples), BadStep (a source step shorter than a source row, or a destination step
// shorter than the written row), OutOfMemory (the row buffer; nothing written).
ImageOpStatus ResizeSupersample(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                                std::int32_t srcStep, std::int32_t srcRoiX,
                                std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                std::int32_t srcRoiHeight, void* dst, std::int32_t dstStep,
                                std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                                double yFactor, std::int32_t pixelStride, std::int32_t channels,
                                std::int32_t sampleType, std::int32_t planar);

// The type of every build's ResizeSupersample.
using ResizeSupersampleEntry = decltype(ResizeSupersample);
