#include "png/PngChunks.h"

#include "png/PngChecksums.h"
#include "png/PngLayout.h"

namespace {

constexpr uint32_t kMaxDimension = 1600000;
constexpr uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

uint32_t Load32Be(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

const uint8_t* InputEnd(const PngDecoder* dec) { return dec->input + dec->inputLength; }

int Fail(PngDecoder* dec, uint32_t code) {
    dec->error = code;
    return 0;
}

bool CrcMatches(const uint8_t* chunk, uint32_t length, uint32_t storedCrc) {
    return PngChunkCrc(chunk + 4, size_t(length) + 4) == storedCrc;
}

}  // namespace

uint32_t PngChunkKind(const uint8_t* type) {
    const uint8_t first = type[0] & 0xDF;
    auto is = [&](const char* name) {
        return first == uint8_t(name[0]) && type[1] == uint8_t(name[1]) &&
               type[2] == uint8_t(name[2]) && type[3] == uint8_t(name[3]);
    };
    if (is("IHDR")) return kPngChunkIhdr;
    if (is("PLTE")) return kPngChunkPlte;
    if (is("IDAT")) return kPngChunkIdat;
    if (is("IEND")) return kPngChunkIend;
    return (type[0] & 0x20) ? kPngChunkAncillary : kPngChunkUnknownCritical;
}

PngHeaderResult PngReadChunkHeader(const PngDecoder* dec, uint32_t* kind, uint32_t* length,
                                   uint32_t* storedCrc) {
    const uint8_t* end = InputEnd(dec);
    const uint8_t* pos = dec->readPos;
    if (pos >= end || size_t(end - pos) < 12) return PngHeaderResult::kEnd;
    const uint32_t len = Load32Be(pos);
    if (len > kPngMaxChunkLength) return PngHeaderResult::kBadLength;
    // Compare against the bytes remaining: adding a file's length to a pointer could wrap.
    if (uint64_t(end - pos) - 12 < len) return PngHeaderResult::kEnd;
    *kind = PngChunkKind(pos + 4);
    *length = len;
    *storedCrc = Load32Be(pos + 8 + len);
    return PngHeaderResult::kRead;
}

int PngParseChunks(PngDecoder* dec) {
    dec->readPos = nullptr;
    dec->ihdr = nullptr;
    dec->firstIdat = nullptr;
    dec->palette = nullptr;
    dec->error = kPngErrorNone;

    if (dec->inputLength < 16) return Fail(dec, kPngErrorMalformed);
    for (int i = 0; i < 8; ++i) {
        if (dec->input[i] != kSignature[i]) return Fail(dec, kPngErrorMalformed);
    }
    dec->readPos = dec->input + 8;

    uint32_t kind = 0;
    uint32_t length = 0;
    uint32_t crc = 0;
    if (PngReadChunkHeader(dec, &kind, &length, &crc) != PngHeaderResult::kRead ||
        kind != kPngChunkIhdr || length != 13) {
        return Fail(dec, kPngErrorMalformed);
    }
    const uint8_t* ihdr = dec->readPos + 8;
    const uint32_t width = Load32Be(ihdr);
    const uint32_t height = Load32Be(ihdr + 4);
    if (width < 1 || width > kMaxDimension || height < 1 || height > kMaxDimension) {
        return Fail(dec, kPngErrorMalformed);
    }
    if (!CrcMatches(dec->readPos, length, crc)) return Fail(dec, kPngErrorMalformed);
    dec->ihdr = ihdr;
    dec->width = width;
    dec->height = height;

    for (;;) {
        dec->readPos += size_t(length) + 12;
        const PngHeaderResult header = PngReadChunkHeader(dec, &kind, &length, &crc);
        if (header == PngHeaderResult::kBadLength) return Fail(dec, kPngErrorMalformed);
        if (header == PngHeaderResult::kEnd) break;
        if (!CrcMatches(dec->readPos, length, crc)) return Fail(dec, kPngErrorMalformed);
        if (kind == kPngChunkUnknownCritical) return Fail(dec, kPngErrorUnsupported);
        if (kind == kPngChunkPlte && !dec->palette) {
            if (length % 3 != 0 || length < 3 || length > 768) {
                return Fail(dec, kPngErrorMalformed);
            }
            dec->palette = dec->readPos + 8;
            dec->paletteCount = length / 3;
        } else if (kind == kPngChunkIdat && !dec->firstIdat) {
            dec->firstIdat = dec->readPos;
        }
    }

    if (!dec->firstIdat) return Fail(dec, kPngErrorMalformed);
    dec->bitDepth = ihdr[8];
    dec->colourType = ihdr[9];
    dec->interlace = ihdr[12];
    if (!PngIsAcceptedFormat(dec->colourType, dec->bitDepth) || ihdr[10] != 0 || ihdr[11] != 0 ||
        dec->interlace != 0) {
        return Fail(dec, kPngErrorUnsupported);
    }
    if (dec->colourType == 3 && !dec->palette) return Fail(dec, kPngErrorMalformed);
    return 1;
}
