#pragma once

#include "imageops/resize/ResizeCore.h"
#include "imageops/resize/ResizeInterpolation.h"
#include "imageops/resize/ResizeSupersample.h"

#include <cstdint>

// ResizeImage8u4 (ResizeImage8u4.h) over one build's area averager and driver: area averaging
// with both factors at most 1 goes to Supersample, every other request to Core; the callee's
// status is returned unchanged.
template <ResizeSupersampleEntry* Supersample, ResizeCoreEntry* Core>
ImageOpStatus RouteResizeImage8u4(const std::uint8_t* src, std::int32_t srcWidth,
                                  std::int32_t srcHeight, std::int32_t srcStep,
                                  std::int32_t srcRoiX, std::int32_t srcRoiY,
                                  std::int32_t srcRoiWidth, std::int32_t srcRoiHeight,
                                  std::uint8_t* dst, std::int32_t dstStep, std::int32_t dstWidth,
                                  std::int32_t dstHeight, double xFactor, double yFactor,
                                  std::int32_t interpolation) {
    constexpr std::int32_t kPixelStride = 4;
    constexpr std::int32_t kChannels = 4;
    constexpr auto kSampleType = static_cast<std::int32_t>(ResizeSampleType::U8);
    // A NaN factor fails both comparisons and goes to the driver, which refuses it.
    if (interpolation == static_cast<std::int32_t>(ResizeInterpolation::Supersample) &&
        xFactor <= 1.0 && yFactor <= 1.0) {
        return Supersample(src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY, srcRoiWidth,
                           srcRoiHeight, dst, dstStep, dstWidth, dstHeight, xFactor, yFactor,
                           kPixelStride, kChannels, kSampleType, 0);
    }
    return Core(src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY, srcRoiWidth, srcRoiHeight,
                dst, dstStep, dstWidth, dstHeight, xFactor, yFactor, 0.0, 0.0, kPixelStride,
                kChannels, kSampleType, 0, interpolation, 1);
}
