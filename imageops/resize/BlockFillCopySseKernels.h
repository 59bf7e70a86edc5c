#pragma once

#include "imageops/ImageOpStatus.h"

#include <mmintrin.h>
#include <xmmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

// The SSE build's block clearing and copying behind ZeroBytesSse and CopyIntsSse
// (BlockFillCopySse.h). Internal linkage keeps each includer's copy compiled with its own
// flags; the tests compile it once more to watch its non-temporal stores, fences and prefetches.
namespace sse_blocks {
namespace {

using Byte = unsigned char;

constexpr std::int64_t kStreamZeroBytes = 20480;
constexpr std::int64_t kStreamCopyBytes = 8192;
constexpr std::int64_t kPagedCopyBytes = 16384;
// Below this a paged copy streams the rest in one piece.
constexpr std::int64_t kPagedMinimum = 20480;
constexpr std::int64_t kPage = 4096;

std::uintptr_t Address(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}

// Plain 8-, 4-, 2- and 1-byte moves through registers; memcpy keeps them free of alignment
// and aliasing assumptions.
template <int kBytes>
void Move(const Byte* src, Byte* dst) {
    std::memcpy(dst, src, kBytes);
}

void StoreZero8(Byte* dst) {
    const std::uint64_t zero = 0;
    std::memcpy(dst, &zero, 8);
}

void StreamZero8(Byte* dst) {
    _mm_stream_pi(reinterpret_cast<__m64*>(dst), _mm_setzero_si64());
}

// Clears n bytes: a cascade of 32-, 16- and 8-byte groups through `store8`, then ordinary
// 4-byte and single-byte stores.
template <typename Store8>
void ZeroCascade(Byte* dst, std::int64_t n, Store8 store8) {
    while (n >= 64) {
        for (int i = 0; i < 8; ++i) {
            store8(dst + 8 * i);
        }
        dst += 64;
        n -= 64;
    }
    for (int group = 32; group >= 8; group /= 2) {
        if (n >= group) {
            for (int i = 0; i < group; i += 8) {
                store8(dst + i);
            }
            dst += group;
            n -= group;
        }
    }
    if (n >= 4) {
        std::memset(dst, 0, 4);
        dst += 4;
        n -= 4;
    }
    for (; n > 0; --n) {
        *dst++ = 0;
    }
}

void ZeroBlockCached(Byte* dst, std::int64_t n) {
    if (n >= 64 && Address(dst) % 8 != 0) {
        StoreZero8(dst);
        const auto lead = static_cast<std::int64_t>(8 - Address(dst) % 8);
        dst += lead;
        n -= lead;
    }
    ZeroCascade(dst, n, StoreZero8);
}

void ZeroBlockStream(Byte* dst, std::int64_t n) {
    if (n >= 8 && Address(dst) % 8 != 0) {
        StoreZero8(dst);
        const auto lead = static_cast<std::int64_t>(8 - Address(dst) % 8);
        dst += lead;
        n -= lead;
    }
    ZeroCascade(dst, n, StreamZero8);
    _mm_sfence();
    _mm_empty();
}

// The last bytes of every copy: 16-byte steps, then 8, 4, 2 and 1 as the count requires.
void CopyTail(const Byte* src, Byte* dst, std::int64_t n) {
    for (; n >= 16; n -= 16, src += 16, dst += 16) {
        Move<8>(src, dst);
        Move<8>(src + 8, dst + 8);
    }
    if (n & 8) {
        Move<8>(src, dst);
        src += 8;
        dst += 8;
    }
    if (n & 4) {
        Move<4>(src, dst);
        src += 4;
        dst += 4;
    }
    if (n & 2) {
        Move<2>(src, dst);
        src += 2;
        dst += 2;
    }
    if (n & 1) {
        *dst = *src;
    }
}

// One unaligned 16-byte copy, then both pointers advance so that `anchor` reaches its next
// multiple of 16 (a whole 16 bytes when it is aligned already). False when fewer than 64 bytes
// remain afterwards.
bool AlignBy16(const Byte*& src, Byte*& dst, std::int64_t& n, std::uintptr_t anchor) {
    _mm_storeu_ps(reinterpret_cast<float*>(dst), _mm_loadu_ps(reinterpret_cast<const float*>(src)));
    const auto lead = static_cast<std::int64_t>(16 - anchor % 16);
    src += lead;
    dst += lead;
    n -= lead;
    return n >= 64;
}

// Cached copy of n bytes: the destination is brought to 16 bytes, then 64-byte blocks whose
// loads suit the source's alignment.
void CopyBlockCached(const Byte* src, Byte* dst, std::int64_t n) {
    if (n >= 64 && (Address(dst) % 16 == 0 || AlignBy16(src, dst, n, Address(dst)))) {
        if (Address(src) % 16 == 0) {
            for (; n >= 64; n -= 64, src += 64, dst += 64) {
                for (int i = 0; i < 64; i += 16) {
                    _mm_store_ps(reinterpret_cast<float*>(dst + i),
                                 _mm_load_ps(reinterpret_cast<const float*>(src + i)));
                }
            }
        } else if (Address(src) % 8 == 4) {
            for (; n >= 64; n -= 64, src += 64, dst += 64) {
                for (int i = 0; i < 64; i += 4) {
                    Move<4>(src + i, dst + i);
                }
            }
        } else {
            if (Address(src) % 4 != 0) {
                const auto lead = static_cast<std::int64_t>(8 - Address(src) % 8);
                Move<8>(src, dst);
                src += lead;
                dst += lead;
                n -= lead;
            }
            for (; n >= 64; n -= 64, src += 64, dst += 64) {
                for (int i = 0; i < 64; i += 8) {
                    Move<8>(src + i, dst + i);
                }
            }
        }
    }
    CopyTail(src, dst, n);
}

// Copy of n bytes with non-temporal 8-byte stores in 64-byte blocks, ordinary stores for the
// tail, fenced.
void CopyBlockStream(const Byte* src, Byte* dst, std::int64_t n) {
    if (n >= 64 && (Address(dst) % 16 == 0 || AlignBy16(src, dst, n, Address(dst))) &&
        (Address(src) % 8 == 0 || AlignBy16(src, dst, n, Address(src)))) {
        for (; n >= 64; n -= 64, src += 64, dst += 64) {
            for (int i = 0; i < 64; i += 8) {
                __m64 value;
                std::memcpy(&value, src + i, 8);
                _mm_stream_pi(reinterpret_cast<__m64*>(dst + i), value);
            }
        }
    }
    CopyTail(src, dst, n);
    _mm_sfence();
    _mm_empty();
}

// Brings one page-sized piece of the source towards the processor: its first and last bytes
// are read, then a non-temporal prefetch every 32 bytes.
void PrefetchBlock(const Byte* src, std::int64_t n) {
    volatile Byte sink = 0;
    while (n > 0) {
        const std::int64_t piece = n > kPage ? kPage : n;
        sink = src[0];
        sink = src[piece - 1];
        for (std::int64_t i = 0; i < piece; i += 32) {
            _mm_prefetch(reinterpret_cast<const char*>(src + i), _MM_HINT_NTA);
        }
        src += piece;
        n -= piece;
    }
    static_cast<void>(sink);
}

void CopyBlockPaged(const Byte* src, Byte* dst, std::int64_t n) {
    for (; n > 0 && Address(dst) % 8 != 0; --n) {
        *dst++ = *src++;
    }
    if (n < kPagedMinimum) {
        if (n > 0) {
            CopyBlockStream(src, dst, n);
        }
        return;
    }
    const auto lead = static_cast<std::int64_t>((kPage - (Address(src) & 0xFF8)) & 0xFFF);
    if (lead != 0) {
        CopyBlockStream(src, dst, lead);
        src += lead;
        dst += lead;
        n -= lead;
    }
    for (; n >= kPage; n -= kPage, src += kPage, dst += kPage) {
        PrefetchBlock(src, kPage);
        CopyBlockStream(src, dst, kPage);
    }
    if (n > 0) {
        CopyBlockStream(src, dst, n);
    }
}

// Blocks from kStreamZeroBytes on are cleared past the caches.
inline ImageOpStatus CheckedZero(void* block, std::int64_t byteCount) {
    if (block == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (byteCount < 1) {
        return ImageOpStatus::BadSize;
    }
    auto* dst = static_cast<Byte*>(block);
    if (byteCount < kStreamZeroBytes) {
        ZeroBlockCached(dst, byteCount);
    } else {
        ZeroBlockStream(dst, byteCount);
    }
    return ImageOpStatus::Ok;
}

// Cached below kStreamCopyBytes, streamed below kPagedCopyBytes, page by page from there on.
inline ImageOpStatus CheckedCopyInts(const void* src, void* dst, std::int64_t count) {
    if (src == nullptr || dst == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (count < 1 || count > PTRDIFF_MAX / 4) {
        return ImageOpStatus::BadSize;
    }
    const auto* from = static_cast<const Byte*>(src);
    auto* to = static_cast<Byte*>(dst);
    const std::int64_t bytes = count * 4;
    if (bytes < kStreamCopyBytes) {
        CopyBlockCached(from, to, bytes);
    } else if (bytes < kPagedCopyBytes) {
        CopyBlockStream(from, to, bytes);
    } else {
        CopyBlockPaged(from, to, bytes);
    }
    return ImageOpStatus::Ok;
}

}  // namespace
}  // namespace sse_blocks
