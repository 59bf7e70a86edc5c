#pragma once

#include "imageops/ScalarKernels.h"

#include <algorithm>
#include <bit>
#include <cstdint>

// Row kernels of the SIMD builds over the lanes L (MmxLanes or Sse2Lanes). Every product is the
// plain build's M, computed on 16-bit words: even bytes masked, odd bytes shifted down, each
// multiplied and divided by 255 exactly, and the result shifted back into its byte. The pixels a
// whole block does not cover go through the plain build's kernels, so tails cannot differ.
namespace {

template <class L>
struct VectorRows {
    using V = typename L::V;
    using Byte = std::uint8_t;
    static constexpr Count kBlockBytes = L::kBytes;
    static constexpr Count kBlockPixels = L::kBytes / 4;
    // How far ahead of the block in hand a streaming composite prefetches its sources.
    static constexpr Count kPrefetchAhead = 64;

    // Word multipliers for the even and the odd bytes of a block.
    struct Factor {
        V even;
        V odd;
    };

    static V ColourMask() { return L::Dwords(0x00FFFFFFu); }
    static V AlphaMask() { return L::Dwords(0xFF000000u); }

    static Factor SameFactor(V words) { return {words, words}; }
    static Factor ByteFactor(V bytes) { return {L::And(bytes, L::Words(0x00FF)), L::template Srl16<8>(bytes)}; }
    static Factor PixelFactor(std::uint32_t pixel) { return ByteFactor(L::Dwords(pixel)); }
    static Factor ConstFactor(std::uint32_t value) { return SameFactor(L::Words(static_cast<std::uint16_t>(value))); }

    // Byte 3 of each pixel in both words of the pixel.
    static V AlphaWords(V pixels) {
        const V a = L::template Srl32<24>(pixels);
        return L::Or(a, L::template Sll32<16>(a));
    }

    // M(x, m) for every byte. For every product t of two bytes, floor(t / 255) equals
    // (t * 0x8081) >> 23, so the high half of t * 0x8081 is the result shifted left by 7.
    static V Mul(V x, const Factor& m) {
        const V magic = L::Words(0x8081);
        const V even = L::MulHiU16(L::Mul16(L::And(x, L::Words(0x00FF)), m.even), magic);
        const V odd = L::MulHiU16(L::Mul16(L::template Srl16<8>(x), m.odd), magic);
        return L::Or(L::template Srl16<7>(even), L::And(L::template Sll16<1>(odd), L::Words(0xFF00)));
    }

    static std::uint32_t Pack(const Byte* value, int channels) {
        std::uint32_t pixel = 0;
        for (int k = 0; k < channels; ++k) pixel |= std::uint32_t{value[k]} << (8 * k);
        return pixel;
    }

    // Runs block(offset) over whole blocks of blockBytes and returns the offset reached.
    template <class Block>
    static Count Blocks(Count bytes, Block&& block) {
        Count i = 0;
        for (; i + kBlockBytes <= bytes; i += kBlockBytes) block(i);
        return i;
    }

    // As Blocks, four blocks a turn, for the kernels so light that the loop's own work shows.
    template <class Block>
    static Count FourBlocks(Count bytes, Block&& block) {
        Count i = 0;
        for (; i + 4 * kBlockBytes <= bytes; i += 4 * kBlockBytes) {
            block(i);
            block(i + kBlockBytes);
            block(i + 2 * kBlockBytes);
            block(i + 3 * kBlockBytes);
        }
        for (; i + kBlockBytes <= bytes; i += kBlockBytes) block(i);
        return i;
    }

    static void Premultiply(const Byte* src, Byte* dst, Count count) {
        const Count done = Blocks(count * 4, [&](Count i) {
            const V p = L::Load(src + i);
            const V a = L::template Srl32<24>(p);
            // (a, a, a, 255): alpha times 255 gives alpha back.
            const Factor f{L::Or(a, L::template Sll32<16>(a)), L::Or(a, L::Dwords(0x00FF0000u))};
            L::Store(dst + i, Mul(p, f));
        });
        PremultiplyPixels(src + done, dst + done, count - done / 4);
    }

    static void CopyColor(const Byte* src, Byte* dst, Count count) {
        const Count done = FourBlocks(count * 4, [&](Count i) {
            const V s = L::Load(src + i);
            const V d = L::Load(dst + i);
            L::Store(dst + i, L::Or(L::And(s, ColourMask()), L::And(d, AlphaMask())));
        });
        CopyColorPixels(src + done, dst + done, count - done / 4);
    }

    // Keyed pictures come in runs: a block all opaque is stored without reading the destination,
    // a block all clear is not touched, and only a mixed one takes the destination's own bytes
    // back where the source is clear.
    static void CopyOpaque(const Byte* src, Byte* dst, Count count) {
        const Count done = Blocks(count * 4, [&](Count i) {
            const V s = L::Load(src + i);
            const V clear = L::CmpEq32(L::And(s, AlphaMask()), L::Dwords(0));
            const int clearBytes = L::ByteMask(clear);
            if (clearBytes == 0) {
                L::Store(dst + i, L::Or(s, AlphaMask()));
            } else if (clearBytes != (1 << kBlockBytes) - 1) {
                L::Store(dst + i, L::Or(L::AndNot(clear, L::Or(s, AlphaMask())), L::And(clear, L::Load(dst + i))));
            }
        });
        CopyOpaquePixelRun(src + done, dst + done, count - done / 4);
    }

    static void MultiplyBytes(const Byte* src, Byte* dst, Count bytes, Byte value) {
        const Factor f = ConstFactor(value);
        const Count done = Blocks(bytes, [&](Count i) { L::Store(dst + i, Mul(L::Load(src + i), f)); });
        MultiplyByteRun(src + done, dst + done, bytes - done, value);
    }

    // Byte 3 multiplies by 0 and is then replaced by the destination's own byte 3.
    static void MultiplyColor(const Byte* src, Byte* dst, Count count, const Byte* value) {
        Count done = 0;
        if (src == dst) {
            // In place byte 3 is its own: multiplied by 255 it comes back as it was.
            const Factor f = PixelFactor(Pack(value, 3) | 0xFF000000u);
            done = FourBlocks(count * 4, [&](Count i) { L::Store(dst + i, Mul(L::Load(dst + i), f)); });
        } else {
            const Factor f = PixelFactor(Pack(value, 3));
            done = Blocks(count * 4, [&](Count i) {
                const V product = Mul(L::Load(src + i), f);
                L::Store(dst + i, L::Or(product, L::And(L::Load(dst + i), AlphaMask())));
            });
        }
        MultiplyPixels<3>(src + done, dst + done, count - done / 4, value);
    }

    static void MultiplyPixel(const Byte* src, Byte* dst, Count count, const Byte* value) {
        const Factor f = PixelFactor(Pack(value, 4));
        const Count done = Blocks(count * 4, [&](Count i) { L::Store(dst + i, Mul(L::Load(src + i), f)); });
        MultiplyPixels<4>(src + done, dst + done, count - done / 4, value);
    }

    // Rows shorter than a block go pixel by pixel, so nothing past the row is ever stored. Longer
    // rows get one block at a start off a block boundary, aligned blocks from the next boundary
    // on (the pattern turned to match), and one block ending exactly at the row end; every store
    // writes the pattern's own bytes, so overlaps cannot matter. Non-temporal stores keep a fill
    // from evicting what is drawn on it: the SSE build streams every aligned block, the others
    // the four-block groups of a fill too large to stay cached (streaming); a fence ends the row.
    static void FillPixel(Byte* dst, Count count, const Byte* value, bool streaming) {
        const Count bytes = count * 4;
        if (bytes < kBlockBytes) {
            FillPixels<4>(dst, count, value);
            return;
        }
        const std::uint32_t pixel = Pack(value, 4);
        const V straight = L::Dwords(pixel);
        const auto misalignment = static_cast<Count>(reinterpret_cast<std::uintptr_t>(dst) % kBlockBytes);
        Count i = 0;
        if (misalignment != 0) {
            L::Store(dst, straight);
            i = kBlockBytes - misalignment;
        }
        const V turned = L::Dwords(std::rotr(pixel, static_cast<int>(8 * (i % 4))));
        if constexpr (L::kStreamsEveryFill) {
            for (; i + kBlockBytes <= bytes; i += kBlockBytes) L::StoreStream(dst + i, turned);
        } else {
            const auto groups = [&](auto store) {
                for (; i + 4 * kBlockBytes <= bytes; i += 4 * kBlockBytes) {
                    store(dst + i, turned);
                    store(dst + i + kBlockBytes, turned);
                    store(dst + i + 2 * kBlockBytes, turned);
                    store(dst + i + 3 * kBlockBytes, turned);
                }
            };
            if (streaming) {
                groups([](Byte* p, V v) { L::StoreStream(p, v); });
            } else {
                groups([](Byte* p, V v) { L::Store(p, v); });
            }
            for (; i + kBlockBytes <= bytes; i += kBlockBytes) L::Store(dst + i, turned);
        }
        if (i < bytes) L::Store(dst + bytes - kBlockBytes, straight);
        if (L::kStreamsEveryFill || streaming) L::Fence();
    }

    static V ScaleWords(V s, std::int32_t scale) {
        if (scale > 0) {
            // Round to nearest, ties to even: (s + 2^(n-1) - 1 + ((s >> n) & 1)) >> n.
            const V bias = L::Words(static_cast<std::uint16_t>((1u << (scale - 1)) - 1));
            const V odd = L::And(L::Srl16By(s, scale), L::Words(1));
            return L::Srl16By(L::Add16(L::Add16(s, bias), odd), scale);
        }
        if (scale >= -7) {
            // Words above 255 saturate: adding 0xFF00 with unsigned saturation leaves 0xFFFF.
            const V shifted = L::Sll16By(s, -scale);
            return L::And(L::AddSatU16(shifted, L::Words(0xFF00)), L::Words(0x00FF));
        }
        return L::AndNot(L::CmpEq16(s, L::Words(0)), L::Words(0x00FF));
    }

    // Scales below 10 only; the entry clears the colour for the others.
    static void AddColorScaled(Byte* dst, Count count, const Byte* value, std::int32_t scale) {
        const V pattern = L::Dwords(Pack(value, 3));
        Count done = 0;
        if (scale == 0) {
            // Alpha gains 0 and so stays as it was.
            done = FourBlocks(count * 4, [&](Count i) { L::Store(dst + i, L::AddSatU8(L::Load(dst + i), pattern)); });
        } else {
            const V evenValue = L::And(pattern, L::Words(0x00FF));
            const V oddValue = L::template Srl16<8>(pattern);
            done = Blocks(count * 4, [&](Count i) {
                const V x = L::Load(dst + i);
                const V even = ScaleWords(L::Add16(L::And(x, L::Words(0x00FF)), evenValue), scale);
                const V odd = ScaleWords(L::Add16(L::template Srl16<8>(x), oddValue), scale);
                const V sum = L::Or(even, L::template Sll16<8>(odd));
                L::Store(dst + i, L::Or(L::And(sum, ColourMask()), L::And(x, AlphaMask())));
            });
        }
        AddColorScaledPixels(dst + done, count - done / 4, value, scale);
    }

    // The operator's formula on whole blocks. aa and ab are the factors "times alpha" (own
    // alphas for the plain operators come in ownA and ownB), na and nb "times 255 - alpha".
    template <PorterDuff Kind, bool Premultiplied>
    static V CompositeBlock(V a, V b, const Factor& ownA, const Factor& ownB, const Factor& ab, const Factor& na,
                            const Factor& nb) {
        if constexpr (Premultiplied) {
            switch (Kind) {
                case PorterDuff::Over: return L::AddSatU8(a, Mul(b, na));
                case PorterDuff::In: return Mul(a, ab);
                case PorterDuff::Out: return Mul(a, nb);
                case PorterDuff::Atop: return L::AddSatU8(Mul(a, ab), Mul(b, na));
                case PorterDuff::Xor: return L::AddSatU8(Mul(a, nb), Mul(b, na));
                case PorterDuff::Plus: break;
            }
            return L::AddSatU8(a, b);
        } else {
            // The sums of over, atop and xor cannot pass 255, so a saturating add is exact.
            const V pa = Mul(a, ownA);
            switch (Kind) {
                case PorterDuff::Over: return L::AddSatU8(pa, Mul(Mul(b, ownB), na));
                case PorterDuff::In: return Mul(pa, ab);
                case PorterDuff::Out: return Mul(pa, nb);
                case PorterDuff::Atop: return L::AddSatU8(Mul(pa, ab), Mul(Mul(b, ownB), na));
                case PorterDuff::Xor: return L::AddSatU8(Mul(pa, nb), Mul(Mul(b, ownB), na));
                case PorterDuff::Plus: break;
            }
            return L::AddSatU8(pa, Mul(b, ownB));
        }
    }

    // The units (pixels, or samples in the constant-alpha composite) before dst reaches a block
    // boundary, which a prefetching build's blocks start from; none for the other builds, or
    // when dst is off a unit boundary and whole units never reach one.
    static Count LeadUnits(const Byte* dst, Count units, Count unitBytes) {
        if constexpr (!L::kPrefetchesComposites) return 0;
        const auto address = static_cast<Count>(reinterpret_cast<std::uintptr_t>(dst) % kBlockBytes);
        if (address % unitBytes != 0) return 0;
        return std::min(units, (kBlockBytes - address) % kBlockBytes / unitBytes);
    }

    // One composited block from the sources at a and b. A prefetching build prefetches both
    // kPrefetchAhead bytes on; a streaming build stores a Streamed result past the cache, which
    // it leaves to the sources.
    template <bool Streamed>
    static void PutComposite(const Byte* a, const Byte* b, Byte* d, V r) {
        if constexpr (L::kPrefetchesComposites) {
            L::Prefetch(a + kPrefetchAhead);
            L::Prefetch(b + kPrefetchAhead);
        }
        if constexpr (L::kStreamsComposites && Streamed) {
            L::StoreStream(d, r);
        } else {
            L::Store(d, r);
        }
    }

    // A build that streams fences every row, so ordinary loads see it once the kernel returns.
    static void EndStreamedRow() {
        if constexpr (L::kStreamsComposites) L::Fence();
    }

    // Premultiplied over: src1 + src2 (255 - alpha1). Two blocks a step share the tests for a
    // source that is opaque (the result is the source) or clear (the result is source 2).
    static void OverPremultiplied(const Byte* src1, const Byte* src2, Byte* dst, Count count) {
        const Count bytes = count * 4;
        const auto over = [](V a, V b) { return L::AddSatU8(a, Mul(b, SameFactor(AlphaWords(L::Not(a))))); };
        Count i = 0;
        for (; i + 2 * kBlockBytes <= bytes; i += 2 * kBlockBytes) {
            const Count j = i + kBlockBytes;
            const V a0 = L::Load(src1 + i);
            const V a1 = L::Load(src1 + j);
            if (L::AllBytesFF(L::Or(L::And(a0, a1), ColourMask()))) {
                PutComposite<true>(src1 + i, src2 + i, dst + i, a0);
                PutComposite<true>(src1 + j, src2 + j, dst + j, a1);
                continue;
            }
            const V b0 = L::Load(src2 + i);
            const V b1 = L::Load(src2 + j);
            if (L::AllZero(L::Or(a0, a1))) {
                PutComposite<true>(src1 + i, src2 + i, dst + i, b0);
                PutComposite<true>(src1 + j, src2 + j, dst + j, b1);
                continue;
            }
            PutComposite<true>(src1 + i, src2 + i, dst + i, over(a0, b0));
            PutComposite<true>(src1 + j, src2 + j, dst + j, over(a1, b1));
        }
        if (i + kBlockBytes <= bytes) {
            PutComposite<true>(src1 + i, src2 + i, dst + i, over(L::Load(src1 + i), L::Load(src2 + i)));
            i += kBlockBytes;
        }
        CompositePixels<PorterDuff::Over, true>(src1 + i, src2 + i, dst + i, count - i / 4);
    }

    // Per-pixel alphas. The own-alpha factor of a plain operator is (alpha, alpha, alpha, 255),
    // which turns the colour formula into the alpha formula on byte 3 for every operator but
    // atop, whose alpha is taken from source 2.
    template <PorterDuff Kind, bool Premultiplied>
    static void Composite(const Byte* src1, const Byte* src2, Byte* dst, Count count) {
        const Count lead = LeadUnits(dst, count, 4);
        CompositePixels<Kind, Premultiplied>(src1, src2, dst, lead);
        CompositeBlocks<Kind, Premultiplied>(src1 + lead * 4, src2 + lead * 4, dst + lead * 4, count - lead);
        EndStreamedRow();
    }

    template <PorterDuff Kind, bool Premultiplied>
    static void CompositeBlocks(const Byte* src1, const Byte* src2, Byte* dst, Count count) {
        if constexpr (Kind == PorterDuff::Over && Premultiplied) {
            OverPremultiplied(src1, src2, dst, count);
        } else {
            const Count done = Blocks(count * 4, [&](Count i) {
                const V a = L::Load(src1 + i);
                const V b = L::Load(src2 + i);
                const V alphaA = L::template Srl32<24>(a);
                const V alphaB = L::template Srl32<24>(b);
                const V full = L::Dwords(0x00FF0000u);
                const Factor ownA{AlphaWords(a), L::Or(alphaA, full)};
                const Factor ownB{AlphaWords(b), L::Or(alphaB, full)};
                V r = CompositeBlock<Kind, Premultiplied>(a, b, ownA, ownB, SameFactor(AlphaWords(b)),
                                                          SameFactor(AlphaWords(L::Not(a))),
                                                          SameFactor(AlphaWords(L::Not(b))));
                if constexpr (Kind == PorterDuff::Atop) r = L::Or(L::And(r, ColourMask()), L::And(b, AlphaMask()));
                PutComposite<true>(src1 + i, src2 + i, dst + i, r);
            });
            CompositePixels<Kind, Premultiplied>(src1 + done, src2 + done, dst + done, count - done / 4);
        }
    }

    template <PorterDuff Kind, bool Premultiplied>
    static V CompositeConstBlock(V a, V b, Byte alphaA, Byte alphaB) {
        const Factor fa = ConstFactor(alphaA);
        const Factor fb = ConstFactor(alphaB);
        return CompositeBlock<Kind, Premultiplied>(a, b, fa, fb, fb, ConstFactor(255 - alphaA),
                                                   ConstFactor(255 - alphaB));
    }

    template <PorterDuff Kind, bool Premultiplied>
    static void CompositeConst(const Byte* src1, Byte alphaA, const Byte* src2, Byte alphaB, Byte* dst,
                               Count samples) {
        const Count lead = LeadUnits(dst, samples, 1);
        CompositeConstSamples<Kind, Premultiplied>(src1, alphaA, src2, alphaB, dst, lead);
        src1 += lead;
        src2 += lead;
        dst += lead;
        const Count done = Blocks(samples - lead, [&](Count i) {
            PutComposite<true>(src1 + i, src2 + i, dst + i,
                               CompositeConstBlock<Kind, Premultiplied>(L::Load(src1 + i), L::Load(src2 + i),
                                                                        alphaA, alphaB));
        });
        CompositeConstSamples<Kind, Premultiplied>(src1 + done, alphaA, src2 + done, alphaB, dst + done,
                                                   samples - lead - done);
        EndStreamedRow();
    }

    // As CompositeConst, with the destination's byte 3 merged back under the alpha mask.
    template <PorterDuff Kind, bool Premultiplied>
    static void CompositeConstColor(const Byte* src1, Byte alphaA, const Byte* src2, Byte alphaB, Byte* dst,
                                    Count count) {
        const Count lead = LeadUnits(dst, count, 4);
        CompositeConstColorPixels<Kind, Premultiplied>(src1, alphaA, src2, alphaB, dst, lead);
        src1 += lead * 4;
        src2 += lead * 4;
        dst += lead * 4;
        const Count done = Blocks((count - lead) * 4, [&](Count i) {
            const V r =
                CompositeConstBlock<Kind, Premultiplied>(L::Load(src1 + i), L::Load(src2 + i), alphaA, alphaB);
            PutComposite<false>(src1 + i, src2 + i, dst + i,
                                L::Or(L::And(r, ColourMask()), L::And(L::Load(dst + i), AlphaMask())));
        });
        CompositeConstColorPixels<Kind, Premultiplied>(src1 + done, alphaA, src2 + done, alphaB, dst + done,
                                                       count - lead - done / 4);
    }

    static void Finish() { L::Finish(); }
};

}  // namespace
