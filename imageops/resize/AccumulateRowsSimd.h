#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

// The row adders of the SIMD builds' whole-number area averaging, shared by the SSE2 and SSE3
// files, which instantiate them with their own Isa (internal linkage keeps each build's copy
// compiled with its own flags). Each sums `rows` rows (at least one) per column and channel,
// from zero in row order, and stores the totals (the buffer is not read): a block of pixels is
// kept in vector sums across all rows and stored once, the remaining pixels one at a time.
// Integer samples are widened to 32 bits and wrap modulo 2^32; float sums are rounded after
// every row, except the one-channel float adder's columns past its last block of 16, which are
// summed in double and rounded once. The three-channel adders leave slot 3 of 4-sample pixels
// at zero; strides other than 3 and 4 are summed one sample at a time.
namespace {

template <typename T>
const T* RowAt(const T* src, std::int32_t srcStep, std::int32_t r) {
    return reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(src) +
                                      static_cast<std::ptrdiff_t>(r) * srcStep);
}

// Samples 0..channels-1 of pixels `stride` apart, one pixel at a time, from `first` on.
template <typename T, typename Sum>
void SumPixelsScalar(const T* src, std::int32_t srcStep, std::int32_t first, std::int32_t width,
                     std::int32_t rows, Sum* sums, std::int32_t stride, int channels) {
    for (std::int32_t p = first; p < width; ++p) {
        for (int c = 0; c < channels; ++c) {
            const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(p) * stride + c;
            Sum total = 0;
            for (std::int32_t r = 0; r < rows; ++r) {
                total = static_cast<Sum>(total + RowAt(src, srcStep, r)[at]);
            }
            sums[at] = total;
        }
    }
}

inline __m128i Load32(const void* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return _mm_cvtsi32_si128(v);
}

inline __m128i Load64(const void* p) {
    return _mm_loadl_epi64(static_cast<const __m128i*>(p));
}

inline void Store(std::uint32_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// Eight bytes widened to two vectors of four 32-bit values.
inline void Widen8(__m128i bytes, __m128i& low, __m128i& high) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_unpacklo_epi8(bytes, zero);
    low = _mm_unpacklo_epi16(words, zero);
    high = _mm_unpackhi_epi16(words, zero);
}

// Eight 16-bit values widened to two vectors of four 32-bit values.
inline void Widen16(__m128i words, __m128i& low, __m128i& high) {
    const __m128i zero = _mm_setzero_si128();
    low = _mm_unpacklo_epi16(words, zero);
    high = _mm_unpackhi_epi16(words, zero);
}

// Eight integer samples from p, masked by keep, widened to two vectors of four 32-bit values.
template <typename Isa>
void WidenEight(const std::uint8_t* p, __m128i keep, __m128i& low, __m128i& high) {
    Widen8(_mm_and_si128(Load64(p), keep), low, high);
}

template <typename Isa>
void WidenEight(const std::uint16_t* p, __m128i keep, __m128i& low, __m128i& high) {
    Widen16(_mm_and_si128(Isa::LoadUnaligned(p), keep), low, high);
}

// Four packed three-sample pixels (12 samples) widened to three vectors, reading exactly them:
// bytes as 8 + 4, words as 8 + 4.
template <typename Isa>
void WidenTwelve(const std::uint8_t* p, __m128i& first, __m128i& second, __m128i& third) {
    __m128i unused;
    Widen8(Load64(p), first, second);
    Widen8(Load32(p + 8), third, unused);
}

template <typename Isa>
void WidenTwelve(const std::uint16_t* p, __m128i& first, __m128i& second, __m128i& third) {
    __m128i unused;
    Widen16(Isa::LoadUnaligned(p), first, second);
    Widen16(Load64(p + 8), third, unused);
}

// Blocks of 8 integer values: one channel, or 2 pixels of 4 samples.
template <typename Isa, typename T>
std::int32_t SumEight(const T* src, std::int32_t srcStep, std::int32_t values, std::int32_t rows,
                      std::uint32_t* sums, __m128i keep) {
    std::int32_t i = 0;
    for (; i + 8 <= values; i += 8) {
        __m128i a = _mm_setzero_si128();
        __m128i b = _mm_setzero_si128();
        for (std::int32_t r = 0; r < rows; ++r) {
            __m128i low;
            __m128i high;
            WidenEight<Isa>(RowAt(src, srcStep, r) + i, keep, low, high);
            a = _mm_add_epi32(a, low);
            b = _mm_add_epi32(b, high);
        }
        Store(sums + i, a);
        Store(sums + i + 4, b);
    }
    return i;
}

// Blocks of `vectors` consecutive groups of 4 floats (16 at most), each group masked by keep.
template <int kVectors>
std::int32_t SumFloats(const float* src, std::int32_t srcStep, std::int32_t values,
                       std::int32_t rows, float* sums, __m128 keep) {
    constexpr std::int32_t kBlock = 4 * kVectors;
    std::int32_t i = 0;
    for (; i + kBlock <= values; i += kBlock) {
        __m128 acc[kVectors];
        for (int v = 0; v < kVectors; ++v) {
            acc[v] = _mm_setzero_ps();
        }
        for (std::int32_t r = 0; r < rows; ++r) {
            const float* row = RowAt(src, srcStep, r) + i;
            for (int v = 0; v < kVectors; ++v) {
                acc[v] = _mm_add_ps(acc[v], _mm_and_ps(_mm_loadu_ps(row + 4 * v), keep));
            }
        }
        for (int v = 0; v < kVectors; ++v) {
            _mm_storeu_ps(sums + i + 4 * v, acc[v]);
        }
    }
    return i;
}

inline __m128i AllBits() {
    return _mm_set1_epi32(-1);
}

// Keeps samples 0-2 of each 4-sample pixel.
inline __m128i ThreeOfFourBytes() {
    return _mm_set1_epi32(0x00FFFFFF);
}

inline __m128i ThreeOfFourWords() {
    return _mm_set_epi32(0x0000FFFF, -1, 0x0000FFFF, -1);
}

inline __m128 ThreeOfFourFloats() {
    return _mm_castsi128_ps(_mm_set_epi32(0, -1, -1, -1));
}

// Integer samples, one per pixel.
template <typename Isa, typename T>
void SimdAccumulate1(const T* src, std::int32_t srcStep, std::int32_t width, std::int32_t rows,
                     std::uint32_t* sums) {
    const std::int32_t done = SumEight<Isa>(src, srcStep, width, rows, sums, AllBits());
    SumPixelsScalar(src, srcStep, done, width, rows, sums, 1, 1);
}

// Integer samples, four per pixel.
template <typename Isa, typename T>
void SimdAccumulate4(const T* src, std::int32_t srcStep, std::int32_t width, std::int32_t rows,
                     std::uint32_t* sums) {
    const std::int32_t done = SumEight<Isa>(src, srcStep, 4 * width, rows, sums, AllBits());
    SumPixelsScalar(src, srcStep, done / 4, width, rows, sums, 4, 4);
}

// Samples 0-2 of integer pixels: 4-sample pixels masked, packed three-sample pixels four per
// block (so nothing past the block is touched).
template <typename Isa, typename T>
void SimdAccumulate3(const T* src, std::int32_t srcStep, std::int32_t width, std::int32_t rows,
                     std::uint32_t* sums, std::int32_t pixelStride) {
    std::int32_t p = 0;
    if (pixelStride == 4) {
        const __m128i keep = sizeof(T) == 1 ? ThreeOfFourBytes() : ThreeOfFourWords();
        p = SumEight<Isa>(src, srcStep, 4 * width, rows, sums, keep) / 4;
    } else if (pixelStride == 3) {
        for (; p + 4 <= width; p += 4) {
            __m128i a = _mm_setzero_si128();
            __m128i b = _mm_setzero_si128();
            __m128i c = _mm_setzero_si128();
            for (std::int32_t r = 0; r < rows; ++r) {
                __m128i first;
                __m128i second;
                __m128i third;
                WidenTwelve<Isa>(RowAt(src, srcStep, r) + 3 * p, first, second, third);
                a = _mm_add_epi32(a, first);
                b = _mm_add_epi32(b, second);
                c = _mm_add_epi32(c, third);
            }
            Store(sums + 3 * p, a);
            Store(sums + 3 * p + 4, b);
            Store(sums + 3 * p + 8, c);
        }
    }
    SumPixelsScalar(src, srcStep, p, width, rows, sums, pixelStride, 3);
}

template <typename Isa>
void SimdAccumulate32f1(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums) {
    const __m128 all = _mm_castsi128_ps(AllBits());
    for (std::int32_t i = SumFloats<4>(src, srcStep, width, rows, sums, all); i < width; ++i) {
        double total = 0.0;
        for (std::int32_t r = 0; r < rows; ++r) {
            total += RowAt(src, srcStep, r)[i];
        }
        sums[i] = static_cast<float>(total);
    }
}

template <typename Isa>
void SimdAccumulate32f4(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums) {
    const __m128 all = _mm_castsi128_ps(AllBits());
    std::int32_t done = SumFloats<4>(src, srcStep, 4 * width, rows, sums, all);
    done += SumFloats<1>(src + done, srcStep, 4 * width - done, rows, sums + done, all);
}

template <typename Isa>
void SimdAccumulate32f3(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums, std::int32_t pixelStride) {
    std::int32_t p = 0;
    if (pixelStride == 4) {
        const __m128 keep = ThreeOfFourFloats();
        std::int32_t done = SumFloats<4>(src, srcStep, 4 * width, rows, sums, keep);
        done += SumFloats<1>(src + done, srcStep, 4 * width - done, rows, sums + done, keep);
        p = done / 4;
    } else if (pixelStride == 3) {
        const __m128 all = _mm_castsi128_ps(AllBits());
        p = SumFloats<3>(src, srcStep, 3 * width, rows, sums, all) / 3;
    }
    SumPixelsScalar(src, srcStep, p, width, rows, sums, pixelStride, 3);
}

}  // namespace
