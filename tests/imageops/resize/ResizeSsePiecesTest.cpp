#include "imageops/resize/AccumulateRows.h"
#include "imageops/resize/AccumulateRowsSse.h"
#include "imageops/resize/BlockFillCopySse.h"
#include "imageops/resize/BlockFillCopySse2.h"
#include "imageops/resize/BlockFillCopySse3.h"
#include "imageops/resize/CubicQuadsSse.h"
#include "imageops/resize/LanczosWeights.h"
#include "imageops/resize/LanczosWeightsSse.h"
#include "tests/imageops/resize/SimdBuilds.h"

#include <emmintrin.h>
#include <gtest/gtest.h>
#include <pmmintrin.h>
#include <sys/mman.h>
#include <xmmintrin.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// The SSE builds' block operations, and the SSE build's weights, row adders and four-wide cubic
// pieces, each against its plain twin or the rule it must keep.

// The block kernels once more, with their non-temporal stores, prefetches, fences and the SSE
// build's unaligned 16-byte stores written into a log, for the store kinds the bytes cannot
// show; the SSE3 load is taken as an ordinary one, so that this file needs no SSE3 flags.
namespace shim {

// 'S' a non-temporal store, 'F' a store fence, 'P' a non-temporal prefetch ('p' another kind),
// 'U' an unaligned 16-byte store; and where each prefetch went.
std::string log;
std::vector<std::uintptr_t> prefetchedAt;

template <typename V>
void Stream(V* p, V v) {
    log += 'S';
    std::memcpy(p, &v, sizeof v);
}
void Prefetch(const void* p, int hint) {
    log += hint == _MM_HINT_NTA ? 'P' : 'p';
    prefetchedAt.push_back(reinterpret_cast<std::uintptr_t>(p));
}
void StoreUnaligned(float* p, __m128 v) {
    log += 'U';
    _mm_storeu_ps(p, v);
}
void Fence() { log += 'F'; }
__m128i LoadDq(const __m128i* p) { return _mm_loadu_si128(p); }

}  // namespace shim

#undef _mm_prefetch
#define _mm_stream_si128(p, v) shim::Stream(p, v)
#define _mm_stream_pi(p, v) shim::Stream(p, v)
#define _mm_prefetch(p, hint) shim::Prefetch(p, hint)
#define _mm_storeu_ps(p, v) shim::StoreUnaligned(p, v)
#define _mm_sfence() shim::Fence()
#define _mm_lddqu_si128(p) shim::LoadDq(p)
#include "imageops/resize/BlockFillCopySimd.h"
#include "imageops/resize/BlockFillCopySseKernels.h"
#include "imageops/resize/IsaSse2.h"
#include "imageops/resize/IsaSse3.h"
#undef _mm_stream_si128
#undef _mm_stream_pi
#undef _mm_prefetch
#undef _mm_storeu_ps
#undef _mm_sfence
#undef _mm_lddqu_si128

namespace {

std::vector<unsigned char> RandomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes) {
        b = static_cast<unsigned char>(random());
    }
    return bytes;
}

// Counts around every path switch: the 8-byte alignment and 64-byte blocks, and the cached,
// streamed and paged copies at 2048 and 4096 elements and the 20480-byte page threshold.
const std::int64_t kCounts[] = {1, 2, 3, 4, 15, 16, 17, 63, 64, 65, 1023, 2047, 2048, 2049,
                                4095, 4096, 5121, 9000};

TEST(ResizeSseBlocks, CopyIntsSseCopiesExactlyTheBlockAtEveryAlignment) {
    for (const std::int64_t count : kCounts) {
        const std::size_t bytes = static_cast<std::size_t>(count) * 4;
        const auto source = RandomBytes(bytes + 64, static_cast<std::uint32_t>(count));
        for (int srcShift = 0; srcShift < 16; srcShift += (count > 2000 ? 5 : 1)) {
            for (int dstShift = 0; dstShift < 16; dstShift += (count > 2000 ? 3 : 1)) {
                std::vector<unsigned char> target(bytes + 64, 0x5A);
                ASSERT_EQ(CopyIntsSse(source.data() + srcShift, target.data() + 16 + dstShift, count),
                          ImageOpStatus::Ok);
                for (std::size_t i = 0; i < target.size(); ++i) {
                    const std::size_t start = 16 + static_cast<std::size_t>(dstShift);
                    const bool inside = i >= start && i < start + bytes;
                    const unsigned char expected = inside ? source[srcShift + (i - start)] : 0x5A;
                    ASSERT_EQ(target[i], expected)
                        << "count " << count << " shifts " << srcShift << "/" << dstShift
                        << " byte " << i;
                }
            }
        }
    }
}

TEST(ResizeSseBlocks, ZeroBytesSseClearsExactlyTheBlockOnBothSidesOfTheStreamingSize) {
    const std::int64_t sizes[] = {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 32, 33, 63, 64, 65,
                                  127, 20479, 20480, 20481, 40003};
    for (const std::int64_t size : sizes) {
        for (int shift = 0; shift < 16; ++shift) {
            std::vector<unsigned char> block(static_cast<std::size_t>(size) + 48, 0xC3);
            ASSERT_EQ(ZeroBytesSse(block.data() + 16 + shift, size), ImageOpStatus::Ok);
            for (std::size_t i = 0; i < block.size(); ++i) {
                const bool inside = i >= 16u + shift && i < 16u + shift + static_cast<std::size_t>(size);
                ASSERT_EQ(block[i], inside ? 0 : 0xC3) << "size " << size << " shift " << shift;
            }
        }
    }
}

// Where the n-byte block at dst first differs from `expected` (zeros when null), or one of the
// kGuard bytes on either side from kMark, as an offset from dst; n + kGuard when nowhere.
constexpr std::ptrdiff_t kGuard = 64;
constexpr unsigned char kMark = 0xC3;

std::ptrdiff_t FirstWrongByte(const unsigned char* dst, std::ptrdiff_t n,
                              const unsigned char* expected) {
    for (std::ptrdiff_t i = -kGuard; i < n + kGuard; ++i) {
        const bool inside = i >= 0 && i < n;
        if (dst[i] != (!inside ? kMark : expected != nullptr ? expected[i] : 0)) {
            return i;
        }
    }
    return n + kGuard;
}

// Blocks of kCounts bytes and elements, and of elements that stream as 256 KiB chunks and a
// tail, cleared, then copied from sources 36 bytes apart up to 504 bytes below the block modulo
// 64 KiB: 8-byte aligned or not, at and off the distances where SSE2 stays cached or skips the
// touch pass.
TEST(ResizeSseBlocks, Sse2AndSse3BlocksAreExactOnEveryPathAtEveryAlignment) {
    std::vector<std::int64_t> counts(std::begin(kCounts), std::end(kCounts));
    counts.insert(counts.end(), {65541, 131077});
    constexpr std::ptrdiff_t kApart = 9 * 65536;
    auto arena = RandomBytes(2 * kApart, 11);
    unsigned char* const region = arena.data() + kGuard + 64 - reinterpret_cast<std::uintptr_t>(arena.data()) % 64;
    for (const auto& [build, zero, copy] : {std::tuple{kSse2Build, &ZeroBytesSse2, &CopyIntsSse2},
                                            std::tuple{kSse3Build, &ZeroBytesSse3, &CopyIntsSse3}}) {
        for (int shift = 0; shift < 16 && build.supported; ++shift) {
            unsigned char* const dst = region + shift;
            for (const std::int64_t count : counts) {
                const std::ptrdiff_t bytes = count * 4;
                for (const std::ptrdiff_t n : {count, bytes}) {
                    std::memset(dst - kGuard, kMark, n + 2 * kGuard);
                    EXPECT_EQ(zero(dst, n), ImageOpStatus::Ok);
                    ASSERT_EQ(FirstWrongByte(dst, n, nullptr), n + kGuard)
                        << build.name << " clearing " << n << " bytes at shift " << shift;
                }
                for (std::ptrdiff_t distance = kApart; distance > kApart - 512; distance -= 36) {
                    EXPECT_EQ(copy(dst + distance, dst, count), ImageOpStatus::Ok);
                    ASSERT_EQ(FirstWrongByte(dst, bytes, dst + distance), bytes + kGuard)
                        << build.name << " copying " << count << " at shift " << shift << " from " << distance;
                }
            }
        }
    }
}

TEST(ResizeSseBlocks, RefusalsWriteNothingAndNullComesFirst) {
    unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const unsigned char before[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(ZeroBytesSse(nullptr, 0), ImageOpStatus::NullPointer);
    EXPECT_EQ(ZeroBytesSse(block, 0), ImageOpStatus::BadSize);
    EXPECT_EQ(ZeroBytesSse(block, -5), ImageOpStatus::BadSize);
    EXPECT_EQ(CopyIntsSse(nullptr, block, 0), ImageOpStatus::NullPointer);
    EXPECT_EQ(CopyIntsSse(before, nullptr, 1), ImageOpStatus::NullPointer);
    EXPECT_EQ(CopyIntsSse(before, block, 0), ImageOpStatus::BadSize);
    for (const auto zero : {ZeroBytesSse2, ZeroBytesSse3}) {
        EXPECT_EQ(zero(nullptr, 0), ImageOpStatus::NullPointer);
        EXPECT_EQ(zero(block, 0), ImageOpStatus::BadSize);
    }
    for (const auto copy : {CopyIntsSse2, CopyIntsSse3}) {
        EXPECT_EQ(copy(before, nullptr, 0), ImageOpStatus::NullPointer);
        EXPECT_EQ(copy(before, block, -1), ImageOpStatus::BadSize);
        EXPECT_EQ(copy(before, block, PTRDIFF_MAX / 4 + 1), ImageOpStatus::BadSize);
    }
    EXPECT_EQ(std::memcmp(block, before, sizeof block), 0);
}

// 4 MiB of zeros in whole pages, so that a page can be made unreadable: destinations from the
// start, sources from kSources on, which the kernels only read.
constexpr std::ptrdiff_t kPage = 4096;
constexpr std::ptrdiff_t kSources = 2 << 20;
unsigned char* Arena() {
    static void* const arena = mmap(nullptr, 2 * kSources, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return static_cast<unsigned char*>(arena);
}

// The log of what run stores, fences and prefetches.
template <typename Run>
std::string LogOf(Run&& run) {
    shim::log.clear();
    shim::prefetchedAt.clear();
    run();
    return shim::log;
}

sigjmp_buf gFault;

// Whether run, logged, faults with the page at `page` unreadable.
template <typename Run>
bool FaultsWithUnreadable(unsigned char* page, Run&& run) {
    struct sigaction onFault {}, previous {};
    onFault.sa_handler = [](int) { siglongjmp(gFault, 1); };
    sigemptyset(&onFault.sa_mask);
    sigaction(SIGSEGV, &onFault, &previous);
    EXPECT_EQ(mprotect(page, kPage, PROT_NONE), 0);
    const bool faulted = sigsetjmp(gFault, 1) != 0;
    if (!faulted) {
        LogOf(run);
    }
    EXPECT_EQ(mprotect(page, kPage, PROT_READ | PROT_WRITE), 0);
    sigaction(SIGSEGV, &previous, nullptr);
    _mm_empty();
    return faulted;
}

// Non-temporal stores, then one fence, from just past each switch point on: clearing more than
// 512 KiB after the first 16 bytes, copying more than 256 KiB (SSE2) or 512 KiB and more (SSE3).
// The SSE2 copy stays cached, or streams untouched, in the bands of source distances below the
// destination modulo 64 KiB; every other streamed copy touches each chunk before copying it.
TEST(ResizeSseBlocks, Sse2AndSse3StreamFromTheirSwitchPointsAndTouchWhatTheyStream) {
    unsigned char* const dst = Arena();
    unsigned char* const sources = dst + kSources;
    const auto streamedThenFenced = [](const std::string& log) {
        return log.size() > 1 && log.find_first_not_of('S') == log.size() - 1 && log.back() == 'F';
    };
    EXPECT_EQ(LogOf([&] { CheckedZero(dst, 16 + 0x80000); }), "");
    EXPECT_TRUE(streamedThenFenced(LogOf([&] { CheckedZero(dst, 16 + 0x80000 + 16); })));
    EXPECT_EQ(LogOf([&] { CheckedCopyInts<IsaSse2>(sources, dst, 0x40000 / 4); }), "");
    EXPECT_TRUE(streamedThenFenced(LogOf([&] { CheckedCopyInts<IsaSse2>(sources, dst, (0x40000 + 16) / 4); })));
    EXPECT_EQ(LogOf([&] { CheckedCopyInts<IsaSse3>(sources, dst, (0x80000 - 16) / 4); }), "");
    EXPECT_TRUE(streamedThenFenced(LogOf([&] { CheckedCopyInts<IsaSse3>(sources, dst, 0x80000 / 4); })));

    // With a page 8 KiB into the source unreadable, a copy that touches the chunk first faults
    // before it writes anything; the log tells a cached copy from an untouched stream.
    const auto route = [&](auto copy, std::ptrdiff_t distance, std::int64_t bytes) {
        const auto page = (reinterpret_cast<std::uintptr_t>(sources + distance) + 8192) / kPage * kPage;
        std::memset(dst, 0xFF, 64);
        EXPECT_TRUE(FaultsWithUnreadable(reinterpret_cast<unsigned char*>(page),
                                         [&] { copy(sources + distance, dst, bytes / 4); }));
        if (dst[0] == 0xFF) {
            return CopyRoute::Streamed;
        }
        return shim::log.empty() ? CopyRoute::Cached : CopyRoute::StreamedUntouched;
    };
    // Each band's edges, for sources on and off an 8-byte boundary; a source 4 bytes off one
    // takes the latter's bands.
    using enum CopyRoute;
    const std::pair<std::ptrdiff_t, CopyRoute> bands[] = {
        {0xFE48, Streamed}, {0xFE50, StreamedUntouched}, {0xFEA8, StreamedUntouched},
        {0xFEB0, Cached},   {0xFF38, Cached},            {0xFF40, Streamed},
        {0xFE8B, Streamed}, {0xFE8C, StreamedUntouched}, {0xFEFB, StreamedUntouched},
        {0xFEFC, Cached},   {0xFFEE, Cached},            {0xFFEF, Streamed},
        {0xFE54, Streamed}};
    for (const auto& [distance, expected] : bands) {
        EXPECT_EQ(route(CheckedCopyInts<IsaSse2>, distance, 0x40000 + 16), expected) << "distance " << distance;
    }
    EXPECT_EQ(route(CheckedCopyInts<IsaSse3>, 0xFEB0, 0x80000), Streamed);
}

// The SSE clear streams from 20480 bytes on; the copy stays cached below 2048 elements, streams
// below 4096, and from there goes page by page (in one stream below 20480 bytes) from the
// source's next page, each whole page read at both ends, then prefetched, then streamed.
TEST(ResizeSseBlocks, SseStreamsAndPagesFromItsSwitchPointsAndReadsEachPageBeforePrefetching) {
    unsigned char* const dst = Arena();
    unsigned char* const sources = dst + kSources;
    const auto copy = [](const unsigned char* from, unsigned char* to, std::int64_t count) {
        return [=] { sse_blocks::CheckedCopyInts(from, to, count); };
    };
    // Every 32nd byte of the whole pages from `first` to `end`, in order.
    const auto pages = [](const unsigned char* first, const unsigned char* end) {
        std::vector<std::uintptr_t> at;
        for (std::ptrdiff_t i = 0; i < (end - first) / kPage * kPage; i += 32) {
            at.push_back(reinterpret_cast<std::uintptr_t>(first + i));
        }
        return at;
    };

    // From dst + 3, 5 bytes go before the 8-byte stores, down to the cascade's last 8 bytes.
    EXPECT_EQ(LogOf([&] { sse_blocks::CheckedZero(dst + 3, 20479); }), "");
    EXPECT_EQ(LogOf([&] { sse_blocks::CheckedZero(dst + 3, 20480); }), std::string((20480 - 5) / 8, 'S') + 'F');

    // From dst + 12 and sources + 4, one 16-byte copy (the paged copy: 4 bytes) takes both to an
    // aligned destination and an 8-byte aligned source; the 64-byte blocks from there stream.
    const auto blocksOf = [](std::int64_t bytes) { return std::string(bytes / 64 * 8, 'S') + 'F'; };
    EXPECT_EQ(LogOf(copy(sources + 4, dst + 12, 2047)), "U");
    EXPECT_EQ(LogOf(copy(sources + 4, dst + 12, 2048)), "U" + blocksOf(4 * 2048 - 4));
    EXPECT_EQ(LogOf(copy(sources + 4, dst + 12, 4095)), "U" + blocksOf(4 * 4095 - 4));
    EXPECT_EQ(LogOf(copy(sources + 4, dst + 12, 4096)), blocksOf(4 * 4096 - 4));

    // Page-aligned blocks, then a source 1003 bytes into its page, whose low three address bits
    // the pages keep.
    const std::string page = std::string(kPage / 32, 'P') + std::string(kPage / 8, 'S') + 'F';
    EXPECT_EQ(LogOf(copy(sources, dst, 20476 / 4)), blocksOf(20476));
    EXPECT_EQ(LogOf(copy(sources, dst, 20480 / 4)), page + page + page + page + page);
    EXPECT_EQ(shim::prefetchedAt, pages(sources, sources + 20480));
    LogOf(copy(sources + 1003, dst, 6 * kPage / 4));
    EXPECT_EQ(shim::prefetchedAt, pages(sources + kPage + 1003 % 8, sources + 1003 + 6 * kPage));

    // A piece reaching into an unreadable page faults on its first or last byte before it
    // prefetches anything; the pieces before it were prefetched whole.
    for (unsigned char* const unreadable : {sources, sources + 3 * kPage}) {
        EXPECT_TRUE(FaultsWithUnreadable(unreadable, copy(sources + 4, dst, 6 * kPage / 4)));
        EXPECT_EQ(shim::prefetchedAt, pages(sources + 4, std::max(unreadable, sources + 4)))
            << "unreadable page at " << unreadable - sources;
    }
}

TEST(ResizeSseWeights, WholeFractionsReadTheTableAndHalfFractionsAreSymmetric) {
    const float* table = LanczosTable();
    const float fractions[] = {0.0f, 0.5f};
    float weights[12];
    LanczosWeightsSse(fractions, 2, weights);
    EXPECT_EQ(weights[0], table[200]);
    EXPECT_EQ(weights[1], table[100]);
    EXPECT_EQ(weights[2], table[0]);
    EXPECT_EQ(weights[3], table[100]);
    EXPECT_EQ(weights[4], table[200]);
    EXPECT_EQ(weights[5], 0.0f);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(weights[6 + k], weights[11 - k]) << k;
        EXPECT_NE(weights[6 + k], 0.0f) << k;
    }
}

TEST(ResizeSseWeights, SingleAndDoublePrecisionAgreeToTheLastBits) {
    std::mt19937 random(5);
    std::vector<float> fractions{-1e-7f, 0.999999f, 0.25f, 0.75f, 0.01f};
    for (int i = 0; i < 500; ++i) {
        fractions.push_back(static_cast<float>(random() % 100000) / 100000.0f);
    }
    const auto n = static_cast<std::int32_t>(fractions.size());
    std::vector<float> plain(6 * fractions.size());
    std::vector<float> sse(6 * fractions.size() + 6, 7.0f);
    LanczosWeights(fractions.data(), n, plain.data());
    LanczosWeightsSse(fractions.data(), n, sse.data());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_NEAR(sse[i], plain[i], 2e-6) << "weight " << i;
    }
    // The bias can put a tap just past 3: its weight is 0.
    EXPECT_EQ(sse[5], 0.0f);
    for (std::size_t i = plain.size(); i < sse.size(); ++i) {
        EXPECT_EQ(sse[i], 7.0f);
    }
    LanczosWeightsSse(fractions.data(), 0, sse.data() + plain.size());
    EXPECT_EQ(sse.back(), 7.0f);
}

// Source rows and sums at every alignment, the widths around each vector loop's minimum, and
// sums that overlap the source, against the plain adders.
template <typename T, typename Sum, typename Plain, typename Sse>
void CompareAdder(int perPixel, Plain plain, Sse sse) {
    std::mt19937 random(99);
    for (int width = 1; width <= 21; ++width) {
        for (int shift = 0; shift < 4; ++shift) {
            const int rows = 3;
            const int step = static_cast<int>(sizeof(T)) * (width * perPixel + 3);
            std::vector<unsigned char> image(static_cast<std::size_t>(step) * rows + 16);
            for (auto& b : image) {
                b = static_cast<unsigned char>(random() % 64);
            }
            const auto* src = reinterpret_cast<const T*>(image.data() + shift * sizeof(T) % 8);
            std::vector<Sum> expected(static_cast<std::size_t>(width) * perPixel + 8);
            for (std::size_t i = 0; i < expected.size(); ++i) {
                expected[i] = static_cast<Sum>(i * 3 + 0.5);
            }
            std::vector<Sum> actual(expected.size() + 4);
            std::copy(expected.begin(), expected.end(), actual.begin() + shift);
            plain(src, step, width, rows, expected.data());
            sse(src, step, width, rows, actual.data() + shift);
            for (std::size_t i = 0; i < expected.size(); ++i) {
                ASSERT_EQ(expected[i], actual[i + shift]) << "width " << width << " shift " << shift;
            }
        }
    }
    // Sums laid over the source row itself: both go element by element, in index order.
    if constexpr (sizeof(T) == sizeof(Sum)) {
        std::vector<Sum> a(64);
        for (std::size_t i = 0; i < a.size(); ++i) {
            a[i] = static_cast<Sum>(i % 7);
        }
        std::vector<Sum> b = a;
        plain(reinterpret_cast<const T*>(a.data() + 2), 4, 20 / perPixel, 2, a.data());
        sse(reinterpret_cast<const T*>(b.data() + 2), 4, 20 / perPixel, 2, b.data());
        EXPECT_EQ(a, b);
    }
}

TEST(ResizeSseAdders, EveryAdderGivesItsPlainTwinsSums) {
    CompareAdder<std::uint8_t, std::uint32_t>(1, AccumulateRows8u1, AccumulateRows8u1Sse);
    CompareAdder<std::uint8_t, std::uint32_t>(4, AccumulateRows8u4, AccumulateRows8u4Sse);
    CompareAdder<std::uint16_t, std::uint32_t>(1, AccumulateRows16u1, AccumulateRows16u1Sse);
    CompareAdder<std::uint16_t, std::uint32_t>(4, AccumulateRows16u4, AccumulateRows16u4Sse);
    CompareAdder<float, float>(1, AccumulateRows32f1, AccumulateRows32f1Sse);
    CompareAdder<float, float>(4, AccumulateRows32f4, AccumulateRows32f4Sse);
    const auto plain3 = [](const float* s, std::int32_t st, std::int32_t w, std::int32_t r,
                           float* sums) { AccumulateRows32f3(s, st, w, r, sums, 4); };
    const auto sse3 = [](const float* s, std::int32_t st, std::int32_t w, std::int32_t r,
                         float* sums) { AccumulateRows32f3Sse(s, st, w, r, sums, 4); };
    CompareAdder<float, float>(4, plain3, sse3);
}

TEST(ResizeSseAdders, IntegerSumsWrapAndEmptyRequestsAddNothing) {
    const std::uint16_t row[12] = {65535, 65535, 65535, 65535, 65535, 65535,
                                   65535, 65535, 65535, 65535, 65535, 65535};
    std::vector<std::uint32_t> sums(12, 0xFFFFFFFFu);
    AccumulateRows16u1Sse(row, 0, 12, 1, sums.data());
    for (const std::uint32_t s : sums) {
        EXPECT_EQ(s, 65534u);
    }
    AccumulateRows16u1Sse(row, 0, 12, 0, sums.data());
    AccumulateRows16u4Sse(row, 0, 0, 3, sums.data());
    for (const std::uint32_t s : sums) {
        EXPECT_EQ(s, 65534u);
    }
}

alignas(16) const float kRow0[8] = {0, 0, 0, 0, 10, 0, 0, 255};
alignas(16) const float kRow1[8] = {0, 0, 255, 255, 20, 0, 255, 255};
alignas(16) const float kRow2[8] = {255, 255, 255, 255, 30, 255, 255, 255};
alignas(16) const float kRow3[8] = {255, 255, 0, 255, 40, 255, 0, 0};

TEST(ResizeSseCubicPieces, ColumnPiecesRoundToNearestAndSaturate) {
    std::uint8_t out[8] = {};
    CubicColumnQuads8u(out, 8, 0.5f, kRow0, kRow1, kRow2, kRow3);
    // 0, 0, 255, 255 at 0.5 is 127.5: the piece rounds up where the plain build truncates.
    EXPECT_EQ(out[0], 128);
    EXPECT_EQ(out[1], 128);
    // Overshoot above 255 and below 0 saturates.
    EXPECT_EQ(out[2], 255);
    EXPECT_EQ(out[3], 255);
    EXPECT_EQ(out[4], 25);
    EXPECT_EQ(out[5], 128);
    EXPECT_EQ(out[7], 255);
    std::uint8_t low[4] = {9, 9, 9, 9};
    alignas(16) const float down[4] = {0, 0, 0, 255};
    alignas(16) const float zeros[4] = {0, 0, 0, 0};
    CubicColumnQuads8u(low, 4, 0.5f, zeros, zeros, zeros, down);
    EXPECT_EQ(low[3], 0);
    EXPECT_EQ(low[0], 0);
    std::uint16_t wide[4] = {};
    alignas(16) const float big[4] = {65535, 65535, 65535, 65535};
    alignas(16) const float rise[4] = {0, 65535, 65535, 100};
    CubicColumnQuads16u(wide, 4, 0.5f, zeros, rise, big, big);
    EXPECT_EQ(wide[1], 65535);
    EXPECT_EQ(wide[0], 32768);
}

TEST(ResizeSseCubicPieces, ThreeOfFourPiecesSkipTheFourthSample) {
    std::uint8_t out[12];
    std::memset(out, 0xEE, sizeof out);
    alignas(16) const float rows[4][4] = {{7, 8, 9, 10}, {7, 8, 9, 10}, {7, 8, 9, 10}, {7, 8, 9, 10}};
    CubicColumnQuads8u3of4(out, 4, 0.0f, rows[0], rows[1], rows[2], rows[3]);
    const std::uint8_t expected[12] = {7, 8, 9, 0xEE, 10, 0xEE, 0xEE, 0xEE,
                                       0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(std::memcmp(out, expected, sizeof out), 0);
}

TEST(ResizeSseCubicPieces, RowPiecesReproduceTheSampleAtWholePositions) {
    const std::uint8_t row[16] = {3, 200, 17, 90, 250, 1, 66, 128, 9, 33, 77, 5, 140, 2, 2, 2};
    const std::int32_t offsets[4] = {1, 3, 6, 10};
    alignas(16) const float atZero[4] = {0, 0, 0, 0};
    alignas(16) const float atOne[4] = {1, 1, 1, 1};
    alignas(16) const float atTwo[4] = {2, 2, 2, 2};
    alignas(16) float out[4];
    CubicRowQuads8u1(row, 4, offsets, atZero, out);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(out[i], row[offsets[i]]) << i;
    }
    CubicRowQuads8u1(row, 4, offsets, atOne, out);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(out[i], row[offsets[i] + 1], 1e-3) << i;
    }
    CubicRowQuads8u1(row, 4, offsets, atTwo, out);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(out[i], row[offsets[i] + 2], 1e-3) << i;
    }
    // Four channels: each channel's taps lie four samples apart.
    std::uint8_t pixels[4 * 8];
    for (int i = 0; i < 32; ++i) {
        pixels[i] = static_cast<std::uint8_t>(i * 7 % 251);
    }
    const std::int32_t pixelOffsets[4] = {4, 8, 12, 16};
    alignas(16) float packed[16];
    CubicRowQuads8u4(pixels, 4, pixelOffsets, atZero, packed);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(packed[i], pixels[4 + i]) << i;
    }
}

}  // namespace
