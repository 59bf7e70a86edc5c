#include "game/play/TileSheetComposer.h"

#include "framework/gfx/Image.h"

namespace {

// A pixel as 0xAARRGGBB, read from a bottom-up 24- or 32-bit image at top-down (x, y).
bool ReadPixel(const Image* image, int x, int y, uint32_t* argb)
{
    if (!image || !image->pixels || x < 0 || y < 0 || x >= image->width || y >= image->height)
        return false;
    const int bytes = image->bitsPerPixel / 8;
    if (bytes != 3 && bytes != 4) return false;
    const int row = image->rowsFlipped ? y : image->height - 1 - y;
    const uint8_t* p = image->pixels + static_cast<ptrdiff_t>(row) * image->rowStep + x * bytes;
    const uint32_t alpha = bytes == 4 ? p[3] : 255;
    *argb = alpha << 24 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
    return true;
}

void WritePixel(Image* image, int x, int y, uint32_t argb)
{
    const int row = image->rowsFlipped ? y : image->height - 1 - y;
    uint8_t* p = image->pixels + static_cast<ptrdiff_t>(row) * image->rowStep + x * 4;
    p[0] = static_cast<uint8_t>(argb);
    p[1] = static_cast<uint8_t>(argb >> 8);
    p[2] = static_cast<uint8_t>(argb >> 16);
    p[3] = static_cast<uint8_t>(argb >> 24);
}

uint32_t ReadSheet(const Image* image, int x, int y)
{
    uint32_t argb = 0;
    ReadPixel(image, x, y, &argb);
    return argb;
}

// Straight-alpha "over" of a source pixel onto an opaque or keyed sheet pixel.
uint32_t Over(uint32_t src, uint32_t dst)
{
    const uint32_t a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    if ((dst & 0xFFFFFF) == TileSheetComposer::kKey) return src | 0xFF000000u;
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (src >> shift) & 0xFF;
        const uint32_t d = (dst >> shift) & 0xFF;
        out |= ((s * a + d * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

// Copies a w x h block; keyed source pixels are skipped.
void Blit(Image* sheet, int dx, int dy, const Image* source, int sx, int sy, int w, int h,
          bool keyed)
{
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t argb = 0;
            if (!ReadPixel(source, sx + x, sy + y, &argb)) continue;
            if (keyed && (argb & 0xFFFFFF) == TileSheetComposer::kKey) continue;
            WritePixel(sheet, dx + x, dy + y, Over(argb, ReadSheet(sheet, dx + x, dy + y)));
        }
    }
}

}  // namespace

int TileSheetComposer::BaseCellOf(int kind, int baseCell)
{
    if (kind == 43) return 1;
    if (kind >= 44) return kind - 42;
    return baseCell;
}

bool TileSheetComposer::Compose(Image* sheet, const Image* bases, const Image* faces, int baseCell)
{
    if (!sheet || !sheet->pixels || sheet->bitsPerPixel != 32 || sheet->width < kWidth ||
        sheet->height < kHeight)
        return false;
    for (int y = 0; y < sheet->height; ++y)
        for (int x = 0; x < sheet->width; ++x) WritePixel(sheet, x, y, kKey);
    for (int kind = 0; kind <= 47; ++kind) {
        const int cellX = kCellWidth * (kind % 6);
        const int cellY = kCellHeight * (kind / 6);
        const int base = BaseCellOf(kind, baseCell);
        Blit(sheet, cellX, cellY, bases, kCellWidth * base, 0, kCellWidth, kCellHeight, true);
        if (kind < 1 || kind > 42) continue;
        const int face = kind - 1;
        Blit(sheet, cellX + 7, cellY + 3, faces, kFaceWidth * (face % 6), kFaceHeight * (face / 6),
             kFaceWidth, kFaceHeight, false);
    }
    // Gaps are keyed and fully transparent, so both drawing paths leave them out; what the
    // display prepared from the old pixels is dropped.
    sheet->SetColourKey(kKey);
    sheet->DropTextures();
    sheet->DropSoftwareCopy();
    sheet->prepared = false;
    return true;
}
