#pragma once

#include "imageops/ImageOpStatus.h"
#include "imageops/resize/AccumulateRowsSimd.h"

#include <cstdint>

// The SIMD builds' pieces of the area-averaging worker (ResizeSupersampleWorker.h): the row
// buffer cleared by the build's kZeroBytes and whole rows added by the adders of
// AccumulateRowsSimd.h for the build's Isa. Shared by the SSE2 and SSE3 files with internal
// linkage.
namespace {

template <typename Isa, ImageOpStatus (*kZeroBytes)(void*, std::int64_t)>
struct SimdSupersamplePieces {
    static void Zero(void* block, std::int64_t bytes) {
        kZeroBytes(block, bytes);
    }

    template <typename T>
    static void Rows(const T* src, std::int32_t step, std::int32_t width, std::int32_t rows,
                     std::uint32_t* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            SimdAccumulate1<Isa>(src, step, width, rows, sums);
        } else if (channels == 3) {
            SimdAccumulate3<Isa>(src, step, width, rows, sums, stride);
        } else {
            SimdAccumulate4<Isa>(src, step, width, rows, sums);
        }
    }

    static void Rows(const float* src, std::int32_t step, std::int32_t width, std::int32_t rows,
                     float* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            SimdAccumulate32f1<Isa>(src, step, width, rows, sums);
        } else if (channels == 3) {
            SimdAccumulate32f3<Isa>(src, step, width, rows, sums, stride);
        } else {
            SimdAccumulate32f4<Isa>(src, step, width, rows, sums);
        }
    }
};

}  // namespace
