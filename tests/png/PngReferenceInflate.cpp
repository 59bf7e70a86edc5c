#include "PngReferenceInflate.h"

#include <vector>

#include <zlib.h>

namespace {

struct Source {
    const uint8_t* pos = nullptr;
    size_t left = 0;
    const uint8_t* end = nullptr;
    bool done = false;
    uint32_t current = 0;
    int bitsLeft = 0;

    static uint32_t Be32(const uint8_t* p) {
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    }
    // p at a chunk's length field.
    void Enter(const uint8_t* p) {
        if (p > end || end - p < 8) {
            done = true;
            return;
        }
        const uint32_t len = Be32(p);
        const uint8_t* t = p + 4;
        if (!(t[0] == 'I' && t[1] == 'D' && t[2] == 'A' && (t[3] & 0xDF) == 'T') ||
            len > 0x7FFFFFFFu || uint64_t(len) >= uint64_t(end - (p + 8))) {
            done = true;
            return;
        }
        pos = p + 8;
        left = len;
    }
    uint8_t Byte() {
        while (!done && left == 0) {
            if (end - pos < 4) {
                done = true;
                break;
            }
            Enter(pos + 4);
        }
        if (done) return 0;
        --left;
        return *pos++;
    }
    uint32_t Bit() {
        if (bitsLeft == 0) {
            current = Byte();
            bitsLeft = 8;
        }
        const uint32_t b = current & 1;
        current >>= 1;
        --bitsLeft;
        return b;
    }
    uint32_t Bits(int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v |= Bit() << i;
        return v;
    }
    void Align() { bitsLeft = 0; }
};

struct Table {
    std::vector<int> count = std::vector<int>(16, 0);
    std::vector<int> symbols;
    int maxLength = 0;
};

Table Build(const uint8_t* lengths, int n, int maxLength) {
    Table t;
    t.maxLength = maxLength;
    for (int i = 0; i < n; ++i) ++t.count[lengths[i]];
    t.count[0] = 0;
    for (int len = 1; len <= 15; ++len) {
        for (int s = 0; s < n; ++s) {
            if (lengths[s] == len) t.symbols.push_back(s);
        }
    }
    return t;
}

int Decode(Source& in, const Table& t) {
    long code = 0, first = 0, index = 0;
    for (int len = 1; len <= t.maxLength; ++len) {
        code |= in.Bit();
        const long count = t.count[len];
        if (code - first < count) return t.symbols[index + (code - first)];
        index += count;
        first = (first + count) << 1;
        code <<= 1;
    }
    return -1;
}

const int kLenBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                          31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int kLenExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int kDistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                           33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                           1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

bool Inflate(const uint8_t* firstIdat, const uint8_t* inputEnd, uint8_t* out, size_t size,
             size_t& written) {
    Source in;
    in.end = inputEnd;
    in.Enter(firstIdat);
    const uint32_t cmf = in.Bits(8);
    const uint32_t flg = in.Bits(8);
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (flg & 0x20)) return false;
    bool final = false;
    while (!final) {
        final = in.Bit();
        const uint32_t type = in.Bits(2);
        if (type == 3) return false;
        if (type == 0) {
            in.Align();
            const uint32_t len = in.Bits(16);
            const uint32_t nlen = in.Bits(16);
            if (nlen != (~len & 0xFFFF) || len > size - written) return false;
            for (uint32_t i = 0; i < len; ++i) out[written++] = in.Byte();
            continue;
        }
        Table lit, dist;
        bool fixed = type == 1;
        if (fixed) {
            uint8_t l[288];
            for (int i = 0; i < 288; ++i) l[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
            lit = Build(l, 288, 9);
        } else {
            const int hlit = int(in.Bits(5)) + 257;
            const int hdist = int(in.Bits(5)) + 1;
            const int hclen = int(in.Bits(4)) + 4;
            uint8_t cl[19] = {};
            for (int i = 0; i < hclen; ++i) cl[kOrder[i]] = uint8_t(in.Bits(3));
            const Table clTable = Build(cl, 19, 7);
            std::vector<uint8_t> lengths;
            while (int(lengths.size()) < hlit + hdist) {
                const int s = Decode(in, clTable);
                if (s < 0) return false;
                if (s < 16) {
                    lengths.push_back(uint8_t(s));
                    continue;
                }
                int repeat;
                uint8_t value = 0;
                if (s == 16) {
                    if (lengths.empty()) return false;
                    value = lengths.back();
                    repeat = 3 + int(in.Bits(2));
                } else if (s == 17) {
                    repeat = 3 + int(in.Bits(3));
                } else {
                    repeat = 11 + int(in.Bits(7));
                }
                if (int(lengths.size()) + repeat > hlit + hdist) return false;
                lengths.insert(lengths.end(), size_t(repeat), value);
            }
            lit = Build(lengths.data(), hlit, 15);
            dist = Build(lengths.data() + hlit, hdist, 15);
        }
        for (;;) {
            const int s = Decode(in, lit);
            if (s < 0 || s > 285) return false;
            if (s < 256) {
                if (written == size) return false;
                out[written++] = uint8_t(s);
                continue;
            }
            if (s == 256) break;
            const size_t len = size_t(kLenBase[s - 257]) + in.Bits(kLenExtra[s - 257]);
            int d;
            if (fixed) {
                d = 0;
                for (int i = 0; i < 5; ++i) d = d << 1 | int(in.Bit());
            } else {
                d = Decode(in, dist);
            }
            if (d < 0 || d > 29) return false;
            const size_t distance = size_t(kDistBase[d]) + in.Bits(kDistExtra[d]);
            if (distance > written || len > size - written) return false;
            for (size_t i = 0; i < len; ++i, ++written) out[written] = out[written - distance];
        }
    }
    in.Align();
    uint32_t check = 0;
    for (int i = 0; i < 4; ++i) check = check << 8 | in.Byte();
    if (written != size) return false;
    return adler32(1, out, uInt(size)) == check;
}

}  // namespace

bool ReferenceInflate(const uint8_t* firstIdat, const uint8_t* inputEnd, uint8_t* out,
                      size_t size, size_t* written) {
    size_t n = 0;
    const bool ok = Inflate(firstIdat, inputEnd, out, size, n);
    if (written) *written = n;
    return ok;
}
