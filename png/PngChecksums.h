#pragma once
// The two checksums of a PNG file: the chunk CRC-32 and the zlib stream's Adler-32.

#include <cstddef>
#include <cstdint>

// Standard reflected CRC-32 (polynomial 0xEDB88320, preset and final complement) of `length`
// bytes: for a chunk, its type and data.
uint32_t PngChunkCrc(const uint8_t* data, size_t length);

// Adler-32 of RFC 1950 (sums start at 1 and 0, modulus 65521).
uint32_t PngAdler32(const uint8_t* data, size_t length);

// Continues an Adler-32 over `length` more bytes: PngAdler32Update(PngAdler32(a), b) is the
// Adler-32 of a followed by b.
uint32_t PngAdler32Update(uint32_t adler, const uint8_t* data, size_t length);
