#include "png/PngRowConverters.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <tmmintrin.h>
#endif

#include "png/PngLayout.h"

namespace {

void Copy(const uint8_t* in, uint8_t* out, size_t rowLength, uint32_t) {
    std::memcpy(out, in, rowLength);
}

void Swap16(const uint8_t* in, uint8_t* out, size_t rowLength, uint32_t) {
    for (size_t i = 0; i + 1 < rowLength; i += 2) {
        out[i] = in[i + 1];
        out[i + 1] = in[i];
    }
}

// R, G, B big-endian 16-bit reversed byte by byte is B, G, R little-endian; pixels of
// kInBytes (6 or 8) to kOutBytes (6, or 8 with the alpha word swapped too).
template <int kInBytes, int kOutBytes>
void ReversedColour16(const uint8_t* in, uint8_t* out, size_t, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x, in += kInBytes, out += kOutBytes) {
        for (int k = 0; k < 6; ++k) out[k] = in[5 - k];
        if constexpr (kOutBytes == 8) {
            out[6] = in[7];
            out[7] = in[6];
        }
    }
}

void GreyAlpha16ToGrey16(const uint8_t* in, uint8_t* out, size_t, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x, in += 4, out += 2) {
        out[0] = in[1];
        out[1] = in[0];
    }
}

// The first byte of every kInBytes: the grey of 8-bit grey-alpha or the high byte of 16-bit
// grey (2), the high byte of 16-bit grey-alpha's grey (4).
template <int kInBytes>
void FirstOfEach(const uint8_t* in, uint8_t* out, size_t, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x) out[x] = in[kInBytes * x];
}

// R, G, B (and A) samples of kSampleBytes (1, or 2 big-endian: the high byte is taken) in
// pixels of kInBytes to B, G, R bytes (kOutBytes 3) or B, G, R, A (kOutBytes 4).
template <int kInBytes, int kSampleBytes, int kOutBytes>
void ColourToBgr8(const uint8_t* in, uint8_t* out, size_t, uint32_t width) {
    for (uint32_t x = 0; x < width; ++x, in += kInBytes, out += kOutBytes) {
        out[0] = in[2 * kSampleBytes];
        out[1] = in[kSampleBytes];
        out[2] = in[0];
        if constexpr (kOutBytes == 4) out[3] = in[3 * kSampleBytes];
    }
}

// Four 2-bit samples per byte become two bytes of two 4-bit samples, values unchanged; an odd
// width's last byte carries the row's padding sample in its low half.
void Two2ToFour4(const uint8_t* in, uint8_t* out, size_t, uint32_t width) {
    const size_t bytes = (size_t(width) + 1) / 2;
    for (size_t k = 0; k < bytes; ++k) {
        const uint32_t b = in[k / 2];
        const uint32_t pair = (k & 1) ? b & 0x0F : b >> 4;
        out[k] = uint8_t((pair >> 2) << 4 | (pair & 3));
    }
}

#if defined(__x86_64__)
// Five pixels per shuffle of sixteen bytes while all sixteen lie inside the row; the sixteenth
// lands on the next pixel, which is written over after. Returns the pixels moved.
__attribute__((target("ssse3"))) uint32_t ShuffleRgbToBgr(const uint8_t* in, uint8_t* out,
                                                          uint32_t width) {
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    const size_t end = 3 * size_t(width);
    size_t i = 0;
    for (; i + 16 <= end; i += 15) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_shuffle_epi8(v, order));
    }
    return uint32_t(i / 3);
}
#endif

// Every pixel but the last moves as a word whose fourth byte lands on the next pixel, which is
// written over right after; the last one moves byte by byte so nothing past the row is touched.
void Rgb8ToBgr8(const uint8_t* in, uint8_t* out, size_t, uint32_t width) {
    if (width == 0) return;
#if defined(__x86_64__)
    if (__builtin_cpu_supports("ssse3")) {
        const uint32_t done = ShuffleRgbToBgr(in, out, width);
        in += 3 * size_t(done);
        out += 3 * size_t(done);
        width -= done;
    }
#endif
    for (uint32_t x = 1; x < width; ++x, in += 3, out += 3) {
        uint32_t v;
        std::memcpy(&v, in, 4);
        v = __builtin_bswap32(v) >> 8;
        std::memcpy(out, &v, 4);
    }
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
}

// Red and blue trade places within each 32-bit pixel, four pixels at a time where SSE2 is there.
void Rgba8ToBgra8(const uint8_t* in, uint8_t* out, size_t, uint32_t width) {
    uint32_t x = 0;
#if defined(__SSE2__)
    const __m128i greenAlpha = _mm_set1_epi32(int(0xFF00FF00u));
    const __m128i lowByte = _mm_set1_epi32(0xFF);
    for (; x + 4 <= width; x += 4, in += 16, out += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        const __m128i red = _mm_and_si128(_mm_srli_epi32(v, 16), lowByte);
        const __m128i blue = _mm_slli_epi32(_mm_and_si128(v, lowByte), 16);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                         _mm_or_si128(_mm_and_si128(v, greenAlpha), _mm_or_si128(red, blue)));
    }
#endif
    for (; x < width; ++x, in += 4, out += 4) {
        uint32_t v;
        std::memcpy(&v, in, 4);
        v = (v & 0xFF00FF00u) | (v >> 16 & 0xFFu) | (v & 0xFFu) << 16;
        std::memcpy(out, &v, 4);
    }
}

// Which images each converter reads: a colour type (or any) and a bit depth (or any).
constexpr int kAny = -1;
struct Entry {
    PngRowConverter fn;
    int colourType;
    int bitDepth;
    int altColourType;  // a second image kind some converters also take
    int altBitDepth;
    uint32_t bytesPerPixel;  // output; 0 = the row length, or (width + 1) / 2 for converter 11
};

constexpr Entry kConverters[kPngConverterCount] = {
    {Copy, kAny, kAny, -2, -2, 0},
    {Swap16, kAny, 16, -2, -2, 0},
    {ReversedColour16<6, 6>, 2, 16, -2, -2, 6},
    {ReversedColour16<8, 6>, 6, 16, -2, -2, 6},
    {ReversedColour16<8, 8>, 6, 16, -2, -2, 8},
    {GreyAlpha16ToGrey16, 4, 16, -2, -2, 2},
    {FirstOfEach<2>, 4, 8, 0, 16, 1},
    {ColourToBgr8<6, 2, 3>, 2, 16, -2, -2, 3},
    {ColourToBgr8<8, 2, 3>, 6, 16, -2, -2, 3},
    {ColourToBgr8<8, 2, 4>, 6, 16, -2, -2, 4},
    {FirstOfEach<4>, 4, 16, -2, -2, 1},
    {Two2ToFour4, kAny, 2, -2, -2, 0},
    {Rgb8ToBgr8, 2, 8, -2, -2, 3},
    {ColourToBgr8<4, 1, 3>, 6, 8, -2, -2, 3},
    {Rgba8ToBgra8, 6, 8, -2, -2, 4},
};

bool Matches(int wantType, int wantDepth, uint32_t colourType, uint32_t bitDepth) {
    return (wantType == kAny || wantType == int(colourType)) &&
           (wantDepth == kAny || wantDepth == int(bitDepth));
}

}  // namespace

PngRowConverter PngSelectConverter(uint32_t index, uint32_t colourType, uint32_t bitDepth,
                                   uint32_t width, uint64_t* outputBytes) {
    if (index >= kPngConverterCount || !PngIsAcceptedFormat(colourType, bitDepth)) return nullptr;
    const Entry& e = kConverters[index];
    if (!Matches(e.colourType, e.bitDepth, colourType, bitDepth) &&
        !Matches(e.altColourType, e.altBitDepth, colourType, bitDepth)) {
        return nullptr;
    }
    if (e.bytesPerPixel) {
        *outputBytes = uint64_t(e.bytesPerPixel) * width;
    } else if (index == 11) {
        *outputBytes = (uint64_t(width) + 1) / 2;
    } else {
        *outputBytes = PngRowLength(colourType, bitDepth, width);
    }
    return e.fn;
}
