#pragma once
// PNG decoder for files held in memory: non-interlaced images of every colour type and bit depth,
// decoded in three stages driven by five calls on a caller-owned record.
//
// Calling order (the image loader's):
//   PngDecoder dec;
//   PngDecoderInit(&dec);
//   PngDecoderOpenMemory(&dec, data, length);   // parse chunks; data must outlive the record
//   PngDecoderDecode(&dec);                     // inflate into the raw buffer
//   ... read dec.width / dec.height, allocate the image ...
//   PngDecoderWriteRows(&dec, pixels, format, pitch);  // unfilter and convert, bottom row first
//   PngDecoderClose(&dec);                      // also after any failure
//
// Every call returns 1 on success and 0 on failure, with the reason in `error`. Nothing throws;
// every malformed input is refused, never read or written out of bounds.

#include <cstdint>

// Error codes left in PngDecoder::error.
inline constexpr uint32_t kPngErrorNone = 0;
inline constexpr uint32_t kPngErrorAlreadyOpen = 0x1002;  // open on a record already open
inline constexpr uint32_t kPngErrorMalformed = 0x2000;    // bad data, checksum, or no memory
inline constexpr uint32_t kPngErrorUnsupported = 0x2001;  // a valid PNG this decoder does not take
inline constexpr uint32_t kPngErrorNotReady = 0x2003;     // a stage called out of order

// PngOutputFormat: the low byte picks the row converter; the upper bytes are not read.
//  0 the row unchanged (any image)            8 RGBA16 -> B,G,R 8-bit (high bytes)
//  1 16-bit samples byte-swapped (depth 16)   9 RGBA16 -> B,G,R,A 8-bit (high bytes)
//  2 RGB16 -> B,G,R 16-bit little-endian     10 grey+alpha 16 -> grey 8-bit (high byte)
//  3 RGBA16 -> B,G,R 16-bit                  11 2-bit samples -> 4-bit samples, same values
//  4 RGBA16 -> B,G,R,A 16-bit                12 RGB8 -> B,G,R 8-bit
//  5 grey+alpha 16 -> grey 16-bit            13 RGBA8 -> B,G,R 8-bit
//  6 grey+alpha 8 -> grey 8, or grey 16 -> its high byte
//                                            14 RGBA8 -> B,G,R,A 8-bit
// A converter is accepted only for the image kinds listed (11: grey or palette at depth 2, writing
// (width + 1) / 2 bytes); palette indices and low depths are never expanded.
inline constexpr uint32_t kPngFormatBgra8 = 0x0608010E;  // converter 14, for RGBA 8-bit images
inline constexpr uint32_t kPngFormatBgr8 = 0x0208010C;   // converter 12, for RGB 8-bit images

// The decoder's record, owned by the caller and handed by address to every call. The field order
// is fixed; the record is packed so that no padding falls between the fields.
#pragma pack(push, 1)
struct PngDecoder {
    uint32_t width;             // from IHDR
    uint32_t height;            // from IHDR
    uint32_t error;             // last failure, 0 after a successful call
    uint32_t paletteCount;      // entries of the first PLTE chunk
    uint8_t colourType;         // from IHDR
    uint8_t bitDepth;           // from IHDR
    uint8_t interlace;          // from IHDR
    const uint8_t* input;       // the caller's file, never copied or freed
    uint32_t inputLength;
    const uint8_t* readPos;     // the chunk being examined
    uint8_t* raw;               // inflated, still filtered rows: filter byte + packed samples
    uint32_t rawSize;
    const uint8_t* palette;     // first PLTE chunk's data (R, G, B per entry), inside input
    uint32_t openState;         // 0 closed, 3 open on the caller's memory
    const uint8_t* ihdr;        // IHDR chunk's data, inside input
    const uint8_t* firstIdat;   // first IDAT chunk at its length field, inside input
    uint32_t stage;             // 0 nothing, 1 parsed, 2 inflated
};
#pragma pack(pop)

// Zeroes the record. Always 1.
int PngDecoderInit(PngDecoder* dec);

// Parses the chunks of `data` (kept by address, not copied). Fails with kPngErrorAlreadyOpen on a
// record already open; kPngErrorMalformed or kPngErrorUnsupported on a file it cannot take.
int PngDecoderOpenMemory(PngDecoder* dec, const void* data, uint32_t length);

// Images whose pixels, packed at their own depth, take more bytes than this are refused before
// anything is allocated.
inline constexpr uint64_t kPngMaxPixelBytes = uint64_t{64} << 20;
// Deflate makes at most 258 bytes of two bits, so no stream inflates beyond this ratio.
inline constexpr uint64_t kPngMaxInflateRatio = 1032;

// Inflates the image data into the raw buffer. Needs a successful open (else kPngErrorNotReady).
// A bad or short stream, an image larger than the bytes from the first IDAT to the end of the
// input could inflate to, or a failed allocation fails with kPngErrorMalformed; an image whose
// pixels exceed kPngMaxPixelBytes with kPngErrorUnsupported. A failure leaves no buffer, and the
// size refusals come before any allocation.
int PngDecoderDecode(PngDecoder* dec);

// Unfilters every row and converts it into `pixels`: source row y goes to
// pixels + (height - 1 - y) * pitch. Needs a decoded record (else kPngErrorNotReady); a null
// destination, a format whose converter does not fit the image, or a pitch whose magnitude is
// smaller than a converted row fails with kPngErrorUnsupported. A filter type above 4 stops at
// that row with 0 and the error unchanged; the rows before it stay written. May be called again
// with the same results.
int PngDecoderWriteRows(PngDecoder* dec, void* pixels, uint32_t format, int32_t pitch);

// Frees the raw buffer and zeroes the record. Always 1.
int PngDecoderClose(PngDecoder* dec);
