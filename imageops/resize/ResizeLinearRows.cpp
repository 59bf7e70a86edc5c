#include "imageops/resize/ResizeLinearRows.h"

#include "imageops/resize/ResizeLinearWindow.h"

#include <cstddef>

namespace {

// The arithmetic of one sample type: the horizontal blend into a buffer value and the
// vertical blend into a sample. Integer sums stay in unsigned 32 bits (at most
// 16384 * 65535 + 8192); float blends are formed in double and rounded once when stored.
template <typename T>
struct LinearOps;

template <>
struct LinearOps<std::uint8_t> {
    using Buffer = std::uint16_t;
    using Weight = std::uint16_t;
    static constexpr int kColumnWeightsPerPixel = 2;

    // The buffer keeps 6 fraction bits (value * 64), so the sample rounds only once, at the end.
    static Buffer Horizontal(std::uint32_t a, std::uint32_t b, const Weight* w) {
        return static_cast<Buffer>((w[0] * a + w[1] * b + 128u) >> 8);
    }
    struct RowWeight {
        std::uint32_t lower;
        explicit RowWeight(Weight w) : lower(w) {}
    };
    static std::uint8_t Vertical(Buffer top, Buffer bottom, const RowWeight& w) {
        return static_cast<std::uint8_t>(
            (top * (16384u - w.lower) + bottom * w.lower + 524288u) >> 20);
    }
};

template <>
struct LinearOps<std::uint16_t> {
    using Buffer = std::uint16_t;
    using Weight = std::uint16_t;
    static constexpr int kColumnWeightsPerPixel = 2;

    static Buffer Horizontal(std::uint32_t a, std::uint32_t b, const Weight* w) {
        return static_cast<Buffer>((w[0] * a + w[1] * b + 8192u) >> 14);
    }
    struct RowWeight {
        std::uint32_t lower;
        explicit RowWeight(Weight w) : lower(w) {}
    };
    static std::uint16_t Vertical(Buffer top, Buffer bottom, const RowWeight& w) {
        return static_cast<std::uint16_t>(
            (top * (16384u - w.lower) + bottom * w.lower + 8192u) >> 14);
    }
};

template <>
struct LinearOps<float> {
    using Buffer = float;
    using Weight = float;
    static constexpr int kColumnWeightsPerPixel = 1;

    static Buffer Horizontal(double a, double b, const Weight* w) {
        return static_cast<float>(a + (b - a) * static_cast<double>(*w));
    }
    // 1 - t is formed once per destination row.
    struct RowWeight {
        double lower;
        double upper;
        explicit RowWeight(Weight w) : lower(w), upper(1.0 - static_cast<double>(w)) {}
    };
    static float Vertical(Buffer top, Buffer bottom, const RowWeight& w) {
        return static_cast<float>(static_cast<double>(bottom) * w.lower +
                                  static_cast<double>(top) * w.upper);
    }
};

// Horizontal pass over count destination columns: kChannels values per pixel, the right
// neighbour `distance` samples after the left one.
template <typename T, int kChannels>
void RowPass(const T* row, std::int32_t count, std::int32_t distance,
             const std::int32_t* columnOffsets,
             const typename LinearOps<T>::Weight* columnWeights,
             typename LinearOps<T>::Buffer* out) {
    using Ops = LinearOps<T>;
    for (std::int32_t x = 0; x < count; ++x) {
        const T* left = row + columnOffsets[x];
        const T* right = left + distance;
        const auto* w = columnWeights + static_cast<std::ptrdiff_t>(x) * Ops::kColumnWeightsPerPixel;
        for (int c = 0; c < kChannels; ++c) {
            out[c] = Ops::Horizontal(left[c], right[c], w);
        }
        out += kChannels;
    }
}

// Vertical pass over count consecutive values.
template <typename T>
void ColumnPass(T* dst, std::int64_t count, typename LinearOps<T>::Weight weight,
                const typename LinearOps<T>::Buffer* top,
                const typename LinearOps<T>::Buffer* bottom) {
    const typename LinearOps<T>::RowWeight w(weight);
    for (std::int64_t i = 0; i < count; ++i) {
        dst[i] = LinearOps<T>::Vertical(top[i], bottom[i], w);
    }
}

// Vertical pass of three packed values per pixel into samples 0-2 of 4-sample pixels.
template <typename T>
void ColumnPass3of4(T* dst, std::int32_t dstWidth, typename LinearOps<T>::Weight weight,
                    const typename LinearOps<T>::Buffer* top,
                    const typename LinearOps<T>::Buffer* bottom) {
    const typename LinearOps<T>::RowWeight w(weight);
    for (std::int32_t x = 0; x < dstWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
            dst[4 * static_cast<std::ptrdiff_t>(x) + c] =
                LinearOps<T>::Vertical(top[3 * static_cast<std::ptrdiff_t>(x) + c],
                                       bottom[3 * static_cast<std::ptrdiff_t>(x) + c], w);
        }
    }
}

template <typename T>
void LinearInterleaved(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                       std::int32_t dstWidth, std::int32_t dstHeight,
                       const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                       const typename LinearOps<T>::Weight* rowWeights,
                       const typename LinearOps<T>::Weight* columnWeights,
                       typename LinearOps<T>::Buffer* lineBuffer0,
                       typename LinearOps<T>::Buffer* lineBuffer1, std::int32_t pixelStride,
                       std::int32_t channels) {
    using Buffer = typename LinearOps<T>::Buffer;
    using Weight = typename LinearOps<T>::Weight;
    const bool three = channels == 3;
    const auto rowPass = [&](const T* row, Buffer* out) {
        if (three) {
            RowPass<T, 3>(row, dstWidth, pixelStride, columnOffsets, columnWeights, out);
        } else {
            RowPass<T, 4>(row, dstWidth, 4, columnOffsets, columnWeights, out);
        }
    };
    const std::int64_t values = static_cast<std::int64_t>(dstWidth) * (three ? 3 : 4);
    const bool contiguous = pixelStride == channels;
    const auto columnPass = [&](T* out, Weight w, const Buffer* top, const Buffer* bottom) {
        if (contiguous) {
            ColumnPass<T>(out, values, w, top, bottom);
        } else {
            ColumnPass3of4<T>(out, dstWidth, w, top, bottom);
        }
    };
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, columnPass);
}

template <typename T>
void LinearSingle(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                  std::int32_t dstWidth, std::int32_t dstHeight, const std::int32_t* rowOffsets,
                  const std::int32_t* columnOffsets,
                  const typename LinearOps<T>::Weight* rowWeights,
                  const typename LinearOps<T>::Weight* columnWeights,
                  typename LinearOps<T>::Buffer* lineBuffer0,
                  typename LinearOps<T>::Buffer* lineBuffer1) {
    using Buffer = typename LinearOps<T>::Buffer;
    using Weight = typename LinearOps<T>::Weight;
    const auto rowPass = [&](const T* row, Buffer* out) {
        RowPass<T, 1>(row, dstWidth, 1, columnOffsets, columnWeights, out);
    };
    const auto columnPass = [&](T* out, Weight w, const Buffer* top, const Buffer* bottom) {
        ColumnPass<T>(out, dstWidth, w, top, bottom);
    };
    LinearWindow(src, dst, srcStep, dstStep, dstHeight, rowOffsets, rowWeights, lineBuffer0,
                 lineBuffer1, rowPass, columnPass);
}

}  // namespace

void ResizeLinearRows8u(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                        std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                        const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                        const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                        std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                        std::int32_t pixelStride, std::int32_t channels) {
    LinearInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                      rowWeights, columnWeights, lineBuffer0, lineBuffer1, pixelStride, channels);
}

void ResizeLinearRows16u(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                         std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                         const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                         const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                         std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1,
                         std::int32_t pixelStride, std::int32_t channels) {
    LinearInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                      rowWeights, columnWeights, lineBuffer0, lineBuffer1, pixelStride, channels);
}

void ResizeLinearRows32f(const float* src, float* dst, std::int32_t srcStep,
                         std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                         const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                         const float* rowWeights, const float* columnWeights,
                         float* lineBuffer0, float* lineBuffer1, std::int32_t pixelStride,
                         std::int32_t channels) {
    LinearInterleaved(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                      rowWeights, columnWeights, lineBuffer0, lineBuffer1, pixelStride, channels);
}

void ResizeLinearRows8u1(const std::uint8_t* src, std::uint8_t* dst, std::int32_t srcStep,
                         std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                         const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                         const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                         std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1) {
    LinearSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                 rowWeights, columnWeights, lineBuffer0, lineBuffer1);
}

void ResizeLinearRows16u1(const std::uint16_t* src, std::uint16_t* dst, std::int32_t srcStep,
                          std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                          const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                          const std::uint16_t* rowWeights, const std::uint16_t* columnWeights,
                          std::uint16_t* lineBuffer0, std::uint16_t* lineBuffer1) {
    LinearSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                 rowWeights, columnWeights, lineBuffer0, lineBuffer1);
}

void ResizeLinearRows32f1(const float* src, float* dst, std::int32_t srcStep,
                          std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                          const std::int32_t* rowOffsets, const std::int32_t* columnOffsets,
                          const float* rowWeights, const float* columnWeights,
                          float* lineBuffer0, float* lineBuffer1) {
    LinearSingle(src, dst, srcStep, dstStep, dstWidth, dstHeight, rowOffsets, columnOffsets,
                 rowWeights, columnWeights, lineBuffer0, lineBuffer1);
}
