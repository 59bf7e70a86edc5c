#pragma once

#include "imageops/CompositeOp.h"
#include "imageops/ProductRule.h"

#include <cstdint>
#include <type_traits>

// The per-pixel rules of the plain build. The SIMD builds run the same functions on the pixels
// their blocks do not cover, so a row tail can never disagree with the plain build.
namespace {

using Count = std::int64_t;

void PremultiplyPixels(const std::uint8_t* src, std::uint8_t* dst, Count count) {
    for (Count i = 0; i < count; ++i, src += 4, dst += 4) {
        const std::uint32_t a = src[3];
        dst[0] = static_cast<std::uint8_t>(MulScaled(src[0], a));
        dst[1] = static_cast<std::uint8_t>(MulScaled(src[1], a));
        dst[2] = static_cast<std::uint8_t>(MulScaled(src[2], a));
        dst[3] = static_cast<std::uint8_t>(a);
    }
}

void CopyColorPixels(const std::uint8_t* src, std::uint8_t* dst, Count count) {
    for (Count i = 0; i < count; ++i, src += 4, dst += 4) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
    }
}

// Pixels whose byte 3 is not 0 written with byte 3 = 255; the others are not written.
void CopyOpaquePixelRun(const std::uint8_t* src, std::uint8_t* dst, Count count) {
    for (Count i = 0; i < count; ++i, src += 4, dst += 4) {
        if (src[3] != 0) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            dst[3] = 0xFF;
        }
    }
}

void MultiplyByteRun(const std::uint8_t* src, std::uint8_t* dst, Count count, std::uint32_t value) {
    for (Count i = 0; i < count; ++i) {
        dst[i] = static_cast<std::uint8_t>(MulScaled(src[i], value));
    }
}

// Multiplies bytes 0 to channels-1 of each pixel by value[k]; the other bytes are not written.
template <int Channels>
void MultiplyPixels(const std::uint8_t* src, std::uint8_t* dst, Count count, const std::uint8_t* value) {
    for (Count i = 0; i < count; ++i, src += 4, dst += 4) {
        for (int k = 0; k < Channels; ++k) {
            dst[k] = static_cast<std::uint8_t>(MulScaled(src[k], value[k]));
        }
    }
}

template <int Channels>
void FillPixels(std::uint8_t* dst, Count count, const std::uint8_t* value) {
    for (Count i = 0; i < count; ++i, dst += 4) {
        for (int k = 0; k < Channels; ++k) {
            dst[k] = value[k];
        }
    }
}

// A colour sum s (0 to 510) brought back to a sample by the scale factor; scales of 10 and more
// never reach here (they clear the colour instead).
constexpr std::uint8_t ScaleSum(std::uint32_t s, std::int32_t scale) {
    if (scale == 0) return static_cast<std::uint8_t>(Saturate(s));
    if (scale > 0) {
        const std::uint32_t half = (1u << (scale - 1)) - 1;
        return static_cast<std::uint8_t>((s + half + ((s >> scale) & 1)) >> scale);
    }
    if (scale >= -7) return static_cast<std::uint8_t>(Saturate(s << -scale));
    return s == 0 ? 0 : 255;
}

void AddColorScaledPixels(std::uint8_t* dst, Count count, const std::uint8_t* value, std::int32_t scale) {
    for (Count i = 0; i < count; ++i, dst += 4) {
        for (int k = 0; k < 3; ++k) {
            dst[k] = ScaleSum(std::uint32_t{dst[k]} + value[k], scale);
        }
    }
}

enum class PorterDuff { Over, In, Out, Atop, Xor, Plus };

// Colour of one sample: a and b the samples of the two sources, aa and ab their alphas.
template <PorterDuff Kind, bool Premultiplied>
constexpr std::uint32_t CompositeColor(std::uint32_t a, std::uint32_t aa, std::uint32_t b, std::uint32_t ab) {
    const std::uint32_t na = 255 - aa;
    const std::uint32_t nb = 255 - ab;
    if constexpr (Premultiplied) {
        switch (Kind) {
            case PorterDuff::Over: return Saturate(a + MulScaled(b, na));
            case PorterDuff::In: return MulScaled(a, ab);
            case PorterDuff::Out: return MulScaled(a, nb);
            case PorterDuff::Atop: return Saturate(MulScaled(a, ab) + MulScaled(b, na));
            case PorterDuff::Xor: return Saturate(MulScaled(a, nb) + MulScaled(b, na));
            case PorterDuff::Plus: break;
        }
        return Saturate(a + b);
    } else {
        // Each source by its own alpha first, then by the operator's factor.
        const std::uint32_t pa = MulScaled(a, aa);
        const std::uint32_t pb = MulScaled(b, ab);
        switch (Kind) {
            case PorterDuff::Over: return pa + MulScaled(pb, na);
            case PorterDuff::In: return MulScaled(pa, ab);
            case PorterDuff::Out: return MulScaled(pa, nb);
            case PorterDuff::Atop: return MulScaled(pa, ab) + MulScaled(pb, na);
            case PorterDuff::Xor: return MulScaled(pa, nb) + MulScaled(pb, na);
            case PorterDuff::Plus: break;
        }
        return Saturate(pa + pb);
    }
}

template <PorterDuff Kind>
constexpr std::uint32_t CompositeAlpha(std::uint32_t aa, std::uint32_t ab) {
    switch (Kind) {
        case PorterDuff::Over: return aa + MulScaled(ab, 255 - aa);
        case PorterDuff::In: return MulScaled(aa, ab);
        case PorterDuff::Out: return MulScaled(aa, 255 - ab);
        case PorterDuff::Atop: return ab;
        case PorterDuff::Xor: return MulScaled(aa, 255 - ab) + MulScaled(ab, 255 - aa);
        case PorterDuff::Plus: break;
    }
    return Saturate(aa + ab);
}

// Calls body(kind, premultiplied) with both as compile-time constants; false for a code outside
// 0 to 11.
template <class Body>
bool WithOperator(CompositeOp op, Body&& body) {
    using K = PorterDuff;
    using std::bool_constant;
    using std::integral_constant;
    switch (op) {
        case CompositeOp::Over: body(integral_constant<K, K::Over>{}, bool_constant<false>{}); return true;
        case CompositeOp::In: body(integral_constant<K, K::In>{}, bool_constant<false>{}); return true;
        case CompositeOp::Out: body(integral_constant<K, K::Out>{}, bool_constant<false>{}); return true;
        case CompositeOp::Atop: body(integral_constant<K, K::Atop>{}, bool_constant<false>{}); return true;
        case CompositeOp::Xor: body(integral_constant<K, K::Xor>{}, bool_constant<false>{}); return true;
        case CompositeOp::Plus: body(integral_constant<K, K::Plus>{}, bool_constant<false>{}); return true;
        case CompositeOp::OverPremul: body(integral_constant<K, K::Over>{}, bool_constant<true>{}); return true;
        case CompositeOp::InPremul: body(integral_constant<K, K::In>{}, bool_constant<true>{}); return true;
        case CompositeOp::OutPremul: body(integral_constant<K, K::Out>{}, bool_constant<true>{}); return true;
        case CompositeOp::AtopPremul: body(integral_constant<K, K::Atop>{}, bool_constant<true>{}); return true;
        case CompositeOp::XorPremul: body(integral_constant<K, K::Xor>{}, bool_constant<true>{}); return true;
        case CompositeOp::PlusPremul: body(integral_constant<K, K::Plus>{}, bool_constant<true>{}); return true;
    }
    return false;
}

constexpr bool IsValidOperator(CompositeOp op) {
    return static_cast<std::uint32_t>(op) < static_cast<std::uint32_t>(kCompositeOpCount);
}

// Per-pixel alphas: colour bytes by the colour rule, byte 3 by the alpha rule. Both alphas are
// read before anything is written, so the destination may be either source.
template <PorterDuff Kind, bool Premultiplied>
void CompositePixels(const std::uint8_t* a, const std::uint8_t* b, std::uint8_t* d, Count count) {
    for (Count i = 0; i < count; ++i, a += 4, b += 4, d += 4) {
        const std::uint32_t aa = a[3];
        const std::uint32_t ab = b[3];
        const std::uint32_t c0 = CompositeColor<Kind, Premultiplied>(a[0], aa, b[0], ab);
        const std::uint32_t c1 = CompositeColor<Kind, Premultiplied>(a[1], aa, b[1], ab);
        const std::uint32_t c2 = CompositeColor<Kind, Premultiplied>(a[2], aa, b[2], ab);
        d[0] = static_cast<std::uint8_t>(c0);
        d[1] = static_cast<std::uint8_t>(c1);
        d[2] = static_cast<std::uint8_t>(c2);
        d[3] = static_cast<std::uint8_t>(CompositeAlpha<Kind>(aa, ab));
    }
}

// Constant alphas, every sample alike.
template <PorterDuff Kind, bool Premultiplied>
void CompositeConstSamples(const std::uint8_t* a, std::uint32_t aa, const std::uint8_t* b, std::uint32_t ab,
                           std::uint8_t* d, Count count) {
    for (Count i = 0; i < count; ++i) {
        d[i] = static_cast<std::uint8_t>(CompositeColor<Kind, Premultiplied>(a[i], aa, b[i], ab));
    }
}

// Constant alphas on bytes 0 to 2; byte 3 of the destination is not written.
template <PorterDuff Kind, bool Premultiplied>
void CompositeConstColorPixels(const std::uint8_t* a, std::uint32_t aa, const std::uint8_t* b, std::uint32_t ab,
                               std::uint8_t* d, Count count) {
    for (Count i = 0; i < count; ++i, a += 4, b += 4, d += 4) {
        const std::uint32_t c0 = CompositeColor<Kind, Premultiplied>(a[0], aa, b[0], ab);
        const std::uint32_t c1 = CompositeColor<Kind, Premultiplied>(a[1], aa, b[1], ab);
        const std::uint32_t c2 = CompositeColor<Kind, Premultiplied>(a[2], aa, b[2], ab);
        d[0] = static_cast<std::uint8_t>(c0);
        d[1] = static_cast<std::uint8_t>(c1);
        d[2] = static_cast<std::uint8_t>(c2);
    }
}

}  // namespace

// Row kernels of the plain build, in the shape the entries expect of every build.
namespace {

struct ScalarRows {
    static void Premultiply(const std::uint8_t* src, std::uint8_t* dst, Count count) {
        PremultiplyPixels(src, dst, count);
    }
    static void CopyColor(const std::uint8_t* src, std::uint8_t* dst, Count count) { CopyColorPixels(src, dst, count); }
    static void CopyOpaque(const std::uint8_t* src, std::uint8_t* dst, Count count) {
        CopyOpaquePixelRun(src, dst, count);
    }
    static void MultiplyBytes(const std::uint8_t* src, std::uint8_t* dst, Count count, std::uint8_t value) {
        MultiplyByteRun(src, dst, count, value);
    }
    static void MultiplyColor(const std::uint8_t* src, std::uint8_t* dst, Count count, const std::uint8_t* value) {
        MultiplyPixels<3>(src, dst, count, value);
    }
    static void MultiplyPixel(const std::uint8_t* src, std::uint8_t* dst, Count count, const std::uint8_t* value) {
        MultiplyPixels<4>(src, dst, count, value);
    }
    static void FillPixel(std::uint8_t* dst, Count count, const std::uint8_t* value, bool) {
        FillPixels<4>(dst, count, value);
    }
    static void AddColorScaled(std::uint8_t* dst, Count count, const std::uint8_t* value, std::int32_t scale) {
        AddColorScaledPixels(dst, count, value, scale);
    }
    template <PorterDuff Kind, bool Premultiplied>
    static void Composite(const std::uint8_t* a, const std::uint8_t* b, std::uint8_t* d, Count count) {
        CompositePixels<Kind, Premultiplied>(a, b, d, count);
    }
    template <PorterDuff Kind, bool Premultiplied>
    static void CompositeConst(const std::uint8_t* a, std::uint8_t aa, const std::uint8_t* b, std::uint8_t ab,
                               std::uint8_t* d, Count count) {
        CompositeConstSamples<Kind, Premultiplied>(a, aa, b, ab, d, count);
    }
    template <PorterDuff Kind, bool Premultiplied>
    static void CompositeConstColor(const std::uint8_t* a, std::uint8_t aa, const std::uint8_t* b, std::uint8_t ab,
                                    std::uint8_t* d, Count count) {
        CompositeConstColorPixels<Kind, Premultiplied>(a, aa, b, ab, d, count);
    }
    static void Finish() {}
};

}  // namespace
