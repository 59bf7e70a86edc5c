#include "imageops/resize/ResizeLanczosRows.h"

#include "imageops/resize/BlockFillCopy.h"
#include "imageops/resize/ResizeArithmetic.h"

#include <algorithm>
#include <cstddef>

namespace {

// One output of the horizontal pass: six taps `stride` elements apart starting at p[0] for
// tap 0, added in tap order in double and rounded once.
template <typename T>
float TapSum(const T* const taps[6], int channel, const float* w) {
    double sum = static_cast<double>(taps[0][channel]) * w[0];
    for (int k = 1; k < 6; ++k) {
        sum = sum + static_cast<double>(taps[k][channel]) * w[k];
    }
    return static_cast<float>(sum);
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

double ColumnSum(const float* const rows[6], std::ptrdiff_t i, const float* w) {
    double sum = static_cast<double>(rows[0][i]) * w[0];
    for (int k = 1; k < 6; ++k) {
        sum = sum + static_cast<double>(rows[k][i]) * w[k];
    }
    return sum;
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

// The ring of six filtered rows. Slot k holds row r - 2 + k of the current centre row r, each
// clamped into the image; advancing rotates buffer pointers and filters only the rows that
// enter. Edge rows that repeat a buffered row are copied instead of filtered again.
template <typename T, typename RowFn, typename ColumnFn>
void LanczosWindow(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                   std::int32_t dstHeight, const std::int32_t* rowOffsets,
                   const float* rowWeights, float* const lineBuffers[6], std::int32_t srcRoiY,
                   std::int32_t rowsBelow, std::int32_t upY, std::int64_t rowValues,
                   RowFn rowPass, ColumnFn columnPass) {
    const std::int64_t s = srcStep;
    const std::int64_t top = -static_cast<std::int64_t>(srcRoiY) * s;
    const std::int64_t bottom = (static_cast<std::int64_t>(rowsBelow) - 1) * s;
    const auto clampRow = [&](std::int64_t offset) { return std::clamp(offset, top, bottom); };
    const auto filter = [&](std::int64_t offset, float* out) { rowPass(src + clampRow(offset), out); };
    const auto copy = [&](const float* from, float* to) { CopyInts(from, to, rowValues); };

    float* b[6];
    std::copy(lineBuffers, lineBuffers + 6, b);
    // Rows r0 - 2 .. r0 + 2 go to slots 1..5; slot 0 is filled by the first advance.
    const std::int64_t r0 = rowOffsets[0];
    filter(r0, b[3]);
    if (clampRow(r0 + s) == clampRow(r0)) {
        copy(b[3], b[4]);
    } else {
        filter(r0 + s, b[4]);
    }
    if (clampRow(r0 + 2 * s) == clampRow(r0 + s)) {
        copy(b[4], b[5]);
    } else {
        filter(r0 + 2 * s, b[5]);
    }
    if (clampRow(r0 - s) == clampRow(r0)) {
        copy(b[3], b[2]);
    } else {
        filter(r0 - s, b[2]);
    }
    if (clampRow(r0 - 2 * s) == clampRow(r0 - s)) {
        copy(b[2], b[1]);
    } else {
        filter(r0 - 2 * s, b[1]);
    }

    // Moves the buffer of slot 0 to slot `last`, shifting slots 1..last up by one.
    const auto rotate = [&](int last) {
        float* oldest = b[0];
        for (int k = 0; k < last; ++k) {
            b[k] = b[k + 1];
        }
        b[last] = oldest;
    };
    std::int64_t previous = r0 - 1;
    for (std::int32_t y = 0; y < dstHeight; ++y) {
        const std::int64_t r = rowOffsets[y];
        if (r > previous) {
            rotate(5);
            if (upY != 0) {
                if (r >= (static_cast<std::int64_t>(rowsBelow) - 3) * s) {
                    copy(b[4], b[5]);
                } else {
                    filter(r + 3 * s, b[5]);
                }
            } else {
                const std::int64_t advance = r - previous;
                filter(r + 3 * s, b[5]);
                if (advance >= 2 * s) {
                    rotate(4);
                    filter(r + 2 * s, b[4]);
                }
                if (advance >= 3 * s) {
                    rotate(3);
                    filter(r + s, b[3]);
                }
                if (advance >= 4 * s) {
                    rotate(2);
                    filter(r, b[2]);
                }
                if (advance >= 5 * s) {
                    rotate(1);
                    filter(r - s, b[1]);
                    if (advance >= 6 * s) {
                        filter(r - 2 * s, b[0]);
                    }
                }
            }
            previous = r;
        }
        const float* rows[6] = {b[0], b[1], b[2], b[3], b[4], b[5]};
        columnPass(dst + static_cast<std::ptrdiff_t>(y) * dstStep,
                   rowWeights + 6 * static_cast<std::ptrdiff_t>(y), rows);
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
    LanczosWindow<T>(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffers,
                     srcRoiY, rowsBelow, upY, values, rowPass, columnPass);
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
    LanczosWindow<T>(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffers,
                     srcRoiY, rowsBelow, upY, dstWidth, rowPass, columnPass);
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

QM_LANCZOS_INTERLEAVED(ResizeLanczosRows8u, std::uint8_t)
QM_LANCZOS_INTERLEAVED(ResizeLanczosRows16u, std::uint16_t)
QM_LANCZOS_INTERLEAVED(ResizeLanczosRows32f, float)
QM_LANCZOS_SINGLE(ResizeLanczosRows8u1, std::uint8_t)
QM_LANCZOS_SINGLE(ResizeLanczosRows16u1, std::uint16_t)
QM_LANCZOS_SINGLE(ResizeLanczosRows32f1, float)

#undef QM_LANCZOS_PARAMS
#undef QM_LANCZOS_BUFFERS
#undef QM_LANCZOS_INTERLEAVED
#undef QM_LANCZOS_SINGLE
