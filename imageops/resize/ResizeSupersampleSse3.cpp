#include "imageops/resize/ResizeSupersampleSse3.h"

#include "imageops/resize/AccumulateRowsSse3.h"
#include "imageops/resize/BlockFillCopySse3.h"
#include "imageops/resize/ResizeSupersampleBuild.h"
#include "imageops/resize/ResizeSupersampleWorker.h"
#include "imageops/resize/ResizeSupersampleWorkersSse3.h"

namespace {

// The SSE3 build's buffer clearing and whole-number row adders.
struct PiecesSse3 {
    static void Zero(void* block, std::int64_t bytes) {
        ZeroBytesSse3(block, bytes);
    }

    static void Rows(const std::uint8_t* src, std::int32_t step, std::int32_t width,
                     std::int32_t rows, std::uint32_t* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows8u1Sse3(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows8u3Sse3(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows8u4Sse3(src, step, width, rows, sums);
        }
    }

    static void Rows(const std::uint16_t* src, std::int32_t step, std::int32_t width,
                     std::int32_t rows, std::uint32_t* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows16u1Sse3(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows16u3Sse3(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows16u4Sse3(src, step, width, rows, sums);
        }
    }

    static void Rows(const float* src, std::int32_t step, std::int32_t width, std::int32_t rows,
                     float* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows32f1Sse3(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows32f3Sse3(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows32f4Sse3(src, step, width, rows, sums);
        }
    }
};

}  // namespace

QM_DEFINE_SUPERSAMPLE_WORKERS(Sse3, PiecesSse3)

namespace {

constexpr SupersampleBuild kBuild{
    {ResizeSupersample8u1WorkerSse3, ResizeSupersample8u3WorkerSse3,
     ResizeSupersample8u4WorkerSse3},
    {ResizeSupersample16u1WorkerSse3, ResizeSupersample16u3WorkerSse3,
     ResizeSupersample16u4WorkerSse3},
    {ResizeSupersample32f1WorkerSse3, ResizeSupersample32f3WorkerSse3,
     ResizeSupersample32f4WorkerSse3},
};

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
