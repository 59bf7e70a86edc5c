// Every file of the public PNG suite is decoded or refused as the decoder's contract says, and
// every decoded image equals libpng's in each converter that accepts it.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "PngTestFiles.h"
#include "png/PngDecoder.h"

namespace {

// Channel order and sample width written by the converters that pick channels (1 to 10, 12 to
// 14); 8-bit output takes a 16-bit sample's high byte.
struct Picking {
    std::vector<int> channels;  // empty: every channel in order
    int outBits;
};

const std::map<int, Picking> kPickings = {
    {1, {{}, 16}},          {2, {{2, 1, 0}, 16}},    {3, {{2, 1, 0}, 16}},
    {4, {{2, 1, 0, 3}, 16}}, {5, {{0}, 16}},         {6, {{0}, 8}},
    {7, {{2, 1, 0}, 8}},    {8, {{2, 1, 0}, 8}},     {9, {{2, 1, 0, 3}, 8}},
    {10, {{0}, 8}},         {12, {{2, 1, 0}, 8}},    {13, {{2, 1, 0}, 8}},
    {14, {{2, 1, 0, 3}, 8}},
};

// Image kinds each converter accepts, as (colour type, bit depth); -1 = any.
const std::map<int, std::vector<std::pair<int, int>>> kAccepts = {
    {0, {{-1, -1}}}, {1, {{-1, 16}}}, {2, {{2, 16}}},         {3, {{6, 16}}},  {4, {{6, 16}}},
    {5, {{4, 16}}},  {6, {{4, 8}, {0, 16}}}, {7, {{2, 16}}},  {8, {{6, 16}}},  {9, {{6, 16}}},
    {10, {{4, 16}}}, {11, {{-1, 2}}}, {12, {{2, 8}}},         {13, {{6, 8}}},  {14, {{6, 8}}},
};

bool Accepts(int converter, int colourType, int bitDepth) {
    for (auto [t, d] : kAccepts.at(converter)) {
        if ((t == -1 || t == colourType) && (d == -1 || d == bitDepth)) return true;
    }
    return false;
}

int Channels(int colourType) {
    switch (colourType) {
        case 2: return 3;
        case 4: return 2;
        case 6: return 4;
        default: return 1;
    }
}

// The converter's row computed sample by sample from libpng's row.
Bytes ExpectedRow(const ReferenceImage& img, const uint8_t* row, int converter) {
    Bytes out;
    if (converter == 0) return Bytes(row, row + img.rowBytes);
    if (converter == 11) {
        for (uint32_t x = 0; x < img.width; x += 2) {
            auto sample = [&](uint32_t i) { return (row[i / 4] >> (6 - 2 * (i % 4))) & 3; };
            const int hi = sample(x);
            const int lo = x + 1 < img.width ? sample(x + 1) : -1;
            out.push_back(uint8_t(hi << 4 | (lo < 0 ? 0 : lo)));
        }
        return out;
    }
    const int channels = Channels(img.colourType);
    const Picking& p = kPickings.at(converter);
    const int bytes = img.bitDepth / 8;
    for (uint32_t x = 0; x < img.width; ++x) {
        const uint8_t* px = row + x * channels * bytes;
        std::vector<int> order = p.channels;
        if (order.empty()) {
            for (int c = 0; c < channels; ++c) order.push_back(c);
        }
        for (int c : order) {
            const uint32_t v = bytes == 2 ? uint32_t(px[2 * c]) << 8 | px[2 * c + 1] : px[c];
            if (p.outBits == 16) {
                out.push_back(uint8_t(v));
                out.push_back(uint8_t(v >> 8));
            } else {
                out.push_back(uint8_t(v >> (img.bitDepth - 8)));
            }
        }
    }
    return out;
}

uint32_t ExpectedRefusal(const std::string& name) {
    static const std::map<std::string, uint32_t> kCorrupt = {
        {"xc1n0g08.png", kPngErrorUnsupported}, {"xc9n2c08.png", kPngErrorUnsupported},
        {"xcrn0g04.png", kPngErrorMalformed},   {"xcsn0g01.png", kPngErrorMalformed},
        {"xd0n2c08.png", kPngErrorUnsupported}, {"xd3n2c08.png", kPngErrorUnsupported},
        {"xd9n2c08.png", kPngErrorUnsupported}, {"xdtn0g01.png", kPngErrorMalformed},
        {"xhdn0g08.png", kPngErrorMalformed},   {"xlfn0g04.png", kPngErrorMalformed},
        {"xs1n0g01.png", kPngErrorMalformed},   {"xs2n0g01.png", kPngErrorMalformed},
        {"xs4n0g01.png", kPngErrorMalformed},   {"xs7n0g01.png", kPngErrorMalformed},
    };
    if (name[0] == 'x') return kCorrupt.at(name);
    return 0;
}

void CheckFile(const std::string& name) {
    const Bytes file = ReadFileBytes(PngSuiteDir() + "/" + name);
    ASSERT_FALSE(file.empty());

    PngDecoder dec;
    PngDecoderInit(&dec);
    const int opened = PngDecoderOpenMemory(&dec, file.data(), uint32_t(file.size()));
    const int decoded = opened && PngDecoderDecode(&dec);
    const bool interlaced = file.size() > 28 && file[28] == 1 && name[0] != 'x';

    if (name[0] == 'x') {
        EXPECT_EQ(decoded, 0);
        EXPECT_EQ(+dec.error, ExpectedRefusal(name));
        PngDecoderClose(&dec);
        return;
    }
    if (interlaced) {
        EXPECT_EQ(opened, 0);
        EXPECT_EQ(+dec.error, kPngErrorUnsupported);
        PngDecoderClose(&dec);
        return;
    }
    ASSERT_EQ(decoded, 1) << "error " << std::hex << +dec.error;

    const ReferenceImage ref = LibpngDecodeRaw(file);
    ASSERT_TRUE(ref.ok);
    ASSERT_EQ(+dec.width, ref.width);
    ASSERT_EQ(+dec.height, ref.height);
    ASSERT_EQ(+dec.colourType, ref.colourType);
    ASSERT_EQ(+dec.bitDepth, ref.bitDepth);

    for (int converter = 0; converter < 15; ++converter) {
        const bool accepts = Accepts(converter, ref.colourType, ref.bitDepth);
        const size_t rowBytes =
            accepts ? ExpectedRow(ref, ref.pixels.data(), converter).size() : 64 * 8;
        // Exactly sized, so a converter writing past its row trips the address sanitizer.
        Bytes out(rowBytes * ref.height, 0xCD);
        // The upper bytes of the format are not read.
        const uint32_t format = 0x5A000000u | uint32_t(converter);
        const int wrote = PngDecoderWriteRows(&dec, out.data(), format, int32_t(rowBytes));
        if (!accepts) {
            EXPECT_EQ(wrote, 0) << "converter " << converter;
            EXPECT_EQ(+dec.error, kPngErrorUnsupported);
            continue;
        }
        ASSERT_EQ(wrote, 1) << "converter " << converter;
        for (uint32_t y = 0; y < ref.height; ++y) {
            const Bytes want = ExpectedRow(ref, ref.pixels.data() + y * ref.rowBytes, converter);
            Bytes got(out.begin() + (ref.height - 1 - y) * rowBytes,
                      out.begin() + (ref.height - y) * rowBytes);
            if (converter == 11 && ref.width % 2) got.back() &= 0xF0;  // padding sample
            if (converter == 0) {
                // Bits past the last sample are padding and need not match.
                const int spare = int(ref.rowBytes * 8 - ref.width * Channels(ref.colourType) *
                                                            ref.bitDepth);
                got.back() &= uint8_t(0xFF << spare);
                Bytes w = want;
                w.back() &= uint8_t(0xFF << spare);
                ASSERT_EQ(got, w) << "converter 0 row " << y;
                continue;
            }
            ASSERT_EQ(got, want) << "converter " << converter << " row " << y;
        }
    }
    PngDecoderClose(&dec);
}

// One test over the whole suite: a process per file would cost more than the decoding.
TEST(PngSuite, EveryFileDecodesOrIsRefusedAsSpecifiedAndMatchesLibpng) {
    const auto files = PngSuiteFiles();
    ASSERT_GE(files.size(), 170u) << "PNG suite not found in " << PngSuiteDir();
    for (const std::string& name : files) {
        SCOPED_TRACE(name);
        CheckFile(name);
    }
}

}  // namespace
