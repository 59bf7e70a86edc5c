#include "imageops/resize/ResizeLanczosRowsSse.h"

#include "imageops/resize/BlockFillCopySse.h"
#include "imageops/resize/ResizeArithmetic.h"
#include "imageops/resize/ResizeLanczosWindow.h"

#include <algorithm>
#include <cstddef>

namespace {

// One output of the horizontal pass: the six taps in tap order, every product and partial
// sum rounded to single precision.
template <typename T>
float TapSum(const T* const taps[6], int channel, const float* w) {
    float sum = static_cast<float>(taps[0][channel]) * w[0];
    for (int k = 1; k < 6; ++k) {
        sum = sum + static_cast<float>(taps[k][channel]) * w[k];
    }
    return sum;
}

// Horizontal pass: tap columns are clamped to the image, -srcRoiX .. columnsRight - 1 relative
// to the region; the interior needs no clamp.
template <typename T, int kChannels>
void LanczosRowPass(const T* row, std::int32_t stride, const std::int32_t* columnOffsets,
                    const float* columnWeights, float* out, std::int32_t count,
                    std::int32_t srcRoiX, std::int32_t columnsRight) {
    const std::int64_t first = -static_cast<std::int64_t>(srcRoiX);
    const std::int64_t last = static_cast<std::int64_t>(columnsRight) - 1;
    for (std::int32_t x = 0; x < count; ++x) {
        const std::int64_t offset = columnOffsets[x];
        const std::int64_t centre = offset / stride;
        const T* taps[6];
        for (int k = 0; k < 6; ++k) {
            const std::int64_t column = std::clamp<std::int64_t>(centre + k - 2, first, last);
            taps[k] = row + offset + (column - centre) * stride;
        }
        const float* w = columnWeights + 6 * static_cast<std::ptrdiff_t>(x);
        for (int c = 0; c < kChannels; ++c) {
            out[c] = TapSum(taps, c, w);
        }
        out += kChannels;
    }
}

// The six rows in tap order in single precision, widened for the store.
double ColumnSum(const float* const rows[6], std::ptrdiff_t i, const float* w) {
    float sum = rows[0][i] * w[0];
    for (int k = 1; k < 6; ++k) {
        sum = sum + rows[k][i] * w[k];
    }
    return static_cast<double>(sum);
}

template <typename T>
void LanczosColumnPass(T* dst, std::int64_t count, const float* w, const float* const rows[6]) {
    for (std::int64_t i = 0; i < count; ++i) {
        dst[i] = StoreInterpolated<T>(ColumnSum(rows, i, w));
    }
}

template <typename T>
void LanczosColumnPass3of4(T* dst, std::int32_t dstWidth, const float* w,
                           const float* const rows[6]) {
    for (std::int32_t x = 0; x < dstWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
            dst[4 * static_cast<std::ptrdiff_t>(x) + c] =
                StoreInterpolated<T>(ColumnSum(rows, 3 * static_cast<std::ptrdiff_t>(x) + c, w));
        }
    }
}

template <typename T>
void LanczosInterleaved(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                        std::int32_t dstWidth, std::int32_t dstHeight,
                        const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                        const float* rowWeights, const float* columnWeights,
                        float* const lineBuffers[6], std::int32_t srcRoiX, std::int32_t srcRoiY,
                        std::int32_t columnsRight, std::int32_t rowsBelow, std::int32_t upY,
                        std::int32_t pixelStride, std::int32_t channels) {
    const bool three = channels == 3;
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const auto rowPass = [&](const T* row, float* out) {
        if (three) {
            LanczosRowPass<T, 3>(row, pixelStride, columnOffsets, columnWeights, out, dstWidth,
                                 srcRoiX, columnsRight);
        } else {
            LanczosRowPass<T, 4>(row, 4, columnOffsets, columnWeights, out, dstWidth, srcRoiX,
                                 columnsRight);
        }
    };
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, const float* w, const float* const rows[6]) {
        if (contiguous) {
            LanczosColumnPass<T>(out, values, w, rows);
        } else {
            LanczosColumnPass3of4<T>(out, dstWidth, w, rows);
        }
    };
    LanczosWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffers,
                  srcRoiY, rowsBelow, upY, values, rowPass, columnPass, CopyIntsSse);
}

template <typename T>
void LanczosSingle(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                   std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
                   const std::int32_t* columnOffsets, const float* rowWeights,
                   const float* columnWeights, float* const lineBuffers[6],
                   std::int32_t srcRoiX, std::int32_t srcRoiY, std::int32_t columnsRight,
                   std::int32_t rowsBelow, std::int32_t upY) {
    const auto rowPass = [&](const T* row, float* out) {
        LanczosRowPass<T, 1>(row, 1, columnOffsets, columnWeights, out, dstWidth, srcRoiX,
                             columnsRight);
    };
    const auto columnPass = [&](T* out, const float* w, const float* const rows[6]) {
        LanczosColumnPass<T>(out, dstWidth, w, rows);
    };
    LanczosWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffers,
                  srcRoiY, rowsBelow, upY, dstWidth, rowPass, columnPass, CopyIntsSse);
}

}  // namespace

#define QM_LANCZOS_PARAMS(type)                                                                \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t *rowOffsets,        \
        const std::int32_t *columnOffsets, const float *rowWeights,                           \
        const float *columnWeights, float *lineBuffer0, float *lineBuffer1,                   \
        float *lineBuffer2, float *lineBuffer3, float *lineBuffer4, float *lineBuffer5,       \
        std::int32_t srcRoiX, std::int32_t srcRoiY, std::int32_t columnsRight,                \
        std::int32_t rowsBelow, std::int32_t upY
#define QM_LANCZOS_BUFFERS                                                                     \
    float* const buffers[6] = {lineBuffer0, lineBuffer1, lineBuffer2,                          \
                               lineBuffer3, lineBuffer4, lineBuffer5}

#define QM_LANCZOS_INTERLEAVED(name, type)                                                     \
    void name(QM_LANCZOS_PARAMS(type), std::int32_t pixelStride, std::int32_t channels) {     \
        QM_LANCZOS_BUFFERS;                                                                    \
        LanczosInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,       \
                           columnOffsets, rowWeights, columnWeights, buffers, srcRoiX,        \
                           srcRoiY, columnsRight, rowsBelow, upY, pixelStride, channels);     \
    }
#define QM_LANCZOS_SINGLE(name, type)                                                          \
    void name(QM_LANCZOS_PARAMS(type)) {                                                       \
        QM_LANCZOS_BUFFERS;                                                                    \
        LanczosSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,            \
                      columnOffsets, rowWeights, columnWeights, buffers, srcRoiX, srcRoiY,    \
                      columnsRight, rowsBelow, upY);                                           \
    }

QM_LANCZOS_INTERLEAVED(ResizeLanczosRows8uSse, std::uint8_t)
QM_LANCZOS_INTERLEAVED(ResizeLanczosRows16uSse, std::uint16_t)
QM_LANCZOS_INTERLEAVED(ResizeLanczosRows32fSse, float)
QM_LANCZOS_SINGLE(ResizeLanczosRows8u1Sse, std::uint8_t)
QM_LANCZOS_SINGLE(ResizeLanczosRows16u1Sse, std::uint16_t)
QM_LANCZOS_SINGLE(ResizeLanczosRows32f1Sse, float)

#undef QM_LANCZOS_PARAMS
#undef QM_LANCZOS_BUFFERS
#undef QM_LANCZOS_INTERLEAVED
#undef QM_LANCZOS_SINGLE
