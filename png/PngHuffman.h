#pragma once
// Canonical Huffman decode tables of DEFLATE. A table is looked up with the next `tableBits`
// stream bits; codes longer than that continue in a subtable indexed by the bits that follow.
// The tables reproduce the canonical walk (code lengths tried from 1 upward, one bit at a time,
// until the code falls inside the range of codes of that length) for every bit sequence: the
// same symbol with the same length, or a failure where no code of at most 15 bits matches, also
// for incomplete and over-full code sets.
//
// Each entry is 32 bits; 0 means that no code matches.
//   [7:0]    bits to take in all: the code, its extra bits, or both codes of a literal pair
//   literal  (kPngEntryLiteral): [15:8] the byte (or the code-length symbol), [23:16] a second
//            literal and bit 24 set when a pair of literals fits the lookup together
//   copy     (kPngEntryCopy): a length or distance; [11:8] code length, where its extra bits
//            start; [27:12] the base; extra bits = [7:0] - [11:8]
//   end      (kPngEntryEnd): end of block
//   subtable (kPngEntrySub): [11:8] subtable index bits, [27:12] subtable offset in the table

#include <cstdint>

inline constexpr uint32_t kPngEntryLiteral = 0x80000000u;
inline constexpr uint32_t kPngEntryCopy = 0x40000000u;
inline constexpr uint32_t kPngEntryEnd = 0x20000000u;
inline constexpr uint32_t kPngEntrySub = 0x10000000u;
inline constexpr uint32_t kPngEntryPair = 0x01000000u;

inline constexpr unsigned kPngLiteralTableBits = 11;
inline constexpr unsigned kPngDistanceTableBits = 8;
inline constexpr unsigned kPngCodeLengthTableBits = 7;

// Worst cases: every symbol with a code longer than the lookup opens its own subtable, which
// covers the remaining bits up to 15.
inline constexpr unsigned kPngLiteralTableSize =
    (1u << kPngLiteralTableBits) + 288 * (1u << (15 - kPngLiteralTableBits));
inline constexpr unsigned kPngDistanceTableSize =
    (1u << kPngDistanceTableBits) + 32 * (1u << (15 - kPngDistanceTableBits));
inline constexpr unsigned kPngCodeLengthTableSize = 1u << kPngCodeLengthTableBits;

enum class PngAlphabet { kLiteralLength, kDistance, kCodeLength };

namespace png_detail {

inline constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                             15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
inline constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                             2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
inline constexpr uint16_t kDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
inline constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                               6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr uint32_t Reverse(uint32_t code, unsigned length) {
    uint32_t r = 0;
    for (unsigned i = 0; i < length; ++i) {
        r = r << 1 | (code & 1);
        code >>= 1;
    }
    return r;
}

constexpr uint32_t CopyEntry(uint32_t base, unsigned codeLength, unsigned extra) {
    return kPngEntryCopy | base << 12 | codeLength << 8 | (codeLength + extra);
}

// The entry of `symbol` with a code of `length` bits. Symbols the format does not define
// (literal/length 286 and 287, distances 30 and 31) fail when decoded.
constexpr uint32_t MakeEntry(PngAlphabet alphabet, uint32_t symbol, unsigned length) {
    switch (alphabet) {
        case PngAlphabet::kLiteralLength:
            if (symbol < 256) return kPngEntryLiteral | symbol << 8 | length;
            if (symbol == 256) return kPngEntryEnd | length;
            if (symbol <= 285) {
                return CopyEntry(kLengthBase[symbol - 257], length, kLengthExtra[symbol - 257]);
            }
            return 0;
        case PngAlphabet::kDistance:
            return symbol < 30 ? CopyEntry(kDistanceBase[symbol], length, kDistanceExtra[symbol])
                               : 0;
        case PngAlphabet::kCodeLength:
            return kPngEntryLiteral | symbol << 8 | length;
    }
    return 0;
}

// The literal codes short enough to lead a pair, in the order of the canonical walk: by length.
struct PairLeads {
    uint16_t reversed[256] = {};
    uint8_t length[256] = {};
    uint8_t symbol[256] = {};
    uint32_t count = 0;
};

// Two literals side by side in one lookup, so the decode loop writes both at once: every first
// code with every second that fits the lookup after it. No accepted code is a prefix of
// another, so each entry is written by at most one pair, over the single literal there.
constexpr void PairLiterals(uint32_t* table, unsigned tableBits, const PairLeads& leads) {
    const uint32_t size = 1u << tableBits;
    for (uint32_t a = 0; a < leads.count; ++a) {
        const unsigned firstLength = leads.length[a];
        for (uint32_t b = 0; b < leads.count && leads.length[b] <= tableBits - firstLength; ++b) {
            const unsigned both = firstLength + leads.length[b];
            const uint32_t entry = kPngEntryLiteral | kPngEntryPair |
                                   uint32_t(leads.symbol[b]) << 16 |
                                   uint32_t(leads.symbol[a]) << 8 | both;
            const uint32_t start = leads.reversed[a] | uint32_t(leads.reversed[b]) << firstLength;
            for (uint32_t j = start; j < size; j += 1u << both) table[j] = entry;
        }
    }
}

}  // namespace png_detail

// Builds the table for `n` symbols (at most 288) from their code lengths (0 = absent, at most
// 15) into `table`, which holds the alphabet's table size. `pairs` lets literal/length entries
// carry two literals where both codes fit the lookup: a second pass over the lookup that pays
// for itself only over a few thousand literals.
constexpr void PngBuildTable(uint32_t* table, unsigned tableBits, const uint8_t* lengths,
                             uint32_t n, PngAlphabet alphabet, bool pairs = false) {
    uint32_t count[16] = {};
    for (uint32_t s = 0; s < n; ++s) ++count[lengths[s] & 15];
    count[0] = 0;
    uint32_t offset[16] = {};
    for (unsigned len = 1; len < 15; ++len) offset[len + 1] = offset[len] + count[len];
    uint16_t sorted[288] = {};
    for (uint32_t s = 0; s < n; ++s) {
        if (lengths[s] & 15) sorted[offset[lengths[s] & 15]++] = uint16_t(s);
    }
    unsigned longest = 0;
    for (unsigned len = 1; len <= 15; ++len) {
        if (count[len]) longest = len;
    }

    const uint32_t size = 1u << tableBits;
    for (uint32_t i = 0; i < size; ++i) table[i] = 0;
    const unsigned subBits = longest > tableBits ? longest - tableBits : 0;
    uint32_t nextSub = size;

    // The codes of length L the walk accepts are [first, first + count) among the L-bit values,
    // and only those below 2^L can occur; values below `first` matched a shorter length, so no
    // accepted code is a prefix of another, even when the lengths over-fill the code space.
    const bool pairing = pairs && alphabet == PngAlphabet::kLiteralLength;
    png_detail::PairLeads leads;
    uint32_t first = 0;
    uint32_t index = 0;
    for (unsigned len = 1; len <= longest; ++len) {
        const uint32_t limit = 1u << len;
        for (uint32_t code = first; code < first + count[len] && code < limit; ++code) {
            const uint32_t symbol = sorted[index + code - first];
            const uint32_t entry = png_detail::MakeEntry(alphabet, symbol, len);
            if (len <= tableBits) {
                const uint32_t reversed = png_detail::Reverse(code, len);
                for (uint32_t j = reversed; j < size; j += limit) table[j] = entry;
                if (pairing && symbol < 256 && len < tableBits) {
                    leads.reversed[leads.count] = uint16_t(reversed);
                    leads.length[leads.count] = uint8_t(len);
                    leads.symbol[leads.count++] = uint8_t(symbol);
                }
                continue;
            }
            const unsigned rest = len - tableBits;
            const uint32_t slot = png_detail::Reverse(code >> rest, tableBits);
            if (!(table[slot] & kPngEntrySub)) {
                table[slot] = kPngEntrySub | nextSub << 12 | subBits << 8;
                for (uint32_t j = 0; j < (1u << subBits); ++j) table[nextSub + j] = 0;
                nextSub += 1u << subBits;
            }
            uint32_t* sub = table + (table[slot] >> 12 & 0xFFFF);
            const uint32_t tail = png_detail::Reverse(code & ((1u << rest) - 1), rest);
            for (uint32_t j = tail; j < (1u << subBits); j += 1u << rest) sub[j] = entry;
        }
        index += count[len];
        first = (first + count[len]) << 1;
    }
    if (pairing) png_detail::PairLiterals(table, tableBits, leads);
}

// The entry for the next bits of `bits` (least significant first), through a subtable if needed.
inline uint32_t PngLookup(const uint32_t* table, unsigned tableBits, uint64_t bits) {
    const uint32_t entry = table[bits & ((1u << tableBits) - 1)];
    if (!(entry & kPngEntrySub)) return entry;
    const unsigned subBits = entry >> 8 & 15;
    return table[(entry >> 12 & 0xFFFF) + ((bits >> tableBits) & ((1u << subBits) - 1))];
}
