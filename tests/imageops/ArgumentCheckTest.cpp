// The first failing test decides the status, and a refused call writes nothing, in every build.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "tests/imageops/ImageOpBuilds.h"

namespace {

class ArgumentCheckTest : public testing::TestWithParam<ImageOpBuild> {};

struct Case {
    const char* what;
    std::function<ImageOpStatus(std::uint8_t* image)> call;
    ImageOpStatus expected;
};

TEST_P(ArgumentCheckTest, TestsRunInTheirOrderAndRefusalsWriteNothing) {
    const ImageOpBuild& b = GetParam();
    const std::uint8_t v[4] = {9, 9, 9, 9};
    const std::uint8_t mixed[4] = {1, 2, 3, 4};
    using S = ImageOpStatus;
    const auto over = CompositeOp::Over;
    const std::vector<Case> cases = {
        // Null beats a zero height; a zero width beats a zero step (steps before sizes for the
        // multiplies).
        {"copy null", [&](std::uint8_t* p) { return b.copyColorChannels(nullptr, 64, p, 64, 4, 0); }, S::NullPointer},
        {"copy size", [&](std::uint8_t* p) { return b.copyColorChannels(p, 0, p, 0, 0, 4); }, S::BadSize},
        {"copy step", [&](std::uint8_t* p) { return b.copyColorChannels(p, 64, p, 0, 4, 4); }, S::BadStep},
        {"premultiply null", [&](std::uint8_t*) { return b.premultiplyAlpha(nullptr, 0, 0, 0); }, S::NullPointer},
        {"premultiply size", [&](std::uint8_t* p) { return b.premultiplyAlpha(p, 0, 4, -1); }, S::BadSize},
        {"premultiply step", [&](std::uint8_t* p) { return b.premultiplyAlpha(p, -64, 4, 4); }, S::BadStep},
        {"composite null", [&](std::uint8_t* p) { return b.alphaComposite(p, 64, nullptr, 64, p, 64, 0, 4, over); },
         S::NullPointer},
        {"composite size", [&](std::uint8_t* p) { return b.alphaComposite(p, 0, p, 0, p, 0, 0, 4, CompositeOp(99)); },
         S::BadSize},
        {"composite step", [&](std::uint8_t* p) { return b.alphaComposite(p, 64, p, 64, p, 0, 4, 4, CompositeOp(99)); },
         S::BadStep},
        {"composite op -1",
         [&](std::uint8_t* p) { return b.alphaComposite(p, 64, p, 64, p, 64, 4, 4, CompositeOp(-1)); }, S::BadOperator},
        {"composite op 12",
         [&](std::uint8_t* p) { return b.alphaComposite(p, 64, p, 64, p, 64, 4, 4, CompositeOp(12)); }, S::BadOperator},
        {"const null",
         [&](std::uint8_t* p) { return b.alphaCompositeConst(nullptr, 64, 1, p, 64, 1, p, 64, 4, 0, over); },
         S::NullPointer},
        {"const op",
         [&](std::uint8_t* p) { return b.alphaCompositeConst(p, 64, 1, p, 64, 1, p, 64, 4, 4, CompositeOp(12)); },
         S::BadOperator},
        {"const colour step",
         [&](std::uint8_t* p) { return b.alphaCompositeConstColor(p, 64, 1, p, 0, 1, p, 64, 4, 4, CompositeOp(-7)); },
         S::BadStep},
        {"const colour op",
         [&](std::uint8_t* p) {
             return b.alphaCompositeConstColor(p, 64, 1, p, 64, 1, p, 64, 4, 4, CompositeOp(INT32_MIN));
         },
         S::BadOperator},
        {"multiply colour null value", [&](std::uint8_t* p) { return b.multiplyColorInPlace(nullptr, p, 0, 0, 0); },
         S::NullPointer},
        {"multiply colour step", [&](std::uint8_t* p) { return b.multiplyColorInPlace(v, p, 0, 0, 4); }, S::BadStep},
        {"multiply colour size", [&](std::uint8_t* p) { return b.multiplyColorInPlace(v, p, 64, 4, 0); }, S::BadSize},
        {"multiply const null", [&](std::uint8_t* p) { return b.multiplyConst(p, 64, v, nullptr, 64, 0, 4); },
         S::NullPointer},
        {"multiply const step", [&](std::uint8_t* p) { return b.multiplyConst(p, 0, v, p, 64, 0, 4); }, S::BadStep},
        {"multiply const step mixed", [&](std::uint8_t* p) { return b.multiplyConst(p, 64, mixed, p, 0, 0, 4); },
         S::BadStep},
        {"multiply const size", [&](std::uint8_t* p) { return b.multiplyConst(p, 64, mixed, p, 64, 4, 0); },
         S::BadSize},
        {"multiply bytes null", [&](std::uint8_t* p) { return b.multiplyBytesConst(nullptr, 64, 3, p, 64, 0, 0); },
         S::NullPointer},
        {"multiply bytes step", [&](std::uint8_t* p) { return b.multiplyBytesConst(p, 64, 3, p, 0, 0, 4); },
         S::BadStep},
        {"multiply bytes size", [&](std::uint8_t* p) { return b.multiplyBytesConst(p, 64, 3, p, 64, 16, -2); },
         S::BadSize},
        // The large scales are tested like every other scale before they clear the colour.
        {"add null", [&](std::uint8_t* p) { return b.addColorScaledInPlace(nullptr, p, 64, 4, 4, 12); },
         S::NullPointer},
        {"add size", [&](std::uint8_t* p) { return b.addColorScaledInPlace(v, p, 0, 0, 4, 10); }, S::BadSize},
        {"add step", [&](std::uint8_t* p) { return b.addColorScaledInPlace(v, p, 0, 4, 4, 10); }, S::BadStep},
        {"add step lowest scale", [&](std::uint8_t* p) { return b.addColorScaledInPlace(v, p, 0, 4, 4, INT32_MIN); },
         S::BadStep},
        {"fill colour null", [&](std::uint8_t* p) { return b.fillColor(nullptr, p, 64, 4, 0); }, S::NullPointer},
        {"fill colour size", [&](std::uint8_t* p) { return b.fillColor(v, p, 0, 0, 4); }, S::BadSize},
        {"fill pixel step", [&](std::uint8_t* p) { return b.fillPixel(v, p, 0, 4, 4); }, S::BadStep},
        {"fill pixel size", [&](std::uint8_t* p) { return b.fillPixel(v, p, 0, 0, 4); }, S::BadSize},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> image(64 * 4, 0x3C);
        EXPECT_EQ(c.call(image.data()), c.expected) << b.name << ": " << c.what;
        EXPECT_EQ(image, std::vector<std::uint8_t>(64 * 4, 0x3C)) << b.name << ": " << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, ArgumentCheckTest, testing::ValuesIn(AllImageOpBuilds()), BuildName);

}  // namespace
