// Every SIMD build against the plain build: random pixels, every width from 1 to 257 at every
// start offset from 0 to 15, padded and touching rows, destinations aliasing a source, every
// operator and scale, refused arguments. The whole allocation of every block, guard bytes
// included, must come out the same, and so must the status.
#include <emmintrin.h>
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/imageops/ImageOpBuilds.h"

// The SIMD row kernels once more in this file, with their non-temporal stores, prefetches and
// fences written into a log, for the store kinds the bytes cannot show.
namespace shim {

// 'S' a non-temporal store, 'P' a prefetch, with where each went; 'F' a store fence.
using Event = std::pair<char, std::uintptr_t>;
std::vector<Event> log;

template <typename V>
void Stream(V* p, V v) {
    log.emplace_back('S', reinterpret_cast<std::uintptr_t>(p));
    std::memcpy(p, &v, sizeof v);
}
void Prefetch(const void* p) { log.emplace_back('P', reinterpret_cast<std::uintptr_t>(p)); }
void Fence() { log.emplace_back('F', 0); }

}  // namespace shim

#undef _mm_prefetch
#define _mm_stream_pi(p, v) shim::Stream(p, v)
#define _mm_stream_si128(p, v) shim::Stream(p, v)
#define _mm_prefetch(p, hint) shim::Prefetch(p)
#define _mm_sfence() shim::Fence()
#include "imageops/ImageOpEntries.h"
#include "imageops/LanesMmx.h"
#include "imageops/LanesSse2.h"
#include "imageops/VectorRows.h"
#undef _mm_stream_pi
#undef _mm_stream_si128
#undef _mm_prefetch
#undef _mm_sfence

namespace {

constexpr std::size_t kGuard = 32;

struct Block {
    std::vector<std::uint8_t> bytes;
    std::size_t start = 0;
    std::int32_t step = 0;
    std::uint8_t* at() { return bytes.data() + start; }
};

Block MakeBlock(std::mt19937& rng, std::int32_t width, std::int32_t height, std::size_t offset, std::int32_t pad) {
    Block b;
    b.step = width * 4 + pad;
    b.start = kGuard + offset;
    b.bytes.resize(b.start + static_cast<std::size_t>(b.step) * height + kGuard);
    for (auto& x : b.bytes) x = static_cast<std::uint8_t>(rng());
    // Some pixels fully opaque or fully clear, so the shortcuts of the builds are taken too.
    for (std::size_t i = b.start; i + 4 <= b.bytes.size(); i += 4) {
        const std::uint32_t r = rng() % 8;
        if (r == 0) b.bytes[i + 3] = 255;
        if (r == 1) std::fill_n(b.bytes.begin() + static_cast<std::ptrdiff_t>(i), 4, 0);
    }
    return b;
}

using Call = std::function<ImageOpStatus(const ImageOpBuild&, std::vector<Block>&)>;

void ExpectSameAsPlain(const std::vector<Block>& blocks, const Call& call, const std::string& what) {
    const auto& builds = AllImageOpBuilds();
    std::vector<Block> expected = blocks;
    const ImageOpStatus expectedStatus = call(builds[0], expected);
    for (std::size_t i = 1; i < builds.size(); ++i) {
        std::vector<Block> got = blocks;
        const ImageOpStatus status = call(builds[i], got);
        ASSERT_EQ(status, expectedStatus) << builds[i].name << " " << what;
        for (std::size_t k = 0; k < got.size(); ++k) {
            ASSERT_EQ(got[k].bytes, expected[k].bytes) << builds[i].name << " " << what << " block " << k;
        }
    }
}

constexpr std::int32_t kPads[] = {0, 0, 4, 1, 3, 12, 17, 64};
constexpr std::int32_t kScales[] = {0,         1,  2,  3,  4,  5,  6,  7,  8,  9,  10,       33,
                                    INT32_MAX, -1, -2, -3, -4, -5, -6, -7, -8, -9, INT32_MIN};

// Which blocks the destination shares: none, source 1, source 2.
enum class Alias { None, First, Second };

TEST(BuildDifferentialTest, EveryBuildWritesThePlainBuildsBytes) {
    std::mt19937 rng(20240611);
    int scenario = 0;
    for (std::int32_t width = 1; width <= 257; ++width) {
        for (std::size_t offset = 0; offset < 16; ++offset, ++scenario) {
            const std::int32_t height = 1 + static_cast<std::int32_t>(rng() % 3);
            const std::int32_t pad = kPads[scenario % 8];
            // Sources at their own offsets and pads; the destination at the offset under test.
            std::vector<Block> blocks = {MakeBlock(rng, width, height, rng() % 16, kPads[rng() % 8]),
                                         MakeBlock(rng, width, height, rng() % 16, kPads[rng() % 8]),
                                         MakeBlock(rng, width, height, offset, pad)};
            const std::string where = "width " + std::to_string(width) + " offset " + std::to_string(offset);
            const auto op = static_cast<CompositeOp>(scenario % 12);
            const auto alias = static_cast<Alias>(scenario % 3);
            const std::uint8_t a1 = static_cast<std::uint8_t>(rng()), a2 = static_cast<std::uint8_t>(rng());
            std::uint8_t value[4];
            for (auto& v : value) v = static_cast<std::uint8_t>(rng());
            const std::uint8_t equal[4] = {value[0], value[0], value[0], value[0]};
            const std::int32_t scale = kScales[scenario % std::size(kScales)];

            // The first two blocks as the sources, the destination by the aliasing under test.
            auto src1 = [](std::vector<Block>& b) { return b[0].at(); };
            auto src2 = [](std::vector<Block>& b) { return b[1].at(); };
            auto dst = [alias](std::vector<Block>& b) -> Block& {
                return alias == Alias::First ? b[0] : alias == Alias::Second ? b[1] : b[2];
            };
            const std::string opText = where + " op " + std::to_string(static_cast<int>(op)) + " alias " +
                                       std::to_string(static_cast<int>(alias));

            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.alphaComposite(src1(k), k[0].step, src2(k), k[1].step, dst(k).at(), dst(k).step, width,
                                            height, op);
                },
                "composite " + opText);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.alphaCompositeConst(src1(k), k[0].step, a1, src2(k), k[1].step, a2, dst(k).at(),
                                                 dst(k).step, width, height, op);
                },
                "composite const " + opText);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.alphaCompositeConstColor(src1(k), k[0].step, a1, src2(k), k[1].step, a2, dst(k).at(),
                                                      dst(k).step, width, height, op);
                },
                "composite const colour " + opText);
            // One-source operations: the destination is source 1 itself or a block of its own.
            auto out = [alias](std::vector<Block>& b) -> Block& { return alias == Alias::None ? b[2] : b[0]; };
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.copyColorChannels(src1(k), k[0].step, out(k).at(), out(k).step, width, height);
                },
                "copy " + opText);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.multiplyConst(src1(k), k[0].step, scenario % 5 == 0 ? equal : value, out(k).at(),
                                           out(k).step, width, height);
                },
                "multiply const " + opText);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.multiplyColor(src1(k), k[0].step, value, out(k).at(), out(k).step, width, height);
                },
                "multiply colour " + opText);
            // Byte widths that are not whole pixels.
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.multiplyBytesConst(src1(k), k[0].step, value[1], out(k).at(), out(k).step,
                                                width * 4 - static_cast<std::int32_t>(offset % 4), height);
                },
                "multiply bytes " + opText);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.premultiplyAlpha(k[2].at(), k[2].step, width, height);
                },
                "premultiply " + where);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.multiplyColorInPlace(value, k[2].at(), k[2].step, width, height);
                },
                "multiply in place " + where);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.addColorScaledInPlace(value, k[2].at(), k[2].step, width, height, scale);
                },
                "add scaled " + where + " scale " + std::to_string(scale));
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.fillPixel(value, k[2].at(), k[2].step, width, height);
                },
                "fill pixel " + where);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    return b.fillColor(value, k[2].at(), k[2].step, width, height);
                },
                "fill colour " + where);
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    b.premultiplyRow(k[0].at(), k[2].at(), width);
                    return ImageOpStatus::Ok;
                },
                "premultiply row " + where);
            // Clear runs of 1 to 7 pixels at every phase: blocks all clear, all opaque and mixed.
            ExpectSameAsPlain(
                blocks,
                [&](const ImageOpBuild& b, std::vector<Block>& k) {
                    for (std::int32_t x = 0; x < width; ++x) {
                        if ((x + scenario) / (1 + scenario % 7) % 2 == 0) k[0].at()[x * 4 + 3] = 0;
                    }
                    b.copyOpaqueRow(k[0].at(), out(k).at(), width);
                    return ImageOpStatus::Ok;
                },
                "keyed row " + opText);
        }
    }
}

TEST(BuildDifferentialTest, RefusedArgumentsGiveTheSameStatusAndBytes) {
    std::mt19937 rng(7);
    const std::int32_t widths[] = {0, -1, 3, 3, 3, INT32_MIN};
    const std::int32_t steps[] = {0, 12, -4, 12, 12, 12};
    const CompositeOp ops[] = {CompositeOp::Over, CompositeOp(12),        CompositeOp::Xor,
                               CompositeOp(-1),   CompositeOp(INT32_MIN), CompositeOp(INT32_MAX)};
    for (int c = 0; c < 6; ++c) {
        std::vector<Block> blocks = {MakeBlock(rng, 3, 2, 1, 0), MakeBlock(rng, 3, 2, 2, 0),
                                     MakeBlock(rng, 3, 2, 3, 0)};
        const std::uint8_t v[4] = {1, 2, 3, 4};
        const std::int32_t w = widths[c], s = steps[c];
        const CompositeOp op = ops[c];
        const std::string what = "case " + std::to_string(c);
        ExpectSameAsPlain(
            blocks,
            [&](const ImageOpBuild& b, std::vector<Block>& k) {
                return b.alphaComposite(k[0].at(), s, k[1].at(), 12, k[2].at(), 12, w, 2, op);
            },
            "composite " + what);
        ExpectSameAsPlain(
            blocks,
            [&](const ImageOpBuild& b, std::vector<Block>& k) {
                return b.alphaCompositeConstColor(k[0].at(), 12, 9, k[1].at(), s, 9, k[2].at(), 12, w, 2, op);
            },
            "composite const colour " + what);
        ExpectSameAsPlain(
            blocks,
            [&](const ImageOpBuild& b, std::vector<Block>& k) {
                return b.multiplyConst(k[0].at(), 12, v, k[2].at(), s, w, 2);
            },
            "multiply const " + what);
        ExpectSameAsPlain(
            blocks,
            [&](const ImageOpBuild& b, std::vector<Block>& k) {
                return b.addColorScaledInPlace(v, k[2].at(), s, w, 2, c % 2 == 0 ? INT32_MIN : 12);
            },
            "add scaled " + what);
        ExpectSameAsPlain(
            blocks, [&](const ImageOpBuild& b, std::vector<Block>& k) { return b.fillPixel(v, k[2].at(), s, w, 2); },
            "fill pixel " + what);
    }
}

// Large fills, whole or in padded rows at odd alignments, write the same bytes in every build.
TEST(BuildDifferentialTest, LargeFillsWriteTheSameBytes) {
    std::mt19937 rng(3);
    struct Case {
        std::int32_t width, height;
        std::size_t offset;
        std::int32_t pad;
    };
    const Case cases[] = {{256, 256, 0, 0}, {65537, 1, 0, 0}, {257, 256, 3, 0}, {301, 220, 5, 7}, {1000, 70, 12, 4}};
    for (const Case& c : cases) {
        std::vector<Block> blocks = {MakeBlock(rng, c.width, c.height, c.offset, c.pad)};
        const std::uint8_t v[4] = {0x11, 0x22, 0x33, 0x44};
        ExpectSameAsPlain(
            blocks,
            [&](const ImageOpBuild& b, std::vector<Block>& k) {
                return b.fillPixel(v, k[0].at(), k[0].step, c.width, c.height);
            },
            "fill " + std::to_string(c.width) + "x" + std::to_string(c.height));
    }
}

using SseShimmed = ImageOpEntries<VectorRows<MmxLanes>>;
using Sse2Shimmed = ImageOpEntries<VectorRows<Sse2Lanes>>;

// Runs one SSE call with a log of its own and expects, for each whole 8-byte block of dst's rows
// from the row's first 8-byte boundary on, a prefetch of each source 64 bytes past the block's
// own bytes and, when `streamed`, the block's streaming store, and a fence after each such row.
template <class Call>
void ExpectSseRows(Call&& call, Block& dst, std::int32_t width, std::int32_t height, bool streamed,
                   const std::vector<Block*>& sources = {}) {
    shim::log.clear();
    call();
    std::vector<shim::Event> expected;
    for (std::int32_t r = 0; r < height; ++r) {
        const auto row = reinterpret_cast<std::uintptr_t>(dst.at() + r * dst.step);
        for (std::uintptr_t a = (row + 7) / 8 * 8; a + 8 <= row + width * 4u; a += 8) {
            for (Block* s : sources) {
                expected.emplace_back('P', reinterpret_cast<std::uintptr_t>(s->at() + r * s->step) + (a - row) + 64);
            }
            if (streamed) expected.emplace_back('S', a);
        }
        if (streamed) expected.emplace_back('F', 0);
    }
    EXPECT_EQ(shim::log, expected);
}

// The SSE build's composites prefetch both sources; the per-pixel and constant-alpha ones
// stream and fence each row, the constant-colour one stores. The SSE2 build's do neither.
TEST(BuildDifferentialTest, SseCompositesPrefetchTheirSourcesAndStreamSlotsFiveAndSix) {
    std::mt19937 rng(5);
    constexpr std::int32_t w = 39, h = 3;
    // Rows 164 bytes apart, so they start on and off an 8-byte boundary; source 1 opaque in row
    // 0 and clear in row 1, for the shortcuts of the premultiplied over.
    Block s1 = MakeBlock(rng, w, h, 3, 8), s2 = MakeBlock(rng, w, h, 6, 8), d = MakeBlock(rng, w, h, 4, 8);
    for (std::int32_t x = 3; x < w * 4; x += 4) s1.at()[x] = 255;
    std::fill_n(s1.at() + s1.step, w * 4, 0);
    for (const CompositeOp op : {CompositeOp::Over, CompositeOp::OverPremul}) {
        ExpectSseRows([&] { SseShimmed::AlphaComposite(s1.at(), s1.step, s2.at(), s2.step, d.at(), d.step, w, h, op); },
                      d, w, h, true, {&s1, &s2});
    }
    ExpectSseRows([&] { SseShimmed::AlphaCompositeConst<false>(s1.at(), s1.step, 70, s2.at(), s2.step, 200, d.at(),
                                                               d.step, w, h, CompositeOp::Over); },
                  d, w, h, true, {&s1, &s2});
    ExpectSseRows([&] { SseShimmed::AlphaCompositeConst<true>(s1.at(), s1.step, 70, s2.at(), s2.step, 200, d.at(),
                                                              d.step, w, h, CompositeOp::Over); },
                  d, w, h, false, {&s1, &s2});
    shim::log.clear();
    Sse2Shimmed::AlphaComposite(s1.at(), s1.step, s2.at(), s2.step, d.at(), d.step, w, h, CompositeOp::Over);
    EXPECT_TRUE(shim::log.empty());
}

// The SSE2 fill streams only a fill of more than 262144 pixel bytes (padding not counted), then
// fences; the SSE fill streams every fill, fencing each row.
TEST(BuildDifferentialTest, FillsStreamPastTheirSwitchAndTheSseFillAlways) {
    std::mt19937 rng(9);
    const std::uint8_t v[4] = {0x11, 0x22, 0x33, 0x44};
    Block exact = MakeBlock(rng, 256, 256, 0, 4), more = MakeBlock(rng, 65537, 1, 0, 0);
    shim::log.clear();
    Sse2Shimmed::FillPixel(v, exact.at(), exact.step, 256, 256);
    EXPECT_TRUE(shim::log.empty());
    Sse2Shimmed::FillPixel(v, more.at(), more.step, 65537, 1);
    EXPECT_TRUE(!shim::log.empty() && shim::log.front().first == 'S' && shim::log.back().first == 'F');
    Block small = MakeBlock(rng, 5, 3, 4, 8);
    ExpectSseRows([&] { SseShimmed::FillPixel(v, small.at(), small.step, 5, 3); }, small, 5, 3, true);
}

}  // namespace
