#include "imageops/resize/ResizeImage8u4.h"
#include "imageops/resize/ResizeSupersample.h"
#include "tests/imageops/resize/AllocationControl.h"
#include "tests/imageops/resize/ResizeTestImage.h"
#include "tests/imageops/resize/SimdBuilds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

// Runs the averager on one image (or one set of planes) with requested size dstW x dstH.
template <typename T>
ImageOpStatus Average(const std::vector<TestImage<T>>& sources, std::vector<TestImage<T>>& outs,
                      int roiX, int roiY, int roiW, int roiH, double fx, double fy, int stride,
                      int channels, bool planar) {
    std::vector<const void*> srcPlanes;
    std::vector<void*> dstPlanes;
    for (std::size_t k = 0; k < sources.size(); ++k) {
        srcPlanes.push_back(sources[k].Data());
        dstPlanes.push_back(outs[k].Data());
    }
    const void* src = planar ? static_cast<const void*>(srcPlanes.data()) : srcPlanes[0];
    void* dst = planar ? static_cast<void*>(dstPlanes.data()) : dstPlanes[0];
    return ResizeSupersample(src, sources[0].width, sources[0].height, sources[0].StepBytes(),
                             roiX, roiY, roiW, roiH, dst, outs[0].StepBytes(), outs[0].width,
                             outs[0].height, fx, fy, stride, channels, SampleTypeOf<T>(),
                             planar ? 1 : 0);
}

// One-channel 8-bit image from rows of values.
TestImage<std::uint8_t> Gray(const std::vector<std::vector<int>>& rows) {
    TestImage<std::uint8_t> image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 1);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            image.At(x, y, 0) = static_cast<std::uint8_t>(rows[y][x]);
        }
    }
    return image;
}

TEST(Supersample, HalvingAveragesTwoByTwoBlocksRoundingHalfUp) {
    TestImage<std::uint8_t> src(4, 4, 4);
    const int blocks[4][4] = {{1, 2, 2, 2}, {1, 1, 2, 2}, {0, 0, 0, 1}, {10, 11, 12, 13}};
    const int expected[4] = {2, 2, 0, 12};
    // Channel c of the 2 x 2 block at the top left holds block c.
    for (int c = 0; c < 4; ++c) {
        src.At(0, 0, c) = blocks[c][0];
        src.At(1, 0, c) = blocks[c][1];
        src.At(0, 1, c) = blocks[c][2];
        src.At(1, 1, c) = blocks[c][3];
    }
    TestImage<std::uint8_t> dst(2, 2, 4);
    ASSERT_EQ(ResizeImage8u4(src.Data(), 4, 4, src.StepBytes(), 0, 0, 4, 4, dst.Data(),
                             dst.StepBytes(), 2, 2, 0.5, 0.5, 8),
              ImageOpStatus::Ok);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(dst.At(0, 0, c), expected[c]) << c;
    }
}

TEST(Supersample, FractionalStepsShareTheCutPixel) {
    // xFactor 0.4: outputs (p0 + p1 + p2/2), (p2/2 + p3 + p4), (p5 + p6 + p7/2), times 0.4.
    std::vector<TestImage<std::uint8_t>> src{Gray({{10, 20, 30, 40, 50, 60, 70, 80},
                                                   {10, 20, 30, 40, 50, 60, 70, 80}})};
    std::vector<TestImage<std::uint8_t>> out;
    out.emplace_back(3, 2, 1);
    FillSentinel(out[0]);
    ASSERT_EQ(Average(src, out, 0, 0, 8, 2, 0.4, 1.0, 1, 1, false), ImageOpStatus::Ok);
    const auto expect = [](double sum) { return static_cast<int>(std::trunc(sum * 0.4 + 0.5)); };
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(out[0].At(0, y, 0), expect(10 + 20 + 15));
        EXPECT_EQ(out[0].At(1, y, 0), expect(15 + 40 + 50));
        EXPECT_EQ(out[0].At(2, y, 0), expect(60 + 70 + 40));
    }

    // yFactor 0.4 over five float rows: r0 + r1 + r2/2 and r2/2 + r3 + r4, times the area.
    std::vector<TestImage<float>> rows;
    rows.emplace_back(1, 5, 1);
    const float values[5] = {1.0f, 2.0f, 4.0f, 8.0f, 16.0f};
    for (int y = 0; y < 5; ++y) {
        rows[0].At(0, y, 0) = values[y];
    }
    std::vector<TestImage<float>> column;
    column.emplace_back(1, 2, 1);
    ASSERT_EQ(Average(rows, column, 0, 0, 1, 5, 1.0, 0.4, 1, 1, false), ImageOpStatus::Ok);
    EXPECT_FLOAT_EQ(column[0].At(0, 0, 0), (1 + 2 + 2) * 0.4f);
    EXPECT_FLOAT_EQ(column[0].At(0, 1, 0), (2 + 8 + 16) * 0.4f);
}

TEST(Supersample, SixteenBitAndFloatMeans) {
    std::vector<TestImage<std::uint16_t>> wide;
    wide.emplace_back(2, 2, 1);
    wide[0].At(0, 0, 0) = 2;
    wide[0].At(1, 0, 0) = 3;
    wide[0].At(0, 1, 0) = 65535;
    wide[0].At(1, 1, 0) = 65535;
    std::vector<TestImage<std::uint16_t>> narrow;
    narrow.emplace_back(1, 2, 1);
    ASSERT_EQ(Average(wide, narrow, 0, 0, 2, 2, 0.5, 1.0, 1, 1, false), ImageOpStatus::Ok);
    EXPECT_EQ(narrow[0].At(0, 0, 0), 3);
    EXPECT_EQ(narrow[0].At(0, 1, 0), 65535);

    wide[0].At(0, 0, 0) = 1000;
    wide[0].At(1, 0, 0) = 1001;
    wide[0].At(0, 1, 0) = 1002;
    wide[0].At(1, 1, 0) = 1003;
    std::vector<TestImage<std::uint16_t>> one;
    one.emplace_back(1, 1, 1);
    ASSERT_EQ(Average(wide, one, 0, 0, 2, 2, 0.5, 0.5, 1, 1, false), ImageOpStatus::Ok);
    EXPECT_EQ(one[0].At(0, 0, 0), 1002);

    std::vector<TestImage<float>> block;
    block.emplace_back(2, 2, 1);
    block[0].At(0, 0, 0) = 1.0f;
    block[0].At(1, 0, 0) = 1.0f;
    block[0].At(0, 1, 0) = 1.0f;
    block[0].At(1, 1, 0) = 2.0f;
    std::vector<TestImage<float>> mean;
    mean.emplace_back(1, 1, 1);
    ASSERT_EQ(Average(block, mean, 0, 0, 2, 2, 0.5, 0.5, 1, 1, false), ImageOpStatus::Ok);
    EXPECT_EQ(mean[0].At(0, 0, 0), 1.25f);
    block[0].At(0, 0, 0) = -3.0f;
    block[0].At(1, 0, 0) = -4.0f;
    std::vector<TestImage<float>> pair;
    pair.emplace_back(1, 2, 1);
    ASSERT_EQ(Average(block, pair, 0, 0, 2, 2, 0.5, 1.0, 1, 1, false), ImageOpStatus::Ok);
    EXPECT_EQ(pair[0].At(0, 0, 0), -3.5f);
}

// Exact box filter: each source pixel weighted by the part of it the footprint covers; a
// footprint reaching past the region is the mean of its part inside.
double BoxWeight(int index, double start, double end) {
    return std::max(0.0, std::min<double>(index + 1, end) - std::max<double>(index, start));
}

template <typename T>
void CheckAgainstBox(int srcW, int srcH, int roiX, int roiY, int roiW, int roiH, double fx,
                     double fy, int stride, int channels, bool planar) {
    SCOPED_TRACE(::testing::Message() << "factors " << fx << " x " << fy << " channels "
                                      << channels << " stride " << stride
                                      << (planar ? " planar" : ""));
    const int planes = planar ? (channels == 3 ? 3 : 4) : 1;
    const int elementStride = planar ? 1 : stride;
    const int processed = planar ? 1 : (channels == 1 ? 1 : (channels == 4 ? 4 : 3));
    const int clippedW = std::min(roiW, srcW - roiX);
    const int clippedH = std::min(roiH, srcH - roiY);
    const int outW = std::max(1, static_cast<int>(std::trunc(clippedW * fx + 1e-7)));
    const int outH = std::max(1, static_cast<int>(std::trunc(clippedH * fy + 1e-7)));
    std::vector<TestImage<T>> sources;
    std::vector<TestImage<T>> outs;
    for (int k = 0; k < planes; ++k) {
        sources.push_back(TestImage<T>::Exact(srcW, srcH, elementStride));
        FillRandom(sources.back(), 40u + k);
        outs.emplace_back(outW + 2, outH + 1, elementStride);
        FillSentinel(outs.back());
    }
    ASSERT_EQ(Average(sources, outs, roiX, roiY, roiW, roiH, fx, fy, elementStride, channels,
                      planar),
              ImageOpStatus::Ok);
    const double xs = 1.0 / fx;
    const double ys = 1.0 / fy;
    const bool whole = xs == std::trunc(xs) && ys == std::trunc(ys);
    TestImage<T> sentinel(outW + 2, outH + 1, elementStride);
    FillSentinel(sentinel);
    for (int k = 0; k < planes; ++k) {
        int failures = 0;
        for (int y = 0; y < outH + 1; ++y) {
            for (int x = 0; x < outW + 2; ++x) {
                for (int c = 0; c < elementStride; ++c) {
                    const T actual = outs[k].At(x, y, c);
                    if (x >= outW || y >= outH || c >= processed) {
                        failures += SameBits(actual, sentinel.At(x, y, c)) ? 0 : 1;
                        continue;
                    }
                    double sum = 0.0;
                    double inside = 0.0;
                    const double bottom = std::min((y + 1) * ys, 1.0 * clippedH);
                    const double right = std::min((x + 1) * xs, 1.0 * clippedW);
                    for (int j = static_cast<int>(y * ys); j < bottom; ++j) {
                        for (int i = static_cast<int>(x * xs); i < right; ++i) {
                            const double w = BoxWeight(i, x * xs, (x + 1) * xs) *
                                             BoxWeight(j, y * ys, (y + 1) * ys);
                            sum += w * sources[k].At(roiX + i, roiY + j, c);
                            inside += w;
                        }
                    }
                    const bool clipped = (x + 1) * xs > clippedW || (y + 1) * ys > clippedH;
                    const double mean = clipped ? sum / inside : sum * fx * fy;
                    bool good = false;
                    if constexpr (std::is_same_v<T, float>) {
                        good = std::fabs(actual - mean) <= 1e-4 * (1.0 + std::fabs(mean));
                    } else {
                        const double expected = std::trunc(mean + 0.5);
                        good = whole ? actual == expected : std::fabs(actual - expected) <= 1.0;
                    }
                    if (!good && failures++ < 5) {
                        ADD_FAILURE() << "(" << x << ", " << y << ") channel " << c << ": "
                                      << +actual << " for mean " << mean;
                    }
                }
            }
        }
        EXPECT_EQ(failures, 0);
    }
}

template <typename T>
class SupersampleBoxTest : public ::testing::Test {};

using SampleTypes = ::testing::Types<std::uint8_t, std::uint16_t, float>;
TYPED_TEST_SUITE(SupersampleBoxTest, SampleTypes);

TYPED_TEST(SupersampleBoxTest, EveryLayoutMatchesTheExactBoxFilter) {
    const double factors[][2] = {{1.0, 1.0}, {0.5, 0.5}, {1.0 / 3.0, 0.25}, {0.4, 1.0},
                                 {1.0, 0.4}, {0.37, 0.71}, {0.11, 0.2}, {0.025, 0.5},
                                 {0.03, 1.0}, {0.5, 0.04}, {1.0, 0.045}};
    const int layouts[][3] = {{1, 1, 0}, {3, 3, 0}, {3, 4, 0}, {4, 4, 0}, {3, 1, 1}, {4, 1, 1}};
    for (const auto& f : factors) {
        for (const auto& l : layouts) {
            CheckAgainstBox<TypeParam>(29, 27, 2, 3, 30, 22, f[0], f[1], l[1], l[0], l[2] != 0);
        }
    }
}

TEST(Supersample, RegionNarrowerThanTheFootprintAveragesWhatItHolds) {
    // One column at 0.3 still yields one column: the mean of what the region holds.
    std::vector<TestImage<std::uint8_t>> src{Gray({{9, 100, 9}, {9, 50, 9}, {9, 100, 9}})};
    std::vector<TestImage<std::uint8_t>> out;
    out.emplace_back(5, 5, 1);
    FillSentinel(out[0]);
    ASSERT_EQ(Average(src, out, 1, 0, 1, 3, 0.3, 0.3, 1, 1, false), ImageOpStatus::Ok);
    EXPECT_EQ(out[0].At(0, 0, 0), 83);  // (100 + 50 + 100) / 3
    EXPECT_EQ(out[0].At(1, 0, 0), 0xA5);
    // Three columns in a footprint of 3 1/3: a whole first footprint, yet not all inside.
    ASSERT_EQ(Average({Gray({{30, 60, 90}})}, out, 0, 0, 3, 1, 0.3, 1.0, 1, 1, false),
              ImageOpStatus::Ok);
    EXPECT_EQ(out[0].At(0, 0, 0), 60);
}

TEST(Supersample, StepsJustBelowAWholeNumberNeverExceedTheRange) {
    // xScale within 1e-7 below 3: the second output drops its tiny lead and does not take the
    // shared pixel again, so a flat image stays flat.
    std::vector<TestImage<std::uint8_t>> src;
    src.emplace_back(30, 30, 1);
    std::fill(src[0].data.begin(), src[0].data.end(), 255);
    const double factor = 1.0 / (3.0 - 5e-8);
    std::vector<TestImage<std::uint8_t>> out;
    out.emplace_back(10, 10, 1);
    ASSERT_EQ(Average(src, out, 0, 0, 30, 30, factor, factor, 1, 1, false), ImageOpStatus::Ok);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            EXPECT_EQ(out[0].At(x, y, 0), 255) << x << ", " << y;
        }
    }
}

// Pixels are read whole from srcRoiX * pixelStride samples on, as a call from there with packed
// pixels reads them; a row shorter than its pixels read whole is refused.
TEST(Supersample, OneAndFourSamplePixelsServeEveryStrideFromZero) {
    auto src = TestImage<std::uint8_t>::Exact(6, 2, 4);
    FillRandom(src, 11);
    std::vector<std::uint8_t> got(8);
    std::vector<std::uint8_t> want(8);
    for (const auto& [channels, stride] : {std::pair{1, 0}, {4, 0}, {4, 3}}) {
        ASSERT_EQ(ResizeSupersample(src.Data(), 6, 2, src.StepBytes(), 2, 0, 4, 2, got.data(), 8,
                                    2, 1, 0.5, 0.5, stride, channels, 0, 0),
                  ImageOpStatus::Ok);
        ASSERT_EQ(ResizeSupersample(src.Data() + 2 * stride, 4, 2, src.StepBytes(), 0, 0, 4, 2,
                                    want.data(), 8, 2, 1, 0.5, 0.5, channels, channels, 0, 0),
                  ImageOpStatus::Ok);
        EXPECT_EQ(got, want) << channels << " channels, stride " << stride;
    }
    EXPECT_EQ(ResizeSupersample(src.Data(), 6, 2, 6 * 3, 0, 0, 6, 2, got.data(), 8, 2, 1, 0.5,
                                0.5, 3, 4, 0, 0),
              ImageOpStatus::BadStep);
    for (const int wideType : {1, 2}) {
        EXPECT_EQ(ResizeSupersample(src.Data(), 4, 2, 4, 0, 0, 4, 2, got.data(), 8, 2, 1, 0.5, 0.5,
                                    1, 1, wideType, 0),
                  ImageOpStatus::BadStep)
            << wideType;
    }
}

// Constant images of the largest sample shrunk to one pixel, past what 32-bit sums hold:
// 131072 16-bit samples, and a column of 131072 rows; and two such columns, one below the
// other, shrunk to a pixel each.
TEST(Supersample, WholeStepSumsHoldEveryFootprint) {
    const std::vector<std::uint16_t> words(512 * 256, 65535);
    std::vector<std::uint16_t> halves(2 * words.size(), 1000);
    std::fill(halves.begin() + words.size(), halves.end(), 3000);
    for (const SimdBuild& build : RunBuilds()) {
        SCOPED_TRACE(build.name);
        std::uint16_t block = 0;
        std::uint16_t column = 0;
        EXPECT_EQ(build.supersample(words.data(), 512, 256, 1024, 0, 0, 512, 256, &block, 2, 1,
                                    1, 1.0 / 512, 1.0 / 256, 1, 1, 1, 0),
                  ImageOpStatus::Ok);
        EXPECT_EQ(build.supersample(words.data(), 1, 131072, 2, 0, 0, 1, 131072, &column, 2, 1,
                                    1, 1.0, 1.0 / 131072, 1, 1, 1, 0),
                  ImageOpStatus::Ok);
        EXPECT_EQ(block, 65535);
        EXPECT_EQ(column, 65535);
        std::uint16_t pair[2] = {};
        EXPECT_EQ(build.supersample(halves.data(), 1, 262144, 2, 0, 0, 1, 262144, pair, 2, 1, 2,
                                    1.0, 1.0 / 131072, 1, 1, 1, 0),
                  ImageOpStatus::Ok);
        EXPECT_EQ(std::vector<int>(pair, pair + 2), (std::vector<int>{1000, 3000}));
    }
}

TEST(Supersample, ChecksStatusesAndLayoutEdges) {
    std::vector<TestImage<std::uint8_t>> src;
    src.emplace_back(150, 4, 4);
    FillRandom(src[0], 2);
    std::vector<TestImage<std::uint8_t>> out;
    out.emplace_back(100, 2, 4);
    FillSentinel(out[0]);
    const std::vector<std::uint8_t> before = out[0].data;
    const auto call = [&](int roiX, double fx, double fy, int stride, int channels, int type) {
        return ResizeSupersample(src[0].Data(), 150, 4, src[0].StepBytes(), roiX, 0, 150, 4,
                                 out[0].Data(), out[0].StepBytes(), 100, 2, fx, fy, stride,
                                 channels, type, 0);
    };
    EXPECT_EQ(call(150, 0.5, 0.5, 4, 4, 0), ImageOpStatus::RegionOutsideSource);
    EXPECT_EQ(call(0, 0.0, 0.5, 4, 4, 0), ImageOpStatus::BadFactor);
    EXPECT_EQ(call(0, 1.5, 0.5, 4, 4, 0), ImageOpStatus::BadFactor);
    EXPECT_EQ(call(0, 0.5, std::nan(""), 4, 4, 0), ImageOpStatus::BadFactor);
    EXPECT_EQ(call(0, 0.5, 0.5, 2, 3, 0), ImageOpStatus::BadSize);
    EXPECT_EQ(call(0, 0.5, 0.5, 4, 4, 3), ImageOpStatus::Ok);
    EXPECT_EQ(call(0, 2.0, 0.5, 4, 4, 3), ImageOpStatus::Ok);
    EXPECT_EQ(out[0].data, before);
    // 150 columns at 0.5 give 75 of the 100 requested; three channels in four leave sample 3.
    ASSERT_EQ(call(0, 0.5, 0.5, 4, 3, 0), ImageOpStatus::Ok);
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(out[0].At(x, 0, 3), 0xA5);
        if (x >= 75) {
            EXPECT_EQ(out[0].At(x, 0, 0), 0xA5);
        }
    }
    EXPECT_EQ(LiveBlocks(), 0);
}

}  // namespace
