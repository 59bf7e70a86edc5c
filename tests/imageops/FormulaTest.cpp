// Every build against the rules written out independently here: products by exact division,
// ties-to-even by remainder, each operator from its definition.
#include "tests/imageops/ImageOpBuilds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t M(std::uint32_t x, std::uint32_t y) { return x * y / 255; }
std::uint32_t Sat(std::uint32_t v) { return std::min<std::uint32_t>(v, 255); }

std::uint32_t RefColor(int op, std::uint32_t a, std::uint32_t aa, std::uint32_t b, std::uint32_t ab) {
    switch (op) {
        case 0: return M(a, aa) + M(M(b, ab), 255 - aa);
        case 1: return M(M(a, aa), ab);
        case 2: return M(M(a, aa), 255 - ab);
        case 3: return M(M(a, aa), ab) + M(M(b, ab), 255 - aa);
        case 4: return M(M(a, aa), 255 - ab) + M(M(b, ab), 255 - aa);
        case 5: return Sat(M(a, aa) + M(b, ab));
        case 6: return Sat(a + M(b, 255 - aa));
        case 7: return M(a, ab);
        case 8: return M(a, 255 - ab);
        case 9: return Sat(M(a, ab) + M(b, 255 - aa));
        case 10: return Sat(M(a, 255 - ab) + M(b, 255 - aa));
        default: return Sat(a + b);
    }
}

std::uint32_t RefAlpha(int op, std::uint32_t aa, std::uint32_t ab) {
    switch (op % 6) {
        case 0: return aa + M(ab, 255 - aa);
        case 1: return M(aa, ab);
        case 2: return M(aa, 255 - ab);
        case 3: return ab;
        case 4: return M(aa, 255 - ab) + M(ab, 255 - aa);
        default: return Sat(aa + ab);
    }
}

std::uint32_t RefScaled(std::uint32_t s, std::int32_t scale) {
    if (scale >= 10) return 0;
    if (scale == 0) return Sat(s);
    if (scale > 0) {
        std::uint32_t q = s >> scale;
        const std::uint32_t r = s - (q << scale);
        const std::uint32_t half = 1u << (scale - 1);
        if (r > half || (r == half && (q & 1) != 0)) ++q;
        return q;
    }
    if (scale >= -7) return Sat(s << -scale);
    return s == 0 ? 0 : 255;
}

Bytes Random(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes v(n);
    for (auto& b : v) b = static_cast<std::uint8_t>(rng());
    return v;
}

class FormulaTest : public testing::TestWithParam<ImageOpBuild> {};

TEST_P(FormulaTest, PremultiplyScalesColourByAlphaForEveryPair) {
    const ImageOpBuild& build = GetParam();
    Bytes image(256 * 256 * 4);
    for (std::uint32_t a = 0; a < 256; ++a) {
        for (std::uint32_t c = 0; c < 256; ++c) {
            std::uint8_t* p = &image[(a * 256 + c) * 4];
            p[0] = static_cast<std::uint8_t>(c);
            p[1] = static_cast<std::uint8_t>(255 - c);
            p[2] = static_cast<std::uint8_t>(c ^ 0x5A);
            p[3] = static_cast<std::uint8_t>(a);
        }
    }
    const Bytes before = image;
    ASSERT_EQ(build.premultiplyAlpha(image.data(), 256 * 4, 256, 256), ImageOpStatus::Ok);
    for (std::size_t i = 0; i < image.size(); i += 4) {
        const std::uint32_t a = before[i + 3];
        for (int k = 0; k < 3; ++k) ASSERT_EQ(image[i + k], M(before[i + k], a)) << i;
        ASSERT_EQ(image[i + 3], a);
    }
}

TEST_P(FormulaTest, ByteMultiplyForEveryPair) {
    const ImageOpBuild& build = GetParam();
    Bytes src(256);
    for (int i = 0; i < 256; ++i) src[i] = static_cast<std::uint8_t>(i);
    for (std::uint32_t v = 0; v < 256; ++v) {
        Bytes dst(256, 0xEE);
        ASSERT_EQ(build.multiplyBytesConst(src.data(), 256, static_cast<std::uint8_t>(v), dst.data(), 256, 256, 1),
                  ImageOpStatus::Ok);
        for (std::uint32_t x = 0; x < 256; ++x) ASSERT_EQ(dst[x], M(x, v)) << x << " " << v;
    }
}

TEST_P(FormulaTest, ChannelMultipliesScaleEachByteByItsValue) {
    const ImageOpBuild& build = GetParam();
    const int width = 37, height = 5, step = width * 4 + 12;
    const Bytes src = Random(step * height, 1);
    for (const auto& value : std::vector<std::array<std::uint8_t, 4>>{{0, 0, 0, 0}, {255, 255, 255, 255},
                                                                      {200, 100, 1, 254}, {77, 77, 77, 77}}) {
        Bytes dst = Random(step * height, 2);
        const Bytes old = dst;
        ASSERT_EQ(build.multiplyConst(src.data(), step, value.data(), dst.data(), step, width, height), ImageOpStatus::Ok);
        Bytes colour = old;
        ASSERT_EQ(build.multiplyColor(src.data(), step, value.data(), colour.data(), step, width, height),
                  ImageOpStatus::Ok);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < step; ++x) {
                const int i = y * step + x;
                if (x >= width * 4) {
                    ASSERT_EQ(dst[i], old[i]);
                    ASSERT_EQ(colour[i], old[i]);
                    continue;
                }
                ASSERT_EQ(dst[i], M(src[i], value[x % 4])) << i;
                ASSERT_EQ(colour[i], x % 4 == 3 ? old[i] : M(src[i], value[x % 4])) << i;
            }
        }
    }
}

// Slot 5 over every pair of alphas (colours random) and every pair of colours (alphas random).
TEST_P(FormulaTest, PerPixelCompositingFollowsEachOperator) {
    const ImageOpBuild& build = GetParam();
    const int width = 256, height = 256, step = width * 4;
    for (int pass = 0; pass < 2; ++pass) {
        Bytes a = Random(step * height, 10 + pass);
        Bytes b = Random(step * height, 20 + pass);
        for (int i = 0; i < width * height; ++i) {
            if (pass == 0) {
                a[i * 4 + 3] = static_cast<std::uint8_t>(i & 255);
                b[i * 4 + 3] = static_cast<std::uint8_t>(i >> 8);
            } else {
                for (int k = 0; k < 3; ++k) {
                    a[i * 4 + k] = static_cast<std::uint8_t>(i & 255);
                    b[i * 4 + k] = static_cast<std::uint8_t>(i >> 8);
                }
            }
        }
        for (int op = 0; op < 12; ++op) {
            Bytes d(a.size());
            ASSERT_EQ(build.alphaComposite(a.data(), step, b.data(), step, d.data(), step, width, height,
                                           static_cast<CompositeOp>(op)),
                      ImageOpStatus::Ok);
            for (std::size_t p = 0; p < d.size(); p += 4) {
                const std::uint32_t aa = a[p + 3], ab = b[p + 3];
                for (int k = 0; k < 3; ++k) ASSERT_EQ(d[p + k], RefColor(op, a[p + k], aa, b[p + k], ab)) << op << " " << p;
                ASSERT_EQ(d[p + 3], RefAlpha(op, aa, ab)) << op << " " << p;
            }
        }
    }
}

// Slots 6 and 7 over every pair of samples, for a spread of constant alphas.
TEST_P(FormulaTest, ConstantAlphaCompositingFollowsEachOperator) {
    const ImageOpBuild& build = GetParam();
    const int width = 128, height = 128, step = width * 4;
    Bytes a(step * height), b(step * height);
    for (int i = 0; i < 65536; ++i) {
        a[i] = static_cast<std::uint8_t>(i & 255);
        b[i] = static_cast<std::uint8_t>(i >> 8);
    }
    const std::uint8_t alphas[] = {0, 1, 2, 100, 127, 128, 200, 254, 255};
    const Bytes old = Random(a.size(), 5);
    for (int op = 0; op < 12; ++op) {
        for (std::uint8_t a1 : alphas) {
            for (std::uint8_t a2 : alphas) {
                Bytes d = old, dc = old;
                const auto o = static_cast<CompositeOp>(op);
                ASSERT_EQ(build.alphaCompositeConst(a.data(), step, a1, b.data(), step, a2, d.data(), step, width,
                                                    height, o),
                          ImageOpStatus::Ok);
                ASSERT_EQ(build.alphaCompositeConstColor(a.data(), step, a1, b.data(), step, a2, dc.data(), step,
                                                         width, height, o),
                          ImageOpStatus::Ok);
                for (std::size_t i = 0; i < d.size(); ++i) {
                    const std::uint32_t expected = RefColor(op, a[i], a1, b[i], a2);
                    ASSERT_EQ(d[i], expected) << op << " " << i;
                    ASSERT_EQ(dc[i], i % 4 == 3 ? old[i] : expected) << op << " " << i;
                }
            }
        }
    }
}

TEST_P(FormulaTest, ScaledAddForEveryPairAndScale) {
    const ImageOpBuild& build = GetParam();
    const std::int32_t scales[] = {INT32_MIN, -100, -9, -8, -7, -3, -1, 0, 1, 2, 3, 5, 8, 9, 10, 11, 1000, INT32_MAX};
    const int width = 256, step = width * 4;
    Bytes image(step);
    for (int c = 0; c < 256; ++c) {
        image[c * 4 + 0] = static_cast<std::uint8_t>(c);
        image[c * 4 + 1] = static_cast<std::uint8_t>(255 - c);
        image[c * 4 + 2] = static_cast<std::uint8_t>(c ^ 0xA5);
        image[c * 4 + 3] = static_cast<std::uint8_t>(c * 7);
    }
    for (std::int32_t scale : scales) {
        for (std::uint32_t v = 0; v < 256; ++v) {
            const std::uint8_t value[3] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v),
                                           static_cast<std::uint8_t>(v / 2)};
            Bytes d = image;
            ASSERT_EQ(build.addColorScaledInPlace(value, d.data(), step, width, 1, scale), ImageOpStatus::Ok);
            for (std::size_t i = 0; i < d.size(); ++i) {
                if (i % 4 == 3) {
                    ASSERT_EQ(d[i], image[i]);
                } else {
                    ASSERT_EQ(d[i], RefScaled(image[i] + value[i % 4], scale)) << scale << " " << v << " " << i;
                }
            }
        }
    }
}

TEST_P(FormulaTest, FillsAndCopyTouchOnlyTheirBytes) {
    const ImageOpBuild& build = GetParam();
    const int width = 19, height = 4, step = width * 4 + 8;
    const std::uint8_t value[4] = {1, 2, 3, 4};
    const Bytes old = Random(step * height, 9);
    const Bytes src = Random(step * height, 8);
    Bytes colour = old, pixel = old, copy = old;
    ASSERT_EQ(build.fillColor(value, colour.data(), step, width, height), ImageOpStatus::Ok);
    ASSERT_EQ(build.fillPixel(value, pixel.data(), step, width, height), ImageOpStatus::Ok);
    ASSERT_EQ(build.copyColorChannels(src.data(), step, copy.data(), step, width, height), ImageOpStatus::Ok);
    for (int i = 0; i < step * height; ++i) {
        const int x = i % step;
        if (x >= width * 4) {
            ASSERT_EQ(colour[i], old[i]);
            ASSERT_EQ(pixel[i], old[i]);
            ASSERT_EQ(copy[i], old[i]);
            continue;
        }
        ASSERT_EQ(colour[i], x % 4 == 3 ? old[i] : value[x % 4]);
        ASSERT_EQ(pixel[i], value[x % 4]);
        ASSERT_EQ(copy[i], x % 4 == 3 ? old[i] : src[i]);
    }
}

TEST_P(FormulaTest, SpotValuesOfTheRules) {
    const ImageOpBuild& build = GetParam();
    // Scaled add with scale 1: sums 1, 3, 5 and 510 give 0, 2, 2 and 255; scale 2: 6 and 10 give 2.
    const std::uint8_t zero[3] = {0, 0, 0};
    const std::uint8_t v255[3] = {255, 0, 0};
    std::uint8_t odd[4] = {1, 3, 5, 9};
    ASSERT_EQ(build.addColorScaledInPlace(zero, odd, 4, 1, 1, 1), ImageOpStatus::Ok);
    EXPECT_EQ(Bytes(odd, odd + 4), (Bytes{0, 2, 2, 9}));
    std::uint8_t full[4] = {255, 0, 0, 9};
    ASSERT_EQ(build.addColorScaledInPlace(v255, full, 4, 1, 1, 1), ImageOpStatus::Ok);
    EXPECT_EQ(full[0], 255);
    std::uint8_t ties[4] = {6, 10, 0, 9};
    ASSERT_EQ(build.addColorScaledInPlace(zero, ties, 4, 1, 1, 2), ImageOpStatus::Ok);
    EXPECT_EQ(Bytes(ties, ties + 4), (Bytes{2, 2, 0, 9}));
    // Premultiplied over with an opaque source copies it; with a clear one keeps the second.
    const std::uint8_t opaque[4] = {10, 20, 30, 255}, clear[4] = {0, 0, 0, 0}, under[4] = {40, 50, 60, 70};
    std::uint8_t out[4];
    ASSERT_EQ(build.alphaComposite(opaque, 4, under, 4, out, 4, 1, 1, CompositeOp::OverPremul), ImageOpStatus::Ok);
    EXPECT_EQ(Bytes(out, out + 4), Bytes(opaque, opaque + 4));
    ASSERT_EQ(build.alphaComposite(clear, 4, under, 4, out, 4, 1, 1, CompositeOp::OverPremul), ImageOpStatus::Ok);
    EXPECT_EQ(Bytes(out, out + 4), Bytes(under, under + 4));
    // Plain xor of two opaque pixels clears everything.
    const std::uint8_t other[4] = {1, 2, 3, 255};
    ASSERT_EQ(build.alphaComposite(opaque, 4, other, 4, out, 4, 1, 1, CompositeOp::Xor), ImageOpStatus::Ok);
    EXPECT_EQ(Bytes(out, out + 4), Bytes(4, 0));
}

INSTANTIATE_TEST_SUITE_P(Builds, FormulaTest, testing::ValuesIn(AllImageOpBuilds()), BuildName);

}  // namespace
