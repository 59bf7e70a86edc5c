#include "imageops/resize/ResizeSupersampleSse3.h"

#include "imageops/resize/BlockFillCopySse3.h"
#include "imageops/resize/IsaSse3.h"
#include "imageops/resize/ResizeSupersampleBuild.h"
#include "imageops/resize/ResizeSupersampleWorker.h"
#include "imageops/resize/SupersamplePiecesSimd.h"

namespace {

constexpr SupersampleBuild kBuild =
    SupersampleBuildFor<SimdSupersamplePieces<IsaSse3, ZeroBytesSse3>>();

}  // namespace

ImageOpStatus ResizeSupersampleSse3(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                                    std::int32_t srcStep, std::int32_t srcRoiX,
                                    std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                    std::int32_t srcRoiHeight, void* dst, std::int32_t dstStep,
                                    std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                                    double yFactor, std::int32_t pixelStride, std::int32_t channels,
                                    std::int32_t sampleType, std::int32_t planar) {
    return ResizeSupersampleForBuild(kBuild, src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY,
                                     srcRoiWidth, srcRoiHeight, dst, dstStep, dstWidth, dstHeight,
                                     xFactor, yFactor, pixelStride, channels, sampleType, planar);
}
