#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The general resize driver for nearest-neighbour (1), linear (2), cubic (4) and Lanczos-3 (16)
// interpolation. It checks the arguments, lowers the interpolation for tiny sources, clips the
// source region to the image, sizes the destination, maps every destination row and column to
// a source position and runs one kernel over the whole destination (once per plane for planar
// images). Every scratch block is released before it returns.
//
// src and dst: the first byte of an interleaved image, or, when planar is nonzero, an array of
// 3 plane pointers (channels 3) or 4 (any other channels). Steps are bytes. dstWidth and
// dstHeight are upper bounds: the destination gets min(requested, max(1, trunc(region size *
// factor + 1e-7))) pixels under factorConvention 1 (factors are scales); under
// factorConvention 0 the factors are source steps per destination pixel. xShift and yShift
// move the first source position; shifted positions read the image's pixels around the region.
// Beyond the image, nearest takes the edge pixel. Linear and cubic take the first pixel for a
// position a pixel or more before it (less than a pixel before it, linear floats and cubic
// extrapolate) and, at or past the last pixel, that pixel's own interpolation (the pair ending
// there, cubic at fraction 2). For 8- and 16-bit samples that is the edge in every build but one
// case: the SSE2 and SSE3 cubic of three interleaved channels can give one less in the last pixel
// of a destination row whose width is not a multiple of 4 (about a quarter of random samples
// there do). Plain floats give the edge unless a sample read beside it is some 2^27 times larger
// (linear: along rows only, from some 2^29), and then miss it by far less than a unit in the last
// place of that sample (an edge of 2.23756228e-06 beside 2^20 gives 2.2376189e-06). SIMD floats
// give the edge in linear along columns; along rows they come within a unit in the last place of
// the largest sample read (an edge of 1 beside 1e8 gives 0), and in cubic within a few tens.
// Lanczos-3 bounds its centre within three pixels of the image; only its taps beyond it read the
// edge pixel.
// sampleType: 0 8-bit, 1 16-bit, 2 float. Interleaved layouts served: 1 channel (any
// pixelStride), 3 channels in a stride of 3 or 4 (nearest: any stride from 3), 4 channels in 4
// (nearest: any stride from 4, written as packed pixels).
//
// Statuses, the first failing check deciding: NullPointer, BadSize (source size), BadStep,
// BadSize (region), RegionOutsideSource (a warning: nothing done), BadSize (destination),
// BadFactor (a factor not above 0, NaN included), BadInterpolation, NullPointer (a missing
// plane), BadSize (sample type or layout not served, or an image too large for 32-bit element
// offsets), BadStep (a source step shorter than a source row, or a destination step shorter
// than the written row), OutOfMemory.
ImageOpStatus ResizeCore(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                         std::int32_t srcStep, std::int32_t srcRoiX, std::int32_t srcRoiY,
                         std::int32_t srcRoiWidth, std::int32_t srcRoiHeight, void* dst,
                         std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                         double xFactor, double yFactor, double xShift, double yShift,
                         std::int32_t pixelStride, std::int32_t channels,
                         std::int32_t sampleType, std::int32_t planar,
                         std::int32_t interpolation, std::int32_t factorConvention);

// The type of every build's ResizeCore.
using ResizeCoreEntry = decltype(ResizeCore);
