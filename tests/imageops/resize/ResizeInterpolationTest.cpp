#include "imageops/resize/ResizeCore.h"
#include "tests/imageops/resize/AllocationControl.h"
#include "tests/imageops/resize/ResizeOracle.h"
#include "tests/imageops/resize/SimdBuilds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct Geometry {
    const char* name;
    int srcWidth;
    int srcHeight;
    int roiX;
    int roiY;
    int roiWidth;
    int roiHeight;
    int dstWidth;
    int dstHeight;
    double xFactor;
    double yFactor;
    double xShift = 0.0;
    double yShift = 0.0;
};

struct Layout {
    int channels;
    int stride;
    bool planar;
};

// Geometries that walk every row-cache path: enlargements, reductions by up to eight rows per
// destination row, regions against every image edge, clipped regions and requests smaller
// than the scaled region.
const Geometry kGeometries[] = {
    {"enlarge", 9, 8, 0, 0, 9, 8, 64, 64, 2.3, 1.7},
    {"reduce", 23, 21, 0, 0, 23, 21, 64, 64, 0.4, 0.3},
    {"strongReduce", 40, 44, 2, 1, 35, 41, 64, 64, 0.13, 0.12},
    {"bottomRightClipped", 20, 18, 15, 14, 10, 10, 64, 64, 1.6, 2.2},
    {"marginOne", 16, 16, 1, 1, 12, 12, 64, 64, 0.77, 1.0},
    {"smallRequest", 12, 11, 0, 0, 12, 11, 5, 4, 2.5, 3.0},
    {"identity", 10, 9, 1, 2, 7, 6, 64, 64, 1.0, 1.0},
    {"bottomRowOnly", 12, 10, 2, 9, 8, 1, 64, 64, 1.5, 3.0},
    {"rightColumnOnly", 10, 12, 9, 2, 1, 8, 64, 64, 3.0, 1.25},
    {"tinyFactor", 13, 12, 0, 0, 13, 12, 64, 64, 0.05, 0.07},
    {"innerRegion", 30, 30, 10, 11, 9, 8, 64, 64, 1.9, 0.6},
};

const Layout kLayouts[] = {
    {1, 1, false}, {3, 3, false}, {3, 4, false}, {4, 4, false}, {3, 1, true}, {4, 1, true},
};

int Lower(int mode, int width, int height) {
    if (mode == oracle::kLanczos && (width < 8 || height < 8)) {
        mode = oracle::kCubic;
    }
    if (mode == oracle::kCubic && (width < 4 || height < 4)) {
        mode = oracle::kLinear;
    }
    if (width < 2 || height < 2) {
        mode = oracle::kNearest;
    }
    return mode;
}

template <typename T>
bool WithinOneStep(T actual, double reference) {
    if constexpr (std::is_same_v<T, float>) {
        return std::fabs(actual - reference) <= 1e-3 * (1.0 + std::fabs(reference));
    } else {
        const double expected = std::clamp(std::trunc(reference + 1e-7), 0.0,
                                           static_cast<double>(std::numeric_limits<T>::max()));
        return std::fabs(static_cast<double>(actual) - expected) <= 1.0;
    }
}

template <typename T>
void RunCase(const Geometry& g, const Layout& layout, int mode,
             decltype(&ResizeCore) core = ResizeCore) {
    SCOPED_TRACE(std::string(g.name) + " mode " + std::to_string(mode) + " channels " +
                 std::to_string(layout.channels) + " stride " + std::to_string(layout.stride) +
                 (layout.planar ? " planar" : ""));
    const int lowered = Lower(mode, g.srcWidth, g.srcHeight);
    const oracle::Axis ax{g.roiX, std::min(g.roiWidth, g.srcWidth - g.roiX), g.srcWidth,
                          g.xShift != 0.0};
    const oracle::Axis ay{g.roiY, std::min(g.roiHeight, g.srcHeight - g.roiY), g.srcHeight,
                          g.yShift != 0.0};
    const int outWidth = oracle::Size(ax.roi, g.dstWidth, g.xFactor);
    const int outHeight = oracle::Size(ay.roi, g.dstHeight, g.yFactor);
    const bool nearest = lowered == oracle::kNearest;
    const auto px = oracle::Positions(ax.roi, outWidth, g.xFactor, nearest, g.xShift);
    const auto py = oracle::Positions(ay.roi, outHeight, g.yFactor, nearest, g.yShift);

    const int planes = layout.planar ? (layout.channels == 3 ? 3 : 4) : 1;
    const int stride = layout.planar ? 1 : layout.stride;
    const int processed = layout.planar ? 1 : layout.channels;
    std::vector<TestImage<T>> sources;
    std::vector<TestImage<T>> destinations;
    for (int k = 0; k < planes; ++k) {
        sources.push_back(TestImage<T>::Exact(g.srcWidth, g.srcHeight, stride));
        FillRandom(sources.back(), 1234u + static_cast<std::uint32_t>(k) * 77u + mode);
        destinations.emplace_back(g.dstWidth, g.dstHeight, stride);
        FillSentinel(destinations.back());
    }
    std::vector<const void*> srcPlanes;
    std::vector<void*> dstPlanes;
    for (int k = 0; k < planes; ++k) {
        srcPlanes.push_back(sources[k].Data());
        dstPlanes.push_back(destinations[k].Data());
    }
    const void* src = layout.planar ? static_cast<const void*>(srcPlanes.data())
                                    : static_cast<const void*>(sources[0].Data());
    void* dst = layout.planar ? static_cast<void*>(dstPlanes.data())
                              : static_cast<void*>(destinations[0].Data());

    FailAllocationAt(-1);
    const ImageOpStatus status = core(
        src, g.srcWidth, g.srcHeight, sources[0].StepBytes(), g.roiX, g.roiY, g.roiWidth,
        g.roiHeight, dst, destinations[0].StepBytes(), g.dstWidth, g.dstHeight, g.xFactor,
        g.yFactor, g.xShift, g.yShift, stride, layout.channels, SampleTypeOf<T>(),
        layout.planar ? 1 : 0, mode, 1);
    ASSERT_EQ(status, ImageOpStatus::Ok);
    EXPECT_EQ(LiveBlocks(), 0);

    for (int k = 0; k < planes; ++k) {
        TestImage<T> untouched(g.dstWidth, g.dstHeight, stride);
        FillSentinel(untouched);
        const TestImage<T>& out = destinations[k];
        int failures = 0;
        for (int y = 0; y < g.dstHeight; ++y) {
            for (int x = 0; x < g.dstWidth; ++x) {
                for (int c = 0; c < stride; ++c) {
                    const T actual = out.At(x, y, c);
                    if (y >= outHeight || x >= outWidth || c >= processed) {
                        if (!SameBits(actual, untouched.At(x, y, c))) {
                            ++failures;
                        }
                        continue;
                    }
                    bool good = false;
                    switch (lowered) {
                    case oracle::kNearest:
                        good = SameBits(actual, oracle::NearestValue(sources[k], ax, ay, px[x], py[y], c));
                        break;
                    case oracle::kLinear: {
                        const T reference =
                            oracle::LinearValue(sources[k], ax, ay, px[x], py[y], c);
                        // The other builds round float blends to single precision at every step.
                        good = SameBits(actual, reference) ||
                               (std::is_same_v<T, float> && core != ResizeCore &&
                                WithinOneStep(actual, reference));
                        break;
                    }
                    case oracle::kCubic:
                        good = WithinOneStep(actual, oracle::CubicValue(sources[k], ax, ay, px[x], py[y], c));
                        break;
                    default:
                        good = WithinOneStep(actual, oracle::LanczosValue(sources[k], ax, ay, px[x], py[y], c));
                        break;
                    }
                    if (!good && failures++ < 5) {
                        ADD_FAILURE() << "plane " << k << " pixel (" << x << ", " << y
                                      << ") channel " << c << " value " << +actual;
                    }
                }
            }
        }
        // Row padding and the guard band after the image stay untouched too.
        for (std::size_t i = 0; i < out.data.size(); ++i) {
            const int y = static_cast<int>(i / out.step);
            const int inRow = static_cast<int>(i % out.step);
            if (y >= g.dstHeight || inRow >= g.dstWidth * stride) {
                if (!SameBits(out.data[i], untouched.data[i])) {
                    ++failures;
                }
            }
        }
        EXPECT_EQ(failures, 0);
    }
}

template <typename T>
class ResizeInterpolationTest : public ::testing::Test {};

using SampleTypes = ::testing::Types<std::uint8_t, std::uint16_t, float>;
TYPED_TEST_SUITE(ResizeInterpolationTest, SampleTypes);

TYPED_TEST(ResizeInterpolationTest, NearestCopiesTheSamplePixelOfEveryDestinationPixel) {
    for (const Geometry& g : kGeometries) {
        for (const Layout& layout : kLayouts) {
            RunCase<TypeParam>(g, layout, oracle::kNearest);
        }
        // Three channels are copied out of pixels of any stride that holds them.
        RunCase<TypeParam>(g, Layout{3, 5, false}, oracle::kNearest);
    }
}

TYPED_TEST(ResizeInterpolationTest, LinearMatchesTheFixedPointFormulaExactly) {
    for (const Geometry& g : kGeometries) {
        for (const Layout& layout : kLayouts) {
            RunCase<TypeParam>(g, layout, oracle::kLinear);
        }
    }
}

TYPED_TEST(ResizeInterpolationTest, CubicStaysWithinOneStepOfTheExactPolynomial) {
    for (const Geometry& g : kGeometries) {
        for (const Layout& layout : kLayouts) {
            RunCase<TypeParam>(g, layout, oracle::kCubic);
        }
    }
}

TYPED_TEST(ResizeInterpolationTest, LanczosStaysWithinOneStepOfTheExactTapSum) {
    for (const Geometry& g : kGeometries) {
        for (const Layout& layout : kLayouts) {
            RunCase<TypeParam>(g, layout, oracle::kLanczos);
        }
    }
}

// Shifted positions read the image around the region, and beyond the image its edge; shifted
// down a row or more, the first destination row blends the rows it lands between.
TYPED_TEST(ResizeInterpolationTest, ShiftedPositionsReadTheImageAroundTheRegionInEveryBuild) {
    const Geometry shifted[] = {
        {"shiftedBack", 20, 20, 8, 3, 10, 12, 64, 64, 1.0, 1.3, -1.5, 1.5},
        {"shiftedOffTheImage", 16, 14, 2, 3, 10, 8, 64, 64, 1.4, 0.8, -9.25, 7.5},
        {"wholePixelsBeforeTheImage", 12, 9, 0, 0, 12, 9, 64, 64, 1.0, 1.0, -5.0, -5.0},
        {"farBeforeTheImage", 9, 10, 0, 0, 9, 10, 64, 64, 1.0, 1.0, 0.0, -1e6},
    };
    for (const SimdBuild& build : RunBuilds()) {
        SCOPED_TRACE(build.name);
        for (const Geometry& g : shifted) {
            for (const Layout& layout : kLayouts) {
                for (const int mode :
                     {oracle::kNearest, oracle::kLinear, oracle::kCubic, oracle::kLanczos}) {
                    RunCase<TypeParam>(g, layout, mode, build.core);
                }
            }
        }
    }
}

}  // namespace
