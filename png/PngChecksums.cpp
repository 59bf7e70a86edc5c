#include "png/PngChecksums.h"

#include <array>

namespace {

// Eight tables let the CRC consume eight bytes per step (slicing by eight); table 0 is the
// classic byte-at-a-time table.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr CrcTables MakeCrcTables() {
    CrcTables t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n) {
        for (int k = 1; k < 8; ++k) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
    }
    return t;
}

constexpr CrcTables kCrc = MakeCrcTables();

uint32_t Load32Le(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

uint32_t PngChunkCrc(const uint8_t* data, size_t length) {
    uint32_t c = 0xFFFFFFFFu;
    while (length >= 8) {
        const uint32_t lo = Load32Le(data) ^ c;
        const uint32_t hi = Load32Le(data + 4);
        c = kCrc[7][lo & 0xFF] ^ kCrc[6][(lo >> 8) & 0xFF] ^ kCrc[5][(lo >> 16) & 0xFF] ^
            kCrc[4][lo >> 24] ^ kCrc[3][hi & 0xFF] ^ kCrc[2][(hi >> 8) & 0xFF] ^
            kCrc[1][(hi >> 16) & 0xFF] ^ kCrc[0][hi >> 24];
        data += 8;
        length -= 8;
    }
    while (length--) c = kCrc[0][(c ^ *data++) & 0xFF] ^ (c >> 8);
    return ~c;
}

uint32_t PngAdler32(const uint8_t* data, size_t length) { return PngAdler32Update(1, data, length); }

uint32_t PngAdler32Update(uint32_t adler, const uint8_t* data, size_t length) {
    constexpr uint32_t kMod = 65521;
    // 5552 is the longest run after which the 32-bit sums cannot have overflowed.
    constexpr size_t kRun = 5552;
    uint32_t s1 = adler & 0xFFFF;
    uint32_t s2 = adler >> 16;
    while (length > 0) {
        size_t n = length < kRun ? length : kRun;
        length -= n;
        while (n >= 8) {
            s1 += data[0]; s2 += s1;
            s1 += data[1]; s2 += s1;
            s1 += data[2]; s2 += s1;
            s1 += data[3]; s2 += s1;
            s1 += data[4]; s2 += s1;
            s1 += data[5]; s2 += s1;
            s1 += data[6]; s2 += s1;
            s1 += data[7]; s2 += s1;
            data += 8;
            n -= 8;
        }
        while (n--) {
            s1 += *data++;
            s2 += s1;
        }
        s1 %= kMod;
        s2 %= kMod;
    }
    return s2 << 16 | s1;
}
