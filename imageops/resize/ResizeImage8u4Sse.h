#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The SSE build's resize entry (dispatch slot 13 for SSE processors): ResizeImage8u4
// (ResizeImage8u4.h) calling ResizeSupersampleSse for area averaging with both factors at most
// 1 and ResizeCoreSse for every other request; the callee's status is returned unchanged.
ImageOpStatus ResizeImage8u4Sse(const std::uint8_t* src, std::int32_t srcWidth,
                                std::int32_t srcHeight, std::int32_t srcStep,
                                std::int32_t srcRoiX, std::int32_t srcRoiY,
                                std::int32_t srcRoiWidth, std::int32_t srcRoiHeight,
                                std::uint8_t* dst, std::int32_t dstStep, std::int32_t dstWidth,
                                std::int32_t dstHeight, double xFactor, double yFactor,
                                std::int32_t interpolation);
