#pragma once

#include "imageops/ImageOpStatus.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

// The block clearing and copying of the SIMD builds, shared by BlockFillCopySse2.cpp and
// BlockFillCopySse3.cpp, which instantiate it with their own Isa (IsaSse2.h, IsaSse3.h).
// Internal linkage keeps each build's copy compiled with that build's flags. Blocks too large
// to be worth caching are written with non-temporal stores, always fenced before returning so
// that ordinary loads see them.
namespace {

using Byte = unsigned char;

// Clearing goes past the caches when more than this many bytes remain after the first 16.
constexpr std::int64_t kStreamZeroAbove = 0x80000;
// A streamed copy runs in chunks of this size; each source chunk is touched, one byte every
// kTouchStep, before it is copied.
constexpr std::int64_t kStreamChunk = 0x40000;
constexpr std::int64_t kTouchStep = 128;
// Cached copies between aligned blocks move 128 bytes at a time above this size.
constexpr std::int64_t kWideCopyAbove = 1024;

inline std::uintptr_t Address(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}

inline bool Aligned16(const void* p) {
    return Address(p) % 16 == 0;
}

// From p to the next multiple of 16: a whole 16 bytes when p is aligned already.
inline std::int64_t LeadTo16(const void* p) {
    return static_cast<std::int64_t>(16 - Address(p) % 16);
}

inline __m128i* Vector(Byte* p) {
    return reinterpret_cast<__m128i*>(p);
}

inline const __m128i* Vector(const Byte* p) {
    return reinterpret_cast<const __m128i*>(p);
}

// ---- clearing ---------------------------------------------------------------------------

// Fewer than 16 bytes: one 8- or 4-byte store from each end (meeting or overlapping in the
// middle), single bytes below 4.
inline void ZeroSmall(Byte* dst, std::int64_t n) {
    const std::uint64_t zero = 0;
    if (n >= 8) {
        std::memcpy(dst, &zero, 8);
        std::memcpy(dst + n - 8, &zero, 8);
    } else if (n >= 4) {
        std::memcpy(dst, &zero, 4);
        std::memcpy(dst + n - 4, &zero, 4);
    } else {
        for (std::int64_t i = 0; i < n; ++i) {
            dst[i] = 0;
        }
    }
}

// n >= 1 bytes: the first 16 with one unaligned store, the rest from the next multiple of 16
// in aligned stores, non-temporal when more than kStreamZeroAbove bytes remain.
inline void ZeroBlock(Byte* dst, std::int64_t n) {
    if (n < 16) {
        ZeroSmall(dst, n);
        return;
    }
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(Vector(dst), zero);
    const std::int64_t lead = LeadTo16(dst);
    dst += lead;
    n -= lead;
    if (n > kStreamZeroAbove) {
        for (; n >= 16; n -= 16, dst += 16) {
            _mm_stream_si128(Vector(dst), zero);
        }
        _mm_sfence();
    }
    for (; n >= 64; n -= 64, dst += 64) {
        for (int i = 0; i < 64; i += 16) {
            _mm_store_si128(Vector(dst + i), zero);
        }
    }
    for (; n >= 16; n -= 16, dst += 16) {
        _mm_store_si128(Vector(dst), zero);
    }
    ZeroSmall(dst, n);
}

// ---- copying ----------------------------------------------------------------------------

template <int kBytes>
void Move(const Byte* src, Byte* dst) {
    std::memcpy(dst, src, kBytes);
}

// Blocks below 64 bytes and what every loop leaves: 8 bytes at a time, then the last 4 to 7
// as one 4-byte move from each end, or single bytes.
inline void CopySmall(const Byte* src, Byte* dst, std::int64_t n) {
    for (; n >= 8; n -= 8, src += 8, dst += 8) {
        Move<8>(src, dst);
    }
    if (n >= 4) {
        Move<4>(src, dst);
        Move<4>(src + n - 4, dst + n - 4);
        return;
    }
    for (; n > 0; --n) {
        dst[n - 1] = src[n - 1];
    }
}

// The cached loops below take a 16-byte aligned dst.

// Both ends aligned: 64-byte blocks.
inline void CopyAligned(const Byte* src, Byte* dst, std::int64_t n) {
    for (; n >= 64; n -= 64, src += 64, dst += 64) {
        for (int i = 0; i < 64; i += 16) {
            _mm_store_si128(Vector(dst + i), _mm_load_si128(Vector(src + i)));
        }
    }
    CopySmall(src, dst, n);
}

// Both ends aligned: 128-byte blocks, all eight registers loaded before any is stored.
inline void CopyAlignedWide(const Byte* src, Byte* dst, std::int64_t n) {
    for (; n >= 128; n -= 128, src += 128, dst += 128) {
        __m128i v[8];
        for (int i = 0; i < 8; ++i) {
            v[i] = _mm_load_si128(Vector(src + 16 * i));
        }
        for (int i = 0; i < 8; ++i) {
            _mm_store_si128(Vector(dst + 16 * i), v[i]);
        }
    }
    CopySmall(src, dst, n);
}

template <typename Isa>
void CopyUnaligned(const Byte* src, Byte* dst, std::int64_t n) {
    for (; n >= 64; n -= 64, src += 64, dst += 64) {
        for (int i = 0; i < 64; i += 16) {
            _mm_store_si128(Vector(dst + i), Isa::LoadUnaligned(src + i));
        }
    }
    CopySmall(src, dst, n);
}

template <typename Isa>
void CopyCached(const Byte* src, Byte* dst, std::int64_t n) {
    if (!Aligned16(src)) {
        CopyUnaligned<Isa>(src, dst, n);
    } else if (n > kWideCopyAbove) {
        CopyAlignedWide(src, dst, n);
    } else {
        CopyAligned(src, dst, n);
    }
}

// Reads one byte every kTouchStep of the n bytes at p, ahead of the copy that reads them all.
inline void Touch(const Byte* p, std::int64_t n) {
    const volatile Byte* bytes = p;
    for (std::int64_t i = 0; i < n; i += kTouchStep) {
        static_cast<void>(bytes[i]);
    }
}

// n bytes, a multiple of 16, with non-temporal stores.
template <typename Isa>
void Stream(const Byte* src, Byte* dst, std::int64_t n) {
    for (std::int64_t i = 0; i < n; i += 16) {
        _mm_stream_si128(Vector(dst + i), Isa::LoadUnaligned(src + i));
    }
}

// Past the caches: whole chunks first, each touched first when `touch` holds, then 16 bytes
// at a time, fenced; the last 0 to 15 bytes with ordinary stores.
template <typename Isa>
void CopyStreamed(const Byte* src, Byte* dst, std::int64_t n, bool touch) {
    if (touch) {
        for (; n >= kStreamChunk; n -= kStreamChunk, src += kStreamChunk, dst += kStreamChunk) {
            Touch(src, kStreamChunk);
            Stream<Isa>(src, dst, kStreamChunk);
        }
    }
    const std::int64_t whole = n & ~std::int64_t{15};
    Stream<Isa>(src, dst, whole);
    _mm_sfence();
    CopySmall(src + whole, dst + whole, n - whole);
}

enum class CopyRoute { Cached, Streamed, StreamedUntouched };

// The SSE2 build's route for a block large enough to stream, by d = (src - dst) mod 65536:
// sources a few hundred bytes below the destination in that modulus read addresses whose low
// 16 bits match stores still in flight, so one band of such distances streams without the
// touch pass and the band above it stays cached. The bands lie higher for a source that is not
// 8-byte aligned.
inline CopyRoute RouteByDistance(const Byte* src, const Byte* dst) {
    const std::uintptr_t d = (Address(src) - Address(dst)) % 65536;
    const bool src8 = Address(src) % 8 == 0;
    const std::uintptr_t untouchedFrom = src8 ? 0xFE50 : 0xFE8C;
    const std::uintptr_t cachedFrom = src8 ? 0xFEB0 : 0xFEFC;
    const std::uintptr_t cachedTo = src8 ? 0xFF38 : 0xFFEE;
    if (d < untouchedFrom || d > cachedTo) {
        return CopyRoute::Streamed;
    }
    return d < cachedFrom ? CopyRoute::StreamedUntouched : CopyRoute::Cached;
}

// n >= 64 bytes to a 16-byte aligned dst.
template <typename Isa>
void CopyToAligned(const Byte* src, Byte* dst, std::int64_t n) {
    CopyRoute route = CopyRoute::Cached;
    if (Isa::StreamsCopyOf(n)) {
        route = Isa::kCopyRoutesByDistance ? RouteByDistance(src, dst) : CopyRoute::Streamed;
    }
    if (route == CopyRoute::Cached) {
        CopyCached<Isa>(src, dst, n);
    } else {
        CopyStreamed<Isa>(src, dst, n, route == CopyRoute::Streamed);
    }
}

// n >= 1 bytes from src to dst (not overlapping).
template <typename Isa>
void CopyBytes(const void* from, void* to, std::int64_t n) {
    const auto* src = static_cast<const Byte*>(from);
    auto* dst = static_cast<Byte*>(to);
    if (n < 64) {
        CopySmall(src, dst, n);
        return;
    }
    if (!Aligned16(dst)) {
        _mm_storeu_si128(Vector(dst), Isa::LoadUnaligned(src));
        const std::int64_t lead = LeadTo16(dst);
        src += lead;
        dst += lead;
        n -= lead;
        if (n < 64) {
            CopySmall(src, dst, n);
            return;
        }
        if (Isa::kCachesCoalignedCopies && Aligned16(src)) {
            CopyAligned(src, dst, n);
            return;
        }
    }
    CopyToAligned<Isa>(src, dst, n);
}

inline ImageOpStatus CheckedZero(void* block, std::int64_t byteCount) {
    if (block == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (byteCount < 1) {
        return ImageOpStatus::BadSize;
    }
    ZeroBlock(static_cast<Byte*>(block), byteCount);
    return ImageOpStatus::Ok;
}

template <typename Isa>
ImageOpStatus CheckedCopyInts(const void* src, void* dst, std::int64_t count) {
    if (src == nullptr || dst == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (count < 1 || count > PTRDIFF_MAX / 4) {
        return ImageOpStatus::BadSize;
    }
    CopyBytes<Isa>(src, dst, count * 4);
    return ImageOpStatus::Ok;
}

}  // namespace
