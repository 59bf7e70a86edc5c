#include "imageops/resize/ResizeCubicRows.h"

#include "imageops/resize/ResizeArithmetic.h"
#include "imageops/resize/CubicRowKernels.h"

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

// The vertical form sums the same third difference, p3 - 3p2 + 3p1 - p0, in the order the SSE2
// and SSE3 columns take, so every build that must match this one does so to the bit.
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

struct PlainCubicPasses {
    template <typename T, int kChannels>
    static void Row(const T* row, std::int32_t count, std::int32_t distance,
                    const std::int32_t* offsets, const float* fractions, float* out) {
        CubicRowPass<T, kChannels>(row, count, distance, offsets, fractions, out);
    }
    template <typename T>
    static void Column(T* dst, std::int64_t count, float t, const float* r0, const float* r1,
                       const float* r2, const float* r3) {
        CubicColumnPass<T>(dst, count, t, r0, r1, r2, r3);
    }
    template <typename T>
    static void Column3of4(T* dst, std::int32_t width, float t, const float* r0,
                           const float* r1, const float* r2, const float* r3) {
        CubicColumnPass3of4<T>(dst, width, t, r0, r1, r2, r3);
    }
};

}  // namespace

QM_DEFINE_CUBIC_KERNELS(, PlainCubicPasses)
