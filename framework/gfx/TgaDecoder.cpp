#include "framework/gfx/TgaDecoder.h"

#include <cstring>

#include "framework/gfx/Image.h"

namespace {

constexpr size_t kHeaderSize = 18;
constexpr uint8_t kTypeTrueColour = 2;
constexpr uint8_t kTypeRunLength = 10;
constexpr uint8_t kNoPendingHeader = 0xFF;
constexpr int64_t kMaxPacketPixels = 128;

// The packet state carried from one row to the next: a packet may run past a row's end.
struct RleReader {
    const uint8_t* in;
    int64_t left;
    int bytesPerPixel;
    uint8_t pending = kNoPendingHeader;

    bool DecodeRow(uint8_t* row, int32_t width) {
        int32_t x = 0;
        while (x < width) {
            uint8_t header;
            if (pending != kNoPendingHeader) {
                header = pending;
                pending = kNoPendingHeader;
            } else {
                if (left < 1) return false;
                header = *in++;
                --left;
            }
            const bool run = (header & 0x80) != 0;
            const int32_t count = (header & 0x7F) + 1;
            const int32_t here = count < width - x ? count : width - x;
            const int32_t carried = count - here;
            if (run) {
                if (left < bytesPerPixel) return false;
                for (int32_t i = 0; i < here; ++i) {
                    std::memcpy(row + static_cast<int64_t>(x + i) * bytesPerPixel, in,
                                static_cast<size_t>(bytesPerPixel));
                }
                if (carried > 0) {
                    // The run goes on in the next row with the same pixel still unread.
                    pending = static_cast<uint8_t>(0x80 | (carried - 1));
                } else {
                    in += bytesPerPixel;
                    left -= bytesPerPixel;
                }
            } else {
                const int64_t bytes = static_cast<int64_t>(here) * bytesPerPixel;
                if (left < bytes) return false;
                std::memcpy(row + static_cast<int64_t>(x) * bytesPerPixel, in, static_cast<size_t>(bytes));
                in += bytes;
                left -= bytes;
                if (carried > 0) pending = static_cast<uint8_t>(carried - 1);
            }
            x += here;
        }
        return true;
    }
};

}  // namespace

bool DecodeTga(Image& image, const uint8_t* data, size_t length, bool inPlace) {
    if (!data || length < kHeaderSize) return false;
    const uint8_t idLength = data[0];
    const uint8_t type = data[2];
    const int32_t width = data[12] | (data[13] << 8);
    const int32_t height = data[14] | (data[15] << 8);
    const int32_t bits = data[16];
    if ((type != kTypeTrueColour && type != kTypeRunLength) || (bits != 24 && bits != 32) ||
        width < 1 || height < 1 || kHeaderSize + idLength > length ||
        !Image::FitsDecodeBudget(width, height, bits)) {
        return false;
    }
    const uint8_t* pixels = data + kHeaderSize + idLength;
    const int64_t available = static_cast<int64_t>(length - kHeaderSize - idLength);
    const int bytesPerPixel = bits / 8;
    const int64_t rowBytes = static_cast<int64_t>(width) * bytesPerPixel;
    // A packet of a header and at least one pixel covers at most 128 pixels, so data that cannot
    // cover the picture are refused before its rows are allocated.
    if (type == kTypeRunLength &&
        static_cast<int64_t>(width) * height > available / (1 + bytesPerPixel) * kMaxPacketPixels) {
        return false;
    }

    image.width = width;
    image.height = height;
    image.bitsPerPixel = bits;
    if (type == kTypeTrueColour) {
        if (rowBytes * height > available) return false;
        if (inPlace) {
            image.pixels = const_cast<uint8_t*>(pixels);
            image.rowStep = static_cast<int32_t>(rowBytes);
            image.ownsPixels = false;
            return true;
        }
        if (!image.AllocatePixels()) return false;
        for (int32_t r = 0; r < height; ++r) {
            std::memcpy(image.pixels + static_cast<int64_t>(r) * image.rowStep, pixels + rowBytes * r,
                        static_cast<size_t>(rowBytes));
        }
        return true;
    }
    if (!image.AllocatePixels()) return false;
    RleReader reader{pixels, available, bytesPerPixel};
    for (int32_t r = 0; r < height; ++r) {
        if (!reader.DecodeRow(image.pixels + static_cast<int64_t>(r) * image.rowStep, width)) {
            image.Release();
            return false;
        }
    }
    if (reader.left != 0 || reader.pending != kNoPendingHeader) {
        image.Release();
        return false;
    }
    return true;
}
