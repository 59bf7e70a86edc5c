#include "imageops/resize/ResizeSupersampleSse.h"

#include "imageops/resize/AccumulateRows.h"
#include "imageops/resize/AccumulateRowsSse.h"
#include "imageops/resize/BlockFillCopySse.h"
#include "imageops/resize/ResizeSupersampleBuild.h"
#include "imageops/resize/ResizeSupersampleWorker.h"

namespace {

// The SSE build's clearing routine and whole-row adders (the plain ones for 8-bit and 16-bit
// three-sample pixels), which give the plain build's sums.
struct SsePieces {
    static void Zero(void* block, std::int64_t bytes) { ZeroBytesSse(block, bytes); }

    static void Rows(const std::uint8_t* src, std::int32_t step, std::int32_t width,
                     std::int32_t rows, std::uint32_t* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows8u1Sse(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows8u3(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows8u4Sse(src, step, width, rows, sums);
        }
    }

    static void Rows(const std::uint16_t* src, std::int32_t step, std::int32_t width,
                     std::int32_t rows, std::uint32_t* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows16u1Sse(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows16u3(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows16u4Sse(src, step, width, rows, sums);
        }
    }

    static void Rows(const float* src, std::int32_t step, std::int32_t width, std::int32_t rows,
                     float* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows32f1Sse(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows32f3Sse(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows32f4Sse(src, step, width, rows, sums);
        }
    }
};

}  // namespace

ImageOpStatus ResizeSupersampleSse(const void* src, std::int32_t srcWidth,
                                   std::int32_t srcHeight, std::int32_t srcStep,
                                   std::int32_t srcRoiX, std::int32_t srcRoiY,
                                   std::int32_t srcRoiWidth, std::int32_t srcRoiHeight,
                                   void* dst, std::int32_t dstStep, std::int32_t dstWidth,
                                   std::int32_t dstHeight, double xFactor, double yFactor,
                                   std::int32_t pixelStride, std::int32_t channels,
                                   std::int32_t sampleType, std::int32_t planar) {
    static constexpr SupersampleBuild kSse = SupersampleBuildFor<SsePieces>();
    return ResizeSupersampleForBuild(kSse, src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY,
                                     srcRoiWidth, srcRoiHeight, dst, dstStep, dstWidth,
                                     dstHeight, xFactor, yFactor, pixelStride, channels,
                                     sampleType, planar);
}
