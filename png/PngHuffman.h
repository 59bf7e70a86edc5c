#pragma once
// Canonical Huffman tables of DEFLATE, decoded through a lookup of the next kPngFastBits bits.
// The lookup is only a shortcut for the canonical walk (code lengths tried from 1 upward, one
// bit at a time, until the code falls inside the range of that length): every bit sequence gives
// the same symbol or the same failure either way, also for incomplete and over-full code sets.

#include <cstdint>

inline constexpr unsigned kPngFastBits = 10;
inline constexpr unsigned kPngMaxSymbols = 288;

struct PngHuffman {
    uint16_t count[16];                // codes of each length
    uint16_t symbol[kPngMaxSymbols];   // symbols ordered by code length, then by value
    uint16_t fast[1u << kPngFastBits]; // symbol << 4 | length, or 0: code longer than the lookup
    uint32_t maxLength;
};

// Builds the table for `n` symbols from their code lengths (0 = absent, each <= maxLength <= 15).
void PngBuildHuffman(PngHuffman* h, const uint8_t* lengths, uint32_t n, uint32_t maxLength);

// The canonical walk over `bits` (next stream bits, least significant first). Returns the symbol
// and sets *used to its code length, or returns -1 when no code of at most maxLength bits matches.
int PngHuffmanWalk(const PngHuffman& h, uint64_t bits, unsigned* used);
