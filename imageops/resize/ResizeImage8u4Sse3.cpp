#include "imageops/resize/ResizeImage8u4Sse3.h"

#include "imageops/resize/ResizeCoreSse3.h"
#include "imageops/resize/ResizeImage8u4Routing.h"
#include "imageops/resize/ResizeSupersampleSse3.h"

ImageOpStatus ResizeImage8u4Sse3(const std::uint8_t* src, std::int32_t srcWidth,
                                 std::int32_t srcHeight, std::int32_t srcStep, std::int32_t srcRoiX,
                                 std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                 std::int32_t srcRoiHeight, std::uint8_t* dst, std::int32_t dstStep,
                                 std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                                 double yFactor, std::int32_t interpolation) {
    return RouteResizeImage8u4<ResizeSupersampleSse3, ResizeCoreSse3>(
        src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY, srcRoiWidth, srcRoiHeight, dst,
        dstStep, dstWidth, dstHeight, xFactor, yFactor, interpolation);
}
