#pragma once

#include <cstdint>
#include <type_traits>

// The arithmetic of one linear-interpolation value, shared by every build with internal linkage
// so each build's copy is compiled with its own flags. Horizontal(a, b, w) blends two samples
// with the pixel's column weights into a row-buffer value; Vertical(top, bottom, rowWeight)
// blends two buffered values into a sample, rowWeight made once per destination row from the
// lower row's weight.
namespace {

// Q14 weights (16384 = 1.0). Integer sums stay in unsigned 32 bits (at most
// 16384 * 65535 + 8192).
template <typename T>
struct FixedLinearOps;

template <>
struct FixedLinearOps<std::uint8_t> {
    using Buffer = std::uint16_t;
    using Weight = std::uint16_t;
    using RowWeight = std::uint32_t;
    static constexpr int kColumnWeightsPerPixel = 2;

    // The buffer keeps 6 fraction bits (value * 64), so the sample rounds only once, at the end.
    static Buffer Horizontal(std::uint32_t a, std::uint32_t b, const Weight* w) {
        return static_cast<Buffer>((w[0] * a + w[1] * b + 128u) >> 8);
    }
    static std::uint8_t Vertical(std::uint32_t top, std::uint32_t bottom, RowWeight lower) {
        return static_cast<std::uint8_t>((top * (16384u - lower) + bottom * lower + 524288u) >> 20);
    }
};

template <>
struct FixedLinearOps<std::uint16_t> {
    using Buffer = std::uint16_t;
    using Weight = std::uint16_t;
    using RowWeight = std::uint32_t;
    static constexpr int kColumnWeightsPerPixel = 2;

    static Buffer Horizontal(std::uint32_t a, std::uint32_t b, const Weight* w) {
        return static_cast<Buffer>((w[0] * a + w[1] * b + 8192u) >> 14);
    }
    static std::uint16_t Vertical(std::uint32_t top, std::uint32_t bottom, RowWeight lower) {
        return static_cast<std::uint16_t>((top * (16384u - lower) + bottom * lower + 8192u) >> 14);
    }
};

// Floats in the plain build: each blend formed in double and rounded once when stored; the
// weight is the right sample's (horizontal) or the lower row's (vertical).
struct DoubleLinearOps {
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

// Floats in the SIMD-era builds: every operation rounded to single precision, p0 + (p1 - p0) f
// across and t (1 - w) + b w down, 1 - w formed once per row in single precision.
struct SingleLinearOps {
    using Buffer = float;
    using Weight = float;
    static constexpr int kColumnWeightsPerPixel = 1;

    static Buffer Horizontal(float a, float b, const Weight* w) {
        return a + (b - a) * *w;
    }
    struct RowWeight {
        float lower;
        float upper;
        explicit RowWeight(Weight w) : lower(w), upper(1.0f - w) {}
    };
    static float Vertical(Buffer top, Buffer bottom, const RowWeight& w) {
        return top * w.upper + bottom * w.lower;
    }
};

// A build's arithmetic for sample type T: Q14 integers, and FloatOps for floats.
template <typename T, typename FloatOps>
using LinearOpsFor =
    std::conditional_t<std::is_same_v<T, float>, FloatOps, FixedLinearOps<T>>;

}  // namespace
