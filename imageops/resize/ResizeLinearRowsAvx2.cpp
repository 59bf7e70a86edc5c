#include "imageops/resize/ResizeLinearRowsAvx2.h"

#include "imageops/resize/LinearPassesSimd.h"
#include "imageops/resize/LinearRowKernels.h"

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

// Contiguous four-channel pixels go eight at a time through 256-bit registers; everything else,
// and the pixels after the last whole block of eight, through the SIMD builds' passes.
namespace {

using std::int32_t;

// Eight destination pixels of one row as the row buffers hold them: `a` has pixels 0, 1, 4 and
// 5, `b` pixels 2, 3, 6 and 7, each as its four values in channel order, so the one pack of
// their blends puts the eight pixels' bytes in order.
struct Block8 {
    __m256i a;
    __m256i b;
};

// Every pixel's right weight times -2, beside each of its four values, for the pixels of
// Block8::a and Block8::b.
struct Factors8 {
    __m256i a;
    __m256i b;
};

inline Factors8 RowFactors(const std::uint16_t* pairs) {
    const __m256i scaled = _mm256_mullo_epi16(
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairs)), _mm256_set1_epi16(-2));
    const __m256i first = _mm256_setr_epi8(2, 3, 2, 3, 2, 3, 2, 3, 6, 7, 6, 7, 6, 7, 6, 7,  //
                                           2, 3, 2, 3, 2, 3, 2, 3, 6, 7, 6, 7, 6, 7, 6, 7);
    const __m256i second =
        _mm256_setr_epi8(10, 11, 10, 11, 10, 11, 10, 11, 14, 15, 14, 15, 14, 15, 14, 15,  //
                         10, 11, 10, 11, 10, 11, 10, 11, 14, 15, 14, 15, 14, 15, 14, 15);
    return {_mm256_shuffle_epi8(scaled, first), _mm256_shuffle_epi8(scaled, second)};
}

// The eight bytes of p0 and p1 of the pixels at p and q, p's in the low half.
inline __m128i PixelPairs(const std::uint8_t* p, const std::uint8_t* q) {
    const __m128i low = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    return _mm_castpd_si128(_mm_loadh_pd(_mm_castsi128_pd(low), reinterpret_cast<const double*>(q)));
}

// Row-buffer values plus 32 of four pixels from their p0 and p1 bytes. With d = p1 - p0 and
// w0 = 16384 - w1, (w0 p0 + w1 p1 + 128) >> 8 is 64 p0 + floor((w1 d + 128) / 256), and the
// rounding multiply of -64 d by -2 w1, (x y + 16384) >> 15, is that floor exactly; w1 = 16384
// gives the factor -32768, which 16 bits hold where +32768 would not. One byte shuffle pairs
// each channel's p0 with its p1 for the byte multiply-adds that form 64 p0 and -64 d.
inline __m256i RowValues(__m256i pixels, __m256i factors) {
    const __m256i interleave = _mm256_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15,  //
                                                0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    const __m256i pairs = _mm256_shuffle_epi8(pixels, interleave);
    const __m256i scaled = _mm256_maddubs_epi16(pairs, _mm256_set1_epi16(0x0040));
    const __m256i negated = _mm256_maddubs_epi16(pairs, _mm256_set1_epi16(static_cast<short>(0xC040)));
    return _mm256_add_epi16(_mm256_add_epi16(scaled, _mm256_set1_epi16(32)),
                            _mm256_mulhrs_epi16(negated, factors));
}

inline __m256i Pixels(const std::uint8_t* row, int32_t low0, int32_t low1, int32_t high0, int32_t high1) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(PixelPairs(row + low0, row + low1)),
                                   PixelPairs(row + high0, row + high1), 1);
}

inline Block8 RowBlock(const std::uint8_t* row, const int32_t* offsets, const Factors8& f) {
    _mm_prefetch(reinterpret_cast<const char*>(row + offsets[0]) + kRowReadAhead, _MM_HINT_T0);
    return {RowValues(Pixels(row, offsets[0], offsets[1], offsets[4], offsets[5]), f.a),
            RowValues(Pixels(row, offsets[2], offsets[3], offsets[6], offsets[7]), f.b)};
}

inline Block8 LoadBlock8(const std::uint16_t* p) {
    return {_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)),
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 16))};
}

inline void StoreBlock8(std::uint16_t* p, const Block8& k) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), k.a);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 16), k.b);
}

// The blend of Column8uWords, sixteen values at a time.
template <bool kFromBottom>
inline __m256i BlendWords(__m256i t, __m256i b, __m256i factor) {
    const __m256i q =
        _mm256_add_epi16(kFromBottom ? b : t, _mm256_mulhi_epi16(_mm256_sub_epi16(b, t), factor));
    return _mm256_srli_epi16(q, 6);
}

template <bool kFromBottom>
inline void StoreBlend(std::uint8_t* dst, const Block8& t, const Block8& b, __m256i factor) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst),
                        _mm256_packus_epi16(BlendWords<kFromBottom>(t.a, b.a, factor),
                                            BlendWords<kFromBottom>(t.b, b.b, factor)));
}

inline __m256i BlendFactor(std::uint32_t w) {
    return _mm256_set1_epi16(static_cast<short>(static_cast<std::uint16_t>(4 * w)));
}

// One window step over FusedRows8 buffers (see FusedRows4::Step for the arguments):
// kFilterUpper: the upper row is new too, else it is read from top.
template <bool kFilterUpper, bool kFromBottom>
void RowsColumn8(const std::uint8_t* upper, const std::uint8_t* lower, int32_t count,
                 const int32_t* offsets, const std::uint16_t* weights, std::uint16_t* top,
                 std::uint16_t* bottom, std::uint32_t w, std::uint8_t* dst) {
    constexpr int kCarry = 32;
    const __m256i factor = BlendFactor(w);
    int32_t x = 0;
    for (; x + 8 <= count; x += 8) {
        const std::ptrdiff_t v = 4 * static_cast<std::ptrdiff_t>(x);
        const Factors8 f = RowFactors(weights + 2 * static_cast<std::ptrdiff_t>(x));
        const Block8 b = RowBlock(lower, offsets + x, f);
        StoreBlock8(bottom + v, b);
        Block8 t;
        if constexpr (kFilterUpper) {
            t = RowBlock(upper, offsets + x, f);
            StoreBlock8(top + v, t);
        } else {
            t = LoadBlock8(top + v);
        }
        StoreBlend<kFromBottom>(dst + v, t, b, factor);
    }
    if (x < count) {
        const std::ptrdiff_t v = 4 * static_cast<std::ptrdiff_t>(x);
        LinearRow4<kCarry>(lower, count - x, offsets + x, weights + 2 * x, bottom + v);
        if constexpr (kFilterUpper) {
            LinearRow4<kCarry>(upper, count - x, offsets + x, weights + 2 * x, top + v);
        }
        LinearColumnRows<kCarry, kFromBottom>(dst + v, 4 * static_cast<std::int64_t>(count - x), w,
                                              top + v, bottom + v);
    }
}

// The blend of two FusedRows8 rows of count pixels.
template <bool kFromBottom>
void BlockColumn8(std::uint8_t* dst, int32_t count, std::uint32_t w, const std::uint16_t* top,
                  const std::uint16_t* bottom) {
    const __m256i factor = BlendFactor(w);
    int32_t x = 0;
    for (; x + 8 <= count; x += 8) {
        const std::ptrdiff_t v = 4 * static_cast<std::ptrdiff_t>(x);
        StoreBlend<kFromBottom>(dst + v, LoadBlock8(top + v), LoadBlock8(bottom + v), factor);
    }
    const std::ptrdiff_t v = 4 * static_cast<std::ptrdiff_t>(x);
    LinearColumnRows<32, kFromBottom>(dst + v, 4 * static_cast<std::int64_t>(count - x), w,
                                      top + v, bottom + v);
}

// The contiguous four-channel 8-bit row pass and window step (LinearRowKernels.h). The row
// buffers hold each value plus 32, as FusedRows4's do, in blocks of eight pixels in the order
// of Block8; the pixels after the last whole block are held in plain order.
struct FusedRows8 {
    static constexpr int kCarry = 32;

    static void Row(const std::uint8_t* row, int32_t count, const int32_t* offsets,
                    const std::uint16_t* weights, std::uint16_t* out) {
        int32_t x = 0;
        for (; x + 8 <= count; x += 8) {
            StoreBlock8(out + 4 * static_cast<std::ptrdiff_t>(x),
                        RowBlock(row, offsets + x, RowFactors(weights + 2 * static_cast<std::ptrdiff_t>(x))));
        }
        LinearRow4<kCarry>(row, count - x, offsets + x, weights + 2 * x,
                           out + 4 * static_cast<std::ptrdiff_t>(x));
    }

    static void Step(const std::uint8_t* upper, const std::uint8_t* lower, int32_t count,
                     const int32_t* offsets, const std::uint16_t* weights, std::uint16_t* top,
                     std::uint16_t* bottom, std::uint32_t w, std::uint8_t* dst) {
        const bool fromBottom = w >= 8192u;
        if (lower == nullptr && fromBottom) {
            BlockColumn8<true>(dst, count, w, top, bottom);
        } else if (lower == nullptr) {
            BlockColumn8<false>(dst, count, w, top, bottom);
        } else if (upper != nullptr && fromBottom) {
            RowsColumn8<true, true>(upper, lower, count, offsets, weights, top, bottom, w, dst);
        } else if (upper != nullptr) {
            RowsColumn8<true, false>(upper, lower, count, offsets, weights, top, bottom, w, dst);
        } else if (fromBottom) {
            RowsColumn8<false, true>(upper, lower, count, offsets, weights, top, bottom, w, dst);
        } else {
            RowsColumn8<false, false>(upper, lower, count, offsets, weights, top, bottom, w, dst);
        }
    }
};

struct Avx2LinearPasses : SimdLinearPasses {
    using Fused4 = FusedRows8;
};

}  // namespace

QM_LINEAR_INTERLEAVED_KERNEL(ResizeLinearRows8uAvx2, std::uint8_t, Avx2LinearPasses)
