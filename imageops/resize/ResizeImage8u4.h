#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// Resizes a region of an 8-bit, 4-channel interleaved image into a destination (dispatch slot
// 13). Area averaging (interpolation 8) with both factors at most 1 goes to ResizeSupersample,
// every other request to ResizeCore; the callee's status is returned unchanged. Factors are
// destination size / source size; dstWidth and dstHeight are upper bounds.
ImageOpStatus ResizeImage8u4(const std::uint8_t* src, std::int32_t srcWidth,
                             std::int32_t srcHeight, std::int32_t srcStep, std::int32_t srcRoiX,
                             std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                             std::int32_t srcRoiHeight, std::uint8_t* dst, std::int32_t dstStep,
                             std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                             double yFactor, std::int32_t interpolation);

// The type of every build's ResizeImage8u4.
using ResizeImage8u4Entry = decltype(ResizeImage8u4);
