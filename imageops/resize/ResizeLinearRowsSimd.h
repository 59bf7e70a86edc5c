#pragma once

#include "imageops/resize/LinearPassesSimd.h"
#include "imageops/resize/ResizeLinearWindow.h"

#include <cstdint>

// The linear kernels of the SIMD builds: the plain build's two-row window with the SIMD passes
// (LinearPassesSimd.h). Shared by the SSE2 and SSE3 files with internal linkage.
namespace {

struct LinearPasses8u {
    using Sample = std::uint8_t;
    static void Row4(const Sample* r, std::int32_t n, const std::int32_t* o, const std::uint16_t* w,
                     std::uint16_t* out) {
        LinearRow8u4(r, n, o, w, out);
    }
    static void Row3(const Sample* r, std::int32_t n, std::int32_t stride, const std::int32_t* o,
                     const std::uint16_t* w, std::uint16_t* out) {
        LinearRow8u3(r, n, stride, o, w, out);
    }
    static void Row1(const Sample* r, std::int32_t n, const std::int32_t* o, const std::uint16_t* w,
                     std::uint16_t* out) {
        LinearRow8u1(r, n, o, w, out);
    }
    static void Column(Sample* d, std::int64_t n, std::uint16_t w, const std::uint16_t* t,
                       const std::uint16_t* b) {
        LinearColumn8u(d, n, w, t, b);
    }
    static void Column3of4(Sample* d, std::int32_t n, std::uint16_t w, const std::uint16_t* t,
                           const std::uint16_t* b) {
        LinearColumn8u3of4(d, n, w, t, b);
    }
};

struct LinearPasses16u {
    using Sample = std::uint16_t;
    static void Row4(const Sample* r, std::int32_t n, const std::int32_t* o, const std::uint16_t* w,
                     std::uint16_t* out) {
        LinearRow16u4(r, n, o, w, out);
    }
    static void Row3(const Sample* r, std::int32_t n, std::int32_t stride, const std::int32_t* o,
                     const std::uint16_t* w, std::uint16_t* out) {
        LinearRow16u3(r, n, stride, o, w, out);
    }
    static void Row1(const Sample* r, std::int32_t n, const std::int32_t* o, const std::uint16_t* w,
                     std::uint16_t* out) {
        LinearRow16u1(r, n, o, w, out);
    }
    static void Column(Sample* d, std::int64_t n, std::uint16_t w, const std::uint16_t* t,
                       const std::uint16_t* b) {
        LinearColumn16u(d, n, w, t, b);
    }
    static void Column3of4(Sample* d, std::int32_t n, std::uint16_t w, const std::uint16_t* t,
                           const std::uint16_t* b) {
        LinearColumn16u3of4(d, n, w, t, b);
    }
};

struct LinearPasses32f {
    using Sample = float;
    static void Row4(const Sample* r, std::int32_t n, const std::int32_t* o, const float* w,
                     float* out) {
        LinearRow32f4(r, n, o, w, out);
    }
    static void Row3(const Sample* r, std::int32_t n, std::int32_t stride, const std::int32_t* o,
                     const float* w, float* out) {
        LinearRow32f3(r, n, stride, o, w, out);
    }
    static void Row1(const Sample* r, std::int32_t n, const std::int32_t* o, const float* w,
                     float* out) {
        LinearRow32f1(r, n, o, w, out);
    }
    static void Column(Sample* d, std::int64_t n, float w, const float* t, const float* b) {
        LinearColumn32f(d, n, w, t, b);
    }
    static void Column3of4(Sample* d, std::int32_t n, float w, const float* t, const float* b) {
        LinearColumn32f3of4(d, n, w, t, b);
    }
};

// Three channels use the three-value row pass; a stride other than the channel count writes
// samples 0-2 of 4-sample pixels.
template <typename Passes, typename Weight, typename Buffer>
void SimdLinearInterleaved(const typename Passes::Sample* src, typename Passes::Sample* dst,
                           std::int32_t srcStep, std::int32_t dstStep, std::int32_t dstWidth,
                           std::int32_t dstHeight, const std::int32_t* rowOffsets,
                           const std::int32_t* columnOffsets, const Weight* rowWeights,
                           const Weight* columnWeights, Buffer* lineBuffer0, Buffer* lineBuffer1,
                           std::int32_t pixelStride, std::int32_t channels) {
    using Sample = typename Passes::Sample;
    const bool three = channels == 3;
    const auto rowPass = [&](const Sample* row, Buffer* out) {
        if (three) {
            Passes::Row3(row, dstWidth, pixelStride, columnOffsets, columnWeights, out);
        } else {
            Passes::Row4(row, dstWidth, columnOffsets, columnWeights, out);
        }
    };
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](Sample* out, Weight w, const Buffer* top, const Buffer* bottom) {
        if (contiguous) {
            Passes::Column(out, values, w, top, bottom);
        } else {
            Passes::Column3of4(out, dstWidth, w, top, bottom);
        }
    };
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, columnPass);
}

template <typename Passes, typename Weight, typename Buffer>
void SimdLinearSingle(const typename Passes::Sample* src, typename Passes::Sample* dst,
                      std::int32_t srcStep, std::int32_t dstStep, std::int32_t dstWidth,
                      std::int32_t dstHeight, const std::int32_t* rowOffsets,
                      const std::int32_t* columnOffsets, const Weight* rowWeights,
                      const Weight* columnWeights, Buffer* lineBuffer0, Buffer* lineBuffer1) {
    using Sample = typename Passes::Sample;
    const auto rowPass = [&](const Sample* row, Buffer* out) {
        Passes::Row1(row, dstWidth, columnOffsets, columnWeights, out);
    };
    const auto columnPass = [&](Sample* out, Weight w, const Buffer* top, const Buffer* bottom) {
        Passes::Column(out, dstWidth, w, top, bottom);
    };
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, columnPass);
}

}  // namespace
