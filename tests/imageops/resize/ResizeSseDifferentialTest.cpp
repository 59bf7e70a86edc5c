#include "imageops/resize/ResizeCore.h"
#include "imageops/resize/ResizeCoreSse.h"
#include "imageops/resize/ResizeImage8u4.h"
#include "imageops/resize/ResizeImage8u4Sse.h"
#include "imageops/resize/ResizeSupersample.h"
#include "imageops/resize/ResizeSupersampleSse.h"
#include "tests/imageops/resize/ResizeOracle.h"
#include "tests/imageops/resize/ResizeTestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// The SSE build against the plain build over sizes, factors, regions, strides, layouts and
// sample types. Where both compute in integers (nearest, linear on 8-bit and 16-bit samples,
// area averaging) the bytes must be equal; where the SSE build rounds to single precision the
// difference is bounded per kernel (see Tolerance). Every element the request does not cover
// (row padding, sample 3 of three-channel pixels, rows and columns past the scaled region)
// must keep its bits in both builds.

namespace {

enum Mode { kNearest = 1, kLinear = 2, kCubic = 4, kArea = 8, kLanczos = 16 };

using Layout = ResizeLayout;
using Request = ResizeCase;
constexpr const auto& kLayouts = kResizeLayouts;

std::string Describe(const Request& r, int mode, int type, const Layout& l) {
    return "mode " + std::to_string(mode) + " type " + std::to_string(type) + " channels " +
           std::to_string(l.channels) + " stride " + std::to_string(l.stride) +
           (l.planar ? " planar" : "") + " src " + std::to_string(r.srcWidth) + "x" +
           std::to_string(r.srcHeight) + " roi " + std::to_string(r.roiX) + "," +
           std::to_string(r.roiY) + " " + std::to_string(r.roiWidth) + "x" +
           std::to_string(r.roiHeight) + " factors " + std::to_string(r.xFactor) + " " +
           std::to_string(r.yFactor) + " padding " + std::to_string(r.padding);
}

int Lowered(int mode, int width, int height) {
    if (mode == kLanczos && (width < 8 || height < 8)) {
        mode = kCubic;
    }
    if (mode == kCubic && (width < 4 || height < 4)) {
        mode = kLinear;
    }
    if (mode != kArea && (width < 2 || height < 2)) {
        mode = kNearest;
    }
    return mode;
}

// How far an SSE result may lie from the plain one, and why.
// - Cubic and Lanczos-3 on integers: single-precision sums can land on the other side of an
//   integer, and the cubic four-wide blocks round to nearest where the plain build truncates:
//   one code value.
// - Float linear, cubic and Lanczos-3: every step is rounded to single precision on terms as
//   large as the largest sample (the test images hold -50 to 150), and results near 0 can come
//   from terms of that size cancelling; some thirty roundings of half a unit in the last place
//   of the largest sample bound the difference, whatever the result's own size.
constexpr double kLargestSample = 150.0;

template <typename T>
double Tolerance(int mode) {
    if (mode == kNearest || mode == kArea) {
        return 0.0;
    }
    if constexpr (std::is_same_v<T, float>) {
        return 32.0 * std::ldexp(kLargestSample, -24);
    } else {
        return mode == kLinear ? 0.0 : 1.0;
    }
}

template <typename T>
void CompareBuilds(const Request& r, int mode, const Layout& l, std::uint32_t seed) {
    const int type = SampleTypeOf<T>();
    const int planeCount = l.planar ? (l.channels == 3 ? 3 : 4) : 1;
    const int stride = l.planar ? 1 : l.stride;
    std::vector<TestImage<T>> sources;
    std::vector<TestImage<T>> plain;
    std::vector<TestImage<T>> sse;
    const int outWidth = oracle::Size(std::min(r.roiWidth, r.srcWidth - r.roiX), r.dstWidth, r.xFactor);
    const int outHeight =
        oracle::Size(std::min(r.roiHeight, r.srcHeight - r.roiY), r.dstHeight, r.yFactor);
    for (int k = 0; k < planeCount; ++k) {
        sources.emplace_back(r.srcWidth, r.srcHeight, stride, r.padding);
        FillRandom(sources.back(), seed + static_cast<std::uint32_t>(k));
        plain.emplace_back(r.dstWidth, r.dstHeight, stride, r.padding + 1);
        FillSentinel(plain.back());
        sse.push_back(plain.back());
    }
    std::vector<const void*> srcPlanes;
    std::vector<void*> plainPlanes;
    std::vector<void*> ssePlanes;
    for (int k = 0; k < planeCount; ++k) {
        srcPlanes.push_back(sources[k].Data());
        plainPlanes.push_back(plain[k].Data());
        ssePlanes.push_back(sse[k].Data());
    }
    const void* src = l.planar ? static_cast<const void*>(srcPlanes.data()) : sources[0].Data();
    void* plainDst = l.planar ? static_cast<void*>(plainPlanes.data()) : plain[0].Data();
    void* sseDst = l.planar ? static_cast<void*>(ssePlanes.data()) : sse[0].Data();
    const int srcStep = sources[0].StepBytes();
    const int dstStep = plain[0].StepBytes();
    const int planarFlag = l.planar ? 1 : 0;
    ImageOpStatus a;
    ImageOpStatus b;
    if (mode == kArea) {
        a = ResizeSupersample(src, r.srcWidth, r.srcHeight, srcStep, r.roiX, r.roiY, r.roiWidth,
                              r.roiHeight, plainDst, dstStep, r.dstWidth, r.dstHeight, r.xFactor,
                              r.yFactor, l.stride, l.channels, type, planarFlag);
        b = ResizeSupersampleSse(src, r.srcWidth, r.srcHeight, srcStep, r.roiX, r.roiY,
                                 r.roiWidth, r.roiHeight, sseDst, dstStep, r.dstWidth,
                                 r.dstHeight, r.xFactor, r.yFactor, l.stride, l.channels, type,
                                 planarFlag);
    } else {
        a = ResizeCore(src, r.srcWidth, r.srcHeight, srcStep, r.roiX, r.roiY, r.roiWidth,
                       r.roiHeight, plainDst, dstStep, r.dstWidth, r.dstHeight, r.xFactor,
                       r.yFactor, 0.0, 0.0, l.stride, l.channels, type, planarFlag, mode, 1);
        b = ResizeCoreSse(src, r.srcWidth, r.srcHeight, srcStep, r.roiX, r.roiY, r.roiWidth,
                          r.roiHeight, sseDst, dstStep, r.dstWidth, r.dstHeight, r.xFactor,
                          r.yFactor, 0.0, 0.0, l.stride, l.channels, type, planarFlag, mode, 1);
    }
    const std::string what = Describe(r, mode, type, l);
    ASSERT_EQ(a, ImageOpStatus::Ok) << what;
    ASSERT_EQ(b, a) << what;
    const int kernelMode = mode == kArea ? kArea : Lowered(mode, r.srcWidth, r.srcHeight);
    const int written = l.planar ? 1 : std::min(l.channels == 1 ? 1 : l.channels, 4);
    int reported = 0;
    for (int k = 0; k < planeCount; ++k) {
        const TestImage<T>& p = plain[k];
        const TestImage<T>& s = sse[k];
        for (std::size_t i = 0; i < p.data.size(); ++i) {
            const int y = static_cast<int>(i / static_cast<std::size_t>(p.step));
            const int inRow = static_cast<int>(i % static_cast<std::size_t>(p.step));
            const int x = inRow / stride;
            const int c = inRow % stride;
            const bool covered = y < outHeight && x < outWidth && c < written;
            if (!covered) {
                if (!SameBits(p.data[i], s.data[i]) && reported++ < 3) {
                    ADD_FAILURE() << what << ": element " << i << " outside the result changed";
                }
                continue;
            }
            const double pv = static_cast<double>(p.data[i]);
            const double sv = static_cast<double>(s.data[i]);
            if (!(std::fabs(pv - sv) <= Tolerance<T>(kernelMode)) && reported++ < 3) {
                ADD_FAILURE() << what << ": plane " << k << " x " << x << " y " << y << " c "
                              << c << " plain " << pv << " sse " << sv;
            }
        }
    }
}

// Requests with sizes from 1 to 257, enlargements and reductions, clipped and inner regions
// and rows of odd lengths, reproducible from the seed.
std::vector<Request> Requests(std::uint32_t seed, int count, bool reductionsOnly) {
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto factor = [&]() {
        static const double kFactors[] = {0.07, 0.25, 0.3, 0.4, 0.5, 0.66, 0.9, 1.0,
                                          1.25, 1.5, 2.0, 2.7, 3.0, 4.33};
        const int n = reductionsOnly ? 8 : 14;
        return kFactors[pick(0, n - 1)];
    };
    std::vector<Request> requests;
    const int edges[] = {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 64, 129, 257};
    for (int i = 0; i < count; ++i) {
        Request r{};
        const bool large = i % 9 == 0;
        r.srcWidth = i < 15 ? edges[i] : (large ? pick(100, 257) : pick(1, 40));
        r.srcHeight = i < 15 ? edges[14 - i] % 60 + 1 : (large ? pick(1, 30) : pick(1, 40));
        r.roiX = i % 4 == 0 ? 0 : pick(0, r.srcWidth - 1);
        r.roiY = i % 5 == 0 ? 0 : pick(0, r.srcHeight - 1);
        r.roiWidth = pick(1, r.srcWidth + 3);
        r.roiHeight = pick(1, r.srcHeight + 3);
        r.xFactor = factor();
        r.yFactor = factor();
        r.dstWidth = i % 7 == 0 ? pick(1, 6) : 300;
        r.dstHeight = i % 11 == 0 ? pick(1, 6) : 140;
        r.padding = pick(0, 5);
        requests.push_back(r);
    }
    return requests;
}

template <typename T>
void CompareMode(int mode, int count, std::uint32_t seed) {
    const auto requests = Requests(seed, count, mode == kArea);
    for (const Layout& layout : kLayouts) {
        for (std::size_t i = 0; i < requests.size(); ++i) {
            CompareBuilds<T>(requests[i], mode, layout, seed + static_cast<std::uint32_t>(i));
        }
    }
}

constexpr int kRequests = 40;

TEST(ResizeSseBuild, NearestCopiesTheSameSamples) {
    CompareMode<std::uint8_t>(kNearest, kRequests, 11);
    CompareMode<std::uint16_t>(kNearest, kRequests, 12);
    CompareMode<float>(kNearest, kRequests, 13);
}

TEST(ResizeSseBuild, LinearMatchesTheFixedPointBytesAndTheFloatValues) {
    CompareMode<std::uint8_t>(kLinear, kRequests, 21);
    CompareMode<std::uint16_t>(kLinear, kRequests, 22);
    CompareMode<float>(kLinear, kRequests, 23);
}

TEST(ResizeSseBuild, CubicStaysWithinOneCodeValue) {
    CompareMode<std::uint8_t>(kCubic, kRequests, 31);
    CompareMode<std::uint16_t>(kCubic, kRequests, 32);
    CompareMode<float>(kCubic, kRequests, 33);
}

TEST(ResizeSseBuild, LanczosStaysWithinOneCodeValue) {
    CompareMode<std::uint8_t>(kLanczos, kRequests, 41);
    CompareMode<std::uint16_t>(kLanczos, kRequests, 42);
    CompareMode<float>(kLanczos, kRequests, 43);
}

TEST(ResizeSseBuild, AreaAveragingWritesThePlainBuildsValues) {
    CompareMode<std::uint8_t>(kArea, kRequests, 51);
    CompareMode<std::uint16_t>(kArea, kRequests, 52);
    CompareMode<float>(kArea, kRequests, 53);
}

// The entry sends area averaging with both factors at most 1 to the averager and everything
// else to the driver, and hands back the callee's status, as the plain entry does.
TEST(ResizeSseBuild, EntryRoutesAndReportsLikeThePlainEntry) {
    TestImage<std::uint8_t> src(12, 10, 4);
    FillRandom(src, 7);
    struct Case {
        int roiX;
        double xFactor;
        double yFactor;
        int interpolation;
        ImageOpStatus expected;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {0, 0.5, 1.0, kArea, ImageOpStatus::Ok},
        {0, 0.5, 1.5, kArea, ImageOpStatus::BadInterpolation},
        {0, -1.0, 0.5, kArea, ImageOpStatus::BadFactor},
        {0, nan, 0.5, kArea, ImageOpStatus::BadFactor},
        {12, 1.0, 1.0, kNearest, ImageOpStatus::RegionOutsideSource},
        {1, 1.7, 0.6, kNearest, ImageOpStatus::Ok},
        {1, 1.7, 0.6, kLinear, ImageOpStatus::Ok},
        {0, 0.8, 1.3, 3, ImageOpStatus::BadInterpolation},
    };
    for (const Case& c : cases) {
        TestImage<std::uint8_t> plain(30, 30, 4);
        FillSentinel(plain);
        TestImage<std::uint8_t> sse = plain;
        const ImageOpStatus a =
            ResizeImage8u4(src.Data(), 12, 10, src.StepBytes(), c.roiX, 0, 12, 10, plain.Data(),
                           plain.StepBytes(), 30, 30, c.xFactor, c.yFactor, c.interpolation);
        const ImageOpStatus b =
            ResizeImage8u4Sse(src.Data(), 12, 10, src.StepBytes(), c.roiX, 0, 12, 10, sse.Data(),
                              sse.StepBytes(), 30, 30, c.xFactor, c.yFactor, c.interpolation);
        EXPECT_EQ(a, c.expected) << c.interpolation << " " << c.xFactor;
        EXPECT_EQ(b, c.expected) << c.interpolation << " " << c.xFactor;
        EXPECT_EQ(plain.data, sse.data) << c.interpolation << " " << c.xFactor;
    }
    EXPECT_EQ(ResizeImage8u4Sse(nullptr, 12, 10, src.StepBytes(), 0, 0, 12, 10, src.Data(), 48, 5,
                                5, 0.5, 0.5, kArea),
              ImageOpStatus::NullPointer);
}

}  // namespace
