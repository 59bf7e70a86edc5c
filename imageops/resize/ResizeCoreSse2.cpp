#include "imageops/resize/ResizeCoreSse2.h"

#include "imageops/resize/LanczosWeights.h"
#include "imageops/resize/LanczosWeightsSimd.h"
#include "imageops/resize/ResizeCoreBuild.h"
#include "imageops/resize/ResizeKernelTableSse2.h"

namespace {

void Weights(const float* fractions, std::int32_t count, float* weights) {
    SimdLanczosWeights(fractions, count, weights, LanczosTable());
}

constexpr ResizeBuild kBuild{ResizeKernelTableSse2, Weights};

}  // namespace

ImageOpStatus ResizeCoreSse2(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                             std::int32_t srcStep, std::int32_t srcRoiX, std::int32_t srcRoiY,
                             std::int32_t srcRoiWidth, std::int32_t srcRoiHeight, void* dst,
                             std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                             double xFactor, double yFactor, double xShift, double yShift,
                             std::int32_t pixelStride, std::int32_t channels,
                             std::int32_t sampleType, std::int32_t planar,
                             std::int32_t interpolation, std::int32_t factorConvention) {
    return ResizeCoreForBuild(kBuild, src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY, srcRoiWidth,
                        srcRoiHeight, dst, dstStep, dstWidth, dstHeight, xFactor, yFactor, xShift,
                        yShift, pixelStride, channels, sampleType, planar, interpolation,
                        factorConvention);
}
