// Damaged files through the whole decode: cut at every offset, bits flipped with the chunk CRCs
// mended so the damage reaches the inflater and the row pass. Nothing may read or write out of
// bounds (the sanitizers watch); what decodes must write rows of the size it reports.

#include <gtest/gtest.h>

#include <random>

#include "PngTestFiles.h"
#include "png/PngDecoder.h"

namespace {

// Runs every stage that succeeds; returns whether the rows were written, leaving them in *rows.
bool DecodeAll(const Bytes& file, Bytes* rows = nullptr) {
    PngDecoder dec;
    PngDecoderInit(&dec);
    bool wrote = false;
    if (PngDecoderOpenMemory(&dec, file.data(), uint32_t(file.size())) &&
        PngDecoderDecode(&dec)) {
        const uint32_t width = dec.width;
        const uint32_t height = dec.height;
        const int channels = dec.colourType == 2 ? 3 : dec.colourType == 4 ? 2
                             : dec.colourType == 6 ? 4 : 1;
        const size_t rowBytes = (size_t(channels) * dec.bitDepth * width + 7) / 8;
        // Exactly sized, so the sanitizer sees any write past the last row.
        Bytes out(rowBytes * height);
        wrote = PngDecoderWriteRows(&dec, out.data(), 0, int32_t(rowBytes)) == 1;
        if (rows) *rows = out;
    }
    PngDecoderClose(&dec);
    return wrote;
}

const char* const kFiles[] = {"basn0g01.png", "basn2c08.png", "basn3p04.png", "basn4a16.png",
                              "basn6a08.png", "f04n2c08.png", "z09n2c08.png"};

TEST(PngDamagedFiles, EveryTruncationIsRefusedOrDecodesTheSameImage) {
    for (const char* name : kFiles) {
        const Bytes file = ReadFileBytes(PngSuiteDir() + "/" + name);
        ASSERT_FALSE(file.empty()) << name;
        Bytes whole;
        ASSERT_TRUE(DecodeAll(file, &whole)) << name;
        for (size_t n = 0; n < file.size(); ++n) {
            // A copy of exactly n bytes, so reading past the cut is caught.
            const Bytes cut(file.begin(), file.begin() + long(n));
            Bytes rows;
            if (DecodeAll(cut, &rows)) {
                EXPECT_EQ(rows, whole) << name << " cut at " << n;
            }
        }
        // Without IEND (12 bytes) the image is complete and decodes.
        EXPECT_TRUE(DecodeAll(Bytes(file.begin(), file.end() - 12))) << name;
    }
}

TEST(PngDamagedFiles, EveryBitFlipOfASmallFile) {
    const Bytes file = ReadFileBytes(PngSuiteDir() + "/basn0g01.png");
    ASSERT_FALSE(file.empty());
    int refused = 0;
    for (size_t bit = 0; bit < file.size() * 8; ++bit) {
        Bytes f = file;
        f[bit / 8] ^= uint8_t(1u << (bit % 8));
        const bool plainDecoded = DecodeAll(f);
        FixChunkCrcs(f);
        refused += !DecodeAll(f) && !plainDecoded;
    }
    EXPECT_GT(refused, 0);
}

TEST(PngDamagedFiles, RandomByteDamageWithMendedCrcs) {
    std::mt19937 rng(77);
    for (const char* name : kFiles) {
        const Bytes file = ReadFileBytes(PngSuiteDir() + "/" + name);
        ASSERT_FALSE(file.empty()) << name;
        for (int round = 0; round < 300; ++round) {
            Bytes f = file;
            const int hits = 1 + int(rng() % 4);
            for (int h = 0; h < hits; ++h) f[8 + rng() % (f.size() - 8)] = uint8_t(rng());
            FixChunkCrcs(f);
            DecodeAll(f);
        }
    }
}

TEST(PngDamagedFiles, PixelsUpToTheBudgetDecodeAndOneColumnMoreIsRefusedBeforeAnyBuffer) {
    // 4096 x 4096 RGBA: its pixels fill the budget exactly, its rows' filter bytes come on top.
    const uint32_t side = 4096;
    Bytes raw;
    raw.reserve(size_t(side * 4 + 1) * side);
    for (uint32_t y = 0; y < side; ++y) {
        raw.push_back(0);
        for (uint32_t x = 0; x < side * 4; ++x) raw.push_back(uint8_t(x ^ y));
    }
    const Bytes stream = ZlibCompress(raw, 1);
    const Bytes fits = MakePng(IhdrData(side, side, 8, 6), stream);
    PngDecoder dec;
    PngDecoderInit(&dec);
    ASSERT_EQ(PngDecoderOpenMemory(&dec, fits.data(), uint32_t(fits.size())), 1);
    EXPECT_EQ(PngDecoderDecode(&dec), 1);
    PngDecoderClose(&dec);
    const Bytes wider = MakePng(IhdrData(side + 1, side, 8, 6), stream);
    ASSERT_EQ(PngDecoderOpenMemory(&dec, wider.data(), uint32_t(wider.size())), 1);
    EXPECT_EQ(PngDecoderDecode(&dec), 0);
    EXPECT_EQ(+dec.error, kPngErrorUnsupported);
    EXPECT_EQ(+dec.raw, nullptr);
    PngDecoderClose(&dec);
}

TEST(PngDamagedFiles, DeclaredSizesLargerThanTheData) {
    // A tiny stream behind a header that promises a large image is refused, not read past.
    const Bytes file = MakePng(IhdrData(4000, 4000, 8, 6), ZlibCompress(Bytes(100, 0)));
    EXPECT_FALSE(DecodeAll(file));
}

}  // namespace
