#include "imageops/resize/ResizeCubicRows.h"

#include "imageops/resize/ResizeArithmetic.h"
#include "imageops/resize/ResizeCubicWindow.h"

#include <cstddef>

namespace {

// Coefficients of one fraction: a = 1 + t, b = t * a / 2, c = (t - 1) * b / 3.
struct CubicCoefficients {
    double a;
    double b;
    double c;
    explicit CubicCoefficients(float fraction) {
        const double t = fraction;
        a = 1.0 + t;
        b = (t * a) * 0.5;
        c = ((t - 1.0) * b) / 3.0;
    }
};

// The horizontal form of the third difference, summed in the fixed order.
double CubicRowValue(double p0, double p1, double p2, double p3, const CubicCoefficients& k) {
    const double d1 = p1 - p0;
    const double d2 = (p2 - p1) - d1;
    const double d3 = ((p1 - 2.0 * p2) + p3) - d2;
    return ((p0 + d3 * k.c) + d2 * k.b) + d1 * k.a;
}

// The vertical form: c is rounded to single precision once per destination row.
struct ColumnCoefficients {
    double a;
    double b;
    double c;
    explicit ColumnCoefficients(float fraction) {
        const CubicCoefficients k(fraction);
        a = k.a;
        b = k.b;
        c = static_cast<float>(k.c);
    }
};

double CubicColumnValue(double p0, double p1, double p2, double p3, const ColumnCoefficients& k) {
    const double d1 = p1 - p0;
    const double d2 = (p2 - p1) - d1;
    const double d3 = (((p3 - p2) - p2) + p1) - d2;
    return ((p0 + d3 * k.c) + d2 * k.b) + d1 * k.a;
}

template <typename T, int kChannels>
void CubicRowPass(const T* row, std::int32_t count, std::int32_t distance,
                  const std::int32_t* columnOffsets, const float* columnFractions, float* out) {
    for (std::int32_t x = 0; x < count; ++x) {
        const CubicCoefficients k(columnFractions[x]);
        const T* p = row + columnOffsets[x];
        for (int c = 0; c < kChannels; ++c) {
            out[c] = static_cast<float>(CubicRowValue(p[c - distance], p[c], p[c + distance],
                                                      p[c + 2 * distance], k));
        }
        out += kChannels;
    }
}

template <typename T>
void CubicColumnPass(T* dst, std::int64_t count, float fraction, const float* row0,
                     const float* row1, const float* row2, const float* row3) {
    const ColumnCoefficients k(fraction);
    for (std::int64_t i = 0; i < count; ++i) {
        dst[i] = StoreInterpolated<T>(CubicColumnValue(row0[i], row1[i], row2[i], row3[i], k));
    }
}

template <typename T>
void CubicColumnPass3of4(T* dst, std::int32_t dstWidth, float fraction, const float* row0,
                         const float* row1, const float* row2, const float* row3) {
    const ColumnCoefficients k(fraction);
    for (std::int32_t x = 0; x < dstWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
            const std::ptrdiff_t i = 3 * static_cast<std::ptrdiff_t>(x) + c;
            dst[4 * static_cast<std::ptrdiff_t>(x) + c] =
                StoreInterpolated<T>(CubicColumnValue(row0[i], row1[i], row2[i], row3[i], k));
        }
    }
}

template <typename T>
void CubicInterleaved(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                      std::int32_t dstWidth, std::int32_t dstHeight,
                      const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                      const float* rowFractions, const float* columnFractions,
                      float* lineBuffer0, float* lineBuffer1, float* lineBuffer2,
                      float* lineBuffer3, std::int32_t pixelStride, std::int32_t channels) {
    const bool three = channels == 3;
    const auto rowPass = [&](const T* row, float* out) {
        if (three) {
            CubicRowPass<T, 3>(row, dstWidth, pixelStride, columnOffsets, columnFractions, out);
        } else {
            CubicRowPass<T, 4>(row, dstWidth, 4, columnOffsets, columnFractions, out);
        }
    };
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, float t, const float* b0, const float* b1,
                                const float* b2, const float* b3) {
        if (contiguous) {
            CubicColumnPass<T>(out, values, t, b0, b1, b2, b3);
        } else {
            CubicColumnPass3of4<T>(out, dstWidth, t, b0, b1, b2, b3);
        }
    };
    CubicWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowFractions, lineBuffer0,
                lineBuffer1, lineBuffer2, lineBuffer3, rowPass, columnPass);
}

template <typename T>
void CubicSingle(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                 std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
                 const std::int32_t* columnOffsets, const float* rowFractions,
                 const float* columnFractions, float* lineBuffer0, float* lineBuffer1,
                 float* lineBuffer2, float* lineBuffer3) {
    const auto rowPass = [&](const T* row, float* out) {
        CubicRowPass<T, 1>(row, dstWidth, 1, columnOffsets, columnFractions, out);
    };
    const auto columnPass = [&](T* out, float t, const float* b0, const float* b1,
                                const float* b2, const float* b3) {
        CubicColumnPass<T>(out, dstWidth, t, b0, b1, b2, b3);
    };
    CubicWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowFractions, lineBuffer0,
                lineBuffer1, lineBuffer2, lineBuffer3, rowPass, columnPass);
}

}  // namespace

#define QM_CUBIC_INTERLEAVED(name, type)                                                       \
    void name(const type* src, type* dst, std::int32_t srcStep, std::int32_t dstStep,         \
              std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,  \
              const std::int32_t* columnOffsets, const float* rowFractions,                   \
              const float* columnFractions, float* lineBuffer0, float* lineBuffer1,           \
              float* lineBuffer2, float* lineBuffer3, std::int32_t pixelStride,               \
              std::int32_t channels) {                                                        \
        CubicInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,         \
                         columnOffsets, rowFractions, columnFractions, lineBuffer0,           \
                         lineBuffer1, lineBuffer2, lineBuffer3, pixelStride, channels);       \
    }
#define QM_CUBIC_SINGLE(name, type)                                                            \
    void name(const type* src, type* dst, std::int32_t srcStep, std::int32_t dstStep,         \
              std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,  \
              const std::int32_t* columnOffsets, const float* rowFractions,                   \
              const float* columnFractions, float* lineBuffer0, float* lineBuffer1,           \
              float* lineBuffer2, float* lineBuffer3) {                                       \
        CubicSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets,              \
                    columnOffsets, rowFractions, columnFractions, lineBuffer0, lineBuffer1,   \
                    lineBuffer2, lineBuffer3);                                                \
    }

QM_CUBIC_INTERLEAVED(ResizeCubicRows8u, std::uint8_t)
QM_CUBIC_INTERLEAVED(ResizeCubicRows16u, std::uint16_t)
QM_CUBIC_INTERLEAVED(ResizeCubicRows32f, float)
QM_CUBIC_SINGLE(ResizeCubicRows8u1, std::uint8_t)
QM_CUBIC_SINGLE(ResizeCubicRows16u1, std::uint16_t)
QM_CUBIC_SINGLE(ResizeCubicRows32f1, float)

#undef QM_CUBIC_INTERLEAVED
#undef QM_CUBIC_SINGLE
