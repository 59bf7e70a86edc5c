#include "framework/gfx/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "framework/core/MemoryResources.h"
#include "framework/gfx/BmpCodec.h"
#include "framework/gfx/ImageDrawing.h"
#include "framework/gfx/ImageOpsDispatchTable.h"

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;

const uint8_t* PixelAt(const Image& image, int x, int storedRow) {
    return image.pixels + static_cast<int64_t>(storedRow) * image.rowStep + x * (image.bitsPerPixel / 8);
}

// An 8-bit RGB (components 3) or grey (components 1) JPEG of the given picture rows, top-down.
Bytes EncodeJpeg(int width, int height, int components, const std::vector<uint8_t>& picture) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&picture[cinfo.next_scanline * width * components]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes bytes(out, out + outSize);
    std::free(out);
    return bytes;
}

Bytes TgaHeader(uint8_t type, int width, int height, int bits, uint8_t idLength = 0) {
    Bytes h(18, 0);
    h[0] = idLength;
    h[2] = type;
    h[12] = static_cast<uint8_t>(width);
    h[13] = static_cast<uint8_t>(width >> 8);
    h[14] = static_cast<uint8_t>(height);
    h[15] = static_cast<uint8_t>(height >> 8);
    h[16] = static_cast<uint8_t>(bits);
    h.resize(18 + idLength, 'i');
    return h;
}

void Append(Bytes& to, std::initializer_list<int> bytes) {
    for (int b : bytes) to.push_back(static_cast<uint8_t>(b));
}

// Counts the rows the loaders ask the primitive allocator for, while it lives.
class AllocationCount {
public:
    AllocationCount() : saved_(gImageOpsDispatchTable) {
        calls_ = 0;
        gImageOpsDispatchTable.StoreErased(static_cast<int>(ImageOpSlot::AllocImage8u3),
                                           EraseImageOpEntry<ImageOpSlot::AllocImage8u3>(&Count8u3));
        gImageOpsDispatchTable.StoreErased(static_cast<int>(ImageOpSlot::AllocImage8u4),
                                           EraseImageOpEntry<ImageOpSlot::AllocImage8u4>(&Count8u4));
    }
    ~AllocationCount() { gImageOpsDispatchTable = saved_; }
    int Calls() const { return calls_; }

private:
    static uint8_t* Count8u3(int32_t width, int32_t height, int32_t* step) {
        ++calls_;
        return AllocImage8u3(width, height, step);
    }
    static uint8_t* Count8u4(int32_t width, int32_t height, int32_t* step) {
        ++calls_;
        return AllocImage8u4(width, height, step);
    }
    static inline int calls_ = 0;
    ImageOpsDispatchTable saved_;
};

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qm-image-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, const Bytes& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                         static_cast<std::streamsize>(bytes.size()));
    }
    Bytes Read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    fs::path dir_;
};

TEST(ImageJpeg, ColourRowsComeOutBottomUpInBlueGreenRedOrder) {
    // Top half red, bottom half blue, 16 x 16.
    std::vector<uint8_t> picture(16 * 16 * 3);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint8_t* p = &picture[(y * 16 + x) * 3];
            p[0] = y < 8 ? 220 : 10;
            p[2] = y < 8 ? 10 : 220;
            p[1] = 30;
        }
    const Bytes jpeg = EncodeJpeg(16, 16, 3, picture);
    Image image;
    ASSERT_TRUE(image.LoadFromMemory(jpeg.data(), jpeg.size(), ImageFormat::Jpeg));
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.bitsPerPixel, 24);
    EXPECT_TRUE(image.ownsPixels);
    const uint8_t* bottom = PixelAt(image, 4, 1);  // stored row 1 is near the picture's bottom
    const uint8_t* top = PixelAt(image, 4, 14);
    EXPECT_NEAR(bottom[0], 220, 12);  // blue
    EXPECT_NEAR(bottom[2], 10, 12);
    EXPECT_NEAR(top[2], 220, 12);  // red
    EXPECT_NEAR(top[0], 10, 12);
}

TEST(ImageJpeg, GreyscaleIsWidenedToThreeEqualChannels) {
    std::vector<uint8_t> picture(24 * 10);
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7);
    const Bytes jpeg = EncodeJpeg(24, 10, 1, picture);
    Image image;
    ASSERT_TRUE(image.LoadFromMemory(jpeg.data(), jpeg.size(), ImageFormat::Jpeg));
    for (int row = 0; row < image.height; ++row)
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = PixelAt(image, x, row);
            ASSERT_EQ(p[0], p[1]);
            ASSERT_EQ(p[1], p[2]);
        }
}

TEST(ImageJpeg, DamagedBlocksFailOrDecodeWithoutReadingPastTheData) {
    std::vector<uint8_t> picture(40 * 40 * 3, 128);
    const Bytes jpeg = EncodeJpeg(40, 40, 3, picture);
    for (size_t cut = 0; cut < jpeg.size(); cut += 7) {
        // A fresh heap block of exactly the cut length, so any over-read trips the sanitizer.
        Bytes truncated(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(cut));
        Image image;
        if (image.LoadFromMemory(truncated.data(), truncated.size(), ImageFormat::Jpeg)) {
            EXPECT_EQ(image.width, 40);
        } else {
            EXPECT_EQ(image.pixels, nullptr);
        }
    }
    Bytes wrongStart = jpeg;
    wrongStart[0] = 0;
    Image image;
    EXPECT_FALSE(image.LoadFromMemory(wrongStart.data(), wrongStart.size(), ImageFormat::Jpeg));
}

TEST(ImageJpeg, PicturesBeyondTheDecodeBudgetAreRefused) {
    const int side = 4800;
    const Bytes jpeg = EncodeJpeg(side, side, 1, std::vector<uint8_t>(size_t{side} * side, 90));
    ASSERT_GT(int64_t{side} * side * 3, Image::kMaxDecodedBytes);
    Image image;
    EXPECT_FALSE(image.LoadFromMemory(jpeg.data(), jpeg.size(), ImageFormat::Jpeg));
    EXPECT_EQ(image.pixels, nullptr);
}

// A block that ends before its picture fails; an end marker inside the scan, the rest of the
// block behind it, leaves the library's padding and the picture its height.
TEST(ImageJpeg, ABlockThatEndsBeforeItsPictureFailsAndAMarkerInItsScanIsPadded) {
    const int width = 32;
    const int height = 256;
    std::vector<uint8_t> picture(size_t{width} * height);
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>((i * 131) ^ (i >> 5));
    Bytes jpeg = EncodeJpeg(width, height, 1, picture);
    Image image;
    EXPECT_FALSE(image.LoadFromMemory(jpeg.data(), jpeg.size() / 2, ImageFormat::Jpeg));
    EXPECT_EQ(image.pixels, nullptr);
    jpeg[jpeg.size() / 2] = 0xFF;
    jpeg[jpeg.size() / 2 + 1] = 0xD9;
    ASSERT_TRUE(image.LoadFromMemory(jpeg.data(), jpeg.size(), ImageFormat::Jpeg));
    EXPECT_EQ(image.height, height);
}

TEST(ImageTga, UncompressedResourceKeepsItsRowsInPlace) {
    Bytes tga = TgaHeader(2, 2, 2, 24, 3);
    Append(tga, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    Image image;
    ASSERT_TRUE(image.LoadFromMemory(tga.data(), tga.size(), ImageFormat::Tga));
    EXPECT_FALSE(image.ownsPixels);
    EXPECT_EQ(image.pixels, tga.data() + 21);
    EXPECT_EQ(image.rowStep, 6);
}

TEST(ImageTga, RunCrossingARowEndGoesOnWithTheSamePixel) {
    // 3 x 2: a run of 4 red pixels, then a raw packet of 2.
    Bytes tga = TgaHeader(10, 3, 2, 24);
    Append(tga, {0x83, 0, 0, 255, 0x01, 1, 1, 1, 2, 2, 2});
    Image image;
    ASSERT_TRUE(image.LoadFromMemory(tga.data(), tga.size(), ImageFormat::Tga));
    EXPECT_EQ(PixelAt(image, 2, 0)[2], 255);
    EXPECT_EQ(PixelAt(image, 0, 1)[2], 255);
    EXPECT_EQ(PixelAt(image, 1, 1)[0], 1);
    EXPECT_EQ(PixelAt(image, 2, 1)[0], 2);
}

TEST(ImageTga, RawPacketCrossingARowEndAndExactEndingAreRequired) {
    Bytes tga = TgaHeader(10, 2, 2, 24);
    Append(tga, {0x03, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4});
    Image image;
    ASSERT_TRUE(image.LoadFromMemory(tga.data(), tga.size(), ImageFormat::Tga));
    EXPECT_EQ(PixelAt(image, 0, 1)[0], 3);
    EXPECT_EQ(PixelAt(image, 1, 1)[0], 4);

    Bytes footer = tga;
    Append(footer, {0, 0, 0, 0});
    EXPECT_FALSE(image.LoadFromMemory(footer.data(), footer.size(), ImageFormat::Tga));
    for (size_t cut = 18; cut < tga.size(); ++cut) {
        Bytes truncated(tga.begin(), tga.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(image.LoadFromMemory(truncated.data(), truncated.size(), ImageFormat::Tga)) << cut;
    }
}

TEST(ImageTga, HeadersThatDoNotFitAreRefused) {
    Image image;
    Bytes paletted = TgaHeader(1, 2, 2, 8);
    paletted.resize(64, 0);
    EXPECT_FALSE(image.LoadFromMemory(paletted.data(), paletted.size(), ImageFormat::Tga));
    Bytes tooBig = TgaHeader(2, 60000, 60000, 32);
    tooBig.resize(100, 0);
    EXPECT_FALSE(image.LoadFromMemory(tooBig.data(), tooBig.size(), ImageFormat::Tga));
    Bytes idPastEnd = TgaHeader(2, 1, 1, 24);
    idPastEnd[0] = 200;
    EXPECT_FALSE(image.LoadFromMemory(idPastEnd.data(), idPastEnd.size(), ImageFormat::Tga));
}

TEST(ImageTga, RunLengthDataThatCannotCoverThePictureAllocateNothing) {
    AllocationCount allocations;
    Image image;
    // Five run packets of 128 pixels cover 640 pixels, far fewer than either picture holds.
    for (const int side : {4000, 65535}) {
        Bytes tga = TgaHeader(10, side, side, 24);
        for (int i = 0; i < 5; ++i) Append(tga, {0xFF, 1, 2, 3});
        EXPECT_FALSE(image.LoadFromMemory(tga.data(), tga.size(), ImageFormat::Tga)) << side;
    }
    EXPECT_EQ(allocations.Calls(), 0);
}

TEST(ImageBmp, FilesBeyondTheDecodeBudgetAreRefused) {
    const int32_t width = 4096;
    const int32_t height = static_cast<int32_t>(Image::kMaxDecodedBytes / (width * 3)) + 1;
    Bytes bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[10] = 54;
    bmp[14] = 40;
    bmp[19] = width >> 8;
    bmp[22] = static_cast<uint8_t>(height);
    bmp[23] = static_cast<uint8_t>(height >> 8);
    bmp[26] = 1;
    bmp[28] = 24;
    bmp.resize(54 + size_t{width} * 3 * height, 0x40);
    Image image;
    EXPECT_FALSE(image.LoadFromMemory(bmp.data() + 14, bmp.size() - 14, ImageFormat::Bmp));
    AllocationCount allocations;
    EXPECT_FALSE(DecodeBmpFile(image, bmp.data(), bmp.size()));
    EXPECT_EQ(allocations.Calls(), 0);
}

TEST(ImageBmp, ResourceRowsAreUsedInPlaceAndBadHeadersRefused) {
    Bytes bmp(40, 0);
    bmp[0] = 40;
    bmp[4] = 3;   // width 3
    bmp[8] = 2;   // height 2
    bmp[12] = 1;  // planes
    bmp[14] = 24;
    bmp.resize(40 + 2 * 12, 0x55);  // rows of 9 bytes padded to 12
    Image image;
    ASSERT_TRUE(image.LoadFromMemory(bmp.data(), bmp.size(), ImageFormat::Bmp));
    EXPECT_EQ(image.pixels, bmp.data() + 40);
    EXPECT_EQ(image.rowStep, 12);

    Bytes shortRows(bmp.begin(), bmp.end() - 1);
    EXPECT_FALSE(image.LoadFromMemory(shortRows.data(), shortRows.size(), ImageFormat::Bmp));
    Bytes huge = bmp;
    huge[7] = 0x7F;  // width 0x7F000003
    EXPECT_FALSE(image.LoadFromMemory(huge.data(), huge.size(), ImageFormat::Bmp));
    Bytes paletted = bmp;
    paletted[14] = 8;
    EXPECT_FALSE(image.LoadFromMemory(paletted.data(), paletted.size(), ImageFormat::Bmp));
}

// Files as common tools write them, 32 bits with bit fields or 24 with a palette, load from
// their pixel offset; a resource, whose rows follow its header, takes neither.
TEST_F(ImageFiles, BmpFilesWithBitFieldsOrAPaletteLoadFromTheirPixelOffset) {
    Image image;
    ASSERT_TRUE(image.CreateBlank(2, 1));
    image.Fill(0x00332211);
    ASSERT_TRUE(image.SaveToFile(Path("plain.bmp").c_str()));
    const Bytes plain = Read("plain.bmp");  // 54 bytes of headers, then a row of 8 bytes
    Bytes palette = plain;
    palette.insert(palette.begin() + 54, 8, 0xEE);  // two colours
    palette[10] = 62;                               // the pixel offset
    palette[46] = 2;                                // the colours used
    Bytes fields = plain;
    fields.insert(fields.begin() + 54, 12, 0xEE);  // three masks
    fields[10] = 66;
    fields[28] = 32;  // bits a pixel
    fields[30] = 3;   // compression: bit fields
    Image paletted, masked, refused;
    ASSERT_TRUE(DecodeBmpFile(paletted, palette.data(), palette.size()));
    EXPECT_TRUE(std::equal(PixelAt(paletted, 0, 0), PixelAt(paletted, 2, 0), plain.begin() + 54));
    ASSERT_TRUE(DecodeBmpFile(masked, fields.data(), fields.size()));
    EXPECT_TRUE(std::equal(PixelAt(masked, 0, 0), PixelAt(masked, 2, 0), plain.begin() + 54));
    EXPECT_FALSE(DecodeBmpFile(refused, fields.data(), fields.size() - 1));
    EXPECT_FALSE(refused.LoadFromMemory(fields.data() + 14, fields.size() - 14, ImageFormat::Bmp));
    EXPECT_FALSE(refused.LoadFromMemory(palette.data() + 14, palette.size() - 14, ImageFormat::Bmp));
}

TEST_F(ImageFiles, SavedBmpHasTheExactLayoutAndReadsBack) {
    Image image;
    ASSERT_TRUE(image.CreateBlank(609, 459));
    image.Fill(0x80332211);  // alpha 0x80, blue 0x33, green 0x22, red 0x11
    ASSERT_TRUE(image.SaveToFile(Path("page.bmp").c_str()));
    const Bytes file = Read("page.bmp");
    ASSERT_EQ(file.size(), 54u + 459u * 1828u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(file[54], 0x33);
    EXPECT_EQ(file[55], 0x22);
    EXPECT_EQ(file[56], 0x11);

    Image back;
    ASSERT_TRUE(back.LoadFromFile(Path("page").c_str()));  // no ending: ".BMP" is tried first
    EXPECT_EQ(back.width, 609);
    EXPECT_EQ(back.bitsPerPixel, 24);
    EXPECT_EQ(PixelAt(back, 608, 458)[0], 0x33);
}

TEST_F(ImageFiles, SavedBmpIsByteExact) {
    // Three pixels a row (9 bytes, padded to 12), two rows; composed top-down, saved bottom-up.
    Image image;
    ASSERT_TRUE(image.CreateBlank(3, 2));
    image.BeginDrawInto();
    for (int32_t row = 0; row < 2; ++row) {
        for (int32_t x = 0; x < 3; ++x) {
            uint8_t* p = image.pixels + row * image.rowStep + x * 4;
            p[0] = static_cast<uint8_t>(0x10 * row + x);  // blue
            p[1] = 0xA0;
            p[2] = static_cast<uint8_t>(0xF0 - x);  // red
            p[3] = 0x7F;  // dropped
        }
    }
    ASSERT_TRUE(image.SaveToFile(Path("exact.bmp").c_str()));
    const Bytes expected = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,          // file header: size 54 + 2 * 12
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,        // info: width 3, height 2, 24 bits
        0, 0, 0, 0, 24, 0, 0, 0,                                 // no compression, 24 bytes of rows
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,          // resolution and colours
        0x10, 0xA0, 0xF0, 0x11, 0xA0, 0xEF, 0x12, 0xA0, 0xEE, 0, 0, 0,  // bottom row first
        0x00, 0xA0, 0xF0, 0x01, 0xA0, 0xEF, 0x02, 0xA0, 0xEE, 0, 0, 0,
    };
    const Bytes file = Read("exact.bmp");
    ASSERT_EQ(file.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        if (file[i] != expected[i]) {
            ADD_FAILURE() << "byte " << i << " is " << int(file[i]) << ", not " << int(expected[i]);
            break;
        }
    }
}

TEST_F(ImageFiles, EndingChoosesTheFormatAndAFileTgaIsCopied) {
    Bytes tga = TgaHeader(2, 2, 1, 24);
    Append(tga, {9, 8, 7, 6, 5, 4});
    Write("logo.TGA", tga);
    Write("logo.jpg", tga);  // not a JPEG: read as JPEG only, so it fails
    Image image;
    EXPECT_FALSE(image.LoadFromFile(Path("logo.jpg").c_str()));
    ASSERT_TRUE(image.LoadFromFile(Path("logo").c_str()));
    EXPECT_TRUE(image.ownsPixels);
    EXPECT_EQ(PixelAt(image, 1, 0)[0], 6);
    EXPECT_FALSE(image.LoadFromFile(Path("missing").c_str()));
}

TEST(ImageResource, TypesAreTriedInOrderAndPngKindsWithoutAConverterAreRefused) {
    MemoryResources module;
    Bytes tga = TgaHeader(2, 1, 1, 32);
    Append(tga, {1, 2, 3, 4});
    module.Add("TGA", 7, tga);
    Image image;
    ASSERT_TRUE(image.LoadFromResource(7, &module));
    EXPECT_EQ(image.bitsPerPixel, 32);
    EXPECT_FALSE(image.LoadFromResource(8, &module));

    std::ifstream grey(std::string(QM_TESTDATA_DIR) + "/pngsuite/basn0g08.png", std::ios::binary);
    Bytes png(std::istreambuf_iterator<char>(grey), {});
    ASSERT_FALSE(png.empty());
    module.Add("PNG", 9, png);
    EXPECT_FALSE(image.LoadFromResource(9, &module));
    std::ifstream rgba(std::string(QM_TESTDATA_DIR) + "/pngsuite/basn6a08.png", std::ios::binary);
    module.Add("PNG", 10, Bytes(std::istreambuf_iterator<char>(rgba), {}));
    ASSERT_TRUE(image.LoadFromResource(10, &module));
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.bitsPerPixel, 32);
}

TEST(ImageSoftwareCopy, PremultipliesAndHonoursAKeySetAfterPreparing) {
    Image image;
    ASSERT_TRUE(image.CreateBlank(2, 1));
    image.Fill(0x80FF0000);  // blue 255 at alpha 128
    image.RestoreRowOrder();
    ASSERT_TRUE(image.PrepareSoftwareCopy());
    EXPECT_EQ(image.softwareCopy[0], 128);
    EXPECT_EQ(image.softwareCopy[3], 128);

    MemoryResources module;
    Bytes tga = TgaHeader(2, 2, 1, 24);
    Append(tga, {0xFF, 0x00, 0xFF, 1, 2, 3});
    module.Add("TGA", 1, tga);
    Image keyed;
    ASSERT_TRUE(keyed.LoadFromResource(1, &module));
    ASSERT_TRUE(keyed.PrepareSoftwareCopy());
    EXPECT_EQ(keyed.softwareCopy[3], 255);
    keyed.SetColourKey(0xFF00FF);
    ASSERT_NE(keyed.softwareCopy, nullptr);
    EXPECT_EQ(keyed.softwareCopy[3], 0);
    EXPECT_EQ(keyed.softwareCopy[7], 255);
    ImageInfo info;
    keyed.GetInfo(&info);
    EXPECT_EQ(info.colourKey, 0xFF00FFu);
}

// Composing writes into an image's rows; rows that lie in place belong to a resource (mapped
// read-only) or to the caller, and must be copied rather than written.
TEST(ImageComposing, RowsInPlaceAreCopiedBeforeTheyAreWritten) {
    Bytes tga = TgaHeader(2, 2, 2, 32);
    Append(tga, {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255});
    const Bytes original = tga;

    Image filled;
    ASSERT_TRUE(filled.LoadFromMemory(tga.data(), tga.size(), ImageFormat::Tga));
    ASSERT_FALSE(filled.ownsPixels);
    filled.Fill(0xFF332211);
    EXPECT_EQ(tga, original);
    EXPECT_TRUE(filled.ownsPixels);
    EXPECT_EQ(PixelAt(filled, 1, 1)[0], 0x33);
    EXPECT_EQ(PixelAt(filled, 1, 1)[2], 0x11);

    Image target;
    ASSERT_TRUE(target.LoadFromMemory(tga.data(), tga.size(), ImageFormat::Tga));
    Image source;
    ASSERT_TRUE(source.CreateBlank(1, 1));
    source.Fill(0xFF0000FF);  // opaque red
    ASSERT_TRUE(source.PrepareSoftwareCopy());
    ASSERT_TRUE(DrawImageInto(source, target, 0, 0, Rect{0, 0, 1, 1}, 100, 100, 255));
    EXPECT_EQ(tga, original);
    ASSERT_TRUE(target.rowsFlipped);
    // Top-down while composing: row 0 is the picture's top, the stored last row before.
    EXPECT_EQ(PixelAt(target, 0, 0)[2], 255);
    EXPECT_EQ(PixelAt(target, 1, 0)[0], 10);
    EXPECT_EQ(PixelAt(target, 0, 1)[0], 1);

    Image reversed;
    ASSERT_TRUE(reversed.LoadFromMemory(tga.data(), tga.size(), ImageFormat::Tga));
    reversed.RestoreRowOrder();
    EXPECT_EQ(tga, original);
    EXPECT_EQ(PixelAt(reversed, 0, 0)[0], 7);
    EXPECT_EQ(PixelAt(reversed, 0, 1)[0], 1);
}

TEST(ImageComposing, FillLeavesA24BitImageAndItsRowOrderAlone) {
    Bytes tga = TgaHeader(2, 1, 2, 24);
    Append(tga, {1, 1, 1, 9, 9, 9});  // stored bottom row, then top row
    Image image;
    ASSERT_TRUE(image.LoadFromMemory(tga.data(), tga.size(), ImageFormat::Tga));
    image.Fill(0xFF000000);
    EXPECT_FALSE(image.rowsFlipped);
    ASSERT_TRUE(image.PrepareSoftwareCopy());
    EXPECT_EQ(image.softwareCopy[0], 9);  // the copy is top-down
    EXPECT_EQ(image.softwareCopy[image.softwareCopyStep], 1);
}

}  // namespace
