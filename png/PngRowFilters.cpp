#include "png/PngRowFilters.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <smmintrin.h>
#endif

namespace {

inline uint8_t Paeth(int a, int b, int c) {
    const int pa = b > c ? b - c : c - b;
    const int pb = a > c ? a - c : c - a;
    const int pcSigned = a + b - 2 * c;
    const int pc = pcSigned < 0 ? -pcSigned : pcSigned;
    if (pa <= pb && pa <= pc) return uint8_t(a);
    return uint8_t(pb <= pc ? b : c);
}

// Byte by byte, for any step. Bytes before the first full step have a = c = 0.
bool UnfilterBytes(uint32_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out,
                   size_t length, size_t step) {
    const size_t head = step < length ? step : length;
    switch (filterType) {
        case 1:
            for (size_t i = 0; i < head; ++i) out[i] = raw[i];
            for (size_t i = head; i < length; ++i) out[i] = uint8_t(raw[i] + out[i - step]);
            return true;
        case 2:
            for (size_t i = 0; i < length; ++i) out[i] = uint8_t(raw[i] + prev[i]);
            return true;
        case 3:
            for (size_t i = 0; i < head; ++i) out[i] = uint8_t(raw[i] + (prev[i] >> 1));
            for (size_t i = head; i < length; ++i) {
                out[i] = uint8_t(raw[i] + ((out[i - step] + prev[i]) >> 1));
            }
            return true;
        case 4:
            for (size_t i = 0; i < head; ++i) out[i] = uint8_t(raw[i] + prev[i]);
            for (size_t i = head; i < length; ++i) {
                out[i] = uint8_t(raw[i] + Paeth(out[i - step], prev[i], prev[i - step]));
            }
            return true;
        default:
            return false;
    }
}

#if defined(__SSE2__)

// A pixel of `Step` bytes (3, 4, 6 or 8) is moved as a whole word of kWord bytes; the word's
// bytes beyond the pixel belong to the next pixel, so only a row's last pixel needs an exact
// move.
template <size_t Step>
constexpr size_t kWord = Step <= 4 ? 4 : 8;

// The kWord bytes at p in the low byte lanes.
template <size_t Step>
inline __m128i LoadBytes(const uint8_t* p) {
    if constexpr (kWord<Step> == 4) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return _mm_cvtsi32_si128(int(v));
    } else {
        uint64_t v;
        std::memcpy(&v, p, 8);
        return _mm_cvtsi64_si128(int64_t(v));
    }
}

template <size_t Step>
inline void StoreBytes(uint8_t* p, __m128i bytes) {
    if constexpr (kWord<Step> == 4) {
        const uint32_t v = uint32_t(_mm_cvtsi128_si32(bytes));
        std::memcpy(p, &v, 4);
    } else {
        const uint64_t v = uint64_t(_mm_cvtsi128_si64(bytes));
        std::memcpy(p, &v, 8);
    }
}

// The same word widened to 16-bit lanes.
template <size_t Step>
inline __m128i LoadWord(const uint8_t* p) {
    return _mm_unpacklo_epi8(LoadBytes<Step>(p), _mm_setzero_si128());
}

template <size_t Step>
inline __m128i LoadExact(const uint8_t* p) {
    uint8_t word[8] = {};
    std::memcpy(word, p, Step);
    return LoadBytes<Step>(word);
}

template <size_t Step>
inline void StoreExact(uint8_t* p, __m128i bytes) {
    uint8_t word[8];
    StoreBytes<Step>(word, bytes);
    std::memcpy(p, word, Step);
}

// Sub and Average in byte lanes, where the sums wrap by themselves. Average's floor of
// (a + b) / 2 is the complement of the rounded-up average of the complements, so with the
// pixel to the left kept complemented (A = ~a) the chain from pixel to pixel is one rounded
// average and one subtraction: ~(x + ~avg(A, ~b)) = avg(A, ~b) - x.
template <size_t Step, uint32_t Filter>
void UnfilterBytesLanes(const uint8_t* raw, const uint8_t* prev, uint8_t* out, size_t length) {
    const __m128i ones = _mm_set1_epi8(-1);
    __m128i a = Filter == 1 ? _mm_setzero_si128() : ones;
    auto pixel = [&](__m128i x, const uint8_t* above, bool exact) {
        if constexpr (Filter == 1) {
            a = _mm_add_epi8(a, x);
            return a;
        } else {
            const __m128i b = exact ? LoadExact<Step>(above) : LoadBytes<Step>(above);
            a = _mm_sub_epi8(_mm_avg_epu8(a, _mm_xor_si128(b, ones)), x);
            return _mm_xor_si128(a, ones);
        }
    };
    size_t i = 0;
    for (; i + kWord<Step> <= length; i += Step) {
        StoreBytes<Step>(out + i, pixel(LoadBytes<Step>(raw + i), prev + i, false));
    }
    if (i < length) StoreExact<Step>(out + i, pixel(LoadExact<Step>(raw + i), prev + i, true));
}

// Paeth carries the reconstructed pixel to the left from pixel to pixel; a whole pixel per step
// in 16-bit lanes keeps that chain short. Whatever does not need the left pixel (pa, and x + b and
// x + c already wrapped to bytes) is formed before it arrives, and x is added to the candidates
// before the choice rather than after it. |v| is the larger of v and -v, both formed side by
// side. `length` is a multiple of Step.
template <size_t Step>
void UnfilterPaeth(const uint8_t* raw, const uint8_t* prev, uint8_t* out, size_t length) {
    const __m128i low = _mm_set1_epi16(0xFF);
    const __m128i zero = _mm_setzero_si128();
    __m128i a = zero;
    __m128i c = zero;
    auto pixel = [&](__m128i x, __m128i b) {
        const __m128i bc = _mm_sub_epi16(b, c);
        const __m128i cb = _mm_sub_epi16(c, b);
        const __m128i pa = _mm_max_epi16(bc, cb);
        const __m128i xb = _mm_and_si128(_mm_add_epi16(x, b), low);
        const __m128i xc = _mm_and_si128(_mm_add_epi16(x, c), low);
        const __m128i ac = _mm_sub_epi16(a, c);
        const __m128i ca = _mm_sub_epi16(c, a);
        const __m128i pb = _mm_max_epi16(ac, ca);
        const __m128i pc = _mm_max_epi16(_mm_add_epi16(ac, bc), _mm_sub_epi16(ca, bc));
        const __m128i xa = _mm_and_si128(_mm_add_epi16(x, a), low);
        // a where pa is the smallest, else b where pb is no larger than pc, else c.
        const __m128i notA = _mm_cmpgt_epi16(pa, _mm_min_epi16(pb, pc));
        const __m128i cOverB = _mm_cmpgt_epi16(pb, pc);
        const __m128i xbc = _mm_or_si128(_mm_and_si128(cOverB, xc), _mm_andnot_si128(cOverB, xb));
        a = _mm_or_si128(_mm_and_si128(notA, xbc), _mm_andnot_si128(notA, xa));
        c = b;
        return _mm_packus_epi16(a, a);
    };
    size_t i = 0;
    for (; i + kWord<Step> <= length; i += Step) {
        StoreBytes<Step>(out + i, pixel(LoadWord<Step>(raw + i), LoadWord<Step>(prev + i)));
    }
    if (i < length) {
        const __m128i x = _mm_unpacklo_epi8(LoadExact<Step>(raw + i), zero);
        const __m128i b = _mm_unpacklo_epi8(LoadExact<Step>(prev + i), zero);
        StoreExact<Step>(out + i, pixel(x, b));
    }
}

#if defined(__x86_64__)

// The same Paeth pixel with SSSE3's absolute values and SSE4.1's blends, one operation each where
// SSE2 takes two or three: six operations from one pixel to the next, and fewer in all.
__attribute__((target("sse4.1"))) inline __m128i PaethBlended(__m128i a, __m128i b, __m128i c,
                                                            __m128i x) {
    const __m128i low = _mm_set1_epi16(0xFF);
    const __m128i bc = _mm_sub_epi16(b, c);
    const __m128i pa = _mm_abs_epi16(bc);
    const __m128i xb = _mm_and_si128(_mm_add_epi16(x, b), low);
    const __m128i xc = _mm_and_si128(_mm_add_epi16(x, c), low);
    const __m128i ac = _mm_sub_epi16(a, c);
    const __m128i pb = _mm_abs_epi16(ac);
    const __m128i pc = _mm_abs_epi16(_mm_add_epi16(ac, bc));
    const __m128i xa = _mm_and_si128(_mm_add_epi16(x, a), low);
    const __m128i xbc = _mm_blendv_epi8(xb, xc, _mm_cmpgt_epi16(pb, pc));
    return _mm_blendv_epi8(xa, xbc, _mm_cmpgt_epi16(pa, _mm_min_epi16(pb, pc)));
}

template <size_t Step>
__attribute__((target("sse4.1"))) void UnfilterPaethBlended(const uint8_t* raw,
                                                             const uint8_t* prev, uint8_t* out,
                                                             size_t length) {
    __m128i a = _mm_setzero_si128();
    __m128i c = a;
    size_t i = 0;
    for (; i + kWord<Step> <= length; i += Step) {
        const __m128i b = _mm_cvtepu8_epi16(LoadBytes<Step>(prev + i));
        a = PaethBlended(a, b, c, _mm_cvtepu8_epi16(LoadBytes<Step>(raw + i)));
        c = b;
        StoreBytes<Step>(out + i, _mm_packus_epi16(a, a));
    }
    if (i < length) {
        const __m128i b = _mm_cvtepu8_epi16(LoadExact<Step>(prev + i));
        a = PaethBlended(a, b, c, _mm_cvtepu8_epi16(LoadExact<Step>(raw + i)));
        StoreExact<Step>(out + i, _mm_packus_epi16(a, a));
    }
}

#endif

// Up has no chain from pixel to pixel: sixteen bytes at a time.
void UnfilterUp(const uint8_t* raw, const uint8_t* prev, uint8_t* out, size_t length) {
    size_t i = 0;
    for (; i + 16 <= length; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(prev + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_add_epi8(x, b));
    }
    for (; i < length; ++i) out[i] = uint8_t(raw[i] + prev[i]);
}

template <size_t Step>
bool UnfilterStep(uint32_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out,
                  size_t length) {
    switch (filterType) {
        case 1: UnfilterBytesLanes<Step, 1>(raw, prev, out, length); return true;
        case 3: UnfilterBytesLanes<Step, 3>(raw, prev, out, length); return true;
        case 4:
#if defined(__x86_64__)
            if (__builtin_cpu_supports("sse4.1")) {
                UnfilterPaethBlended<Step>(raw, prev, out, length);
                return true;
            }
#endif
            UnfilterPaeth<Step>(raw, prev, out, length);
            return true;
        default: return false;
    }
}

#endif

}  // namespace

bool PngUnfilterRow(uint32_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out,
                    size_t length, size_t step) {
#if defined(__SSE2__)
    if (filterType == 2) {
        UnfilterUp(raw, prev, out, length);
        return true;
    }
    if (length % step == 0) {
        switch (step) {
            case 3: if (UnfilterStep<3>(filterType, raw, prev, out, length)) return true; break;
            case 4: if (UnfilterStep<4>(filterType, raw, prev, out, length)) return true; break;
            case 6: if (UnfilterStep<6>(filterType, raw, prev, out, length)) return true; break;
            case 8: if (UnfilterStep<8>(filterType, raw, prev, out, length)) return true; break;
            default: break;
        }
    }
#endif
    return UnfilterBytes(filterType, raw, prev, out, length, step);
}
