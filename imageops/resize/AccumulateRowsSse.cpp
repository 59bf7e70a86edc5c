#include "imageops/resize/AccumulateRowsSse.h"

#include <cstddef>
#include <cstring>
#include <mmintrin.h>
#include <xmmintrin.h>

namespace {

using Byte = unsigned char;

template <typename T>
const T* RowAt(const T* src, std::int32_t srcStep, std::int32_t r) {
    return reinterpret_cast<const T*>(reinterpret_cast<const Byte*>(src) +
                                      static_cast<std::ptrdiff_t>(r) * srcStep);
}

std::uintptr_t Address(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}

// Whether `count` source samples of `sampleBytes` and `count` 4-byte sums share a byte.
bool Overlap(const void* row, std::int64_t count, int sampleBytes, const void* sums) {
    const std::uintptr_t a = Address(row);
    const std::uintptr_t b = Address(sums);
    return a < b + static_cast<std::uintptr_t>(count) * 4 &&
           b < a + static_cast<std::uintptr_t>(count) * sampleBytes;
}

// Sample by sample, in index order: the reference for every vector loop below.
template <typename T, typename Sum>
void AddScalar(const T* row, std::int64_t first, std::int64_t end, Sum* sums) {
    for (std::int64_t e = first; e < end; ++e) {
        sums[e] = static_cast<Sum>(sums[e] + row[e]);
    }
}

// Adds `count` 16-bit samples into 32-bit sums: once the sums are 8-byte aligned, four
// samples per step, zero-extended into two 64-bit registers of two sums each.
void AddRow16u(const std::uint16_t* row, std::int64_t count, std::uint32_t* sums,
               std::int64_t vectorMinimum) {
    std::int64_t e = 0;
    if (count >= vectorMinimum && !Overlap(row, count, 2, sums) && Address(sums) % 4 == 0) {
        if (Address(sums) % 8 != 0) {
            AddScalar(row, 0, 1, sums);
            e = 1;
        }
        const __m64 zero = _mm_setzero_si64();
        for (; e + 4 <= count; e += 4) {
            __m64 samples;
            std::memcpy(&samples, row + e, 8);
            auto* out = reinterpret_cast<__m64*>(sums + e);
            out[0] = _mm_add_pi32(out[0], _mm_unpacklo_pi16(samples, zero));
            out[1] = _mm_add_pi32(out[1], _mm_unpackhi_pi16(samples, zero));
        }
        _mm_empty();
    }
    AddScalar(row, e, count, sums);
}

// Adds `count` floats: once the sums are 16-byte aligned, eight per step with four-wide
// additions (each lane one single-precision addition, as the scalar path rounds).
void AddRow32f(const float* row, std::int64_t count, float* sums) {
    std::int64_t e = 0;
    if (count >= 11 && !Overlap(row, count, 4, sums) && Address(sums) % 4 == 0) {
        for (; Address(sums + e) % 16 != 0; ++e) {
            sums[e] += row[e];
        }
        const bool alignedSource = Address(row + e) % 16 == 0;
        for (; e + 8 <= count; e += 8) {
            _mm_prefetch(reinterpret_cast<const char*>(row + e) + 64, _MM_HINT_NTA);
            const __m128 a = alignedSource ? _mm_load_ps(row + e) : _mm_loadu_ps(row + e);
            const __m128 b = alignedSource ? _mm_load_ps(row + e + 4) : _mm_loadu_ps(row + e + 4);
            _mm_store_ps(sums + e, _mm_add_ps(_mm_load_ps(sums + e), a));
            _mm_store_ps(sums + e + 4, _mm_add_ps(_mm_load_ps(sums + e + 4), b));
        }
    }
    AddScalar(row, e, count, sums);
}

}  // namespace

void AccumulateRows8u1Sse(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                          std::int32_t rows, std::uint32_t* sums) {
    if (width < 1) {
        return;
    }
    for (std::int32_t r = 0; r < rows; ++r) {
        const std::uint8_t* row = RowAt(src, srcStep, r);
        std::int32_t e = 0;
        for (; e + 2 <= width; e += 2) {
            sums[e] += row[e];
            sums[e + 1] += row[e + 1];
        }
        AddScalar(row, e, width, sums);
    }
}

void AccumulateRows8u4Sse(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                          std::int32_t rows, std::uint32_t* sums) {
    if (width < 1) {
        return;
    }
    for (std::int32_t r = 0; r < rows; ++r) {
        AddScalar(RowAt(src, srcStep, r), 0, 4 * static_cast<std::int64_t>(width), sums);
    }
}

void AccumulateRows16u1Sse(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums) {
    if (width < 1) {
        return;
    }
    for (std::int32_t r = 0; r < rows; ++r) {
        AddRow16u(RowAt(src, srcStep, r), width, sums, 9);
    }
}

void AccumulateRows16u4Sse(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, std::uint32_t* sums) {
    if (width < 1) {
        return;
    }
    for (std::int32_t r = 0; r < rows; ++r) {
        AddRow16u(RowAt(src, srcStep, r), 4 * static_cast<std::int64_t>(width), sums, 3);
    }
}

void AccumulateRows32f1Sse(const float* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, float* sums) {
    if (width < 1) {
        return;
    }
    for (std::int32_t r = 0; r < rows; ++r) {
        AddRow32f(RowAt(src, srcStep, r), width, sums);
    }
}

void AccumulateRows32f3Sse(const float* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, float* sums, std::int32_t pixelStride) {
    for (std::int32_t r = 0; r < rows; ++r) {
        const float* row = RowAt(src, srcStep, r);
        for (std::int32_t p = 0; p < width; ++p) {
            const std::ptrdiff_t base = static_cast<std::ptrdiff_t>(p) * pixelStride;
            for (int c = 0; c < 3; ++c) {
                sums[base + c] += row[base + c];
            }
        }
    }
}

void AccumulateRows32f4Sse(const float* src, std::int32_t srcStep, std::int32_t width,
                           std::int32_t rows, float* sums) {
    if (width < 1) {
        return;
    }
    for (std::int32_t r = 0; r < rows; ++r) {
        AddRow32f(RowAt(src, srcStep, r), 4 * static_cast<std::int64_t>(width), sums);
    }
}
