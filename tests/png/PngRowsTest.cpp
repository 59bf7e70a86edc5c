// Row reconstruction and the row pass: filters, destination order, converter checks.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "PngTestFiles.h"
#include "png/PngDecoder.h"
#include "png/PngRowFilters.h"

namespace {

// A file whose raw rows are given as is (each starting with its filter byte).
Bytes FileFromRaw(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType,
                  const std::vector<Bytes>& rows) {
    Bytes raw;
    for (const Bytes& r : rows) raw.insert(raw.end(), r.begin(), r.end());
    return MakePng(IhdrData(width, height, depth, colourType), ZlibCompress(raw));
}

// Opens and inflates; the caller closes.
void OpenAndDecode(PngDecoder* dec, const Bytes& file) {
    PngDecoderInit(dec);
    ASSERT_EQ(PngDecoderOpenMemory(dec, file.data(), uint32_t(file.size())), 1);
    ASSERT_EQ(PngDecoderDecode(dec), 1);
}

TEST(PngRowFilters, FirstRowReadsZerosAbove) {
    const Bytes zeros(6, 0);
    const Bytes raw = {10, 20, 30, 5, 6, 7};
    Bytes out(6);
    ASSERT_TRUE(PngUnfilterRow(2, raw.data(), zeros.data(), out.data(), 6, 3));  // Up
    EXPECT_EQ(out, raw);
    ASSERT_TRUE(PngUnfilterRow(3, raw.data(), zeros.data(), out.data(), 6, 3));  // Average
    EXPECT_EQ(out, (Bytes{10, 20, 30, 10, 16, 22}));
    ASSERT_TRUE(PngUnfilterRow(4, raw.data(), zeros.data(), out.data(), 6, 3));  // Paeth = Sub
    Bytes sub(6);
    ASSERT_TRUE(PngUnfilterRow(1, raw.data(), zeros.data(), sub.data(), 6, 3));
    EXPECT_EQ(out, sub);
    EXPECT_EQ(sub, (Bytes{10, 20, 30, 15, 26, 37}));
    EXPECT_FALSE(PngUnfilterRow(5, raw.data(), zeros.data(), out.data(), 6, 3));
    EXPECT_FALSE(PngUnfilterRow(0, raw.data(), zeros.data(), out.data(), 6, 3));
}

TEST(PngRowFilters, AverageSumsInNineBitsAndArithmeticWraps) {
    const Bytes prev = {0, 100};
    const Bytes raw = {200, 1};
    Bytes out(2);
    ASSERT_TRUE(PngUnfilterRow(3, raw.data(), prev.data(), out.data(), 2, 1));
    EXPECT_EQ(out[1], 151);  // 1 + (200 + 100) / 2
    const Bytes wrapRaw = {250, 250};
    const Bytes wrapPrev = {10, 10};
    ASSERT_TRUE(PngUnfilterRow(2, wrapRaw.data(), wrapPrev.data(), out.data(), 2, 1));
    EXPECT_EQ(out, (Bytes{4, 4}));
}

TEST(PngRowFilters, PaethBreaksTiesInTheOrderLeftAboveUpperLeft) {
    // (a, b, c) -> predictor
    struct Case {
        uint8_t a, b, c, want;
    };
    const Case cases[] = {
        {10, 10, 10, 10},  // all equal: a
        {7, 7, 3, 7},      // a and b tie: a
        {10, 40, 20, 40},  // b and c tie: b
        {5, 15, 10, 10},   // c nearest
        {200, 50, 60, 200},
    };
    for (const Case& k : cases) {
        Bytes o(2);
        // Byte 0 of a Paeth row has a = c = 0: predictor b = prev[0].
        const Bytes prevRow = {k.c, k.b};
        const Bytes rawRow = {uint8_t(k.a - k.c), 0};
        ASSERT_TRUE(PngUnfilterRow(4, rawRow.data(), prevRow.data(), o.data(), 2, 1));
        EXPECT_EQ(o[0], k.a);
        EXPECT_EQ(o[1], k.want) << int(k.a) << " " << int(k.b) << " " << int(k.c);
    }
}

// Every filter at every step against the byte-by-byte definition, on random rows.
TEST(PngRowFilters, AgreeWithTheDefinitionAtEveryStep) {
    std::mt19937 rng(31);
    for (size_t step : {1, 2, 3, 4, 6, 8}) {
        for (int round = 0; round < 40; ++round) {
            const size_t length = step * (1 + rng() % 40) + (round % 5 == 0 ? rng() % step : 0);
            Bytes raw(length), prev(length);
            for (auto& v : raw) v = uint8_t(rng());
            for (auto& v : prev) v = uint8_t(rng());
            for (uint32_t filter = 1; filter <= 4; ++filter) {
                Bytes want(length);
                for (size_t i = 0; i < length; ++i) {
                    const int a = i >= step ? want[i - step] : 0;
                    const int b = prev[i];
                    const int c = i >= step ? prev[i - step] : 0;
                    int predictor = 0;
                    if (filter == 1) predictor = a;
                    if (filter == 2) predictor = b;
                    if (filter == 3) predictor = (a + b) / 2;
                    if (filter == 4) {
                        const int p = a + b - c;
                        const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                        predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                    }
                    want[i] = uint8_t(raw[i] + predictor);
                }
                Bytes got(length);
                ASSERT_TRUE(PngUnfilterRow(filter, raw.data(), prev.data(), got.data(), length, step));
                ASSERT_EQ(got, want) << "filter " << filter << " step " << step;
            }
        }
    }
}

TEST(PngRowFilters, OneBitGreyStepsOneByte) {
    const Bytes file = FileFromRaw(16, 1, 1, 0, {{1, 0x80, 0x01}});
    PngDecoder dec;
    OpenAndDecode(&dec, file);
    Bytes out(2);
    ASSERT_EQ(PngDecoderWriteRows(&dec, out.data(), 0, 2), 1);
    EXPECT_EQ(out, (Bytes{0x80, 0x81}));
    PngDecoderClose(&dec);
}

TEST(PngRowPass, WritesBottomUpWithTheChosenConverter) {
    // 2 x 2 RGB: row 0 red and green, row 1 blue and white.
    const Bytes file = FileFromRaw(2, 2, 8, 2, {{0, 255, 0, 0, 0, 255, 0}, {0, 0, 0, 255, 255, 255, 255}});
    PngDecoder dec;
    OpenAndDecode(&dec, file);
    Bytes out(2 * 6);
    ASSERT_EQ(PngDecoderWriteRows(&dec, out.data(), 0x0208010C, 6), 1);
    EXPECT_EQ(out, (Bytes{255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0}));

    // A negative pitch from the last row writes top-down.
    ASSERT_EQ(PngDecoderWriteRows(&dec, out.data() + 6, 12, -6), 1);
    EXPECT_EQ(out, (Bytes{0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}));
    PngDecoderClose(&dec);
}

TEST(PngRowPass, UnknownFilterStopsAtThatRowKeepingEarlierRows) {
    const Bytes file =
        FileFromRaw(2, 4, 8, 0, {{0, 1, 2}, {2, 1, 1}, {5, 9, 9}, {0, 7, 7}});
    PngDecoder dec;
    OpenAndDecode(&dec, file);
    Bytes out(8, 0xEE);
    EXPECT_EQ(PngDecoderWriteRows(&dec, out.data(), 0, 2), 0);
    EXPECT_EQ(+dec.error, kPngErrorNone);
    // Source rows 0 and 1 land in destination rows 3 and 2; rows 1 and 0 stay untouched.
    EXPECT_EQ(out, (Bytes{0xEE, 0xEE, 0xEE, 0xEE, 2, 3, 1, 2}));
    PngDecoderClose(&dec);
}

TEST(PngRowPass, RefusesConvertersThatDoNotFitTheImage) {
    struct Case {
        uint8_t depth, colourType;
        uint32_t format;
        bool fits;
    };
    const Case cases[] = {
        {8, 2, 0x0208010C, true},    {8, 0, 0x0208010C, false},  // grey through RGB: refused
        {16, 2, 0x0208010C, false},  {8, 4, 0x0208010C, false},  {8, 6, 0x0608010E, true},
        {8, 2, 0x0608010E, false},   {16, 6, 4, true},           {16, 2, 4, false},
        {16, 0, 6, true},            {8, 4, 6, true},            {8, 0, 6, false},
        {2, 0, 11, true},            {2, 3, 11, true},           {4, 0, 11, false},
        {8, 2, 15, false},           {8, 2, 0xFF, false},        {8, 0, 1, false},
        {1, 3, 0, true},
    };
    for (const Case& k : cases) {
        const uint32_t width = 3;
        const int channels = k.colourType == 2 ? 3 : k.colourType == 4 ? 2 : k.colourType == 6 ? 4 : 1;
        const size_t rowLength = (size_t(channels) * k.depth * width + 7) / 8;
        Bytes raw(rowLength + 1, 0);
        Bytes file = MakePng(IhdrData(width, 1, k.depth, k.colourType), ZlibCompress(raw), {},
                             k.colourType == 3 ? Bytes(12, 1) : Bytes{});
        PngDecoder dec;
        OpenAndDecode(&dec, file);
        Bytes out(64, 0);
        EXPECT_EQ(PngDecoderWriteRows(&dec, out.data(), k.format, 64), k.fits ? 1 : 0)
            << int(k.depth) << " " << int(k.colourType) << " " << std::hex << k.format;
        if (!k.fits) {
            EXPECT_EQ(+dec.error, kPngErrorUnsupported);
        }
        PngDecoderClose(&dec);
    }
}

TEST(PngRowPass, RefusesPitchesSmallerThanAConvertedRow) {
    const Bytes file = FileFromRaw(4, 2, 8, 6, {Bytes(17, 0), Bytes(17, 0)});
    PngDecoder dec;
    OpenAndDecode(&dec, file);
    Bytes out(64);
    EXPECT_EQ(PngDecoderWriteRows(&dec, out.data(), 14, 15), 0);
    EXPECT_EQ(+dec.error, kPngErrorUnsupported);
    EXPECT_EQ(PngDecoderWriteRows(&dec, out.data() + 16, 14, -15), 0);
    EXPECT_EQ(PngDecoderWriteRows(&dec, out.data(), 14, 16), 1);
    EXPECT_EQ(PngDecoderWriteRows(&dec, out.data(), 13, 12), 1);
    PngDecoderClose(&dec);
}

}  // namespace
