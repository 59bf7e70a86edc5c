#include "png/PngRowFilters.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
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

// One pixel of `Step` bytes (3, 4, 6 or 8) widened to 16-bit lanes.
template <size_t Step>
inline __m128i LoadPixel(const uint8_t* p) {
    uint64_t v = 0;
    std::memcpy(&v, p, Step);
    return _mm_unpacklo_epi8(_mm_cvtsi64_si128(int64_t(v)), _mm_setzero_si128());
}

template <size_t Step>
inline void StorePixel(uint8_t* p, __m128i lanes) {
    const uint64_t v = uint64_t(_mm_cvtsi128_si64(_mm_packus_epi16(lanes, lanes)));
    std::memcpy(p, &v, Step);
}

inline __m128i Abs16(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }

// Sub, Average and Paeth carry the reconstructed pixel to the left from pixel to pixel; doing a
// whole pixel per step in 16-bit lanes keeps that chain short. `length` is a multiple of Step.
template <size_t Step>
void UnfilterPixels(uint32_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out,
                    size_t length) {
    const __m128i low = _mm_set1_epi16(0xFF);
    __m128i a = _mm_setzero_si128();
    __m128i c = _mm_setzero_si128();
    for (size_t i = 0; i < length; i += Step) {
        const __m128i x = LoadPixel<Step>(raw + i);
        __m128i predictor;
        if (filterType == 1) {
            predictor = a;
        } else if (filterType == 3) {
            predictor = _mm_srli_epi16(_mm_add_epi16(a, LoadPixel<Step>(prev + i)), 1);
        } else {
            const __m128i b = LoadPixel<Step>(prev + i);
            const __m128i bc = _mm_sub_epi16(b, c);
            const __m128i ac = _mm_sub_epi16(a, c);
            const __m128i pa = Abs16(bc);
            const __m128i pb = Abs16(ac);
            const __m128i pc = Abs16(_mm_add_epi16(bc, ac));
            const __m128i smallest = _mm_min_epi16(_mm_min_epi16(pa, pb), pc);
            const __m128i takeA = _mm_cmpeq_epi16(smallest, pa);
            const __m128i takeB = _mm_andnot_si128(takeA, _mm_cmpeq_epi16(smallest, pb));
            const __m128i takeC = _mm_andnot_si128(_mm_or_si128(takeA, takeB), _mm_set1_epi16(-1));
            predictor = _mm_or_si128(_mm_or_si128(_mm_and_si128(takeA, a), _mm_and_si128(takeB, b)),
                                     _mm_and_si128(takeC, c));
            c = b;
        }
        a = _mm_and_si128(_mm_add_epi16(x, predictor), low);
        StorePixel<Step>(out + i, a);
    }
}

#endif

}  // namespace

bool PngUnfilterRow(uint32_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out,
                    size_t length, size_t step) {
#if defined(__SSE2__)
    if ((filterType == 1 || filterType == 3 || filterType == 4) && length % step == 0) {
        switch (step) {
            case 3: UnfilterPixels<3>(filterType, raw, prev, out, length); return true;
            case 4: UnfilterPixels<4>(filterType, raw, prev, out, length); return true;
            case 6: UnfilterPixels<6>(filterType, raw, prev, out, length); return true;
            case 8: UnfilterPixels<8>(filterType, raw, prev, out, length); return true;
            default: break;
        }
    }
#endif
    return UnfilterBytes(filterType, raw, prev, out, length, step);
}
