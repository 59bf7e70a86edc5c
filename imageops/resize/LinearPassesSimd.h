#pragma once

#include "imageops/resize/LinearPasses.h"
#include "imageops/resize/ResizeLinearWindow.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// The linear passes of the SIMD builds, shared by the SSE2 and SSE3 files (internal linkage
// keeps each build's copy compiled with its own flags). Integer passes give exactly the plain
// build's values: 8-bit rows (w0 p0 + w1 p1 + 128) >> 8 and columns
// (t (16384 - w) + b w + 524288) >> 20 with signed 16-bit multiply-adds (weights 0..16384,
// buffer values 0..16320); 16-bit rows (w0 p0 + w1 p1 + 8192) >> 14 and columns
// (t (16384 - w) + b w + 8192) >> 14 with full unsigned 16 x 16-bit products. Float passes
// round every operation to single precision: rows p0 + (p1 - p0) f, columns t u + b w with
// u = 1 - w formed once per row. Row buffers keep 4 spare pixels; the three-of-four passes
// read into them.
namespace {

using std::int32_t;

inline __m128i LoadLow64(const void* p) {
    return _mm_loadl_epi64(static_cast<const __m128i*>(p));
}

inline __m128i LoadLow32(const void* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return _mm_cvtsi32_si128(v);
}

// Two consecutive 16-bit samples as one 32-bit lane (p0 in the low word).
inline std::uint32_t LoadPair16(const std::uint16_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline __m128i LoadLow48(const void* p) {
    std::int64_t v = 0;
    std::memcpy(&v, p, 6);
    return _mm_cvtsi64_si128(v);
}

// Two Q14 weights (w0, w1) in every 32-bit lane, for multiply-adds of (p0, p1) word pairs.
inline __m128i WeightPair(std::uint32_t w0, std::uint32_t w1) {
    return _mm_set1_epi32(static_cast<std::int32_t>(w0 | (w1 << 16)));
}

inline __m128i WeightPairAt(const std::uint16_t* weights, std::ptrdiff_t x) {
    return WeightPair(weights[2 * x], weights[2 * x + 1]);
}

// (sum + bias) >> shift of four 32-bit lanes.
template <int kShift>
inline __m128i Round(__m128i sums, std::int32_t bias) {
    return _mm_srli_epi32(_mm_add_epi32(sums, _mm_set1_epi32(bias)), kShift);
}

// Four unsigned 32-bit values of at most 65535 packed into the low four words.
inline __m128i PackUnsigned16(__m128i low, __m128i high) {
    const __m128i offset = _mm_set1_epi32(32768);
    const __m128i packed = _mm_packs_epi32(_mm_sub_epi32(low, offset), _mm_sub_epi32(high, offset));
    return _mm_xor_si128(packed, _mm_set1_epi16(static_cast<short>(0x8000)));
}

// Sums of the unsigned products of word pairs: lane i = a[2i] b[2i] + a[2i+1] b[2i+1], for
// products of at most 65535 x 16384.
inline __m128i MultiplyAddUnsigned(__m128i a, __m128i b) {
    const __m128i low = _mm_mullo_epi16(a, b);
    const __m128i high = _mm_mulhi_epu16(a, b);
    const __m128i first = _mm_unpacklo_epi16(low, high);
    const __m128i second = _mm_unpackhi_epi16(low, high);
    const __m128 evens =
        _mm_shuffle_ps(_mm_castsi128_ps(first), _mm_castsi128_ps(second), _MM_SHUFFLE(2, 0, 2, 0));
    const __m128 odds =
        _mm_shuffle_ps(_mm_castsi128_ps(first), _mm_castsi128_ps(second), _MM_SHUFFLE(3, 1, 3, 1));
    return _mm_add_epi32(_mm_castps_si128(evens), _mm_castps_si128(odds));
}

// (p0, p1) word pairs of four channels from the two pixels' samples as words.
inline __m128i PairChannels(__m128i left, __m128i right) {
    return _mm_unpacklo_epi16(left, right);
}

using Fixed8u = FixedLinearOps<std::uint8_t>;
using Fixed16u = FixedLinearOps<std::uint16_t>;

// ---- 8-bit rows -------------------------------------------------------------------------

// Row-buffer values of two four-channel destination pixels, whose left source pixels are at a
// and b, with weights = (pair of a's pixel twice, pair of b's pixel twice) as 32-bit lanes, plus
// kCarry (see FusedRows4). Each pixel's p0 and p1 are read as eight bytes, both pixels into one
// register; one word shuffle per half sets channels 0-1 of p0 beside those of p1 (and 2-3
// likewise), and the even and odd bytes of the words are then the (p0, p1) pairs of channels 0
// and 2 (sumEven: pixel a's, then b's) and 1 and 3 (sumOdd), summed with the rounding constant.
// Row4Pair puts channel 0 and 1 into the two halves of one 32-bit lane by shifts and masks,
// which more units execute than shuffles.
template <int kCarry>
inline void Row4Sums(const std::uint8_t* a, const std::uint8_t* b, __m128i weights,
                     __m128i& sumEven, __m128i& sumOdd) {
    const __m128i bias = _mm_set1_epi32(128 + 256 * kCarry);
    const __m128i both = _mm_castpd_si128(
        _mm_loadh_pd(_mm_castsi128_pd(LoadLow64(a)), reinterpret_cast<const double*>(b)));
    const __m128i paired = _mm_shufflehi_epi16(_mm_shufflelo_epi16(both, 0xD8), 0xD8);
    const __m128i even = _mm_and_si128(paired, _mm_set1_epi16(0x00FF));
    const __m128i odd = _mm_srli_epi16(paired, 8);
    sumEven = _mm_add_epi32(_mm_madd_epi16(even, weights), bias);
    sumOdd = _mm_add_epi32(_mm_madd_epi16(odd, weights), bias);
}

template <int kCarry = 0>
inline __m128i Row4Pair(const std::uint8_t* a, const std::uint8_t* b, __m128i weights) {
    __m128i sumEven;
    __m128i sumOdd;
    Row4Sums<kCarry>(a, b, weights, sumEven, sumOdd);
    return _mm_or_si128(_mm_srli_epi32(sumEven, 8),
                        _mm_and_si128(_mm_slli_epi32(sumOdd, 8), _mm_set1_epi32(-65536)));
}

// The weight lanes of Row4Pair for pixels 0 and 1, and 2 and 3, of four weight pairs.
inline __m128i PairWeightsLow(__m128i pairs) {
    return _mm_unpacklo_epi32(pairs, pairs);
}

inline __m128i PairWeightsHigh(__m128i pairs) {
    return _mm_unpackhi_epi32(pairs, pairs);
}

// Four channels, two destination pixels per vector and four per step; every value plus kCarry.
template <int kCarry = 0>
inline void LinearRow4(const std::uint8_t* row, int32_t count, const int32_t* offsets,
                       const std::uint16_t* weights, std::uint16_t* out) {
    int32_t x = 0;
    for (; x + 4 <= count; x += 4) {
        _mm_prefetch(reinterpret_cast<const char*>(row + offsets[x]) + kRowReadAhead, _MM_HINT_T0);
        const __m128i w =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + 2 * static_cast<std::ptrdiff_t>(x)));
        auto* o = reinterpret_cast<__m128i*>(out + 4 * static_cast<std::ptrdiff_t>(x));
        _mm_storeu_si128(o, Row4Pair<kCarry>(row + offsets[x], row + offsets[x + 1], PairWeightsLow(w)));
        _mm_storeu_si128(o + 1, Row4Pair<kCarry>(row + offsets[x + 2], row + offsets[x + 3], PairWeightsHigh(w)));
    }
    if (x + 2 <= count) {
        const __m128i w = LoadLow64(weights + 2 * static_cast<std::ptrdiff_t>(x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * static_cast<std::ptrdiff_t>(x)),
                         Row4Pair<kCarry>(row + offsets[x], row + offsets[x + 1], PairWeightsLow(w)));
        x += 2;
    }
    if (x < count) {
        std::uint16_t* last = out + 4 * static_cast<std::ptrdiff_t>(x);
        LinearRowScalar<Fixed8u, std::uint8_t, 4>(row, 1, 4, offsets + x, weights + 2 * x, last);
        for (int c = 0; c < 4; ++c) {
            last[c] = static_cast<std::uint16_t>(last[c] + kCarry);
        }
    }
}

// Three channels: with a stride of 4 whole pixels are read and the fourth channel dropped;
// any other stride is taken as 3 and exactly the six bytes of the two pixels are read.
inline void LinearRow3(const std::uint8_t* row, int32_t count, int32_t pixelStride,
                         const int32_t* offsets, const std::uint16_t* weights, std::uint16_t* out) {
    const __m128i zero = _mm_setzero_si128();
    for (int32_t x = 0; x < count; ++x) {
        const std::uint8_t* p = row + offsets[x];
        __m128i left;
        __m128i right;
        if (pixelStride == 4) {
            const __m128i words = _mm_unpacklo_epi8(LoadLow64(p), zero);
            left = words;
            right = _mm_srli_si128(words, 8);
        } else {
            const __m128i words = _mm_unpacklo_epi8(LoadLow48(p), zero);
            left = words;
            right = _mm_srli_si128(words, 6);
        }
        const __m128i sums =
            Round<8>(_mm_madd_epi16(PairChannels(left, right), WeightPairAt(weights, x)), 128);
        const __m128i packed = _mm_packs_epi32(sums, sums);
        // Four words go out; the fourth is overwritten by the next pixel or lands in the
        // buffer's spare room.
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * static_cast<std::ptrdiff_t>(x)),
                         packed);
    }
}

// One channel: eight columns per step, each (p0, p1) read as one 16-bit pair.
inline void LinearRow1(const std::uint8_t* row, int32_t count, const int32_t* offsets,
                         const std::uint16_t* weights, std::uint16_t* out) {
    const __m128i zero = _mm_setzero_si128();
    int32_t x = 0;
    for (; x + 8 <= count; x += 8) {
        alignas(16) std::uint16_t gathered[8];
        for (int k = 0; k < 8; ++k) {
            std::memcpy(&gathered[k], row + offsets[x + k], 2);
        }
        const __m128i pairs = _mm_load_si128(reinterpret_cast<const __m128i*>(gathered));
        const __m128i low = _mm_unpacklo_epi8(pairs, zero);
        const __m128i high = _mm_unpackhi_epi8(pairs, zero);
        const auto* w =
            reinterpret_cast<const __m128i*>(weights + 2 * static_cast<std::ptrdiff_t>(x));
        const __m128i first = Round<8>(_mm_madd_epi16(low, _mm_loadu_si128(w)), 128);
        const __m128i second = Round<8>(_mm_madd_epi16(high, _mm_loadu_si128(w + 1)), 128);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packs_epi32(first, second));
    }
    LinearRowScalar<Fixed8u, std::uint8_t, 1>(row, count - x, 1, offsets + x, weights + 2 * x,
                                              out + x);
}

// ---- 16-bit rows ------------------------------------------------------------------------

inline void LinearRow4(const std::uint16_t* row, int32_t count, const int32_t* offsets,
                          const std::uint16_t* weights, std::uint16_t* out) {
    int32_t x = 0;
    for (; x + 2 <= count; x += 2) {
        __m128i sums[2];
        for (int k = 0; k < 2; ++k) {
            const std::uint16_t* p = row + offsets[x + k];
            const __m128i pairs = PairChannels(LoadLow64(p), LoadLow64(p + 4));
            sums[k] = Round<14>(MultiplyAddUnsigned(pairs, WeightPairAt(weights, x + k)), 8192);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * static_cast<std::ptrdiff_t>(x)),
                         PackUnsigned16(sums[0], sums[1]));
    }
    LinearRowScalar<Fixed16u, std::uint16_t, 4>(row, count - x, 4, offsets + x, weights + 2 * x,
                                                out + 4 * static_cast<std::ptrdiff_t>(x));
}

inline void LinearRow3(const std::uint16_t* row, int32_t count, int32_t pixelStride,
                          const int32_t* offsets, const std::uint16_t* weights,
                          std::uint16_t* out) {
    for (int32_t x = 0; x < count; ++x) {
        const std::uint16_t* p = row + offsets[x];
        __m128i left;
        __m128i right;
        if (pixelStride == 4) {
            left = LoadLow64(p);
            right = LoadLow64(p + 4);
        } else {
            left = LoadLow48(p);
            right = LoadLow48(p + 3);
        }
        const __m128i sums = Round<14>(
            MultiplyAddUnsigned(PairChannels(left, right), WeightPairAt(weights, x)), 8192);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * static_cast<std::ptrdiff_t>(x)),
                         PackUnsigned16(sums, sums));
    }
}

inline void LinearRow1(const std::uint16_t* row, int32_t count, const int32_t* offsets,
                          const std::uint16_t* weights, std::uint16_t* out) {
    int32_t x = 0;
    for (; x + 8 <= count; x += 8) {
        __m128i sums[2];
        for (int half = 0; half < 2; ++half) {
            const int32_t base = x + 4 * half;
            const __m128i pairs =
                _mm_setr_epi32(static_cast<std::int32_t>(LoadPair16(row + offsets[base])),
                               static_cast<std::int32_t>(LoadPair16(row + offsets[base + 1])),
                               static_cast<std::int32_t>(LoadPair16(row + offsets[base + 2])),
                               static_cast<std::int32_t>(LoadPair16(row + offsets[base + 3])));
            const __m128i w = _mm_loadu_si128(
                reinterpret_cast<const __m128i*>(weights + 2 * static_cast<std::ptrdiff_t>(base)));
            sums[half] = Round<14>(MultiplyAddUnsigned(pairs, w), 8192);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), PackUnsigned16(sums[0], sums[1]));
    }
    LinearRowScalar<Fixed16u, std::uint16_t, 1>(row, count - x, 1, offsets + x, weights + 2 * x,
                                                out + x);
}

// ---- integer columns --------------------------------------------------------------------

// Eight values of (t (16384 - w) + b w + bias) >> shift, as 32-bit lanes in two vectors.
inline void Column8u(__m128i top, __m128i bottom, __m128i weights, __m128i& low, __m128i& high) {
    low = Round<20>(_mm_madd_epi16(_mm_unpacklo_epi16(top, bottom), weights), 524288);
    high = Round<20>(_mm_madd_epi16(_mm_unpackhi_epi16(top, bottom), weights), 524288);
}

inline void Column16u(__m128i top, __m128i bottom, __m128i weights, __m128i& low, __m128i& high) {
    low = Round<14>(MultiplyAddUnsigned(_mm_unpacklo_epi16(top, bottom), weights), 8192);
    high = Round<14>(MultiplyAddUnsigned(_mm_unpackhi_epi16(top, bottom), weights), 8192);
}

inline __m128i LoadBuffer(const std::uint16_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Eight 8-bit results in 16-bit lanes from eight buffer values of each row holding the values
// plus kCarry, for the row weight w that ColumnFactor gave factor for. With d = b - t,
// (16384 t + d w + 524288) >> 20 equals (t + floor(d w / 16384) + 32) >> 6, and
// floor(d w / 16384) is the high half of d (4 w). From w = 8192 on, 4 w is held as 4 w - 65536,
// whose high half is d less, so the sum starts from b = t + d instead (kFromBottom).
template <int kCarry, bool kFromBottom>
inline __m128i Column8uWords(__m128i t, __m128i b, __m128i factor) {
    __m128i q = _mm_add_epi16(kFromBottom ? b : t, _mm_mulhi_epi16(_mm_sub_epi16(b, t), factor));
    if constexpr (kCarry != 32) {
        q = _mm_add_epi16(q, _mm_set1_epi16(static_cast<short>(32 - kCarry)));
    }
    return _mm_srli_epi16(q, 6);
}

inline __m128i ColumnFactor(std::uint32_t w) {
    return _mm_set1_epi16(static_cast<short>(static_cast<std::uint16_t>(4 * w)));
}

template <int kCarry, bool kFromBottom>
inline void LinearColumnRows(std::uint8_t* dst, std::int64_t count, std::uint32_t w,
                             const std::uint16_t* top, const std::uint16_t* bottom) {
    const __m128i factor = ColumnFactor(w);
    const auto eight = [&](std::int64_t i) {
        return Column8uWords<kCarry, kFromBottom>(LoadBuffer(top + i), LoadBuffer(bottom + i), factor);
    };
    std::int64_t i = 0;
    for (; i + 16 <= count; i += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(eight(i), eight(i + 8)));
    }
    if (i + 8 <= count) {
        const __m128i words = eight(i);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(words, words));
        i += 8;
    }
    for (; i < count; ++i) {
        dst[i] = Fixed8u::Vertical(top[i] - kCarry, bottom[i] - kCarry, w);
    }
}

// Sixteen bytes per step in 16-bit lanes, from buffers holding the values plus kCarry.
template <int kCarry = 0>
inline void LinearColumn(std::uint8_t* dst, std::int64_t count, std::uint32_t w,
                         const std::uint16_t* top, const std::uint16_t* bottom) {
    if (w >= 8192u) {
        LinearColumnRows<kCarry, true>(dst, count, w, top, bottom);
    } else {
        LinearColumnRows<kCarry, false>(dst, count, w, top, bottom);
    }
}

// Four pixels as FusedRows4 buffers hold them: channels 0 and 2 of the four pixels in turn,
// then channels 1 and 3, so each half comes from the sums by one shift and one pack.
struct Block4 {
    __m128i even;
    __m128i odd;
};

template <int kCarry>
inline Block4 Row4Block(const std::uint8_t* row, int32_t o0, int32_t o1, int32_t o2, int32_t o3,
                        __m128i w01, __m128i w23) {
    __m128i even01;
    __m128i odd01;
    __m128i even23;
    __m128i odd23;
    Row4Sums<kCarry>(row + o0, row + o1, w01, even01, odd01);
    Row4Sums<kCarry>(row + o2, row + o3, w23, even23, odd23);
    return {_mm_packs_epi32(_mm_srli_epi32(even01, 8), _mm_srli_epi32(even23, 8)),
            _mm_packs_epi32(_mm_srli_epi32(odd01, 8), _mm_srli_epi32(odd23, 8))};
}

inline Block4 LoadBlock(const std::uint16_t* p) {
    return {_mm_load_si128(reinterpret_cast<const __m128i*>(p)),
            _mm_load_si128(reinterpret_cast<const __m128i*>(p + 8))};
}

inline void StoreBlock(std::uint16_t* p, const Block4& k) {
    _mm_store_si128(reinterpret_cast<__m128i*>(p), k.even);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 8), k.odd);
}

// The sixteen bytes of four pixels from blocks of the two rows holding values plus 32 (see
// Column8uWords): each even result is the low byte of a word, each odd one the high byte.
template <bool kFromBottom>
inline __m128i BlockBytes(const Block4& t, const Block4& b, __m128i factor) {
    const __m128i even = _mm_add_epi16(kFromBottom ? b.even : t.even,
                                       _mm_mulhi_epi16(_mm_sub_epi16(b.even, t.even), factor));
    const __m128i odd = _mm_add_epi16(kFromBottom ? b.odd : t.odd,
                                      _mm_mulhi_epi16(_mm_sub_epi16(b.odd, t.odd), factor));
    return _mm_or_si128(_mm_srli_epi16(even, 6),
                        _mm_and_si128(_mm_slli_epi16(odd, 2), _mm_set1_epi16(static_cast<short>(0xFF00))));
}

// The blend of two FusedRows4 rows of count pixels.
template <bool kFromBottom>
inline void BlockColumn(std::uint8_t* dst, int32_t count, std::uint32_t w,
                        const std::uint16_t* top, const std::uint16_t* bottom) {
    const __m128i factor = ColumnFactor(w);
    int32_t x = 0;
    for (; x + 4 <= count; x += 4) {
        const std::ptrdiff_t v = 4 * static_cast<std::ptrdiff_t>(x);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + v),
                         BlockBytes<kFromBottom>(LoadBlock(top + v), LoadBlock(bottom + v), factor));
    }
    const std::ptrdiff_t v = 4 * static_cast<std::ptrdiff_t>(x);
    LinearColumnRows<32, kFromBottom>(dst + v, 4 * static_cast<std::int64_t>(count - x), w,
                                      top + v, bottom + v);
}

// One window step of contiguous four-channel 8-bit pixels over FusedRows4 buffers, four pixels
// per step: the new source rows are filtered, blended while still in registers and stored to
// their buffers as well for the destination rows after. kFilterUpper: the upper row is new too,
// else it is read from top. Each step filters the next block before blending the last one, so
// the processor has independent work beside every blend; a turn of the loop takes two steps, so
// the two blocks in flight keep their registers. kFromBottom as for Column8uWords.
template <bool kFilterUpper, bool kFromBottom>
inline void RowsColumn4Blocks(const std::uint8_t* upper, const std::uint8_t* lower, int32_t count,
                              const int32_t* offsets, const std::uint16_t* weights,
                              std::uint16_t* top, std::uint16_t* bottom, std::uint32_t w,
                              std::uint8_t* dst) {
    constexpr int kCarry = 32;
    const __m128i factor = ColumnFactor(w);
    struct Block {
        Block4 t;
        Block4 b;
    };
    const auto filter = [&](int32_t x) {
        const int32_t o0 = offsets[x];
        const int32_t o1 = offsets[x + 1];
        const int32_t o2 = offsets[x + 2];
        const int32_t o3 = offsets[x + 3];
        const __m128i pairs =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + 2 * static_cast<std::ptrdiff_t>(x)));
        const __m128i w01 = PairWeightsLow(pairs);
        const __m128i w23 = PairWeightsHigh(pairs);
        const std::ptrdiff_t v = 4 * static_cast<std::ptrdiff_t>(x);
        Block k;
        _mm_prefetch(reinterpret_cast<const char*>(lower + o0) + kRowReadAhead, _MM_HINT_T0);
        k.b = Row4Block<kCarry>(lower, o0, o1, o2, o3, w01, w23);
        StoreBlock(bottom + v, k.b);
        if constexpr (kFilterUpper) {
            _mm_prefetch(reinterpret_cast<const char*>(upper + o0) + kRowReadAhead, _MM_HINT_T0);
            k.t = Row4Block<kCarry>(upper, o0, o1, o2, o3, w01, w23);
            StoreBlock(top + v, k.t);
        } else {
            k.t = LoadBlock(top + v);
        }
        return k;
    };
    const auto blend = [&](int32_t x, const Block& k) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4 * static_cast<std::ptrdiff_t>(x)),
                         BlockBytes<kFromBottom>(k.t, k.b, factor));
    };
    int32_t x = 0;
    if (count >= 4) {
        Block k = filter(0);
        for (x = 4; x + 8 <= count; x += 8) {
            const Block k1 = filter(x);
            blend(x - 4, k);
            k = filter(x + 4);
            blend(x, k1);
        }
        if (x + 4 <= count) {
            const Block k1 = filter(x);
            blend(x - 4, k);
            k = k1;
            x += 4;
        }
        blend(x - 4, k);
    }
    if (x < count) {
        const std::ptrdiff_t v = 4 * static_cast<std::ptrdiff_t>(x);
        LinearRow4<kCarry>(lower, count - x, offsets + x, weights + 2 * x, bottom + v);
        if constexpr (kFilterUpper) {
            LinearRow4<kCarry>(upper, count - x, offsets + x, weights + 2 * x, top + v);
        }
        LinearColumnRows<kCarry, kFromBottom>(dst + v, 4 * static_cast<std::int64_t>(count - x),
                                              w, top + v, bottom + v);
    }
}

// The contiguous four-channel 8-bit kernel's own row pass and window step (LinearRowKernels.h).
// Its row buffers hold each value plus 32, the vertical step's rounding term, which the row
// pass adds for free in its own rounding constant, and whole blocks of four pixels in the order
// of Block4; the pixels after the last whole block are held in plain order.
struct FusedRows4 {
    static constexpr int kCarry = 32;

    static void Row(const std::uint8_t* row, int32_t count, const int32_t* offsets,
                    const std::uint16_t* weights, std::uint16_t* out) {
        int32_t x = 0;
        for (; x + 4 <= count; x += 4) {
            _mm_prefetch(reinterpret_cast<const char*>(row + offsets[x]) + kRowReadAhead, _MM_HINT_T0);
            const __m128i pairs = _mm_loadu_si128(
                reinterpret_cast<const __m128i*>(weights + 2 * static_cast<std::ptrdiff_t>(x)));
            StoreBlock(out + 4 * static_cast<std::ptrdiff_t>(x),
                       Row4Block<kCarry>(row, offsets[x], offsets[x + 1], offsets[x + 2],
                                         offsets[x + 3], PairWeightsLow(pairs),
                                         PairWeightsHigh(pairs)));
        }
        LinearRow4<kCarry>(row, count - x, offsets + x, weights + 2 * x,
                           out + 4 * static_cast<std::ptrdiff_t>(x));
    }

    static void Step(const std::uint8_t* upper, const std::uint8_t* lower, int32_t count,
                     const int32_t* offsets, const std::uint16_t* weights, std::uint16_t* top,
                     std::uint16_t* bottom, std::uint32_t w, std::uint8_t* dst) {
        const bool fromBottom = w >= 8192u;
        if (lower == nullptr && fromBottom) {
            BlockColumn<true>(dst, count, w, top, bottom);
        } else if (lower == nullptr) {
            BlockColumn<false>(dst, count, w, top, bottom);
        } else if (upper != nullptr && fromBottom) {
            RowsColumn4Blocks<true, true>(upper, lower, count, offsets, weights, top, bottom, w, dst);
        } else if (upper != nullptr) {
            RowsColumn4Blocks<true, false>(upper, lower, count, offsets, weights, top, bottom, w, dst);
        } else if (fromBottom) {
            RowsColumn4Blocks<false, true>(upper, lower, count, offsets, weights, top, bottom, w, dst);
        } else {
            RowsColumn4Blocks<false, false>(upper, lower, count, offsets, weights, top, bottom, w, dst);
        }
    }
};

inline void LinearColumn(std::uint16_t* dst, std::int64_t count, std::uint32_t w,
                            const std::uint16_t* top, const std::uint16_t* bottom) {
    const __m128i weights = WeightPair(16384u - w, w);
    std::int64_t i = 0;
    for (; i + 8 <= count; i += 8) {
        __m128i low;
        __m128i high;
        Column16u(LoadBuffer(top + i), LoadBuffer(bottom + i), weights, low, high);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), PackUnsigned16(low, high));
    }
    LinearColumnScalar<Fixed16u>(dst, i, count, w, top, bottom);
}

// Words [v0 v1 v2 v3 | v4 v5 v6 v7] of two packed three-value pixels to [v0 v1 v2 v3 | v3 v4 v5
// v6]: each pixel's three values at the start of its four-word half.
inline __m128i SpreadThreeOfFour(__m128i words) {
    return _mm_castpd_si128(
        _mm_move_sd(_mm_castsi128_pd(_mm_slli_si128(words, 2)), _mm_castsi128_pd(words)));
}

// Two pixels per step, the destination's fourth byte read and written back; the buffers are
// read four values at a time from each pixel's three, into their spare room.
inline void LinearColumn3of4(std::uint8_t* dst, int32_t width, std::uint32_t w,
                               const std::uint16_t* top, const std::uint16_t* bottom) {
    const __m128i weights = WeightPair(16384u - w, w);
    const __m128i keep = _mm_set1_epi32(0x00FFFFFF);
    int32_t x = 0;
    for (; x + 2 <= width; x += 2) {
        const std::ptrdiff_t v = 3 * static_cast<std::ptrdiff_t>(x);
        __m128i low;
        __m128i high;
        Column8u(LoadBuffer(top + v), LoadBuffer(bottom + v), weights, low, high);
        const __m128i words = SpreadThreeOfFour(_mm_packs_epi32(low, high));
        const __m128i bytes = _mm_packus_epi16(words, words);
        auto* out = reinterpret_cast<__m128i*>(dst + 4 * static_cast<std::ptrdiff_t>(x));
        const __m128i old = _mm_loadl_epi64(out);
        _mm_storel_epi64(out,
                         _mm_or_si128(_mm_and_si128(bytes, keep), _mm_andnot_si128(keep, old)));
    }
    LinearColumn3of4Scalar<Fixed8u>(dst, x, width, w, top, bottom);
}

inline void LinearColumn3of4(std::uint16_t* dst, int32_t width, std::uint32_t w,
                                const std::uint16_t* top, const std::uint16_t* bottom) {
    const __m128i weights = WeightPair(16384u - w, w);
    const __m128i keep = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    int32_t x = 0;
    for (; x + 2 <= width; x += 2) {
        const std::ptrdiff_t v = 3 * static_cast<std::ptrdiff_t>(x);
        __m128i low;
        __m128i high;
        Column16u(LoadBuffer(top + v), LoadBuffer(bottom + v), weights, low, high);
        const __m128i words = SpreadThreeOfFour(PackUnsigned16(low, high));
        auto* out = reinterpret_cast<__m128i*>(dst + 4 * static_cast<std::ptrdiff_t>(x));
        const __m128i old = _mm_loadu_si128(out);
        _mm_storeu_si128(out,
                         _mm_or_si128(_mm_and_si128(words, keep), _mm_andnot_si128(keep, old)));
    }
    LinearColumn3of4Scalar<Fixed16u>(dst, x, width, w, top, bottom);
}

// ---- float rows and columns -------------------------------------------------------------

// Two floats from each of two addresses: [a0 a1 b0 b1].
inline __m128 LoadPairs(const float* a, const float* b) {
    const __m128 low = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(a));
    return _mm_loadh_pi(low, reinterpret_cast<const __m64*>(b));
}

inline void LinearRow1(const float* row, int32_t count, const int32_t* offsets,
                          const float* fractions, float* out) {
    int32_t x = 0;
    for (; x + 4 <= count; x += 4) {
        const __m128 first = LoadPairs(row + offsets[x], row + offsets[x + 1]);
        const __m128 second = LoadPairs(row + offsets[x + 2], row + offsets[x + 3]);
        const __m128 left = _mm_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 right = _mm_shuffle_ps(first, second, _MM_SHUFFLE(3, 1, 3, 1));
        const __m128 f = _mm_loadu_ps(fractions + x);
        _mm_storeu_ps(out + x, _mm_add_ps(left, _mm_mul_ps(_mm_sub_ps(right, left), f)));
    }
    LinearRowScalar<SingleLinearOps, float, 1>(row, count - x, 1, offsets + x, fractions + x,
                                               out + x);
}

inline void LinearRow4(const float* row, int32_t count, const int32_t* offsets,
                          const float* fractions, float* out) {
    for (int32_t x = 0; x < count; ++x) {
        const float* p = row + offsets[x];
        const __m128 left = _mm_loadu_ps(p);
        const __m128 right = _mm_loadu_ps(p + 4);
        const __m128 f = _mm_set1_ps(fractions[x]);
        _mm_storeu_ps(out + 4 * static_cast<std::ptrdiff_t>(x),
                      _mm_add_ps(left, _mm_mul_ps(_mm_sub_ps(right, left), f)));
    }
}

inline void LinearColumn(float* dst, std::int64_t count, float w, const float* top,
                            const float* bottom) {
    const __m128 uv = _mm_set1_ps(1.0f - w);
    const __m128 wv = _mm_set1_ps(w);
    std::int64_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128 t = _mm_loadu_ps(top + i);
        const __m128 b = _mm_loadu_ps(bottom + i);
        _mm_storeu_ps(dst + i, _mm_add_ps(_mm_mul_ps(t, uv), _mm_mul_ps(b, wv)));
    }
    LinearColumnScalar<SingleLinearOps>(dst, i, count, w, top, bottom);
}

// Three float channels, one value at a time.
inline void LinearRow3(const float* row, int32_t count, int32_t pixelStride, const int32_t* offsets,
                       const float* fractions, float* out) {
    LinearRowScalar<SingleLinearOps, float, 3>(row, count, pixelStride, offsets, fractions, out);
}

inline void LinearColumn3of4(float* dst, int32_t width, float w, const float* top,
                             const float* bottom) {
    LinearColumn3of4Scalar<SingleLinearOps>(dst, 0, width, w, top, bottom);
}

// The passes of the kernel templates (LinearRowKernels.h), each overloaded on the sample type.
struct SimdLinearPasses {
    using Fused4 = FusedRows4;

    template <typename T, int kChannels, typename Weight, typename Buffer>
    static void Row(const T* row, int32_t count, int32_t distance, const int32_t* offsets,
                    const Weight* weights, Buffer* out) {
        if constexpr (kChannels == 4) {
            LinearRow4(row, count, offsets, weights, out);
        } else if constexpr (kChannels == 3) {
            LinearRow3(row, count, distance, offsets, weights, out);
        } else {
            LinearRow1(row, count, offsets, weights, out);
        }
    }
    template <typename T, typename Weight, typename Buffer>
    static void Column(T* dst, std::int64_t count, Weight weight, const Buffer* top,
                       const Buffer* bottom) {
        LinearColumn(dst, count, weight, top, bottom);
    }
    template <typename T, typename Weight, typename Buffer>
    static void Column3of4(T* dst, int32_t width, Weight weight, const Buffer* top,
                           const Buffer* bottom) {
        LinearColumn3of4(dst, width, weight, top, bottom);
    }
};

}  // namespace
