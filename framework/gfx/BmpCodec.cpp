#include "framework/gfx/BmpCodec.h"

#include <cstring>
#include <memory>

#include "framework/gfx/Image.h"
#include "framework/gfx/ImageOpsDispatchTable.h"
#include "platform/AtomicFile.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr int32_t kMaxSide = 32768;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

struct InfoHeader {
    uint32_t size = 0;
    int32_t width = 0;
    int32_t height = 0;  // negative: top-down rows
    int32_t bits = 0;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
};

// Reads and validates an info header at data; false for sizes and depths the loaders do not
// take. The compression field and the palette count are left to the caller.
bool ParseInfoHeader(const uint8_t* data, size_t length, InfoHeader* out) {
    if (length < kInfoHeaderSize) return false;
    InfoHeader h;
    h.size = Read32(data);
    h.width = static_cast<int32_t>(Read32(data + 4));
    h.height = static_cast<int32_t>(Read32(data + 8));
    h.bits = Read16(data + 14);
    h.compression = Read32(data + 16);
    h.coloursUsed = Read32(data + 32);
    if (h.size < kInfoHeaderSize || h.size > length) return false;
    if (h.bits != 24 && h.bits != 32) return false;
    if (h.width < 1 || h.width > kMaxSide || h.height == 0 || h.height < -kMaxSide ||
        h.height > kMaxSide ||
        !Image::FitsDecodeBudget(h.width, h.height < 0 ? -int64_t{h.height} : h.height, h.bits)) {
        return false;
    }
    *out = h;
    return true;
}

int64_t StoredRowBytes(const InfoHeader& h) {
    return ((static_cast<int64_t>(h.width) * h.bits / 8) + 3) & ~int64_t{3};
}

}  // namespace

bool DecodeBmpResource(Image& image, const uint8_t* data, size_t length) {
    InfoHeader h;
    // Rows used in place must already be bottom-up, and must follow the header at once: bit
    // masks or a palette between the two would be read as pixels.
    if (!data || !ParseInfoHeader(data, length, &h) || h.height < 0 || h.compression != kCompressionNone ||
        h.coloursUsed != 0) {
        return false;
    }
    const int64_t rowBytes = StoredRowBytes(h);
    if (h.size + rowBytes * h.height > static_cast<int64_t>(length)) return false;
    image.width = h.width;
    image.height = h.height;
    image.bitsPerPixel = h.bits;
    image.rowStep = static_cast<int32_t>(rowBytes);
    image.pixels = const_cast<uint8_t*>(data + h.size);
    image.ownsPixels = false;
    return true;
}

// The rows are found by the file's pixel offset, which steps over any bit masks and palette.
// Neither is read: 32-bit files as common tools write them (bit fields with the usual masks)
// hold blue, green, red and alpha in that order, as the rows are taken.
bool DecodeBmpFile(Image& image, const uint8_t* data, size_t length) {
    if (!data || length < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    const uint32_t offset = Read32(data + 10);
    InfoHeader h;
    if (!ParseInfoHeader(data + kFileHeaderSize, length - kFileHeaderSize, &h)) return false;
    const int64_t rowBytes = StoredRowBytes(h);
    const int32_t rows = h.height < 0 ? -h.height : h.height;
    if (offset < kFileHeaderSize + h.size || offset > length ||
        rowBytes * rows > static_cast<int64_t>(length - offset)) {
        return false;
    }
    image.width = h.width;
    image.height = rows;
    image.bitsPerPixel = h.bits;
    if (!image.AllocatePixels()) return false;
    const size_t copyBytes = static_cast<size_t>(h.width) * (h.bits / 8);
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t target = h.height < 0 ? rows - 1 - r : r;
        std::memcpy(image.pixels + static_cast<int64_t>(target) * image.rowStep,
                    data + offset + rowBytes * r, copyBytes);
    }
    return true;
}

bool WriteBmp24(const Image& image, const char* path) {
    if (!path || !image.pixels || image.bitsPerPixel != 32 || image.width < 1 || image.height < 1) {
        return false;
    }
    const int64_t rowBytes = (static_cast<int64_t>(image.width) * 3 + 3) & ~int64_t{3};
    const int64_t imageBytes = rowBytes * image.height;
    if (54 + imageBytes > UINT32_MAX) return false;
    AtomicFile file;
    if (!file.Open(path)) return false;

    uint8_t header[54] = {};
    Put16(header, 0x4D42);
    Put32(header + 2, static_cast<uint32_t>(54 + imageBytes));
    Put32(header + 10, 54);
    Put32(header + 14, kInfoHeaderSize);
    Put32(header + 18, static_cast<uint32_t>(image.width));
    Put32(header + 22, static_cast<uint32_t>(image.height));
    Put16(header + 26, 1);
    Put16(header + 28, 24);
    Put32(header + 34, static_cast<uint32_t>(imageBytes));

    int32_t step = 0;
    std::unique_ptr<uint8_t, void (*)(void*)> rows(AllocImage8u3Stub(image.width, image.height, &step),
                                                   FreeImageStub);
    bool ok = rows != nullptr;
    if (ok) {
        for (int32_t y = 0; y < image.height; ++y) {
            const uint8_t* src = image.pixels + static_cast<int64_t>(y) * image.rowStep;
            uint8_t* dst = rows.get() + static_cast<int64_t>(y) * step;
            for (int32_t x = 0; x < image.width; ++x) {
                dst[3 * x] = src[4 * x];
                dst[3 * x + 1] = src[4 * x + 1];
                dst[3 * x + 2] = src[4 * x + 2];
            }
            std::memset(dst + 3 * image.width, 0, static_cast<size_t>(rowBytes - 3 * image.width));
        }
        ok = file.Write(header, sizeof header);
        for (int32_t y = 0; ok && y < image.height; ++y) {
            ok = file.Write(rows.get() + static_cast<int64_t>(y) * step, static_cast<size_t>(rowBytes));
        }
    }
    return ok && file.Commit();
}
