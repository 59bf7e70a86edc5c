#include "png/PngDecoder.h"

#include <cstdlib>
#include <cstring>

#include "png/PngChunks.h"
#include "png/PngInflate.h"
#include "png/PngLayout.h"
#include "png/PngRawBuffer.h"
#include "png/PngRowConverters.h"
#include "png/PngRowFilters.h"

namespace {

int Fail(PngDecoder* dec, uint32_t code) {
    dec->error = code;
    return 0;
}

}  // namespace

int PngDecoderInit(PngDecoder* dec) {
    if (!dec) return 0;
    std::memset(static_cast<void*>(dec), 0, sizeof *dec);
    return 1;
}

int PngDecoderOpenMemory(PngDecoder* dec, const void* data, uint32_t length) {
    if (!dec) return 0;
    if (dec->stage != 0 || dec->openState != 0) return Fail(dec, kPngErrorAlreadyOpen);
    if (!data) return Fail(dec, kPngErrorMalformed);
    dec->error = kPngErrorNone;
    dec->input = static_cast<const uint8_t*>(data);
    dec->readPos = dec->input;
    dec->inputLength = length;
    dec->openState = 3;
    if (!PngParseChunks(dec)) {
        dec->openState = 0;
        return 0;
    }
    dec->stage = 1;
    return 1;
}

int PngDecoderDecode(PngDecoder* dec) {
    if (!dec) return 0;
    if (dec->stage != 1) return Fail(dec, kPngErrorNotReady);
    const uint64_t size = PngRawSize(dec->colourType, dec->bitDepth, dec->width, dec->height);
    // Every IDAT byte lies between the first one and the end of the input.
    const uint64_t compressed = uint64_t(dec->input + dec->inputLength - dec->firstIdat);
    if (size > compressed * kPngMaxInflateRatio) return Fail(dec, kPngErrorMalformed);
    // The budget is for the pixels; the rows' filter bytes come on top of it.
    const uint64_t pixelBytes =
        PngRowLength(dec->colourType, dec->bitDepth, dec->width) * dec->height;
    if (pixelBytes > kPngMaxPixelBytes) return Fail(dec, kPngErrorUnsupported);
    uint8_t* raw = PngAllocateRaw(size_t(size));
    if (!raw) return Fail(dec, kPngErrorMalformed);
    if (!PngInflate(dec->firstIdat, dec->input + dec->inputLength, raw, size_t(size))) {
        PngFreeRaw(raw, size_t(size));
        return Fail(dec, kPngErrorMalformed);
    }
    dec->raw = raw;
    dec->rawSize = uint32_t(size);
    dec->stage = 2;
    dec->error = kPngErrorNone;
    return 1;
}

int PngDecoderWriteRows(PngDecoder* dec, void* pixels, uint32_t format, int32_t pitch) {
    if (!dec) return 0;
    if (dec->stage != 2 || !dec->raw) return Fail(dec, kPngErrorNotReady);
    uint64_t outputBytes = 0;
    const PngRowConverter convert = PngSelectConverter(format & 0xFF, dec->colourType,
                                                       dec->bitDepth, dec->width, &outputBytes);
    const uint64_t pitchMagnitude = pitch < 0 ? uint64_t(-int64_t(pitch)) : uint64_t(pitch);
    if (!convert || !pixels || pitchMagnitude < outputBytes) {
        return Fail(dec, kPngErrorUnsupported);
    }

    // Decode succeeded, so the raw size fits 32 bits and so does every row.
    const size_t rowLength = size_t(PngRowLength(dec->colourType, dec->bitDepth, dec->width));
    const size_t step = PngFilterStep(dec->colourType, dec->bitDepth);
    const size_t half = (rowLength + 8 + 7) & ~size_t(7);
    // Both halves start zeroed: the row above the first one reads as zeros.
    auto* rows = static_cast<uint8_t*>(std::calloc(2, half));
    if (!rows) return Fail(dec, kPngErrorMalformed);

    auto* base = static_cast<uint8_t*>(pixels);
    const uint8_t* raw = dec->raw;
    const uint8_t* prev = rows + half;
    uint8_t* current = rows;
    for (uint32_t y = 0; y < dec->height; ++y, raw += rowLength + 1) {
        const uint8_t filter = raw[0];
        const uint8_t* row = raw + 1;
        if (filter != 0) {
            if (!PngUnfilterRow(filter, raw + 1, prev, current, rowLength, step)) {
                std::free(rows);
                return 0;
            }
            row = current;
            current = current == rows ? rows + half : rows;
        }
        convert(row, base + ptrdiff_t(dec->height - 1 - y) * ptrdiff_t(pitch), rowLength,
                dec->width);
        prev = row;
    }
    std::free(rows);
    dec->error = kPngErrorNone;
    return 1;
}

int PngDecoderClose(PngDecoder* dec) {
    if (!dec) return 0;
    PngFreeRaw(dec->raw, dec->rawSize);
    return PngDecoderInit(dec);
}
