#include "png/PngInflate.h"

#include <array>
#include <cstring>

#include "png/PngChecksums.h"
#include "png/PngHuffman.h"
#include "png/PngIdatBits.h"

namespace {

constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                          11, 4, 12, 3, 13, 2, 14, 1, 15};

// The fixed codes of the format never change, so their tables are made by the compiler.
constexpr std::array<uint32_t, 1u << kPngLiteralTableBits> MakeFixedLiterals() {
    uint8_t lengths[288] = {};
    for (int s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    std::array<uint32_t, 1u << kPngLiteralTableBits> table{};
    PngBuildTable(table.data(), kPngLiteralTableBits, lengths, 288, PngAlphabet::kLiteralLength,
                  true);
    return table;
}

// Fixed distances are 5-bit codes of symbols 0 to 31 in order: the canonical code of 32 equal
// lengths, so the table reads them bit-reversed as the format defines.
constexpr std::array<uint32_t, 1u << kPngDistanceTableBits> MakeFixedDistances() {
    uint8_t lengths[32] = {};
    for (auto& l : lengths) l = 5;
    std::array<uint32_t, 1u << kPngDistanceTableBits> table{};
    PngBuildTable(table.data(), kPngDistanceTableBits, lengths, 32, PngAlphabet::kDistance);
    return table;
}

constexpr auto kFixedLiterals = MakeFixedLiterals();
constexpr auto kFixedDistances = MakeFixedDistances();

// Output left below which a block's literal table is built without literal pairs.
constexpr size_t kPairsWorthIt = 4096;

struct Tables {
    uint32_t literals[kPngLiteralTableSize];
    uint32_t distances[kPngDistanceTableSize];
};

// `pairs`: whether enough output is left for literal pairs to repay their pass.
bool ReadDynamicTables(PngIdatBits& in, Tables* tables, bool pairs) {
    in.Refill();
    const uint32_t hlit = in.Take(5) + 257;
    const uint32_t hdist = in.Take(5) + 1;
    const uint32_t hclen = in.Take(4) + 4;
    uint8_t codeLengthLengths[19] = {};
    for (uint32_t i = 0; i < hclen; ++i) {
        if (in.Count() < 3) in.Refill();
        codeLengthLengths[kCodeLengthOrder[i]] = uint8_t(in.Take(3));
    }
    uint32_t codeLengths[kPngCodeLengthTableSize];
    PngBuildTable(codeLengths, kPngCodeLengthTableBits, codeLengthLengths, 19,
                  PngAlphabet::kCodeLength);

    uint8_t lengths[288 + 32];
    const uint32_t total = hlit + hdist;
    uint32_t n = 0;
    while (n < total) {
        if (in.Count() < 16) in.Refill();
        const uint32_t entry = codeLengths[in.Peek(kPngCodeLengthTableBits)];
        if (!entry) return false;
        in.Drop(entry & 0xFF);
        const uint32_t symbol = entry >> 8 & 0xFF;
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
    PngBuildTable(tables->literals, kPngLiteralTableBits, lengths, hlit,
                  PngAlphabet::kLiteralLength, pairs);
    PngBuildTable(tables->distances, kPngDistanceTableBits, lengths + hlit, hdist,
                  PngAlphabet::kDistance);
    return true;
}

// Bytes the fast loop may write past a copy's end: its copies move whole 16-byte words.
constexpr size_t kCopySlack = 16;
// Room the fast loop needs before the output's end: the longest copy, or a literal pair, plus
// the slack.
constexpr size_t kFastRoom = 258 + kCopySlack;

inline void Copy16(uint8_t* to, const uint8_t* from) { std::memcpy(to, from, 16); }
inline void Copy8(uint8_t* to, const uint8_t* from) { std::memcpy(to, from, 8); }

// A copy of `length` bytes from `distance` back, allowed to write up to kCopySlack bytes past
// its end (those bytes lie before the output's end and are written again later).
inline void FastCopy(uint8_t* op, size_t distance, size_t length) {
    const uint8_t* from = op - distance;
    uint8_t* const stop = op + length;
    if (distance >= 16) {
        do {
            Copy16(op, from);
            op += 16;
            from += 16;
        } while (op < stop);
    } else if (distance >= 8) {
        do {
            Copy8(op, from);
            op += 8;
            from += 8;
        } while (op < stop);
    } else if (distance == 1) {
        uint64_t v = uint64_t(*from) * 0x0101010101010101ull;
        do {
            std::memcpy(op, &v, 8);
            op += 8;
        } while (op < stop);
    } else {
        // A short period: the first 8 bytes one at a time, then whole words from a whole
        // number of periods back, which is at least 8 bytes behind.
        for (int i = 0; i < 8; ++i) op[i] = from[i];
        const size_t back = distance * ((8 + distance - 1) / distance);
        op += 8;
        while (op < stop) {
            Copy8(op, op - back);
            op += 8;
        }
    }
}

inline uint32_t SubLookup(const uint32_t* table, unsigned tableBits, uint32_t entry,
                          uint64_t bits) {
    const unsigned subBits = entry >> 8 & 15;
    return table[(entry >> 12 & 0xFFFF) + ((bits >> tableBits) & ((1u << subBits) - 1))];
}

// The value of a copy entry (a length or a distance): its base plus its extra bits.
inline size_t CopyValue(uint32_t entry, uint64_t bits) {
    const unsigned used = entry & 0xFF;
    return (entry >> 12 & 0xFFFF) + size_t((bits & ((uint64_t(1) << used) - 1)) >> (entry >> 8 & 15));
}

enum class Run { kEnd, kFail, kCareful };

// Symbols while the output has kFastRoom bytes left and the current chunk 8 bytes for a refill.
// Every refill leaves at least 56 bits, enough for the longest symbol (15 + 5 + 15 + 13 bits),
// and a literal takes at most 15, so the next lookup is started before the refill lands.
Run FastSymbols(PngBitWindow& w, const uint32_t* literals, const uint32_t* distances,
                uint8_t* start, uint8_t*& out, uint8_t* fastLimit) {
    uint64_t bits = w.bits;
    unsigned count = w.count;
    const uint8_t* pos = w.pos;
    const uint8_t* const posLimit = w.pos + w.left - 8;
    uint8_t* op = out;
    auto refill = [&] {
        uint64_t v;
        std::memcpy(&v, pos, 8);
        bits |= v << count;
        pos += (63 - count) >> 3;
        count |= 56;
    };
    auto take = [&](unsigned n) {
        bits >>= n;
        count -= n;
    };
    constexpr uint32_t kLiteralMask = (1u << kPngLiteralTableBits) - 1;
    constexpr uint32_t kDistanceMask = (1u << kPngDistanceTableBits) - 1;
    Run result = Run::kCareful;
    refill();
    uint32_t entry = literals[bits & kLiteralMask];
    for (;;) {
        if (entry & kPngEntrySub) entry = SubLookup(literals, kPngLiteralTableBits, entry, bits);
        if (entry & kPngEntryLiteral) {
            take(entry & 0xFF);
            const uint16_t pair = uint16_t(entry >> 8);
            std::memcpy(op, &pair, 2);
            op += 1 + (entry >> 24 & 1);
            entry = literals[bits & kLiteralMask];
            if (op > fastLimit || pos > posLimit) break;
            refill();
            continue;
        }
        if (entry & kPngEntryCopy) {
            const size_t length = CopyValue(entry, bits);
            take(entry & 0xFF);
            uint32_t dentry = distances[bits & kDistanceMask];
            if (dentry & kPngEntrySub) {
                dentry = SubLookup(distances, kPngDistanceTableBits, dentry, bits);
            }
            if (!(dentry & kPngEntryCopy)) return Run::kFail;
            const size_t distance = CopyValue(dentry, bits);
            take(dentry & 0xFF);
            // The room before fastLimit holds the longest copy, so only the distance can fail.
            if (distance > size_t(op - start)) return Run::kFail;
            FastCopy(op, distance, length);
            op += length;
            if (op > fastLimit || pos > posLimit) break;
            refill();
            entry = literals[bits & kLiteralMask];
            continue;
        }
        if (entry & kPngEntryEnd) {
            take(entry & 0xFF);
            result = Run::kEnd;
            break;
        }
        return Run::kFail;
    }
    w.left -= size_t(pos - w.pos);
    w.pos = pos;
    w.bits = bits;
    w.count = count;
    out = op;
    return result;
}

// Symbols of one compressed block up to its end-of-block code: in the fast loop while it may
// run, else one at a time with exact byte-by-byte checks, so every stream is accepted or refused
// on the same symbol either way. The bit buffer lives in a local window: stores to the output
// could otherwise alias it and force a reload per symbol.
bool InflateBlock(PngIdatBits& in, const uint32_t* literals, const uint32_t* distances,
                  uint8_t* start, uint8_t*& out, uint8_t* end) {
    uint8_t* op = out;
    const bool anyFast = size_t(end - start) > kFastRoom;
    uint8_t* const fastLimit = anyFast ? end - kFastRoom : start;
    PngBitWindow w = in.Window();
    for (;;) {
        if (anyFast && op <= fastLimit && w.left >= 8) {
            const Run run = FastSymbols(w, literals, distances, start, op, fastLimit);
            if (run == Run::kFail) return false;
            if (run == Run::kEnd) break;
        }
        in.SetWindow(w);
        in.Refill();
        w = in.Window();
        const uint32_t entry = PngLookup(literals, kPngLiteralTableBits, w.bits);
        if (entry & kPngEntryLiteral) {
            w.Drop(entry & 0xFF);
            if (op == end) return false;
            *op++ = uint8_t(entry >> 8);
            if (entry & kPngEntryPair) {
                if (op == end) return false;
                *op++ = uint8_t(entry >> 16);
            }
            continue;
        }
        if (entry & kPngEntryCopy) {
            const size_t length = CopyValue(entry, w.bits);
            w.Drop(entry & 0xFF);
            const uint32_t dentry = PngLookup(distances, kPngDistanceTableBits, w.bits);
            if (!(dentry & kPngEntryCopy)) return false;
            const size_t distance = CopyValue(dentry, w.bits);
            w.Drop(dentry & 0xFF);
            if (distance > size_t(op - start) || length > size_t(end - op)) return false;
            const uint8_t* from = op - distance;
            for (size_t i = 0; i < length; ++i) op[i] = from[i];
            op += length;
            continue;
        }
        if (entry & kPngEntryEnd) {
            w.Drop(entry & 0xFF);
            break;
        }
        return false;
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
    Tables tables;
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
                if (!InflateBlock(in, kFixedLiterals.data(), kFixedDistances.data(), start, op,
                                  end)) {
                    return false;
                }
                break;
            case 2:
                if (!ReadDynamicTables(in, &tables, size_t(end - op) >= kPairsWorthIt) ||
                    !InflateBlock(in, tables.literals, tables.distances, start, op, end)) {
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
