#include "imageops/resize/ResizeCubicRowsSse.h"

#include "imageops/resize/CubicQuadsSse.h"
#include "imageops/resize/ResizeArithmetic.h"
#include "imageops/resize/CubicRowKernels.h"

#include <cstddef>
#include <limits>
#include <type_traits>

namespace {

// The values the pieces leave, in single precision with the plain build's formula and order:
// d3 = ((b - (c + c)) + d) - d2 and v = ((a + w3 d3) + w2 d2) + w1 d1, in rows and columns
// alike. The float three-of-four column pass, which has no piece, adds the first tap last.
struct ScalarCubic {
    float w1;
    float w2;
    float w3;
    explicit ScalarCubic(float t) : w1(1.0f + t), w2(t * w1 * 0.5f), w3((t - 1.0f) * w2 / 3.0f) {}
    struct Differences {
        float d1;
        float d2;
        float d3;
        Differences(float a, float b, float c, float d)
            : d1(b - a), d2((c - b) - d1), d3(((b - (c + c)) + d) - d2) {}
    };
    float Value(float a, float b, float c, float d) const {
        const Differences e(a, b, c, d);
        return ((a + w3 * e.d3) + w2 * e.d2) + w1 * e.d1;
    }
    float FirstTapLastValue(float a, float b, float c, float d) const {
        const Differences e(a, b, c, d);
        return ((w3 * e.d3 + w2 * e.d2) + w1 * e.d1) + a;
    }
};

// Outputs handed to the pieces: n with its two low bits cleared, when that is at least four.
std::int32_t QuadCount(std::int64_t n) {
    const auto m = static_cast<std::int32_t>(n & ~std::int64_t{3});
    return m >= 4 ? m : 0;
}

template <typename T>
T StoreScalar(float value) {
    if constexpr (std::numeric_limits<T>::is_integer) {
        return static_cast<T>(TruncSample(static_cast<double>(value), SampleLimits<T>::kMax));
    } else {
        return value;
    }
}

// The four-wide row pieces per sample type and layout.
template <typename T>
struct RowQuads;

template <>
struct RowQuads<std::uint8_t> {
    static constexpr auto kOne = CubicRowQuads8u1;
    static constexpr auto kThree = CubicRowQuads8u3;
    static constexpr auto kFour = CubicRowQuads8u4;
};

template <>
struct RowQuads<std::uint16_t> {
    static constexpr auto kOne = CubicRowQuads16u1;
    static constexpr auto kThree = CubicRowQuads16u3;
    static constexpr auto kFour = CubicRowQuads16u4;
};

template <>
struct RowQuads<float> {
    static constexpr auto kOne = CubicRowQuads32f1;
    static constexpr auto kThree = CubicRowQuads32f3;
    static constexpr auto kFour = CubicRowQuads32f4;
};

// Horizontal pass: kChannels values per pixel, neighbours `distance` samples apart.
template <typename T, int kChannels>
void RowPass(const T* row, std::int32_t count, std::int32_t distance,
             const std::int32_t* columnOffsets, const float* columnFractions, float* out) {
    const std::int32_t m = QuadCount(count);
    if (m > 0) {
        if constexpr (kChannels == 1) {
            RowQuads<T>::kOne(row, m, columnOffsets, columnFractions, out);
        } else if constexpr (kChannels == 3) {
            RowQuads<T>::kThree(row, m, distance, columnOffsets, columnFractions, out);
        } else {
            RowQuads<T>::kFour(row, m, columnOffsets, columnFractions, out);
        }
    }
    const std::ptrdiff_t d = distance;
    for (std::int32_t x = m; x < count; ++x) {
        const ScalarCubic k(columnFractions[x]);
        const T* p = row + columnOffsets[x];
        for (int c = 0; c < kChannels; ++c) {
            out[kChannels * static_cast<std::ptrdiff_t>(x) + c] =
                k.Value(static_cast<float>(p[c - d]), static_cast<float>(p[c]),
                        static_cast<float>(p[c + d]), static_cast<float>(p[c + 2 * d]));
        }
    }
}

template <typename T>
void ColumnQuads(T* dst, std::int32_t n, float t, const float* r0, const float* r1,
                 const float* r2, const float* r3, bool threeOfFour) {
    if constexpr (std::is_same_v<T, std::uint8_t>) {
        (threeOfFour ? CubicColumnQuads8u3of4 : CubicColumnQuads8u)(dst, n, t, r0, r1, r2, r3);
    } else if constexpr (std::is_same_v<T, std::uint16_t>) {
        (threeOfFour ? CubicColumnQuads16u3of4 : CubicColumnQuads16u)(dst, n, t, r0, r1, r2, r3);
    } else {
        CubicColumnQuads32f(dst, n, t, r0, r1, r2, r3);
    }
}

// Vertical pass over `count` packed values; with threeOfFour value k goes to sample k % 3 of
// 4-sample pixel k / 3. The float three-of-four pass has no piece.
template <typename T>
void ColumnPass(T* dst, std::int64_t count, float t, const float* r0, const float* r1,
                const float* r2, const float* r3, bool threeOfFour) {
    const bool pieces = !(threeOfFour && std::is_same_v<T, float>);
    const std::int32_t m = pieces ? QuadCount(count) : 0;
    if (m > 0) {
        ColumnQuads<T>(dst, m, t, r0, r1, r2, r3, threeOfFour);
    }
    const ScalarCubic k(t);
    for (std::int64_t i = m; i < count; ++i) {
        const std::ptrdiff_t out = threeOfFour ? 4 * (i / 3) + i % 3 : i;
        dst[out] = StoreScalar<T>(pieces ? k.Value(r0[i], r1[i], r2[i], r3[i])
                                         : k.FirstTapLastValue(r0[i], r1[i], r2[i], r3[i]));
    }
}

struct SseCubicPasses {
    template <typename T, int kChannels>
    static void Row(const T* row, std::int32_t count, std::int32_t distance,
                    const std::int32_t* offsets, const float* fractions, float* out) {
        RowPass<T, kChannels>(row, count, distance, offsets, fractions, out);
    }
    template <typename T>
    static void Column(T* dst, std::int64_t count, float t, const float* r0, const float* r1,
                       const float* r2, const float* r3) {
        ColumnPass<T>(dst, count, t, r0, r1, r2, r3, false);
    }
    template <typename T>
    static void Column3of4(T* dst, std::int32_t width, float t, const float* r0,
                           const float* r1, const float* r2, const float* r3) {
        ColumnPass<T>(dst, 3 * static_cast<std::int64_t>(width), t, r0, r1, r2, r3, true);
    }
};

}  // namespace

QM_DEFINE_CUBIC_KERNELS(Sse, SseCubicPasses)
