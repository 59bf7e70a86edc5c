#include "imageops/resize/BlockFillCopy.h"
#include "imageops/resize/LanczosWeights.h"
#include "imageops/resize/ResizeBuffers.h"
#include "imageops/resize/ResizeCore.h"
#include "imageops/resize/ResizeCubicRows.h"
#include "imageops/resize/ResizeLinearRows.h"
#include "imageops/AlignedAlloc.h"
#include "tests/imageops/resize/AllocationControl.h"
#include "tests/imageops/resize/ResizeTestImage.h"
#include "tests/imageops/resize/SimdBuilds.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

TEST(LinearKernels, TwoPixelsDoubledBlendByRunningSumWeights) {
    TestImage<std::uint8_t> src(2, 2, 1, 0);
    src.At(0, 0, 0) = src.At(0, 1, 0) = 0;
    src.At(1, 0, 0) = src.At(1, 1, 0) = 255;
    TestImage<std::uint8_t> dst(4, 2, 1, 0);
    ASSERT_EQ(ResizeCore(src.Data(), 2, 2, src.StepBytes(), 0, 0, 2, 2, dst.Data(),
                         dst.StepBytes(), 4, 2, 2.0, 1.0, 0.0, 0.0, 1, 1, 0, 0, 2, 1),
              ImageOpStatus::Ok);
    // Weights 5461 and 10922 on the right pixel, then the right pixel itself at the edge.
    const std::vector<std::uint8_t> row{0, 85, 170, 255};
    EXPECT_EQ(std::vector<std::uint8_t>(dst.data.begin(), dst.data.begin() + 4), row);
    EXPECT_EQ(std::vector<std::uint8_t>(dst.data.begin() + 4, dst.data.begin() + 8), row);
}

// Positions on the image's last row or column blend the pair that ends there, all weight on
// it, so nothing past the image is read: an unreadable page follows its last byte.
TEST(LinearKernels, TheLastRowAndColumnComeFromThePairEndingThereInEveryBuild) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    auto* const pages = static_cast<unsigned char*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(mprotect(pages + page, page, PROT_NONE), 0);
    for (const SimdBuild& build : RunBuilds()) {
        for (const int channels : {1, 4}) {
            SCOPED_TRACE(::testing::Message() << build.name << " channels " << channels);
            auto image = TestImage<std::uint8_t>::Exact(9, 7, channels);
            FillRandom(image, 17);
            unsigned char* const src = pages + page - image.data.size();
            std::memcpy(src, image.Data(), image.data.size());
            TestImage<std::uint8_t> dst(12, 10, channels);
            ASSERT_EQ(build.core(src, 9, 7, image.StepBytes(), 3, 2, 6, 5, dst.Data(),
                                 dst.StepBytes(), 12, 10, 2.0, 2.0, 0.0, 0.0, channels, channels,
                                 0, 0, 2, 1),
                      ImageOpStatus::Ok);
            EXPECT_EQ(dst.At(11, 9, channels - 1), image.At(8, 6, channels - 1));
        }
        // A region of the last row alone leaves the row above unread.
        const float rows[4] = {NAN, NAN, 1.5f, 2.5f};
        std::vector<float> out(6);
        ASSERT_EQ(build.core(rows, 2, 2, 8, 0, 1, 2, 1, out.data(), 8, 2, 3, 1.0, 3.0, 0.0, 0.0, 1,
                             1, 2, 0, 2, 1),
                  ImageOpStatus::Ok);
        EXPECT_EQ(out, (std::vector<float>{1.5f, 2.5f, 1.5f, 2.5f, 1.5f, 2.5f})) << build.name;
    }
    munmap(pages, 2 * page);
}

TEST(LinearKernels, HalfWeightsRoundHalfUpOnceAtTheEnd) {
    // Rows [0, 255] and [255, 255]; one column halfway, then rows weighted 0 and halfway.
    const std::uint8_t src[4] = {0, 255, 255, 255};
    const std::int32_t rows[2] = {0, 0};
    const std::int32_t columns[1] = {0};
    const std::uint16_t rowWeights[2] = {0, 8192};
    const std::uint16_t columnWeights[2] = {8192, 8192};
    std::uint16_t buffer0[8];
    std::uint16_t buffer1[8];
    std::uint8_t dst[2] = {};
    ResizeLinearRows8u1(src, dst, 2, 1, 1, 2, rows, columns, rowWeights, columnWeights, buffer0,
                        buffer1);
    EXPECT_EQ(dst[0], 128);  // buffer 8160 = 127.5 * 64
    EXPECT_EQ(dst[1], 191);  // (8160 + 16320) / 2 = 12240 = 191.25 * 64
}

TEST(CubicKernels, ValuesTruncateAndClampLikeThePolynomial) {
    // One source row pattern per case, four rows alike; row fraction 0 keeps the row value.
    const auto run8 = [](std::uint8_t p0, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3,
                         float t) {
        std::uint8_t src[16];
        for (int r = 0; r < 4; ++r) {
            src[4 * r] = p0;
            src[4 * r + 1] = p1;
            src[4 * r + 2] = p2;
            src[4 * r + 3] = p3;
        }
        const std::int32_t rows[1] = {4};
        const std::int32_t columns[1] = {1};
        const float rowFractions[1] = {0.0f};
        const float columnFractions[1] = {t};
        float b[4][8];
        std::uint8_t dst = 7;
        ResizeCubicRows8u1(src, &dst, 4, 1, 1, 1, rows, columns, rowFractions, columnFractions,
                           b[0], b[1], b[2], b[3]);
        return dst;
    };
    EXPECT_EQ(run8(0, 0, 255, 255, 0.5f), 127);
    EXPECT_EQ(run8(0, 0, 0, 255, 0.5f), 0);
    EXPECT_EQ(run8(255, 255, 255, 0, 0.5f), 255);
    EXPECT_EQ(run8(10, 20, 30, 45, 0.0f), 20);
    EXPECT_EQ(run8(10, 20, 30, 45, 1.0f), 30);
    EXPECT_EQ(run8(10, 20, 30, 45, 2.0f), 45);
    EXPECT_EQ(run8(10, 20, 30, 45, -1.0f), 10);

    float src[16];
    for (int r = 0; r < 4; ++r) {
        src[4 * r] = src[4 * r + 1] = src[4 * r + 2] = 0.0f;
        src[4 * r + 3] = 255.0f;
    }
    const std::int32_t rows[1] = {4};
    const std::int32_t columns[1] = {1};
    const float rowFractions[1] = {0.0f};
    const float columnFractions[1] = {0.5f};
    float b[4][8];
    float dst = 0.0f;
    ResizeCubicRows32f1(src, &dst, 4, 1, 1, 1, rows, columns, rowFractions, columnFractions, b[0],
                        b[1], b[2], b[3]);
    EXPECT_EQ(dst, -15.9375f);
}

TEST(CubicKernels, EdgeRowsAndColumnsReproduceTheSource) {
    // Corner alignment maps the last destination pixel onto the last source pixel, which the
    // edge rule reaches with fraction 2.0 from the third-last.
    TestImage<std::uint16_t> src(6, 5, 1);
    FillRandom(src, 11);
    TestImage<std::uint16_t> dst(12, 10, 1);
    ASSERT_EQ(ResizeCore(src.Data(), 6, 5, src.StepBytes(), 0, 0, 6, 5, dst.Data(),
                         dst.StepBytes(), 12, 10, 2.0, 2.0, 0.0, 0.0, 1, 1, 1, 0, 4, 1),
              ImageOpStatus::Ok);
    EXPECT_EQ(dst.At(0, 0, 0), src.At(0, 0, 0));
    EXPECT_EQ(dst.At(11, 0, 0), src.At(5, 0, 0));
    EXPECT_EQ(dst.At(0, 9, 0), src.At(0, 4, 0));
    EXPECT_EQ(dst.At(11, 9, 0), src.At(5, 4, 0));
}

TEST(LanczosWeightsTest, TableFollowsTheWindow) {
    const float* table = LanczosTable();
    EXPECT_EQ(table[0], 1.0f);
    for (int i = 1; i < 300; ++i) {
        const double x = i / 100.0;
        const double px = std::numbers::pi * x;
        const double expected = 3.0 * std::sin(px) * std::sin(px / 3.0) / (px * px);
        EXPECT_NEAR(table[i], expected, 1e-7) << i;
    }
    EXPECT_EQ(table[300], 0.0f);
    EXPECT_EQ(table[301], 0.0f);
}

TEST(LanczosWeightsTest, WeightsOfTypicalFractions) {
    const float fractions[3] = {0.0f, 0.5f, -1e-7f};
    float weights[19];
    weights[18] = 42.0f;
    LanczosWeights(fractions, 3, weights);
    EXPECT_EQ(std::vector<float>(weights, weights + 6),
              (std::vector<float>{0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(weights[6], weights[11]);
    EXPECT_EQ(weights[7], weights[10]);
    EXPECT_EQ(weights[8], weights[9]);
    EXPECT_GT(weights[8], 0.5f);
    EXPECT_LT(weights[6], 0.05f);
    EXPECT_EQ(weights[17], 0.0f);  // the sixth tap lies just beyond 3
    EXPECT_NEAR(weights[14], 1.0f, 1e-5);
    EXPECT_EQ(weights[18], 42.0f);
    LanczosWeights(fractions, 0, weights + 18);
    EXPECT_EQ(weights[18], 42.0f);
}

TEST(ResizeBlocks, ChecksComeBeforeAnyWrite) {
    std::uint32_t a[5] = {1, 2, 3, 4, 5};
    std::uint32_t b[5] = {};
    EXPECT_EQ(ZeroBytes(nullptr, 0), ImageOpStatus::NullPointer);
    EXPECT_EQ(ZeroBytes(a, 0), ImageOpStatus::BadSize);
    EXPECT_EQ(CopyInts(nullptr, b, 0), ImageOpStatus::NullPointer);
    EXPECT_EQ(CopyInts(a, b, -1), ImageOpStatus::BadSize);
    EXPECT_EQ(b[0], 0u);
    EXPECT_EQ(CopyInts(a, b, 4), ImageOpStatus::Ok);
    EXPECT_EQ(std::vector<std::uint32_t>(b, b + 5), (std::vector<std::uint32_t>{1, 2, 3, 4, 0}));
    EXPECT_EQ(ZeroBytes(reinterpret_cast<unsigned char*>(a) + 1, 6), ImageOpStatus::Ok);
    EXPECT_EQ(a[0], 1u);
    EXPECT_EQ(a[1], 0u);
    EXPECT_EQ(a[2], 3u);
}

TEST(ResizeBlocks, ScratchAllocatorsRefuseEmptyAndOversizedCounts) {
    FailAllocationAt(-1);
    EXPECT_EQ(AlignedAllocInts(0), nullptr);
    EXPECT_EQ(AlignedAllocShorts(-5), nullptr);
    EXPECT_EQ(AlignedAllocInts(std::numeric_limits<std::int64_t>::max() / 2), nullptr);
    void* ints = AlignedAllocInts(3);
    void* shorts = AlignedAllocShorts(3);
    ASSERT_NE(ints, nullptr);
    ASSERT_NE(shorts, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(ints) % 32, 0u);
    AlignedFree(ints);
    AlignedFree(shorts);
    EXPECT_EQ(LiveBlocks(), 0);
}

}  // namespace
