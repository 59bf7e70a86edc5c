#pragma once
// The chunk walk of a PNG file held in memory: chunk kinds, chunk headers and the parse that
// checks every chunk's CRC and records IHDR, the first PLTE and the first IDAT.

#include <cstdint>

#include "png/PngDecoder.h"

enum PngChunkKindCode : uint32_t {
    kPngChunkAncillary = 0,
    kPngChunkIhdr = 1,
    kPngChunkPlte = 2,
    kPngChunkIdat = 3,
    kPngChunkIend = 4,
    kPngChunkUnknownCritical = 5,
};

// Kind from the four type bytes; the first letter's case is ignored.
uint32_t PngChunkKind(const uint8_t* type);

// Longest chunk length a file may declare.
inline constexpr uint32_t kPngMaxChunkLength = 0x7FFFFFFF;

enum class PngHeaderResult { kRead, kEnd, kBadLength };

// Reads the chunk header at dec->readPos. kEnd when fewer than 12 bytes remain or the chunk's CRC
// field would not lie wholly inside the input; kBadLength for a length above kPngMaxChunkLength.
PngHeaderResult PngReadChunkHeader(const PngDecoder* dec, uint32_t* kind, uint32_t* length,
                                   uint32_t* storedCrc);

// Walks every chunk from the signature to the end of the input. Returns 1, or 0 with the error
// code set (kPngErrorMalformed or kPngErrorUnsupported).
int PngParseChunks(PngDecoder* dec);
