#include "imageops/resize/LanczosWeights.h"
#include "tests/imageops/resize/ResizeOracle.h"
#include "tests/imageops/resize/ResizeTestImage.h"
#include "tests/imageops/resize/SimdBuilds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <span>
#include <sstream>
#include <string>
#include <vector>

// The SIMD builds' own arithmetic, pixel by pixel: a scalar model of the single-precision
// cubic, Lanczos-3 and float linear filters (which values go through blocks of four, which
// through the remainder, every rounding step), held against whole resizes bit for bit.

namespace {

float Bits(std::uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

const float kThird = Bits(0x3EAAAAAAu);
const float kBias = Bits(0x3727C5ACu);

// ---- cubic ------------------------------------------------------------------------------

// What sets the builds' cubics apart: rows of three or four channels one pixel per vector step
// (SSE2, SSE3) or in blocks of four as one channel; single column values with the rows' third
// difference; float three-of-four values summed with q0 last.
struct CubicArithmetic {
    bool pixelRows;
    bool rowColumnDifference;
    bool firstTapLast;
};

const CubicArithmetic kSseCubic{false, true, true};
const CubicArithmetic kSse2Cubic{true, false, true};
const CubicArithmetic kSse3Cubic{true, false, false};

float CubicRemainder(float q0, float q1, float q2, float q3, float t, bool rowForm,
                     bool firstTapLast = false) {
    const float a = 1.0f + t;
    const float b = (t * a) * 0.5f;
    const float c = ((t - 1.0f) * b) / 3.0f;
    const float d1 = q1 - q0;
    const float d2 = (q2 - q1) - d1;
    const float d3 = rowForm ? ((q1 - (q2 + q2)) + q3) - d2 : (((q3 - q2) - q2) + q1) - d2;
    return firstTapLast ? ((c * d3 + b * d2) + a * d1) + q0 : ((q0 + c * d3) + b * d2) + a * d1;
}

// Block form; blockRow forms c as (t - 1)(b k), pixel rows and columns as ((t - 1) k) b.
float CubicBlock(float q0, float q1, float q2, float q3, float t, bool row, bool blockRow) {
    const float a = t + 1.0f;
    const float b = (t * 0.5f) * a;
    const float c = blockRow ? (t - 1.0f) * (b * kThird) : ((t - 1.0f) * kThird) * b;
    const float d1 = q1 - q0;
    const float d2 = (q2 - q1) - d1;
    const float d3 = row ? ((q3 - q2) - q2) + (q1 - d2) : (q3 - d2) + ((q1 - q2) - q2);
    return (q0 + a * d1) + (b * d2 + c * d3);
}

template <typename T>
T StoreRemainder(float v) {
    if constexpr (std::is_same_v<T, float>) {
        return v;
    } else {
        const double s = std::trunc(static_cast<double>(v) + 1e-7);
        return static_cast<T>(std::clamp<double>(s, 0.0, std::numeric_limits<T>::max()));
    }
}

template <typename T>
T StoreBlock(float v) {
    if constexpr (std::is_same_v<T, float>) {
        return v;
    } else {
        const float r = std::nearbyint(v + kBias);
        return static_cast<T>(std::clamp<float>(r, 0.0f, std::numeric_limits<T>::max()));
    }
}

// Block of four or remainder: the first n - n mod 4 of n values go in blocks (none below 4).
bool InBlock(std::int64_t index, std::int64_t count) {
    return count >= 4 && index < count - count % 4;
}

struct Layout {
    int channels;  // 1 for one channel or a plane
    int stride;
};

template <typename T>
T CubicModel(const CubicArithmetic& a, const TestImage<T>& src, const oracle::Axis& ax,
             const oracle::Axis& ay, double px, double py, int x, int c, int dstWidth,
             const Layout& l) {
    const oracle::CubicTap tx = oracle::Cubic(ax, px);
    const oracle::CubicTap ty = oracle::Cubic(ay, py);
    const oracle::View<T> s{&src, ax.origin, ay.origin};
    float rows[4];
    for (int j = 0; j < 4; ++j) {
        float q[4];
        for (int i = 0; i < 4; ++i) {
            q[i] = static_cast<float>(s(tx.index - 1 + i, ty.index - 1 + j, c));
        }
        if (l.channels == 1 || !a.pixelRows) {
            rows[j] = InBlock(x, dstWidth)
                          ? CubicBlock(q[0], q[1], q[2], q[3], tx.fraction, true, true)
                          : CubicRemainder(q[0], q[1], q[2], q[3], tx.fraction, true);
        } else {
            rows[j] = CubicBlock(q[0], q[1], q[2], q[3], tx.fraction, true, false);
        }
    }
    const bool threeOfFour = l.channels == 3 && l.stride == 4;
    const int perPixel = threeOfFour ? 3 : l.channels;
    const std::int64_t index = static_cast<std::int64_t>(x) * perPixel + c;
    const std::int64_t count = static_cast<std::int64_t>(dstWidth) * perPixel;
    const bool floatThreeOfFour = threeOfFour && std::is_same_v<T, float>;
    const bool block = InBlock(index, count) && !floatThreeOfFour;
    if (block) {
        return StoreBlock<T>(
            CubicBlock(rows[0], rows[1], rows[2], rows[3], ty.fraction, false, false));
    }
    return StoreRemainder<T>(CubicRemainder(rows[0], rows[1], rows[2], rows[3], ty.fraction,
                                            a.rowColumnDifference,
                                            a.firstTapLast && floatThreeOfFour));
}

// ---- Lanczos-3 --------------------------------------------------------------------------

void SingleWeights(float fraction, float w[6]) {
    const float* table = LanczosTable();
    const float d = (0.0f - fraction) - 2.0f;
    for (int k = 0; k < 6; ++k) {
        const float a = std::min(std::fabs(d + static_cast<float>(k)), 3.0f) * 100.0f;
        const int j = static_cast<int>(a);
        w[k] = table[j] + (a - static_cast<float>(j)) * (table[j + 1] - table[j]);
    }
}

// Rows are filtered in single precision; columns of floats too, and columns of integers in
// double, or in single precision when singleColumns is set.
template <typename T>
T LanczosModel(const TestImage<T>& src, const oracle::Axis& ax, const oracle::Axis& ay, double px,
               double py, int c, bool singleColumns = false) {
    const oracle::View<T> s{&src, ax.origin, ay.origin};
    const int cx = std::min(oracle::Index(px), ax.roi - 1);
    const int cy = std::min(oracle::Index(py), ay.roi - 1);
    float wx[6];
    float wy[6];
    SingleWeights(static_cast<float>(px - cx), wx);
    SingleWeights(static_cast<float>(py - cy), wy);
    float rows[6];
    for (int j = 0; j < 6; ++j) {
        const int row = std::clamp(cy + j - 2, -ay.origin, ay.image - ay.origin - 1);
        float sum = 0.0f;
        for (int i = 0; i < 6; ++i) {
            const int column = std::clamp(cx + i - 2, -ax.origin, ax.image - ax.origin - 1);
            const float term = wx[i] * static_cast<float>(s(column, row, c));
            sum = i == 0 ? term : sum + term;
        }
        rows[j] = sum;
    }
    float single = rows[0] * wy[0];
    for (int j = 1; j < 6; ++j) {
        single = single + rows[j] * wy[j];
    }
    if constexpr (std::is_same_v<T, float>) {
        return single;
    } else {
        double sum = static_cast<double>(rows[0]) * wy[0];
        for (int j = 1; j < 6; ++j) {
            sum = sum + static_cast<double>(rows[j]) * wy[j];
        }
        const double v = std::trunc((singleColumns ? static_cast<double>(single) : sum) + 1e-7);
        return static_cast<T>(std::clamp<double>(v, 0.0, std::numeric_limits<T>::max()));
    }
}

// ---- float linear -----------------------------------------------------------------------

struct FloatTap {
    int index;
    float fraction;
};

FloatTap LinearFloat(const oracle::Axis& a, double position) {
    const int index = std::min(oracle::Index(position), a.roi - 1);
    if (index == a.image - a.origin - 1) {
        return {index - 1, 1.0f};
    }
    return {index, static_cast<float>(position - index)};
}

float LinearFloatModel(const TestImage<float>& src, const oracle::Axis& ax, const oracle::Axis& ay,
                       double px, double py, int c) {
    const oracle::View<float> s{&src, ax.origin, ay.origin};
    const FloatTap tx = LinearFloat(ax, px);
    const FloatTap ty = LinearFloat(ay, py);
    const auto row = [&](int r) {
        const float a = static_cast<float>(s(tx.index, r, c));
        const float b = static_cast<float>(s(tx.index + 1, r, c));
        return a + (b - a) * tx.fraction;
    };
    const float u = 1.0f - ty.fraction;
    return row(ty.index) * u + row(ty.index + 1) * ty.fraction;
}

// Rows {5, 7, 0, 9} enlarged 2.5 times: the running sum puts column 6 at 2 - 2^-52, a hair
// below the 0, so the 9 gets the fraction -2^-52; shifted half a column left, column 0
// extrapolates from the first pair, and a whole column left it takes the first pixel. Every
// product here is exact in single and double precision.
void ExpectFractionsAsPositioned(decltype(&ResizeCore) core) {
    TestImage<float> src(4, 2, 1, 0);
    for (int y = 0; y < 2; ++y) {
        src.At(0, y, 0) = 5.0f;
        src.At(1, y, 0) = 7.0f;
        src.At(2, y, 0) = 0.0f;
        src.At(3, y, 0) = 9.0f;
    }
    const auto at = [&](double xShift, int x) {
        TestImage<float> dst(10, 2, 1, 0);
        EXPECT_EQ(core(src.Data(), 4, 2, src.StepBytes(), 0, 0, 4, 2, dst.Data(),
                       dst.StepBytes(), 10, 2, 2.5, 1.0, xShift, 0.0, 1, 1, 2, 0, 2, 1),
                  ImageOpStatus::Ok);
        return dst.At(x, 0, 0);
    };
    EXPECT_EQ(at(0.0, 6), std::ldexp(-9.0f, -52));
    EXPECT_EQ(at(-0.5, 0), 4.0f);
    EXPECT_EQ(at(-1.0, 0), 5.0f);
}

// ---- the comparison ---------------------------------------------------------------------

struct Request {
    int srcWidth;
    int srcHeight;
    int roiX;
    int roiY;
    int roiWidth;
    int roiHeight;
    double xFactor;
    double yFactor;
};

const Request kRequests[] = {
    {23, 17, 0, 0, 23, 17, 1.9, 2.3},  {23, 17, 0, 0, 23, 17, 0.55, 0.71},
    {40, 30, 6, 5, 20, 15, 1.33, 0.8}, {40, 30, 30, 20, 12, 12, 2.5, 1.5},
    {12, 11, 0, 0, 12, 11, 0.42, 1.0}, {12, 11, 2, 1, 9, 9, 0.57, 0.37},
    {17, 25, 0, 0, 17, 25, 0.376, 3.336},
};

const Layout kLayouts[] = {{1, 1}, {3, 3}, {3, 4}, {4, 4}};

// Every request in every layout, each element against the model (or, past the channels,
// untouched), on sources that `fill` fills.
template <typename T, typename Model>
void ExpectModel(const SimdBuild& build, int mode, Model model,
                 std::span<const Request> requests = kRequests,
                 void (*fill)(TestImage<T>&, std::uint32_t) = FillRandom<T>) {
    for (const Request& r : requests) {
        for (const Layout& l : kLayouts) {
            TestImage<T> src(r.srcWidth, r.srcHeight, l.stride, 2);
            fill(src, static_cast<std::uint32_t>(r.srcWidth * 31 + l.stride));
            const int roiW = std::min(r.roiWidth, r.srcWidth - r.roiX);
            const int roiH = std::min(r.roiHeight, r.srcHeight - r.roiY);
            const int w = oracle::Size(roiW, 1000, r.xFactor);
            const int h = oracle::Size(roiH, 1000, r.yFactor);
            TestImage<T> dst(w, h, l.stride, 1);
            FillSentinel(dst);
            const TestImage<T> before = dst;
            ASSERT_EQ(build.core(src.Data(), r.srcWidth, r.srcHeight, src.StepBytes(), r.roiX,
                                 r.roiY, r.roiWidth, r.roiHeight, dst.Data(), dst.StepBytes(), w, h,
                                 r.xFactor, r.yFactor, 0.0, 0.0, l.stride, l.channels,
                                 SampleTypeOf<T>(), 0, mode, 1),
                      ImageOpStatus::Ok);
            const oracle::Axis ax{r.roiX, roiW, r.srcWidth};
            const oracle::Axis ay{r.roiY, roiH, r.srcHeight};
            const auto xs = oracle::Positions(roiW, w, r.xFactor, false);
            const auto ys = oracle::Positions(roiH, h, r.yFactor, false);
            int failures = 0;
            for (int y = 0; y < h && failures < 3; ++y) {
                for (int x = 0; x < w && failures < 3; ++x) {
                    for (int c = 0; c < l.stride && failures < 3; ++c) {
                        const T got = dst.At(x, y, c);
                        const bool written = c < l.channels;
                        const T want = written ? model(src, ax, ay, xs[x], ys[y], x, c, w, l)
                                               : before.At(x, y, c);
                        if (!SameBits(got, want)) {
                            ++failures;
                            std::ostringstream what;
                            what << "mode " << mode << " src " << r.srcWidth << "x" << r.srcHeight
                                 << " factors " << r.xFactor << "," << r.yFactor << " channels "
                                 << l.channels << " stride " << l.stride << " at " << x << "," << y
                                 << "," << c << ": got " << +got << " want " << +want;
                            ADD_FAILURE() << what.str();
                        }
                    }
                }
            }
        }
    }
}

// Row 1 a line of 52, the rest black.
void FillLine(TestImage<std::uint8_t>& image, std::uint32_t) {
    std::fill(image.data.begin(), image.data.end(), 0);
    std::fill_n(image.data.begin() + image.step, image.step, 52);
}

void ExpectCubic(const SimdBuild& build, const CubicArithmetic& a) {
    const auto model = [&a](const auto& src, const oracle::Axis& ax, const oracle::Axis& ay,
                            double px, double py, int x, int c, int w, const Layout& l) {
        return CubicModel(a, src, ax, ay, px, py, x, c, w, l);
    };
    ExpectModel<std::uint8_t>(build, 4, model);
    ExpectModel<std::uint16_t>(build, 4, model);
    ExpectModel<float>(build, 4, model);
}

class ResizeSimdArithmetic : public ::testing::TestWithParam<SimdBuild> {};

TEST_P(ResizeSimdArithmetic, CubicRoundsBlocksOfFourAndTruncatesTheRest) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    ExpectCubic(GetParam(), GetParam().core == ResizeCoreSse2 ? kSse2Cubic : kSse3Cubic);
}

// Rows are filtered in single precision, and so are the columns of floats; integer columns are
// summed in double. A line of 52 on black enlarged 2.7 times down weighs the line in row 1 to
// just under 21, which a single-precision sum rounds up to 21 before it is truncated.
TEST_P(ResizeSimdArithmetic, LanczosFiltersRowsInSingleAndIntegerColumnsInDoublePrecision) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    const auto model = [](const auto& src, const oracle::Axis& ax, const oracle::Axis& ay,
                          double px, double py, int, int c, int, const Layout&) {
        return LanczosModel(src, ax, ay, px, py, c);
    };
    ExpectModel<std::uint8_t>(GetParam(), 16, model);
    ExpectModel<std::uint16_t>(GetParam(), 16, model);
    ExpectModel<float>(GetParam(), 16, model);
    const Request enlarged[] = {{13, 12, 0, 0, 13, 12, 1.0, 2.7}};
    ExpectModel<std::uint8_t>(GetParam(), 16, model, enlarged, FillLine);
}

TEST_P(ResizeSimdArithmetic, FloatLinearRoundsEveryOperation) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    ExpectModel<float>(GetParam(), 2,
                       [](const TestImage<float>& src, const oracle::Axis& ax,
                          const oracle::Axis& ay, double px, double py, int, int c, int,
                          const Layout&) { return LinearFloatModel(src, ax, ay, px, py, c); });
    ExpectFractionsAsPositioned(GetParam().core);
}

INSTANTIATE_TEST_SUITE_P(SimdBuilds, ResizeSimdArithmetic,
                         ::testing::Values(kSse2Build, kSse3Build), SimdBuildName);

// The SSE build filters one value at a time: its rows round as the SIMD builds' do, and its
// columns are summed in single precision for every sample type.
TEST(ResizeSseArithmetic, LanczosSumsRowsAndColumnsInSinglePrecision) {
    const auto model = [](const auto& src, const oracle::Axis& ax, const oracle::Axis& ay,
                          double px, double py, int, int c, int, const Layout&) {
        return LanczosModel(src, ax, ay, px, py, c, true);
    };
    ExpectModel<std::uint8_t>(kSseBuild, 16, model);
    ExpectModel<std::uint16_t>(kSseBuild, 16, model);
    ExpectModel<float>(kSseBuild, 16, model);
}

// Blocks of four as its pieces compute them, and the values after them with the plain build's
// formula and order.
TEST(ResizeSseArithmetic, CubicSingleValuesTakeThePlainFormulaAndOrder) {
    ExpectCubic(kSseBuild, kSseCubic);
}

// Its float linear kernels, vector steps included, round as the SIMD builds' do; on exact
// values the plain build, which blends in double, agrees with them.
TEST(ResizeSseArithmetic, FloatLinearRoundsEveryOperation) {
    ExpectModel<float>(kSseBuild, 2,
                       [](const TestImage<float>& src, const oracle::Axis& ax,
                          const oracle::Axis& ay, double px, double py, int, int c, int,
                          const Layout&) { return LinearFloatModel(src, ax, ay, px, py, c); });
    ExpectFractionsAsPositioned(ResizeCoreSse);
    ExpectFractionsAsPositioned(ResizeCore);
}

}  // namespace
