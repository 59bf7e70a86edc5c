#include "imageops/resize/ResizeCore.h"
#include "imageops/resize/ResizeImage8u4.h"
#include "imageops/resize/ResizeSupersample.h"
#include "tests/imageops/resize/AllocationControl.h"
#include "tests/imageops/resize/ResizeTestImage.h"
#include "tests/imageops/resize/SimdBuilds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <utility>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A 4-byte-per-pixel source with a sentinel-filled destination.
struct Bgra {
    TestImage<std::uint8_t> src;
    TestImage<std::uint8_t> dst;
    Bgra(int srcWidth, int srcHeight, int dstWidth, int dstHeight)
        : src(srcWidth, srcHeight, 4), dst(dstWidth, dstHeight, 4) {
        FillRandom(src, 99);
        FillSentinel(dst);
    }
    bool DestinationUntouched() const {
        TestImage<std::uint8_t> sentinel(dst.width, dst.height, 4);
        FillSentinel(sentinel);
        return sentinel.data == dst.data;
    }
};

struct EntryArgs {
    int srcWidth = 16;
    int srcHeight = 16;
    int srcStep = 0;  // 0: the image's own
    int roiX = 0;
    int roiY = 0;
    int roiWidth = 16;
    int roiHeight = 16;
    int dstStep = 0;
    int dstWidth = 16;
    int dstHeight = 16;
    double xFactor = 1.0;
    double yFactor = 1.0;
    int interpolation = 1;
    bool nullSrc = false;
    bool nullDst = false;
};

ImageOpStatus CallEntry(Bgra& images, const EntryArgs& a) {
    return ResizeImage8u4(a.nullSrc ? nullptr : images.src.Data(), a.srcWidth, a.srcHeight,
                          a.srcStep != 0 ? a.srcStep : images.src.StepBytes(), a.roiX, a.roiY,
                          a.roiWidth, a.roiHeight, a.nullDst ? nullptr : images.dst.Data(),
                          a.dstStep != 0 ? a.dstStep : images.dst.StepBytes(), a.dstWidth,
                          a.dstHeight, a.xFactor, a.yFactor, a.interpolation);
}

ImageOpStatus Entry(EntryArgs a) {
    Bgra images(16, 16, 16, 16);
    const ImageOpStatus status = CallEntry(images, a);
    if (status != ImageOpStatus::Ok) {
        EXPECT_TRUE(images.DestinationUntouched());
    }
    return status;
}

TEST(ResizeChecks, EachCheckReportsItsStatus) {
    for (int mode : {1, 2, 4, 8, 16}) {
        SCOPED_TRACE(mode);
        EntryArgs a;
        a.interpolation = mode;
        a.xFactor = a.yFactor = 0.5;
        EXPECT_EQ(Entry(a), ImageOpStatus::Ok);
        auto b = a;
        b.nullSrc = true;
        EXPECT_EQ(Entry(b), ImageOpStatus::NullPointer);
        b = a;
        b.nullDst = true;
        EXPECT_EQ(Entry(b), ImageOpStatus::NullPointer);
        b = a;
        b.srcHeight = 0;
        EXPECT_EQ(Entry(b), ImageOpStatus::BadSize);
        b = a;
        b.srcStep = -4;
        EXPECT_EQ(Entry(b), ImageOpStatus::BadStep);
        b = a;
        b.dstStep = -1;
        EXPECT_EQ(Entry(b), ImageOpStatus::BadStep);
        b = a;
        b.roiX = -1;
        EXPECT_EQ(Entry(b), ImageOpStatus::BadSize);
        b = a;
        b.roiHeight = 0;
        EXPECT_EQ(Entry(b), ImageOpStatus::BadSize);
        b = a;
        b.roiY = 16;
        EXPECT_EQ(Entry(b), ImageOpStatus::RegionOutsideSource);
        b = a;
        b.dstHeight = 0;
        EXPECT_EQ(Entry(b), ImageOpStatus::BadSize);
        b = a;
        b.yFactor = 0.0;
        EXPECT_EQ(Entry(b), ImageOpStatus::BadFactor);
        b = a;
        b.xFactor = -1.0;
        EXPECT_EQ(Entry(b), ImageOpStatus::BadFactor);
    }
}

TEST(ResizeChecks, TheFirstFailingCheckDecides) {
    EntryArgs a;
    a.nullSrc = true;
    a.srcWidth = 0;
    a.srcStep = -1;
    EXPECT_EQ(Entry(a), ImageOpStatus::NullPointer);
    a = EntryArgs{};
    a.srcWidth = 0;
    a.srcStep = -1;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadSize);
    a = EntryArgs{};
    a.srcStep = -1;
    a.roiX = -1;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadStep);
    // The region warning comes before the destination size and the factors.
    a = EntryArgs{};
    a.roiX = 16;
    a.dstWidth = 0;
    a.xFactor = kNaN;
    EXPECT_EQ(Entry(a), ImageOpStatus::RegionOutsideSource);
    a = EntryArgs{};
    a.dstWidth = 0;
    a.xFactor = -1.0;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadSize);
    a = EntryArgs{};
    a.interpolation = 3;
    a.yFactor = 0.0;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadFactor);
    a = EntryArgs{};
    a.interpolation = 3;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadInterpolation);
}

TEST(ResizeChecks, AreaAveragingGoesToTheAveragerOnlyForReductions) {
    EntryArgs a;
    a.interpolation = 8;
    a.xFactor = 0.5;
    a.yFactor = 1.0;
    EXPECT_EQ(Entry(a), ImageOpStatus::Ok);
    a.yFactor = 1.5;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadInterpolation);
    a.xFactor = -1.0;
    a.yFactor = 0.5;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadFactor);
    a.xFactor = kNaN;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadFactor);
    a.xFactor = 0.5;
    a.yFactor = kNaN;
    EXPECT_EQ(Entry(a), ImageOpStatus::BadFactor);
    // Every other mode goes to the driver whatever the factors.
    for (int mode : {1, 2, 4, 16}) {
        a.interpolation = mode;
        a.xFactor = 3.0;
        a.yFactor = 0.25;
        EXPECT_EQ(Entry(a), ImageOpStatus::Ok);
    }
}

// Calls the driver on one 8-bit channel and returns the destination.
std::vector<std::uint8_t> Driver1(const TestImage<std::uint8_t>& src, int roiX, int roiY,
                                  int roiW, int roiH, int dstW, int dstH, double fx, double fy,
                                  int mode, ImageOpStatus* status = nullptr) {
    TestImage<std::uint8_t> dst(dstW, dstH, 1, 0);
    FillSentinel(dst);
    const ImageOpStatus s =
        ResizeCore(src.Data(), src.width, src.height, src.StepBytes(), roiX, roiY, roiW, roiH,
                   dst.Data(), dst.StepBytes(), dstW, dstH, fx, fy, 0.0, 0.0, 1, 1, 0, 0, mode, 1);
    if (status != nullptr) {
        *status = s;
    }
    return dst.data;
}

TEST(ResizeChecks, TinySourcesLowerTheInterpolation) {
    // Seven pixels either way run Lanczos-3 as cubic, eight do not.
    for (const auto& [w, h] : {std::pair{7, 9}, std::pair{9, 7}, std::pair{8, 8}}) {
        TestImage<std::uint8_t> small(w, h, 1);
        FillRandom(small, 5);
        const auto lanczos = Driver1(small, 0, 0, w, h, 20, 20, 2.3, 2.3, 16);
        EXPECT_EQ(lanczos == Driver1(small, 0, 0, w, h, 20, 20, 2.3, 2.3, 4), w < 8 || h < 8)
            << w << "x" << h;
    }
    TestImage<std::uint8_t> fiveByFive(5, 5, 1);
    FillRandom(fiveByFive, 5);
    EXPECT_NE(Driver1(fiveByFive, 0, 0, 5, 5, 12, 12, 2.3, 2.3, 4),
              Driver1(fiveByFive, 0, 0, 5, 5, 12, 12, 2.3, 2.3, 2));

    TestImage<std::uint8_t> threeWide(3, 100, 1);
    FillRandom(threeWide, 6);
    const auto linear = Driver1(threeWide, 0, 0, 3, 100, 7, 30, 2.2, 0.3, 2);
    EXPECT_EQ(Driver1(threeWide, 0, 0, 3, 100, 7, 30, 2.2, 0.3, 16), linear);
    EXPECT_EQ(Driver1(threeWide, 0, 0, 3, 100, 7, 30, 2.2, 0.3, 4), linear);

    TestImage<std::uint8_t> oneWide(1, 100, 1);
    FillRandom(oneWide, 7);
    const auto nearest = Driver1(oneWide, 0, 0, 1, 100, 3, 40, 3.0, 0.4, 1);
    for (int mode : {2, 4, 16}) {
        EXPECT_EQ(Driver1(oneWide, 0, 0, 1, 100, 3, 40, 3.0, 0.4, mode), nearest);
    }
}

TEST(ResizeChecks, ClippedRegionWritesOnlyTheScaledRegion) {
    Bgra images(100, 100, 64, 64);
    EntryArgs a;
    a.srcWidth = a.srcHeight = 100;
    a.roiX = a.roiY = 95;
    a.roiWidth = a.roiHeight = 10;
    a.dstWidth = a.dstHeight = 64;
    a.xFactor = a.yFactor = 2.0;
    ASSERT_EQ(CallEntry(images, a), ImageOpStatus::Ok);
    TestImage<std::uint8_t> sentinel(64, 64, 4);
    FillSentinel(sentinel);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            for (int c = 0; c < 4; ++c) {
                if (x < 10 && y < 10) {
                    // Nearest at scale 2: destination 2k and 2k + 1 both take source k.
                    EXPECT_EQ(images.dst.At(x, y, c), images.src.At(95 + x / 2, 95 + y / 2, c));
                } else {
                    EXPECT_EQ(images.dst.At(x, y, c), sentinel.At(x, y, c));
                }
            }
        }
    }
}

TEST(ResizeChecks, NearestColumnsFollowTheCentreMapping) {
    TestImage<std::uint8_t> row(100, 2, 1);
    for (int x = 0; x < 100; ++x) {
        row.At(x, 0, 0) = row.At(x, 1, 0) = static_cast<std::uint8_t>(x);
    }
    const auto take = [&](int roiW, int dstW, double fx) {
        const auto out = Driver1(row, 0, 0, roiW, 1, dstW, 1, fx, 1.0, 1);
        return std::vector<int>(out.begin(), out.begin() + std::min<int>(dstW, std::trunc(roiW * fx + 1e-7)));
    };
    EXPECT_EQ(take(4, 8, 2.0), (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(take(4, 8, 0.5), (std::vector<int>{1, 3}));
    EXPECT_EQ(take(1, 8, 3.0), (std::vector<int>{0, 0, 0}));
    const auto limited = take(100, 50, 2.0);
    ASSERT_EQ(limited.size(), 50u);
    EXPECT_EQ(limited.front(), 0);
    EXPECT_EQ(limited.back(), 24);
    // A scaled region below one pixel still gives one pixel, taken inside the region.
    const auto tiny = Driver1(row, 10, 0, 3, 1, 8, 1, 0.01, 1.0, 1);
    EXPECT_EQ(tiny[0], 12);
}

TEST(ResizeChecks, EveryAllocationFailureReportsOutOfMemoryAndLeavesTheDestination) {
    for (int mode : {1, 2, 4, 8, 16}) {
        for (int channels : {1, 4}) {
            if (mode == 8 && channels == 1) {
                continue;  // the entry serves four channels only
            }
            SCOPED_TRACE(::testing::Message() << "mode " << mode << " channels " << channels);
            int failures = 0;
            for (int n = 0;; ++n) {
                TestImage<std::uint8_t> src(20, 20, channels);
                FillRandom(src, 3);
                TestImage<std::uint8_t> dst(30, 30, channels);
                FillSentinel(dst);
                const std::vector<std::uint8_t> before = dst.data;
                FailAllocationAt(n);
                const ImageOpStatus status =
                    mode == 8 ? ResizeImage8u4(src.Data(), 20, 20, src.StepBytes(), 1, 1, 18, 18,
                                               dst.Data(), dst.StepBytes(), 30, 30, 0.7, 0.45, 8)
                              : ResizeCore(src.Data(), 20, 20, src.StepBytes(), 1, 1, 18, 18,
                                           dst.Data(), dst.StepBytes(), 30, 30, 1.3, 0.45, 0.0,
                                           0.0, channels, channels, 0, 0, mode, 1);
                const int attempted = AllocationsAttempted();
                FailAllocationAt(-1);
                EXPECT_EQ(LiveBlocks(), 0);
                if (n >= attempted) {
                    EXPECT_EQ(status, ImageOpStatus::Ok);
                    break;
                }
                ++failures;
                EXPECT_EQ(status, ImageOpStatus::OutOfMemory) << "allocation " << n;
                EXPECT_EQ(dst.data, before);
            }
            EXPECT_GT(failures, 0);
        }
    }
}

TEST(ResizeChecks, PlanarCallsRefuseMissingPlanesAfterTheArgumentChecks) {
    TestImage<std::uint8_t> plane(8, 8, 1);
    const void* src[4] = {plane.Data(), plane.Data(), nullptr, plane.Data()};
    TestImage<std::uint8_t> out(8, 8, 1);
    void* dst[4] = {out.Data(), out.Data(), out.Data(), out.Data()};
    const auto core = [&](int srcWidth, int interpolation) {
        return ResizeCore(src, srcWidth, 8, plane.StepBytes(), 0, 0, 8, 8, dst, out.StepBytes(), 8,
                          8, 1.0, 1.0, 0.0, 0.0, 0, 4, 0, 1, interpolation, 1);
    };
    EXPECT_EQ(core(8, 1), ImageOpStatus::NullPointer);
    EXPECT_EQ(core(0, 1), ImageOpStatus::BadSize);
    EXPECT_EQ(core(8, 3), ImageOpStatus::BadInterpolation);
    const auto average = [&](double xFactor, int sampleType = 0) {
        return ResizeSupersample(src, 8, 8, plane.StepBytes(), 0, 0, 8, 8, dst, out.StepBytes(), 8,
                                 8, xFactor, 0.5, 0, 4, sampleType, 1);
    };
    EXPECT_EQ(average(0.5), ImageOpStatus::NullPointer);
    EXPECT_EQ(average(1.5), ImageOpStatus::BadFactor);
    // A sample type without workers does nothing, before the planes are looked at.
    EXPECT_EQ(average(0.5, 3), ImageOpStatus::Ok);
    EXPECT_EQ(average(0.5, -1), ImageOpStatus::Ok);
    src[2] = plane.Data();
    dst[3] = nullptr;
    EXPECT_EQ(core(8, 2), ImageOpStatus::NullPointer);
    EXPECT_EQ(average(0.5), ImageOpStatus::NullPointer);
}

TEST(ResizeChecks, UnservedLayoutsAndHugeFactorsAreRefusedOrBounded) {
    TestImage<std::uint8_t> src(8, 8, 4);
    FillRandom(src, 8);
    TestImage<std::uint8_t> dst(8, 8, 4);
    const auto call = [&](int stride, int channels, int sampleType, double fx, int mode = 2) {
        return ResizeCore(src.Data(), 8, 8, src.StepBytes(), 0, 0, 8, 8, dst.Data(),
                          dst.StepBytes(), 8, 8, fx, 1.0, 0.0, 0.0, stride, channels, sampleType,
                          0, mode, 1);
    };
    EXPECT_EQ(call(4, 2, 0, 1.0), ImageOpStatus::BadSize);
    EXPECT_EQ(call(2, 3, 0, 1.0), ImageOpStatus::BadSize);
    EXPECT_EQ(call(2, 3, 0, 1.0, 1), ImageOpStatus::BadSize);
    EXPECT_EQ(call(3, 4, 0, 1.0, 1), ImageOpStatus::BadSize);
    EXPECT_EQ(call(5, 3, 0, 1.0), ImageOpStatus::BadSize);
    EXPECT_EQ(call(5, 4, 0, 1.0), ImageOpStatus::BadSize);
    EXPECT_EQ(call(4, 4, 3, 1.0), ImageOpStatus::BadSize);
    // Steps shorter than a row are refused; the destination row is the written one.
    EXPECT_EQ(ResizeCore(src.Data(), 8, 8, 31, 0, 0, 8, 8, dst.Data(), dst.StepBytes(), 8, 8, 1.0,
                         1.0, 0.0, 0.0, 4, 4, 0, 0, 2, 1),
              ImageOpStatus::BadStep);
    EXPECT_EQ(ResizeCore(src.Data(), 8, 8, src.StepBytes(), 0, 0, 8, 8, dst.Data(), 31, 8, 8, 1.0,
                         1.0, 0.0, 0.0, 4, 4, 0, 0, 2, 1),
              ImageOpStatus::BadStep);
    EXPECT_EQ(ResizeCore(src.Data(), 8, 8, src.StepBytes(), 0, 0, 8, 8, dst.Data(), 16, 20, 2, 0.5,
                         0.25, 0.0, 0.0, 4, 4, 0, 0, 2, 1),
              ImageOpStatus::Ok);
    for (int mode : {1, 2}) {  // three samples are written into pixels pixelStride apart
        EXPECT_EQ(ResizeCore(src.Data(), 8, 8, src.StepBytes(), 0, 0, 8, 8, dst.Data(), 12, 4, 1,
                             1.0, 1.0, 0.0, 0.0, 4, 3, 0, 0, mode, 1),
                  ImageOpStatus::BadStep);
    }
    EXPECT_EQ(ResizeImage8u4(src.Data(), 8, 8, 31, 0, 0, 8, 8, dst.Data(), dst.StepBytes(), 8, 8,
                             0.5, 0.5, 8),
              ImageOpStatus::BadStep);
    EXPECT_EQ(ResizeImage8u4(src.Data(), 8, 8, src.StepBytes(), 0, 0, 8, 8, dst.Data(), 15, 8, 8,
                             0.5, 0.5, 8),
              ImageOpStatus::BadStep);
    // Element offsets reach three rows past the image, whatever the region reads.
    EXPECT_EQ(ResizeCore(src.Data(), 1, 2045, 1 << 20, 0, 0, 1, 1, dst.Data(), dst.StepBytes(), 1,
                         1, 1.0, 1.0, 0.0, 0.0, 1, 1, 0, 0, 1, 1),
              ImageOpStatus::BadSize);
    EXPECT_EQ(call(4, 4, 0, std::numeric_limits<double>::infinity()), ImageOpStatus::Ok);
    EXPECT_EQ(call(4, 4, 0, 1e-300), ImageOpStatus::Ok);
    EXPECT_EQ(ResizeCore(src.Data(), 8, 8, src.StepBytes(), 0, 0, 8, 8, dst.Data(),
                         dst.StepBytes(), 8, 8, 1e-300, 1e-300, 0.0, 0.0, 4, 4, 0, 0, 1, 1),
              ImageOpStatus::Ok);
    // Nearest copies four channels out of wider pixels into packed ones, reading inside the row.
    std::vector<std::uint8_t> wide(15);
    std::iota(wide.begin(), wide.end(), 0);
    for (const SimdBuild& build : RunBuilds()) {
        std::vector<std::uint8_t> packed(12);
        EXPECT_EQ(build.core(wide.data(), 3, 1, 15, 0, 0, 3, 1, packed.data(), 12, 3, 1, 1.0, 1.0,
                             0.0, 0.0, 5, 4, 0, 0, 1, 1),
                  ImageOpStatus::Ok);
        EXPECT_EQ(packed, (std::vector<std::uint8_t>{0, 1, 2, 3, 5, 6, 7, 8, 10, 11, 12, 13}))
            << build.name;
    }
}

}  // namespace
