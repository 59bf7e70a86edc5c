#include "imageops/resize/ResizeSupersampleWorkersSse.h"

#include "imageops/resize/AccumulateRows.h"
#include "imageops/resize/AccumulateRowsSse.h"
#include "imageops/resize/BlockFillCopySse.h"
#include "imageops/resize/ResizeSupersampleWorker.h"

namespace {

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

QM_DEFINE_SUPERSAMPLE_WORKERS(Sse, SsePieces)
