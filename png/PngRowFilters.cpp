#include "png/PngRowFilters.h"

#include <cstdlib>

namespace {

void Sub(const uint8_t* raw, uint8_t* out, size_t length, size_t step) {
    size_t i = 0;
    for (; i < step && i < length; ++i) out[i] = raw[i];
    for (; i < length; ++i) out[i] = uint8_t(raw[i] + out[i - step]);
}

void Up(const uint8_t* raw, const uint8_t* prev, uint8_t* out, size_t length) {
    for (size_t i = 0; i < length; ++i) out[i] = uint8_t(raw[i] + prev[i]);
}

void Average(const uint8_t* raw, const uint8_t* prev, uint8_t* out, size_t length, size_t step) {
    size_t i = 0;
    for (; i < step && i < length; ++i) out[i] = uint8_t(raw[i] + (prev[i] >> 1));
    for (; i < length; ++i) out[i] = uint8_t(raw[i] + ((out[i - step] + prev[i]) >> 1));
}

inline uint8_t Paeth(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc) return uint8_t(a);
    return uint8_t(pb <= pc ? b : c);
}

void PaethRow(const uint8_t* raw, const uint8_t* prev, uint8_t* out, size_t length, size_t step) {
    size_t i = 0;
    // Left of the first pixel a = c = 0, so the predictor is b.
    for (; i < step && i < length; ++i) out[i] = uint8_t(raw[i] + prev[i]);
    for (; i < length; ++i) {
        out[i] = uint8_t(raw[i] + Paeth(out[i - step], prev[i], prev[i - step]));
    }
}

}  // namespace

bool PngUnfilterRow(uint32_t filterType, const uint8_t* raw, const uint8_t* prev, uint8_t* out,
                    size_t length, size_t step) {
    switch (filterType) {
        case 1: Sub(raw, out, length, step); return true;
        case 2: Up(raw, prev, out, length); return true;
        case 3: Average(raw, prev, out, length, step); return true;
        case 4: PaethRow(raw, prev, out, length, step); return true;
        default: return false;
    }
}
