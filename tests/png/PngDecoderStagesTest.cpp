// The decoder's record through its stages, and the chunk walk's acceptance rules.

#include <gtest/gtest.h>

#include "PngTestFiles.h"
#include "png/PngDecoder.h"

namespace {

// A grey 8-bit image of the given size whose rows are all filter 0 with ascending bytes.
Bytes GreyImageRaw(uint32_t width, uint32_t height) {
    Bytes raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);
        for (uint32_t x = 0; x < width; ++x) raw.push_back(uint8_t(x + 7 * y));
    }
    return raw;
}

Bytes GreyPng(uint32_t width, uint32_t height) {
    return MakePng(IhdrData(width, height, 8, 0), ZlibCompress(GreyImageRaw(width, height)));
}

struct Opened {
    PngDecoder dec;
    int result;
};

Opened Open(const Bytes& file) {
    Opened o;
    PngDecoderInit(&o.dec);
    o.result = PngDecoderOpenMemory(&o.dec, file.data(), uint32_t(file.size()));
    return o;
}

uint32_t OpenError(const Bytes& file) {
    PngDecoder dec;
    PngDecoderInit(&dec);
    PngDecoderOpenMemory(&dec, file.data(), uint32_t(file.size()));
    return dec.error;
}

// Inserts a chunk right after IHDR (offset 33).
Bytes WithChunkAfterIhdr(const Bytes& file, const char* type, const Bytes& data) {
    Bytes chunk;
    AppendChunk(chunk, type, data);
    Bytes out(file.begin(), file.begin() + 33);
    out.insert(out.end(), chunk.begin(), chunk.end());
    out.insert(out.end(), file.begin() + 33, file.end());
    return out;
}

TEST(PngDecoderStages, RunsThroughEveryStageAndCloses) {
    const Bytes file = GreyPng(5, 3);
    PngDecoder dec;
    ASSERT_EQ(PngDecoderInit(&dec), 1);
    EXPECT_EQ(PngDecoderDecode(&dec), 0);
    EXPECT_EQ(+dec.error, kPngErrorNotReady);

    ASSERT_EQ(PngDecoderOpenMemory(&dec, file.data(), uint32_t(file.size())), 1);
    EXPECT_EQ(+dec.stage, 1u);
    EXPECT_EQ(+dec.openState, 3u);
    EXPECT_EQ(+dec.width, 5u);
    EXPECT_EQ(+dec.height, 3u);
    EXPECT_EQ(+dec.input, file.data());
    EXPECT_EQ(+dec.ihdr, file.data() + 16);
    EXPECT_EQ(+dec.firstIdat, file.data() + 33);

    Bytes pixels(15);
    EXPECT_EQ(PngDecoderWriteRows(&dec, pixels.data(), 0, 5), 0);
    EXPECT_EQ(+dec.error, kPngErrorNotReady);

    EXPECT_EQ(PngDecoderOpenMemory(&dec, file.data(), uint32_t(file.size())), 0);
    EXPECT_EQ(+dec.error, kPngErrorAlreadyOpen);

    ASSERT_EQ(PngDecoderDecode(&dec), 1);
    EXPECT_EQ(+dec.stage, 2u);
    EXPECT_EQ(+dec.rawSize, 18u);
    EXPECT_EQ(Bytes(+dec.raw, +dec.raw + +dec.rawSize), GreyImageRaw(5, 3));
    EXPECT_EQ(PngDecoderDecode(&dec), 0);
    EXPECT_EQ(+dec.error, kPngErrorNotReady);

    // Rows may be written any number of times.
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(PngDecoderWriteRows(&dec, pixels.data(), 0, 5), 1);
        EXPECT_EQ(+dec.error, kPngErrorNone);
        EXPECT_EQ(pixels[0], 14);  // source row 2 lands in destination row 0
        EXPECT_EQ(pixels[10], 0);
    }
    EXPECT_EQ(PngDecoderClose(&dec), 1);
    EXPECT_EQ(+dec.stage, 0u);
    EXPECT_EQ(+dec.raw, nullptr);
    // A closed record opens again.
    EXPECT_EQ(PngDecoderOpenMemory(&dec, file.data(), uint32_t(file.size())), 1);
    PngDecoderClose(&dec);
}

TEST(PngDecoderStages, NullArgumentsAreRefusals) {
    EXPECT_EQ(PngDecoderInit(nullptr), 0);
    EXPECT_EQ(PngDecoderOpenMemory(nullptr, nullptr, 0), 0);
    EXPECT_EQ(PngDecoderDecode(nullptr), 0);
    EXPECT_EQ(PngDecoderWriteRows(nullptr, nullptr, 0, 0), 0);
    EXPECT_EQ(PngDecoderClose(nullptr), 0);

    PngDecoder dec;
    PngDecoderInit(&dec);
    EXPECT_EQ(PngDecoderOpenMemory(&dec, nullptr, 100), 0);
    EXPECT_EQ(+dec.error, kPngErrorMalformed);
    EXPECT_EQ(+dec.openState, 0u);

    const Bytes file = GreyPng(4, 4);
    ASSERT_EQ(PngDecoderOpenMemory(&dec, file.data(), uint32_t(file.size())), 1);
    ASSERT_EQ(PngDecoderDecode(&dec), 1);
    EXPECT_EQ(PngDecoderWriteRows(&dec, nullptr, 0, 4), 0);
    EXPECT_EQ(+dec.error, kPngErrorUnsupported);
    PngDecoderClose(&dec);
}

TEST(PngDecoderStages, FailedDecodeLeavesParsedRecordWithoutBuffer) {
    Bytes stream = ZlibCompress(GreyImageRaw(4, 4));
    stream.back() ^= 1;  // Adler-32
    const Bytes file = MakePng(IhdrData(4, 4, 8, 0), stream);
    Opened o = Open(file);
    ASSERT_EQ(o.result, 1);
    EXPECT_EQ(PngDecoderDecode(&o.dec), 0);
    EXPECT_EQ(+o.dec.error, kPngErrorMalformed);
    EXPECT_EQ(+o.dec.stage, 1u);
    EXPECT_EQ(+o.dec.raw, nullptr);
    PngDecoderClose(&o.dec);
}

TEST(PngChunkWalk, RefusesShortInputsBadSignaturesAndBadIhdr) {
    const Bytes good = GreyPng(3, 3);
    EXPECT_EQ(OpenError(Bytes(good.begin(), good.begin() + 15)), kPngErrorMalformed);

    Bytes badSignature = good;
    badSignature[1] = 'p';
    EXPECT_EQ(OpenError(badSignature), kPngErrorMalformed);

    // The first chunk must be a 13-byte IHDR.
    Bytes firstNotIhdr = {137, 80, 78, 71, 13, 10, 26, 10};
    AppendChunk(firstNotIhdr, "tEXt", Bytes(13, 'a'));
    EXPECT_EQ(OpenError(firstNotIhdr), kPngErrorMalformed);
    Bytes longIhdr = {137, 80, 78, 71, 13, 10, 26, 10};
    Bytes ihdr = IhdrData(3, 3, 8, 0);
    ihdr.push_back(0);
    AppendChunk(longIhdr, "IHDR", ihdr);
    EXPECT_EQ(OpenError(longIhdr), kPngErrorMalformed);

    Bytes badIhdrCrc = good;
    badIhdrCrc[29] ^= 0x40;
    EXPECT_EQ(OpenError(badIhdrCrc), kPngErrorMalformed);
}

TEST(PngChunkWalk, LimitsDimensions) {
    const Bytes stream = ZlibCompress(Bytes(2, 0));
    EXPECT_EQ(Open(MakePng(IhdrData(1600000, 1, 1, 0), stream)).result, 1);
    EXPECT_EQ(Open(MakePng(IhdrData(1, 1600000, 1, 0), stream)).result, 1);
    EXPECT_EQ(OpenError(MakePng(IhdrData(1600001, 1, 1, 0), stream)), kPngErrorMalformed);
    EXPECT_EQ(OpenError(MakePng(IhdrData(1, 1600001, 1, 0), stream)), kPngErrorMalformed);
    EXPECT_EQ(OpenError(MakePng(IhdrData(0, 1, 1, 0), stream)), kPngErrorMalformed);
    EXPECT_EQ(OpenError(MakePng(IhdrData(1, 0, 1, 0), stream)), kPngErrorMalformed);
}

TEST(PngChunkWalk, RawSizesBeyond32BitsAreRefusedNotWrapped) {
    // 1,600,000 x 1,600,000 RGBA 16-bit: about 2^44 bytes.
    Opened o = Open(MakePng(IhdrData(1600000, 1600000, 16, 6), ZlibCompress(Bytes(9, 0))));
    ASSERT_EQ(o.result, 1);
    EXPECT_EQ(PngDecoderDecode(&o.dec), 0);
    EXPECT_EQ(+o.dec.error, kPngErrorMalformed);
    EXPECT_EQ(+o.dec.raw, nullptr);
    // Raw size 2^32 exactly (row 65535 + 1 bytes, 65536 rows) wraps to 0 in 32 bits.
    Opened wraps = Open(MakePng(IhdrData(65535, 65536, 8, 0), ZlibCompress(Bytes(9, 0))));
    ASSERT_EQ(wraps.result, 1);
    EXPECT_EQ(PngDecoderDecode(&wraps.dec), 0);
    EXPECT_EQ(+wraps.dec.error, kPngErrorMalformed);
}

TEST(PngChunkWalk, AnImageLargerThanItsDataCouldInflateToIsMalformedNotTooLarge) {
    // Deflate's densest code copies 258 bytes for two bits. Grey rows of `dataBytes` bytes with
    // the filter byte, that many rows: exactly what the data from the first IDAT on could give,
    // and beyond the budget, so only the data's size decides which refusal it is.
    const uint32_t dataBytes = 70000, rows = 258 * 8 / 2;
    auto decodeError = [&](uint32_t bytes) {
        Bytes file = MakePng(IhdrData(dataBytes - 1, rows, 8, 0), ZlibCompress(Bytes(9, 0)));
        AppendChunk(file, "tEXt", Bytes(bytes - (file.size() - 33) - 12, 'p'));
        Opened o = Open(file);
        PngDecoderDecode(&o.dec);
        const uint32_t error = o.dec.error;
        PngDecoderClose(&o.dec);
        return error;
    };
    EXPECT_EQ(decodeError(dataBytes), kPngErrorUnsupported);
    EXPECT_EQ(decodeError(dataBytes - 1), kPngErrorMalformed);
}

TEST(PngChunkWalk, AncillaryChunksAreSkippedUnknownCriticalOnesRefused) {
    const Bytes good = GreyPng(3, 2);
    EXPECT_EQ(Open(WithChunkAfterIhdr(good, "xYzW", Bytes(5, 1))).result, 1);
    EXPECT_EQ(OpenError(WithChunkAfterIhdr(good, "XYzW", Bytes(5, 1))), kPngErrorUnsupported);
    // The first letter's case is ignored when naming the chunk.
    Opened lower = Open(WithChunkAfterIhdr(good, "iEND", {}));
    EXPECT_EQ(lower.result, 1);

    Bytes badCrc = WithChunkAfterIhdr(good, "tEXt", Bytes(4, 'q'));
    badCrc[33 + 8] ^= 1;
    EXPECT_EQ(OpenError(badCrc), kPngErrorMalformed);
}

TEST(PngChunkWalk, RefusesWhatItCannotDecode) {
    const Bytes stream = ZlibCompress(Bytes(64, 0));
    EXPECT_EQ(OpenError(MakePng(IhdrData(3, 3, 8, 0, 1), stream)), kPngErrorUnsupported);
    EXPECT_EQ(OpenError(MakePng(IhdrData(3, 3, 4, 2), stream)), kPngErrorUnsupported);
    EXPECT_EQ(OpenError(MakePng(IhdrData(3, 3, 16, 3), stream)), kPngErrorUnsupported);
    EXPECT_EQ(OpenError(MakePng(IhdrData(3, 3, 8, 5), stream)), kPngErrorUnsupported);
    Bytes method = IhdrData(3, 3, 8, 0);
    method[10] = 1;
    EXPECT_EQ(OpenError(MakePng(method, stream)), kPngErrorUnsupported);
    method[10] = 0;
    method[11] = 1;
    EXPECT_EQ(OpenError(MakePng(method, stream)), kPngErrorUnsupported);
}

TEST(PngChunkWalk, PaletteRules) {
    const Bytes stream = ZlibCompress(Bytes(8, 0));
    EXPECT_EQ(OpenError(MakePng(IhdrData(3, 2, 8, 3), stream)), kPngErrorMalformed);
    Opened ok = Open(MakePng(IhdrData(3, 2, 8, 3), stream, {}, Bytes(6, 9)));
    ASSERT_EQ(ok.result, 1);
    EXPECT_EQ(+ok.dec.paletteCount, 2u);
    EXPECT_EQ(OpenError(MakePng(IhdrData(3, 2, 8, 3), stream, {}, Bytes(7, 9))),
              kPngErrorMalformed);
    EXPECT_EQ(OpenError(MakePng(IhdrData(3, 2, 8, 3), stream, {}, Bytes(771, 9))),
              kPngErrorMalformed);
    EXPECT_EQ(Open(MakePng(IhdrData(3, 2, 8, 3), stream, {}, Bytes(768, 9))).result, 1);
}

TEST(PngChunkWalk, NeedsAnIdatAndWalksToTheEnd) {
    Bytes noIdat = {137, 80, 78, 71, 13, 10, 26, 10};
    AppendChunk(noIdat, "IHDR", IhdrData(2, 2, 8, 0));
    AppendChunk(noIdat, "IEND", {});
    EXPECT_EQ(OpenError(noIdat), kPngErrorMalformed);

    // IEND does not end the walk: a bad CRC after it still fails.
    Bytes afterEnd = GreyPng(2, 2);
    AppendChunk(afterEnd, "tEXt", Bytes(3, 'z'));
    EXPECT_EQ(Open(afterEnd).result, 1);
    afterEnd.back() ^= 1;
    EXPECT_EQ(OpenError(afterEnd), kPngErrorMalformed);

    // A last chunk whose CRC is cut off is not examined.
    Bytes cut = GreyPng(2, 2);
    AppendChunk(cut, "tEXt", Bytes(3, 'z'));
    cut.erase(cut.end() - 2, cut.end());
    EXPECT_EQ(Open(cut).result, 1);
}

TEST(PngChunkWalk, AFirstIdatNamedWithALowerCaseFirstLetterIsInflated) {
    Bytes file = GreyPng(6, 4);
    const size_t type = 33 + 4;  // the IDAT chunk's type, right after IHDR
    ASSERT_EQ(file[type], 'I');
    file[type] = 'i';
    FixChunkCrcs(file);
    Opened o = Open(file);
    ASSERT_EQ(o.result, 1);
    ASSERT_EQ(PngDecoderDecode(&o.dec), 1);
    const Bytes expected = GreyImageRaw(6, 4);
    EXPECT_EQ(Bytes(o.dec.raw, o.dec.raw + o.dec.rawSize), expected);
    PngDecoderClose(&o.dec);
}

TEST(PngChunkWalk, HugeChunkLengthsAreRefusedWithoutPointerArithmetic) {
    Bytes file = GreyPng(2, 2);
    const size_t at = file.size() - 12;  // IEND's length field
    for (uint32_t length : {0x80000000u, 0xFFFFFFFFu, 0xFFFFFFF4u}) {
        Bytes f = file;
        for (int i = 0; i < 4; ++i) f[at + i] = uint8_t(length >> (24 - 8 * i));
        EXPECT_EQ(OpenError(f), kPngErrorMalformed) << length;
    }
    // Within the limit but past the input's end: the walk simply ends there.
    Bytes f = file;
    f[at] = 0x7F;
    EXPECT_EQ(Open(f).result, 1);
}

}  // namespace
