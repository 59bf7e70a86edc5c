#include "png/PngInflate.h"

#include <cstring>

#include "png/PngChecksums.h"
#include "png/PngHuffman.h"
#include "png/PngIdatBits.h"

namespace {

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                        33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                          11, 4, 12, 3, 13, 2, 14, 1, 15};

inline int Decode(const PngHuffman& h, PngIdatBits& in) {
    const uint16_t entry = h.fast[in.Peek(kPngFastBits)];
    if (entry & 15) {
        in.Drop(entry & 15);
        return entry >> 4;
    }
    unsigned used = 0;
    const int symbol = PngHuffmanWalk(h, in.PeekAll(), &used);
    if (symbol >= 0) in.Drop(used);
    return symbol;
}

inline uint32_t Reverse5(uint32_t v) {
    return (v & 1) << 4 | (v & 2) << 2 | (v & 4) | (v & 8) >> 2 | (v & 16) >> 4;
}

void BuildFixed(PngHuffman* literals) {
    uint8_t lengths[288];
    std::memset(lengths, 8, 144);
    std::memset(lengths + 144, 9, 112);
    std::memset(lengths + 256, 7, 24);
    std::memset(lengths + 280, 8, 8);
    PngBuildHuffman(literals, lengths, 288, 9);
}

bool ReadDynamicTables(PngIdatBits& in, PngHuffman* literals, PngHuffman* distances) {
    in.Refill();
    const uint32_t hlit = in.Take(5) + 257;
    const uint32_t hdist = in.Take(5) + 1;
    const uint32_t hclen = in.Take(4) + 4;
    uint8_t codeLengthLengths[19] = {};
    for (uint32_t i = 0; i < hclen; ++i) {
        if (in.Count() < 3) in.Refill();
        codeLengthLengths[kCodeLengthOrder[i]] = uint8_t(in.Take(3));
    }
    PngHuffman codeLengths;
    PngBuildHuffman(&codeLengths, codeLengthLengths, 19, 7);

    uint8_t lengths[288 + 32];
    const uint32_t total = hlit + hdist;
    uint32_t n = 0;
    while (n < total) {
        if (in.Count() < 16) in.Refill();
        const int symbol = Decode(codeLengths, in);
        if (symbol < 0) return false;
        if (symbol < 16) {
            lengths[n++] = uint8_t(symbol);
            continue;
        }
        uint32_t repeat = 0;
        uint8_t value = 0;
        if (symbol == 16) {
            if (n == 0) return false;
            value = lengths[n - 1];
            repeat = 3 + in.Take(2);
        } else if (symbol == 17) {
            repeat = 3 + in.Take(3);
        } else {
            repeat = 11 + in.Take(7);
        }
        if (repeat > total - n) return false;
        std::memset(lengths + n, value, repeat);
        n += repeat;
    }
    PngBuildHuffman(literals, lengths, hlit, 15);
    PngBuildHuffman(distances, lengths + hlit, hdist, 15);
    return true;
}

// Symbols of one compressed block up to its end-of-block code. The bit buffer is worked on in a
// local window: stores to the output could otherwise alias it and force a reload per symbol.
bool InflateBlock(PngIdatBits& in, const PngHuffman& literals, const PngHuffman* distances,
                  uint8_t* start, uint8_t*& out, uint8_t* end) {
    uint8_t* op = out;
    PngBitWindow w = in.Window();
    auto decode = [&w](const PngHuffman& h) {
        const uint16_t entry = h.fast[w.Peek(kPngFastBits)];
        if (entry & 15) {
            w.Drop(entry & 15);
            return int(entry >> 4);
        }
        unsigned used = 0;
        const int symbol = PngHuffmanWalk(h, w.bits, &used);
        if (symbol >= 0) w.Drop(used);
        return symbol;
    };
    for (;;) {
        // Worst case per symbol: 15 + 5 + 15 + 13 bits.
        if (w.count < 48 && !w.FastRefill()) {
            in.SetWindow(w);
            in.Refill();
            w = in.Window();
        }
        const int symbol = decode(literals);
        if (symbol < 256) {
            if (symbol < 0 || op == end) return false;
            *op++ = uint8_t(symbol);
            continue;
        }
        if (symbol == 256) break;
        if (symbol > 285) return false;
        size_t length = kLengthBase[symbol - 257] + w.Take(kLengthExtra[symbol - 257]);
        const int dsym = distances ? decode(*distances) : int(Reverse5(w.Take(5)));
        if (dsym < 0 || dsym > 29) return false;
        const size_t distance = kDistanceBase[dsym] + w.Take(kDistanceExtra[dsym]);
        if (distance > size_t(op - start) || length > size_t(end - op)) return false;
        const uint8_t* from = op - distance;
        if (distance >= 8) {
            while (length >= 8) {
                std::memcpy(op, from, 8);
                op += 8;
                from += 8;
                length -= 8;
            }
            while (length--) *op++ = *from++;
        } else if (distance == 1 && length >= 32) {
            std::memset(op, *from, length);
            op += length;
        } else {
            while (length--) *op++ = *from++;
        }
    }
    in.SetWindow(w);
    out = op;
    return true;
}

}  // namespace

bool PngInflate(const uint8_t* firstIdat, const uint8_t* inputEnd, uint8_t* out, size_t size) {
    if (!firstIdat || !inputEnd || !out) return false;
    PngIdatBits in(firstIdat, inputEnd);
    in.Refill();
    const uint32_t cmf = in.Take(8);
    const uint32_t flg = in.Take(8);
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (flg & 0x20)) return false;

    uint8_t* const start = out;
    uint8_t* const end = out + size;
    uint8_t* op = out;
    PngHuffman literals;
    PngHuffman distances;
    // The checksum follows the output block by block, while the block is still in cache.
    uint32_t adler = 1;
    const uint8_t* summed = start;
    bool final = false;
    while (!final) {
        in.Refill();
        final = in.Take(1) != 0;
        switch (in.Take(2)) {
            case 0: {
                in.AlignToByte();
                in.Refill();
                const uint32_t length = in.Take(16);
                const uint32_t complement = in.Take(16);
                if (complement != (~length & 0xFFFF) || length > size_t(end - op)) return false;
                in.CopyBytes(op, length);
                op += length;
                break;
            }
            case 1:
                BuildFixed(&literals);
                if (!InflateBlock(in, literals, nullptr, start, op, end)) return false;
                break;
            case 2:
                if (!ReadDynamicTables(in, &literals, &distances) ||
                    !InflateBlock(in, literals, &distances, start, op, end)) {
                    return false;
                }
                break;
            default:
                return false;
        }
        adler = PngAdler32Update(adler, summed, size_t(op - summed));
        summed = op;
    }
    in.AlignToByte();
    in.Refill();
    uint32_t check = 0;
    for (int i = 0; i < 4; ++i) check = check << 8 | in.Take(8);
    // A stream that stops short would leave part of the image undefined.
    if (op != end) return false;
    return adler == check;
}
