#include "imageops/resize/ResizeCore.h"
#include "tests/imageops/resize/ResizeTestImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Resizes one 16-bit channel and returns the whole destination.
std::vector<std::uint16_t> ResizeChannel(const TestImage<std::uint16_t>& src, int dstW, int dstH, double fx,
                               double fy, double xShift, double yShift, int mode,
                               int convention) {
    TestImage<std::uint16_t> dst(dstW, dstH, 1, 0);
    FillSentinel(dst);
    EXPECT_EQ(ResizeCore(src.Data(), src.width, src.height, src.StepBytes(), 0, 0, src.width,
                         src.height, dst.Data(), dst.StepBytes(), dstW, dstH, fx, fy, xShift,
                         yShift, 1, 1, 1, 0, mode, convention),
              ImageOpStatus::Ok);
    return dst.data;
}

TEST(ResizeConventions, SourceStepsGiveTheSameSamplingAsTheMatchingScale) {
    TestImage<std::uint16_t> src(9, 10, 1);
    FillRandom(src, 21);
    // Nearest: a step of 0.5 source pixels is a scale of 2 (centres on centres).
    EXPECT_EQ(ResizeChannel(src, 20, 22, 0.5, 0.5, 0.0, 0.0, 1, 0), ResizeChannel(src, 20, 22, 2.0, 2.0, 0.0, 0.0, 1, 1));
    // Linear and cubic: the corner-aligned step of scale 2 over 9 columns is 8 / 17, over 10
    // rows 9 / 19, and the sizes come out as 18 and 20 both ways.
    for (int mode : {2, 4, 16}) {
        EXPECT_EQ(ResizeChannel(src, 20, 22, 8.0 / 17.0, 9.0 / 19.0, 0.0, 0.0, mode, 0),
                  ResizeChannel(src, 20, 22, 2.0, 2.0, 0.0, 0.0, mode, 1))
            << mode;
    }
}

TEST(ResizeConventions, ShiftsMoveTheFirstSourcePosition) {
    TestImage<std::uint16_t> src(6, 6, 1, 0);
    FillRandom(src, 22);
    const auto shifted = ResizeChannel(src, 6, 6, 1.0, 1.0, 1.0, 2.0, 1, 1);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            // Positions past the image take its last row or column.
            EXPECT_EQ(shifted[static_cast<std::size_t>(y) * 6 + x],
                      src.At(std::min(x + 1, 5), std::min(y + 2, 5), 0));
        }
    }
    // Shifts of any size stay inside the image in every mode.
    for (int mode : {1, 2, 4, 16}) {
        ResizeChannel(src, 9, 9, 1.5, 1.5, -40.0, 1e9, mode, 1);
        ResizeChannel(src, 9, 9, 0.7, 0.7, 3.5, -2.25, mode, 0);
    }
}

}  // namespace
