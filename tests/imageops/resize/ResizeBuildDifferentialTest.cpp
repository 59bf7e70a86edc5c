#include "imageops/CpuDetection.h"
#include "imageops/resize/ResizeAvx2Choice.h"
#include "tests/imageops/resize/AllocationControl.h"
#include "tests/imageops/resize/ResizeTestCases.h"
#include "tests/imageops/resize/ResizeTestImage.h"
#include "tests/imageops/resize/SimdBuilds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

// Every SIMD build against the plain build, call for call: the same statuses, the same
// untouched elements, and results equal within the tolerance each kernel's arithmetic allows.

namespace {

using Layout = ResizeLayout;
using Case = ResizeCase;
constexpr const auto& kLayouts = kResizeLayouts;

std::string Describe(const Case& c, const Layout& l, int mode, int type) {
    std::ostringstream s;
    s << "mode " << mode << " type " << type << " channels " << l.channels << " stride " << l.stride
      << (l.planar ? " planar" : "") << " src " << c.srcWidth << "x" << c.srcHeight << " roi "
      << c.roiX << "," << c.roiY << " " << c.roiWidth << "x" << c.roiHeight << " dst " << c.dstWidth
      << "x" << c.dstHeight << " factors " << c.xFactor << "," << c.yFactor << " padding "
      << c.padding;
    return s.str();
}

template <typename T>
using Planes = std::vector<TestImage<T>>;

template <typename T>
Planes<T> MakePlanes(int count, int width, int height, int stride, int padding) {
    Planes<T> planes;
    for (int p = 0; p < count; ++p) {
        planes.emplace_back(width, height, stride, padding);
    }
    return planes;
}

template <typename T>
void Fill(Planes<T>& planes, unsigned char byte) {
    for (auto& plane : planes) {
        std::memset(plane.Data(), byte, plane.data.size() * sizeof(T));
    }
}

// Runs one request on the plain build and on a SIMD build. call(simd, src, dst, srcStep,
// dstStep) makes the call with `src` and `dst` as the interleaved image or the plane array.
template <typename T, typename Call>
void CompareBuilds(const Case& c, const Layout& l, double tolerance, const std::string& what,
                   Call call) {
    const int planes = l.planar ? (l.channels == 3 ? 3 : 4) : 1;
    const int stride = l.planar ? 1 : l.stride;
    Planes<T> src = MakePlanes<T>(planes, c.srcWidth, c.srcHeight, stride, c.padding);
    for (int p = 0; p < planes; ++p) {
        FillRandom(src[p], static_cast<std::uint32_t>(7 * c.srcWidth + 13 * c.srcHeight + p));
    }
    std::vector<const void*> srcPlanes;
    for (auto& plane : src) {
        srcPlanes.push_back(plane.Data());
    }
    const auto run = [&](bool simd, Planes<T>& dst) {
        std::vector<void*> dstPlanes;
        for (auto& plane : dst) {
            dstPlanes.push_back(plane.Data());
        }
        const void* s = l.planar ? static_cast<const void*>(srcPlanes.data()) : src[0].Data();
        void* d = l.planar ? static_cast<void*>(dstPlanes.data()) : dst[0].Data();
        return call(simd, s, d, src[0].StepBytes(), dst[0].StepBytes());
    };
    // Two plain runs over different fillings tell the elements that no call may touch.
    Planes<T> plainA = MakePlanes<T>(planes, c.dstWidth, c.dstHeight, stride, c.padding);
    Planes<T> plainB = plainA;
    Planes<T> simd = plainA;
    Fill(plainA, 0xA5);
    Fill(plainB, 0x5A);
    Fill(simd, 0xA5);
    const ImageOpStatus plainStatus = run(false, plainA);
    ASSERT_EQ(run(false, plainB), plainStatus) << what;
    ASSERT_EQ(run(true, simd), plainStatus) << what;
    int reported = 0;
    for (int p = 0; p < planes && reported < 4; ++p) {
        const auto& a = plainA[p].data;
        const auto& b = plainB[p].data;
        const auto& s = simd[p].data;
        for (std::size_t i = 0; i < a.size() && reported < 4; ++i) {
            const bool untouched = !SameBits(a[i], b[i]);
            bool same = SameBits(a[i], s[i]);
            if (!same && !untouched) {
                same =
                    std::fabs(static_cast<double>(a[i]) - static_cast<double>(s[i])) <= tolerance;
            }
            if (!same) {
                ++reported;
                ADD_FAILURE() << what << ": plane " << p << " element " << i << " (row "
                              << i / static_cast<std::size_t>(plainA[p].step) << ") plain " << +a[i]
                              << " simd " << +s[i] << (untouched ? " (must stay untouched)" : "");
            }
        }
    }
}

// The difference each kernel's arithmetic allows against the plain build: nearest, linear
// on integers and area averaging are exact; cubic rounds its blocks of four where the plain
// build truncates (one code value), Lanczos-3 filters rows in single precision (one code value
// near an integer); float results carry single-precision rounding of sums of at most 36 terms
// of samples below 200.
double Tolerance(int mode, int type) {
    if (mode == 1) {
        return 0.0;
    }
    if (type == 2) {
        return mode == 2 ? 2e-4 : 3e-3;
    }
    return mode == 2 ? 0.0 : 1.0;
}

const Case kCoreCases[] = {
    {37, 29, 0, 0, 37, 29, 200, 200, 2.0, 2.0, 3},
    {37, 29, 0, 0, 37, 29, 200, 200, 0.43, 0.61, 0},
    {64, 48, 5, 3, 40, 30, 200, 200, 1.7, 0.6, 5},
    {64, 48, 50, 40, 40, 30, 200, 200, 1.3, 1.9, 1},
    {9, 9, 0, 0, 9, 9, 200, 200, 3.3, 2.7, 2},
    {8, 8, 0, 0, 8, 8, 200, 200, 0.5, 0.5, 0},
    {5, 6, 0, 0, 5, 6, 200, 200, 1.5, 2.5, 4},
    {3, 7, 1, 2, 9, 9, 200, 200, 2.0, 1.0, 0},
    {1, 6, 0, 0, 1, 6, 200, 200, 4.0, 0.5, 1},
    {101, 13, 0, 0, 101, 13, 200, 200, 0.27, 2.5, 2},
    {12, 12, 2, 2, 8, 8, 1, 9, 1.0, 1.0, 0},
    {12, 12, 0, 0, 12, 12, 3, 2, 1.0, 1.0, 3},
    {12, 12, 0, 0, 12, 12, 5, 7, 1.0, 1.0, 0},
    {12, 12, 0, 0, 12, 12, 9, 11, 1.0, 1.0, 1},
    {20, 40, 0, 0, 20, 40, 200, 200, 0.9, 0.16, 0},
    {16, 16, 0, 0, 16, 16, 200, 200, 1.0 / 3.0, 7.0, 2},
};

template <typename T>
void CoreAgrees(const SimdBuild& build, int mode) {
    for (const Case& c : kCoreCases) {
        for (const Layout& l : kLayouts) {
            const std::string what = Describe(c, l, mode, SampleTypeOf<T>());
            CompareBuilds<T>(c, l, Tolerance(mode, SampleTypeOf<T>()), what,
                             [&](bool simd, const void* s, void* d, int srcStep, int dstStep) {
                                 return (simd ? build.core : ResizeCore)(
                                     s, c.srcWidth, c.srcHeight, srcStep, c.roiX, c.roiY,
                                     c.roiWidth, c.roiHeight, d, dstStep, c.dstWidth, c.dstHeight,
                                     c.xFactor, c.yFactor, 0.0, 0.0, l.stride, l.channels,
                                     SampleTypeOf<T>(), l.planar ? 1 : 0, mode, 1);
                             });
        }
    }
}

class ResizeBuildDifferential : public ::testing::TestWithParam<SimdBuild> {};

TEST_P(ResizeBuildDifferential, NearestAgreesBitForBit) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    CoreAgrees<std::uint8_t>(GetParam(), 1);
    CoreAgrees<std::uint16_t>(GetParam(), 1);
    CoreAgrees<float>(GetParam(), 1);
}

TEST_P(ResizeBuildDifferential, LinearAgreesExactlyOnIntegersAndToRoundingOnFloats) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    CoreAgrees<std::uint8_t>(GetParam(), 2);
    CoreAgrees<std::uint16_t>(GetParam(), 2);
    CoreAgrees<float>(GetParam(), 2);
}

TEST_P(ResizeBuildDifferential, CubicAgreesWithinOneCodeValue) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    CoreAgrees<std::uint8_t>(GetParam(), 4);
    CoreAgrees<std::uint16_t>(GetParam(), 4);
    CoreAgrees<float>(GetParam(), 4);
}

TEST_P(ResizeBuildDifferential, LanczosAgreesWithinOneCodeValue) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    CoreAgrees<std::uint8_t>(GetParam(), 16);
    CoreAgrees<std::uint16_t>(GetParam(), 16);
    CoreAgrees<float>(GetParam(), 16);
}

TEST_P(ResizeBuildDifferential, ShiftsAndTheStepConventionAgree) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    const SimdBuild& build = GetParam();
    const Case c{30, 20, 2, 1, 25, 18, 200, 200, 0.7, 1.6, 2};
    for (const int mode : {1, 2, 4, 16}) {
        for (const Layout& l : kLayouts) {
            CompareBuilds<std::uint8_t>(
                c, l, Tolerance(mode, 0), Describe(c, l, mode, 0) + " step convention",
                [&](bool simd, const void* s, void* d, int srcStep, int dstStep) {
                    return (simd ? build.core : ResizeCore)(
                        s, c.srcWidth, c.srcHeight, srcStep, c.roiX, c.roiY, c.roiWidth,
                        c.roiHeight, d, dstStep, c.dstWidth, c.dstHeight, c.xFactor, c.yFactor, 0.3,
                        -0.2, l.stride, l.channels, 0, l.planar ? 1 : 0, mode, 0);
                });
        }
    }
}

// Area averaging: exact in every case but one-channel floats with whole steps, whose columns
// past the last block of 16 are summed in double (rounded once instead of once per row).
const Case kAverageCases[] = {
    {40, 30, 0, 0, 40, 30, 200, 200, 0.5, 0.5, 3},
    {64, 40, 0, 0, 64, 40, 200, 200, 0.25, 0.25, 0},
    {37, 29, 0, 0, 37, 29, 200, 200, 0.4, 1.0, 1},
    {37, 29, 0, 0, 37, 29, 200, 200, 0.5, 0.4, 2},
    {50, 50, 3, 4, 40, 41, 200, 200, 0.3, 0.7, 0},
    {18, 10, 0, 0, 18, 10, 200, 200, 1.0, 1.0, 5},
    {90, 12, 0, 0, 90, 12, 200, 200, 1.0 / 3.0, 0.2, 2},
    {9, 8, 0, 0, 9, 8, 200, 200, 1.0, 0.5, 0},
    {1, 9, 0, 0, 1, 9, 200, 200, 1.0, 0.25, 1},
    {70, 9, 0, 0, 70, 9, 200, 200, 0.25, 0.25, 0},
    {35, 12, 0, 0, 35, 12, 4, 200, 0.5, 0.5, 0},
    {20, 20, 15, 15, 20, 20, 200, 200, 0.5, 0.5, 1},
    {12, 9, 3, 2, 5, 4, 200, 200, 0.1, 0.15, 1},
    {12, 9, 3, 2, 5, 4, 200, 200, 0.125, 0.2, 0},
};

template <typename T>
void AveragingAgrees(const SimdBuild& build) {
    for (const Case& c : kAverageCases) {
        for (const Layout& l : kLayouts) {
            const bool wholeSteps = std::trunc(1.0 / c.xFactor) == 1.0 / c.xFactor &&
                                    std::trunc(1.0 / c.yFactor) == 1.0 / c.yFactor;
            const bool doubleTail =
                SampleTypeOf<T>() == 2 && (l.channels == 1 || l.planar) && wholeSteps;
            CompareBuilds<T>(c, l, doubleTail ? 1e-3 : 0.0, Describe(c, l, 8, SampleTypeOf<T>()),
                             [&](bool simd, const void* s, void* d, int srcStep, int dstStep) {
                                 return (simd ? build.supersample : ResizeSupersample)(
                                     s, c.srcWidth, c.srcHeight, srcStep, c.roiX, c.roiY,
                                     c.roiWidth, c.roiHeight, d, dstStep, c.dstWidth, c.dstHeight,
                                     c.xFactor, c.yFactor, l.stride, l.channels, SampleTypeOf<T>(),
                                     l.planar ? 1 : 0);
                             });
        }
    }
}

TEST_P(ResizeBuildDifferential, AreaAveragingAgreesBitForBit) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    AveragingAgrees<std::uint8_t>(GetParam());
    AveragingAgrees<std::uint16_t>(GetParam());
    AveragingAgrees<float>(GetParam());
}

TEST_P(ResizeBuildDifferential, EntryAgreesInEveryModeAndStatus) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    const SimdBuild& build = GetParam();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Request {
        Case c;
        int interpolation;
    };
    const Request requests[] = {
        {{40, 30, 0, 0, 40, 30, 200, 200, 0.5, 0.5, 0}, 8},
        {{40, 30, 0, 0, 40, 30, 200, 200, 0.4, 1.0, 2}, 8},
        {{40, 30, 0, 0, 40, 30, 200, 200, 0.5, 1.0000001, 0}, 8},
        {{40, 30, 0, 0, 40, 30, 200, 200, 1.5, 1.5, 0}, 1},
        {{40, 30, 0, 0, 40, 30, 200, 200, 1.5, 0.75, 0}, 2},
        {{40, 30, 0, 0, 40, 30, 200, 200, 0.75, 1.5, 1}, 4},
        {{40, 30, 0, 0, 40, 30, 200, 200, 2.25, 0.8, 0}, 16},
        {{40, 30, 0, 0, 40, 30, 200, 200, nan, 1.0, 0}, 8},
        {{40, 30, 0, 0, 40, 30, 200, 200, 1.0, 0.0, 0}, 1},
        {{40, 30, 0, 0, 40, 30, 200, 200, 1.0, 1.0, 0}, 3},
        {{40, 30, 40, 0, 40, 30, 200, 200, 1.0, 1.0, 0}, 1},
        {{40, 30, -1, 0, 40, 30, 200, 200, 1.0, 1.0, 0}, 8},
        {{40, 30, 0, 0, 40, 30, 0, 200, 0.5, 0.5, 0}, 8},
    };
    const Layout bgra{4, 4, false};
    for (const Request& r : requests) {
        const Case& c = r.c;
        CompareBuilds<std::uint8_t>(
            c, bgra, Tolerance(r.interpolation, 0),
            Describe(c, bgra, r.interpolation, 0) + " entry",
            [&](bool simd, const void* s, void* d, int srcStep, int dstStep) {
                return (simd ? build.entry : ResizeImage8u4)(
                    static_cast<const std::uint8_t*>(s), c.srcWidth, c.srcHeight, srcStep, c.roiX,
                    c.roiY, c.roiWidth, c.roiHeight, static_cast<std::uint8_t*>(d), dstStep,
                    c.dstWidth, c.dstHeight, c.xFactor, c.yFactor, r.interpolation);
            });
    }
}

TEST_P(ResizeBuildDifferential, EveryAllocationFailureReportsOutOfMemoryAndFreesEverything) {
    QM_SKIP_UNSUPPORTED_BUILD(GetParam());
    const SimdBuild& build = GetParam();
    TestImage<std::uint8_t> src(20, 20, 4);
    FillRandom(src, 5);
    for (const int mode : {1, 2, 4, 8, 16}) {
        for (int failing = 0;; ++failing) {
            TestImage<std::uint8_t> dst(30, 30, 4);
            FillSentinel(dst);
            const TestImage<std::uint8_t> before = dst;
            FailAllocationAt(failing);
            const double factor = mode == 8 ? 0.5 : 1.5;
            const ImageOpStatus status =
                build.entry(src.Data(), 20, 20, src.StepBytes(), 0, 0, 20, 20, dst.Data(),
                            dst.StepBytes(), 30, 30, factor, factor, mode);
            const int attempted = AllocationsAttempted();
            FailAllocationAt(-1);
            EXPECT_EQ(LiveBlocks(), 0) << "mode " << mode << " failing " << failing;
            if (failing >= attempted) {
                EXPECT_EQ(status, ImageOpStatus::Ok) << "mode " << mode;
                break;
            }
            EXPECT_EQ(status, ImageOpStatus::OutOfMemory)
                << "mode " << mode << " failing " << failing;
            EXPECT_EQ(dst.data, before.data) << "mode " << mode << " failing " << failing;
        }
    }
}

// Where the processor runs AVX2 the SSE3 build's 8-bit linear requests take the AVX2 kernel; the
// CTest entry ResizeBuildDifferentialWithoutAvx2 runs these cases again with it turned off.
INSTANTIATE_TEST_SUITE_P(SimdBuilds, ResizeBuildDifferential,
                         ::testing::Values(kSse2Build, kSse3Build), SimdBuildName);

// The run without the AVX2 kernel holds the other kernel to the plain build only if the
// harness's switch is heeded.
TEST(ResizeAvx2Choice, FollowsTheProcessorUnlessTheHarnessTurnsItOff) {
    struct Kept {
        const char* name;
        std::string value;
        bool set;
    };
    std::vector<Kept> kept;
    for (const char* name : {"QUILLOMAR_TEST", "QUILLOMAR_RESIZE_AVX2"}) {
        const char* value = std::getenv(name);
        kept.push_back({name, value != nullptr ? value : "", value != nullptr});
    }
    setenv("QUILLOMAR_TEST", "1", 1);
    setenv("QUILLOMAR_RESIZE_AVX2", "0", 1);
    EXPECT_FALSE(ResizeMayUseAvx2());
    setenv("QUILLOMAR_RESIZE_AVX2", "1", 1);
    EXPECT_EQ(ResizeMayUseAvx2(), SupportsAvx2(ReadCpuidSnapshot()));
    // Outside the harness the switch is ignored.
    setenv("QUILLOMAR_RESIZE_AVX2", "0", 1);
    unsetenv("QUILLOMAR_TEST");
    EXPECT_EQ(ResizeMayUseAvx2(), SupportsAvx2(ReadCpuidSnapshot()));
    for (const Kept& k : kept) {
        if (k.set) {
            setenv(k.name, k.value.c_str(), 1);
        } else {
            unsetenv(k.name);
        }
    }
}

}  // namespace
