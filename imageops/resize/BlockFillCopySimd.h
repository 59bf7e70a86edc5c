#pragma once

#include "imageops/ImageOpStatus.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

// The block clearing and copying of the SIMD builds, shared by the SSE2 and SSE3 files, which
// instantiate it with their own Isa (IsaSse2.h, IsaSse3.h). Internal linkage keeps each
// build's copy compiled with that build's flags.
namespace {

constexpr std::int64_t kStreamThreshold = 64 * 1024;

// n bytes from src to dst (not overlapping): bytes below 4, 8-byte moves below 64, 16-byte
// moves above; with Isa::kStreamLargeCopies, blocks of kStreamThreshold bytes or more are
// written with non-temporal stores once dst is 16-byte aligned, ending with a store fence.
template <typename Isa>
void CopyBytes(const void* src, void* dst, std::int64_t n) {
    const auto* s = static_cast<const unsigned char*>(src);
    auto* d = static_cast<unsigned char*>(dst);
    if (n < 4) {
        for (std::int64_t i = 0; i < n; ++i) {
            d[i] = s[i];
        }
        return;
    }
    if (n < 64) {
        std::int64_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t v;
            std::memcpy(&v, s + i, 8);
            std::memcpy(d + i, &v, 8);
        }
        for (; i < n; ++i) {
            d[i] = s[i];
        }
        return;
    }
    std::int64_t i = 0;
    if (Isa::kStreamLargeCopies && n >= kStreamThreshold) {
        for (; (reinterpret_cast<std::uintptr_t>(d + i) & 15) != 0; ++i) {
            d[i] = s[i];
        }
        for (; i + 16 <= n; i += 16) {
            _mm_stream_si128(reinterpret_cast<__m128i*>(d + i), Isa::LoadUnaligned(s + i));
        }
        _mm_sfence();
    } else {
        for (; i + 16 <= n; i += 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), Isa::LoadUnaligned(s + i));
        }
    }
    for (; i < n; ++i) {
        d[i] = s[i];
    }
}

// Sets n bytes at p to zero, 16 at a time.
inline void Zero(void* p, std::int64_t n) {
    auto* d = static_cast<unsigned char*>(p);
    std::int64_t i = 0;
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), zero);
    }
    for (; i < n; ++i) {
        d[i] = 0;
    }
}

inline ImageOpStatus CheckedZero(void* p, std::int64_t n) {
    if (p == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (n < 1) {
        return ImageOpStatus::BadSize;
    }
    Zero(p, n);
    return ImageOpStatus::Ok;
}

template <typename Isa>
ImageOpStatus CheckedCopyInts(const void* src, void* dst, std::int64_t count) {
    if (src == nullptr || dst == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (count < 1) {
        return ImageOpStatus::BadSize;
    }
    CopyBytes<Isa>(src, dst, count * 4);
    return ImageOpStatus::Ok;
}

}  // namespace
