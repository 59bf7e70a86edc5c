#pragma once
// Inflate of a PNG image's zlib stream, read in place from its IDAT chunks.

#include <cstddef>
#include <cstdint>

// Decompresses the stream starting in the IDAT chunk at `firstIdat` (its length field) into
// exactly `size` bytes at `out`, and checks the Adler-32. False for any malformed stream, a
// stream that would write past `size` bytes, and one that ends before filling them. No byte at or
// beyond out + size is written; on failure the output is not defined.
bool PngInflate(const uint8_t* firstIdat, const uint8_t* inputEnd, uint8_t* out, size_t size);
