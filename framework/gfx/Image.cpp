#include "framework/gfx/Image.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/ResourceModule.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/BmpCodec.h"
#include "framework/gfx/JpegDecoder.h"
#include "framework/gfx/TextureTile.h"
#include "framework/gfx/TgaDecoder.h"
#include "framework/gfx/ImageOpsDispatchTable.h"
#include "platform/RegularFile.h"
#include "png/PngDecoder.h"

namespace {

// Image files above this size are refused rather than read whole.
constexpr size_t kMaxFileBytes = 256u * 1024 * 1024;

uint32_t SwapRedBlue(uint32_t colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

bool EndsWithNoCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    for (size_t i = 0; i < ending.size(); ++i) {
        const char a = text[text.size() - ending.size() + i];
        const char b = ending[i];
        if ((a >= 'a' && a <= 'z' ? a - 32 : a) != b) return false;
    }
    return true;
}

// Image files may be links the user placed.
bool ReadWholeFile(const char* path, std::vector<uint8_t>* out) {
    return ReadRegularFile(path, kMaxFileBytes, FileLinks::kFollow, out) == FileRead::kRead;
}

}  // namespace

Image::~Image() { Release(); }

void Image::Release() {
    DropTextures();
    DropSoftwareCopy();
    if (ownsPixels) FreeImageStub(pixels);
    pixels = nullptr;
    ownsPixels = false;
    width = height = rowStep = bitsPerPixel = 0;
    rowsFlipped = false;
    originModule_ = nullptr;
    originId_ = 0;
}

bool Image::AllocatePixels() {
    int32_t step = 0;
    uint8_t* rows = nullptr;
    if (bitsPerPixel == 24) {
        rows = AllocImage8u3Stub(width, height, &step);
    } else if (bitsPerPixel == 32) {
        rows = AllocImage8u4Stub(width, height, &step);
    }
    if (!rows) {
        width = height = bitsPerPixel = 0;
        return false;
    }
    pixels = rows;
    rowStep = step;
    ownsPixels = true;
    return true;
}

bool Image::FitsDecodeBudget(int64_t width, int64_t height, int32_t bitsPerPixel) {
    if (width < 1 || height < 1 || bitsPerPixel < 8) return false;
    // Divided rather than multiplied, so no header's values can overflow.
    return width <= kMaxDecodedBytes / (bitsPerPixel / 8) / height;
}

bool Image::LoadFromResource(uint32_t id, const ResourceModule* module) {
    if (!module) return false;
    static constexpr std::pair<std::string_view, ImageFormat> kTypes[] = {
        {kBitmapType, ImageFormat::Bmp},
        {kJpgType, ImageFormat::Jpeg},
        {kTgaType, ImageFormat::Tga},
        {kPngType, ImageFormat::Png},
    };
    for (const auto& [type, format] : kTypes) {
        const ResourceModule::Bytes bytes = module->Find(type, id);
        if (bytes.empty()) continue;
        if (!LoadFromMemory(bytes.data(), bytes.size(), format)) return false;
        originModule_ = module;
        originId_ = id;
        return true;
    }
    return false;
}

bool Image::LoadFromMemory(const uint8_t* data, size_t length, ImageFormat format) {
    Release();
    if (!data) return false;
    bool ok = false;
    switch (format) {
        case ImageFormat::Bmp:
            ok = DecodeBmpResource(*this, data, length);
            break;
        case ImageFormat::Jpeg:
            ok = length >= 2 && data[0] == 0xFF && data[1] == 0xD8 && DecodeJpeg(*this, data, length);
            break;
        case ImageFormat::Tga:
            ok = DecodeTga(*this, data, length, true);
            break;
        case ImageFormat::Png:
            ok = length >= 4 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G' &&
                 DecodePng(data, length);
            break;
    }
    if (!ok) Release();
    return ok;
}

bool Image::DecodePng(const uint8_t* data, size_t length) {
    if (length > UINT32_MAX) return false;
    PngDecoder decoder;
    PngDecoderInit(&decoder);
    bool ok = PngDecoderOpenMemory(&decoder, data, static_cast<uint32_t>(length)) == 1;
    // Only 8-bit RGB and RGBA have a converter into our pixel layouts; other kinds are refused
    // before anything is inflated. The decoder holds their pixels to the same budget as ours.
    const bool rgba = decoder.colourType == 6 && decoder.bitDepth == 8;
    const bool rgb = decoder.colourType == 2 && decoder.bitDepth == 8;
    ok = ok && (rgba || rgb) && decoder.width <= 32768 && decoder.height <= 32768 &&
         PngDecoderDecode(&decoder) == 1;
    if (ok) {
        width = static_cast<int32_t>(decoder.width);
        height = static_cast<int32_t>(decoder.height);
        bitsPerPixel = rgba ? 32 : 24;
        ok = AllocatePixels() &&
             PngDecoderWriteRows(&decoder, pixels, rgba ? kPngFormatBgra8 : kPngFormatBgr8, rowStep) == 1;
    }
    PngDecoderClose(&decoder);
    return ok;
}

bool Image::LoadFileAs(const char* path, ImageFormat format) {
    Release();
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, &bytes)) return false;
    bool ok = false;
    switch (format) {
        case ImageFormat::Bmp:
            ok = DecodeBmpFile(*this, bytes.data(), bytes.size());
            break;
        case ImageFormat::Tga:
            // The buffer goes away below, so the rows are copied.
            ok = DecodeTga(*this, bytes.data(), bytes.size(), false);
            break;
        default:
            ok = LoadFromMemory(bytes.data(), bytes.size(), format);
            break;
    }
    if (!ok) Release();
    return ok;
}

bool Image::LoadFromFile(const char* path) {
    if (!path) return false;
    static constexpr std::pair<std::string_view, ImageFormat> kEndings[] = {
        {".BMP", ImageFormat::Bmp},
        {".JPG", ImageFormat::Jpeg},
        {".PNG", ImageFormat::Png},
        {".TGA", ImageFormat::Tga},
    };
    const std::string_view name(path);
    for (const auto& [ending, format] : kEndings) {
        if (EndsWithNoCase(name, ending)) return LoadFileAs(path, format);
    }
    // File names on Linux are case-sensitive: each ending is tried as written, then in lower case.
    for (const auto& [ending, format] : kEndings) {
        std::string lower(ending);
        for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (LoadFileAs((std::string(name) + std::string(ending)).c_str(), format) ||
            LoadFileAs((std::string(name) + lower).c_str(), format)) {
            return true;
        }
    }
    return false;
}

bool Image::CreateBlank(int32_t w, int32_t h) {
    Release();
    width = w;
    height = h;
    bitsPerPixel = 32;
    return AllocatePixels();
}

bool Image::LoadResource(uint32_t id) {
    return LoadFromResource(id, AssetModule()) && PrepareSoftwareCopy();
}

bool Image::LoadResourceKeyed(uint32_t id, uint32_t colorref) {
    SetColourKey(colorref);
    return LoadResource(id);
}

void Image::SetColourKey(uint32_t colorref) {
    const uint32_t key = SwapRedBlue(colorref & 0xFFFFFF);
    if (prepared && (!hasColourKey || key != colourKey)) {
        // The prepared forms were made without this key; the next draw makes them anew.
        const bool hadCopy = softwareCopy != nullptr;
        DropTextures();
        DropSoftwareCopy();
        colourKey = key;
        hasColourKey = true;
        if (hadCopy) PrepareSoftwareCopy();
        return;
    }
    colourKey = key;
    hasColourKey = true;
}

void Image::GetInfo(ImageInfo* out) const {
    out->width = width;
    out->height = height;
    out->bitsPerPixel = bitsPerPixel;
    out->hasColourKey = hasColourKey;
    out->colourKey = SwapRedBlue(colourKey);
}

bool Image::OwnRows() {
    if (!RestorePixels()) return false;
    if (ownsPixels) return true;
    int32_t step = 0;
    uint8_t* rows = bitsPerPixel == 24   ? AllocImage8u3Stub(width, height, &step)
                    : bitsPerPixel == 32 ? AllocImage8u4Stub(width, height, &step)
                                         : nullptr;
    if (!rows) return false;
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel / 8);
    for (int32_t y = 0; y < height; ++y) {
        std::memcpy(rows + static_cast<int64_t>(y) * step, pixels + static_cast<int64_t>(y) * rowStep, rowBytes);
    }
    pixels = rows;
    rowStep = step;
    ownsPixels = true;
    return true;
}

bool Image::BeginDrawInto() {
    DropTextures();
    DropSoftwareCopy();
    // Rows in place lie in a resource or a caller's block, which composing must not change.
    if (!OwnRows()) return false;
    originModule_ = nullptr;
    RestoreRowOrder();
    rowsFlipped = true;
    return true;
}

void Image::Fill(uint32_t colour) {
    DropTextures();
    DropSoftwareCopy();
    // Only a filled image may be marked top-down: unchanged rows would then be read upside down.
    if (bitsPerPixel != 32 || !OwnRows()) return;
    originModule_ = nullptr;
    const uint8_t value[4] = {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                              static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 24)};
    FillPixel8u4Stub(value, pixels, rowStep, width, height);
    rowsFlipped = true;
}

void Image::RestoreRowOrder() {
    rowsFlipped = false;
    if (!pixels || height < 2 || !OwnRows()) return;
    std::vector<uint8_t> temp(static_cast<size_t>(rowStep));
    for (int32_t i = 0; i < height / 2; ++i) {
        uint8_t* a = pixels + static_cast<int64_t>(i) * rowStep;
        uint8_t* b = pixels + static_cast<int64_t>(height - 1 - i) * rowStep;
        std::memcpy(temp.data(), a, temp.size());
        std::memcpy(a, b, temp.size());
        std::memcpy(b, temp.data(), temp.size());
    }
}

bool Image::SaveToFile(const char* path) {
    if (bitsPerPixel != 32 || !RestorePixels()) return false;
    if (rowsFlipped) RestoreRowOrder();
    return WriteBmp24(*this, path);
}

bool Image::PrepareSoftwareCopy() {
    if (prepared && softwareCopy) return true;
    if (!RestorePixels()) return false;
    DropTextures();
    int32_t step = 0;
    uint8_t* copy = AllocImage8u4Stub(width, height, &step);
    if (!copy) return false;
    const int bytesPerPixel = bitsPerPixel / 8;
    for (int32_t y = 0; y < height; ++y) {
        // The copy is top-down; the rows are bottom-up unless the image is being composed into.
        const int32_t sourceRow = rowsFlipped ? y : height - 1 - y;
        const uint8_t* src = pixels + static_cast<int64_t>(sourceRow) * rowStep;
        uint8_t* dst = copy + static_cast<int64_t>(y) * step;
        for (int32_t x = 0; x < width; ++x, src += bytesPerPixel, dst += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            if (bytesPerPixel == 4) {
                dst[3] = src[3];
            } else if (hasColourKey &&
                       (static_cast<uint32_t>(src[0]) | (static_cast<uint32_t>(src[1]) << 8) |
                        (static_cast<uint32_t>(src[2]) << 16)) == colourKey) {
                dst[0] = dst[1] = dst[2] = dst[3] = 0;
            } else {
                dst[3] = 255;
            }
        }
    }
    if (bitsPerPixel == 32) PremultiplyAlpha8u4Stub(copy, step, width, height);
    softwareCopy = copy;
    softwareCopyStep = step;
    prepared = true;
    return true;
}

void Image::DropTextures() {
    while (tiles) {
        TextureTile* next = tiles->next;
        delete tiles;
        tiles = next;
    }
    prepared = false;
}

void Image::DropSoftwareCopy() {
    FreeImageStub(softwareCopy);
    softwareCopy = nullptr;
    softwareCopyStep = 0;
    prepared = false;
}

bool Image::DropReloadablePixels() {
    if (!pixels || !ownsPixels || !originModule_ || !prepared || rowsFlipped) return false;
    FreeImageStub(pixels);
    pixels = nullptr;
    ownsPixels = false;
    rowStep = 0;
    return true;
}

bool Image::RestorePixels() {
    if (pixels) return true;
    if (!originModule_ || width == 0) return false;
    // Decoded beside this image, so its prepared forms and colour key stay as they are.
    Image fresh;
    if (!fresh.LoadFromResource(originId_, originModule_) || fresh.width != width || fresh.height != height ||
        fresh.bitsPerPixel != bitsPerPixel) {
        return false;
    }
    pixels = fresh.pixels;
    rowStep = fresh.rowStep;
    ownsPixels = fresh.ownsPixels;
    fresh.pixels = nullptr;
    fresh.ownsPixels = false;
    return true;
}
