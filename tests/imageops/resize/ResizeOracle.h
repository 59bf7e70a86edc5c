#pragma once

#include "imageops/resize/LanczosWeights.h"
#include "tests/imageops/resize/ResizeTestImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Straightforward references for the resize tests: every destination pixel is computed on its
// own from the mapping rules (running-sum positions, edge rules) without row caches, tables or
// fixed layouts.

namespace oracle {

enum Mode { kNearest = 1, kLinear = 2, kCubic = 4, kLanczos = 16 };

// Destination pixels along one axis under the scale convention.
inline int Size(int roi, int requested, double factor) {
    const double n = std::trunc(roi * factor + 1e-7);
    return static_cast<int>(std::min<double>(requested, std::max(1.0, n)));
}

// Source positions of the destination pixels: start, then the step added once per pixel.
inline std::vector<double> Positions(int roi, int count, double factor, bool nearest,
                                     double shift = 0.0) {
    double step = 0.0;
    double start = shift;
    if (nearest) {
        step = 1.0 / factor;
        start += step / 2.0;
    } else if (roi * factor > 1.0) {
        step = (roi - 1) / (roi * factor - 1.0);
    }
    std::vector<double> positions;
    double p = start;
    for (int i = 0; i < count; ++i) {
        positions.push_back(p);
        p += step;
    }
    return positions;
}

inline int Index(double position) {
    return static_cast<int>(std::trunc(position + 1e-7));
}

// One axis of a request: where the region starts in the image, its clipped size, the image
// size, and whether its positions are shifted.
struct Axis {
    int origin;
    int roi;
    int image;
    bool shifted = false;
};

// A position's index, moved onto the image's edge where it lies beyond.
inline int ImageIndex(const Axis& a, double position) {
    return std::clamp(Index(position), -a.origin, a.image - a.origin - 1);
}

// A position a pixel or more before the image reads the image's first pixel alone.
inline bool BeforeImage(const Axis& a, double position) {
    return position <= -a.origin - 1;
}

// Linear: the left sample's index and the right sample's Q14 weight.
struct LinearTap {
    int index;
    int weight;   // Q14
    float fraction;
};

inline LinearTap Linear(const Axis& a, double position) {
    if (BeforeImage(a, position)) {
        return {-a.origin, 0, 0.0f};
    }
    const int index = ImageIndex(a, position);
    if (index == a.image - a.origin - 1) {
        return {index - 1, 16384, 1.0f};
    }
    const double f = position - index;
    const double weight = std::clamp(std::trunc(f * 16384.0 + 1e-7), 0.0, 16384.0);
    return {index, static_cast<int>(weight), static_cast<float>(f)};
}

// Cubic: the second tap's index and the fraction measured from it.
struct CubicTap {
    int index;
    float fraction;
};

inline CubicTap Cubic(const Axis& a, double position) {
    if (BeforeImage(a, position)) {
        return {-a.origin + 1, -1.0f};  // weights 1, 0, 0, 0
    }
    const int index = ImageIndex(a, position);
    const int absolute = a.origin + index;
    if (absolute == a.image - 1) {
        return {index - 2, 2.0f};
    }
    int moved = index;
    if (absolute == 0) {
        moved = index + 1;
    } else if (absolute == a.image - 2) {
        moved = index - 1;
    }
    return {moved, static_cast<float>(position - moved)};
}

// Lagrange weights of the cubic through samples at -1, 0, 1, 2, evaluated at t.
inline void CubicWeights(double t, double w[4]) {
    w[0] = -t * (t - 1.0) * (t - 2.0) / 6.0;
    w[1] = (t + 1.0) * (t - 1.0) * (t - 2.0) / 2.0;
    w[2] = -(t + 1.0) * t * (t - 2.0) / 2.0;
    w[3] = (t + 1.0) * t * (t - 1.0) / 6.0;
}

struct LanczosTap {
    int index;
    float weights[6];
};

// The taps around the centre; LanczosValue moves those beyond the image onto its edge.
inline LanczosTap Lanczos(double position) {
    LanczosTap tap{};
    tap.index = Index(position);
    const float fraction = static_cast<float>(position - tap.index);
    LanczosWeights(&fraction, 1, tap.weights);
    return tap;
}

// Reads channel c of the pixel at (column, row) relative to the region's origin.
template <typename T>
struct View {
    const TestImage<T>* image;
    int originX;
    int originY;
    double operator()(int column, int row, int c) const {
        return static_cast<double>(image->At(originX + column, originY + row, c));
    }
};

// The reference value of destination pixel (x, y), channel c, for each mode. Integer results
// of nearest and linear are exact; cubic and Lanczos return the unrounded double value.
template <typename T>
T NearestValue(const TestImage<T>& src, const Axis& ax, const Axis& ay, double px, double py,
               int c) {
    // Unshifted, a centre past the region (a tiny factor) takes the region's last pixel.
    const auto index = [](const Axis& a, double p) {
        return a.shifted ? ImageIndex(a, p) : std::min(Index(p), a.roi - 1);
    };
    return src.At(ax.origin + index(ax, px), ay.origin + index(ay, py), c);
}

template <typename T>
T LinearValue(const TestImage<T>& src, const Axis& ax, const Axis& ay, double px, double py,
              int c) {
    const View<T> s{&src, ax.origin, ay.origin};
    const LinearTap tx = Linear(ax, px);
    const LinearTap ty = Linear(ay, py);
    if constexpr (std::is_same_v<T, float>) {
        const auto row = [&](int r) {
            const double a = s(tx.index, r, c);
            const double b = s(tx.index + 1, r, c);
            return static_cast<float>(a + (b - a) * static_cast<double>(tx.fraction));
        };
        const double t = ty.fraction;
        return static_cast<float>(static_cast<double>(row(ty.index + 1)) * t +
                                  static_cast<double>(row(ty.index)) * (1.0 - t));
    } else {
        const std::uint32_t wr = static_cast<std::uint32_t>(tx.weight);
        const std::uint32_t wl = 16384u - wr;
        const std::uint32_t shift = sizeof(T) == 1 ? 8 : 14;
        const std::uint32_t bias = sizeof(T) == 1 ? 128 : 8192;
        const auto row = [&](int r) {
            const auto a = static_cast<std::uint32_t>(s(tx.index, r, c));
            const auto b = static_cast<std::uint32_t>(s(tx.index + 1, r, c));
            return (wl * a + wr * b + bias) >> shift;
        };
        const std::uint32_t wy = static_cast<std::uint32_t>(ty.weight);
        const std::uint32_t sum = (16384u - wy) * row(ty.index) + wy * row(ty.index + 1);
        return static_cast<T>(sizeof(T) == 1 ? (sum + 524288u) >> 20 : (sum + 8192u) >> 14);
    }
}

template <typename T>
double CubicValue(const TestImage<T>& src, const Axis& ax, const Axis& ay, double px, double py,
                  int c) {
    const View<T> s{&src, ax.origin, ay.origin};
    const CubicTap tx = Cubic(ax, px);
    const CubicTap ty = Cubic(ay, py);
    double wx[4];
    double wy[4];
    CubicWeights(tx.fraction, wx);
    CubicWeights(ty.fraction, wy);
    double v = 0.0;
    for (int j = 0; j < 4; ++j) {
        double h = 0.0;
        for (int i = 0; i < 4; ++i) {
            h += wx[i] * s(tx.index - 1 + i, ty.index - 1 + j, c);
        }
        v += wy[j] * h;
    }
    return v;
}

template <typename T>
double LanczosValue(const TestImage<T>& src, const Axis& ax, const Axis& ay, double px,
                    double py, int c) {
    const View<T> s{&src, ax.origin, ay.origin};
    const LanczosTap tx = Lanczos(px);
    const LanczosTap ty = Lanczos(py);
    double v = 0.0;
    for (int j = 0; j < 6; ++j) {
        const int row = std::clamp(ty.index + j - 2, -ay.origin, ay.image - ay.origin - 1);
        double h = 0.0;
        for (int i = 0; i < 6; ++i) {
            const int column = std::clamp(tx.index + i - 2, -ax.origin, ax.image - ax.origin - 1);
            h += static_cast<double>(tx.weights[i]) * s(column, row, c);
        }
        v += static_cast<double>(ty.weights[j]) * h;
    }
    return v;
}

}  // namespace oracle
