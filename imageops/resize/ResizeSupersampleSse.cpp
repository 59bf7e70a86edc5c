#include "imageops/resize/ResizeSupersampleSse.h"

#include "imageops/resize/ResizeSupersampleBuild.h"
#include "imageops/resize/ResizeSupersampleWorkersSse.h"

ImageOpStatus ResizeSupersampleSse(const void* src, std::int32_t srcWidth,
                                   std::int32_t srcHeight, std::int32_t srcStep,
                                   std::int32_t srcRoiX, std::int32_t srcRoiY,
                                   std::int32_t srcRoiWidth, std::int32_t srcRoiHeight,
                                   void* dst, std::int32_t dstStep, std::int32_t dstWidth,
                                   std::int32_t dstHeight, double xFactor, double yFactor,
                                   std::int32_t pixelStride, std::int32_t channels,
                                   std::int32_t sampleType, std::int32_t planar) {
    static constexpr SupersampleBuild kSse{
        {ResizeSupersample8u1WorkerSse, ResizeSupersample8u3WorkerSse,
         ResizeSupersample8u4WorkerSse},
        {ResizeSupersample16u1WorkerSse, ResizeSupersample16u3WorkerSse,
         ResizeSupersample16u4WorkerSse},
        {ResizeSupersample32f1WorkerSse, ResizeSupersample32f3WorkerSse,
         ResizeSupersample32f4WorkerSse}};
    return ResizeSupersampleForBuild(kSse, src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY,
                                     srcRoiWidth, srcRoiHeight, dst, dstStep, dstWidth,
                                     dstHeight, xFactor, yFactor, pixelStride, channels,
                                     sampleType, planar);
}
