#include "png/PngHuffman.h"

#include <cstring>

namespace {

uint32_t Reverse(uint32_t code, unsigned length) {
    uint32_t r = 0;
    for (unsigned i = 0; i < length; ++i) {
        r = r << 1 | (code & 1);
        code >>= 1;
    }
    return r;
}

}  // namespace

void PngBuildHuffman(PngHuffman* h, const uint8_t* lengths, uint32_t n, uint32_t maxLength) {
    std::memset(h->count, 0, sizeof h->count);
    for (uint32_t s = 0; s < n; ++s) ++h->count[lengths[s]];
    h->count[0] = 0;
    h->maxLength = maxLength;

    uint16_t offset[16];
    offset[1] = 0;
    for (unsigned len = 1; len < 15; ++len) offset[len + 1] = uint16_t(offset[len] + h->count[len]);
    for (uint32_t s = 0; s < n; ++s) {
        if (lengths[s]) h->symbol[offset[lengths[s]]++] = uint16_t(s);
    }

    // Codes of length L that the walk accepts are exactly [first, first + count) among the L-bit
    // values (values below `first` matched a shorter length), so filling those ranges reproduces
    // the walk bit for bit, whether or not the lengths form a complete code.
    std::memset(h->fast, 0, sizeof h->fast);
    uint32_t first = 0;
    uint32_t index = 0;
    const unsigned lookupMax = maxLength < kPngFastBits ? maxLength : kPngFastBits;
    for (unsigned len = 1; len <= lookupMax; ++len) {
        const uint32_t count = h->count[len];
        const uint32_t limit = 1u << len;
        for (uint32_t code = first; code < first + count && code < limit; ++code) {
            const uint16_t entry = uint16_t(h->symbol[index + code - first] << 4 | len);
            for (uint32_t j = Reverse(code, len); j < (1u << kPngFastBits); j += limit) {
                h->fast[j] = entry;
            }
        }
        index += count;
        first = (first + count) << 1;
    }
}

int PngHuffmanWalk(const PngHuffman& h, uint64_t bits, unsigned* used) {
    uint32_t code = 0;
    uint32_t first = 0;
    uint32_t index = 0;
    for (unsigned len = 1; len <= h.maxLength; ++len) {
        code |= uint32_t(bits >> (len - 1)) & 1;
        const uint32_t count = h.count[len];
        if (code < first + count) {
            *used = len;
            return h.symbol[index + code - first];
        }
        index += count;
        first = (first + count) << 1;
        code <<= 1;
    }
    return -1;
}
