#include "game/front/LayoutPreview.h"

#include <algorithm>

#include "framework/gfx/Image.h"
#include "game/model/TileLayout.h"
#include "platform/Random.h"

namespace {

constexpr int32_t kFaces = 42;

bool ReadPixel(const Image* image, int32_t x, int32_t y, uint32_t* argb) {
    if (!image || !image->pixels || x < 0 || y < 0 || x >= image->width || y >= image->height) {
        return false;
    }
    int32_t bytes = image->bitsPerPixel / 8;
    if (bytes != 3 && bytes != 4) return false;
    int32_t row = image->rowsFlipped ? y : image->height - 1 - y;
    const uint8_t* p = image->pixels + static_cast<ptrdiff_t>(row) * image->rowStep + x * bytes;
    uint32_t alpha = bytes == 4 ? p[3] : 255;
    *argb = alpha << 24 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
            p[0];
    return true;
}

void WritePixel(Image* image, int32_t x, int32_t y, uint32_t argb) {
    if (x < 0 || y < 0 || x >= image->width || y >= image->height) return;
    int32_t row = image->rowsFlipped ? y : image->height - 1 - y;
    uint8_t* p = image->pixels + static_cast<ptrdiff_t>(row) * image->rowStep + x * 4;
    p[0] = static_cast<uint8_t>(argb);
    p[1] = static_cast<uint8_t>(argb >> 8);
    p[2] = static_cast<uint8_t>(argb >> 16);
    p[3] = static_cast<uint8_t>(argb >> 24);
}

// Copies a block; with `keyed`, magenta source pixels leave the page as it was. The page keeps
// opaque pixels: a half-transparent source pixel is laid over what lies below it.
void Blit(Image* page, int32_t dx, int32_t dy, const Image* source, int32_t sx, int32_t sy,
          int32_t w, int32_t h, bool keyed) {
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            uint32_t src = 0;
            if (!ReadPixel(source, sx + x, sy + y, &src)) continue;
            if (keyed && (src & 0xFFFFFF) == LayoutPreview::kKey) continue;
            uint32_t a = src >> 24;
            if (a == 0) continue;
            uint32_t dst = 0;
            if (a < 255 && ReadPixel(page, dx + x, dy + y, &dst) &&
                (dst & 0xFFFFFF) != LayoutPreview::kKey) {
                uint32_t out = 0xFF000000u;
                for (int shift = 0; shift < 24; shift += 8) {
                    uint32_t s = (src >> shift) & 0xFF;
                    uint32_t d = (dst >> shift) & 0xFF;
                    out |= ((s * a + d * (255 - a) + 127) / 255) << shift;
                }
                src = out;
            }
            WritePixel(page, dx + x, dy + y, src | 0xFF000000u);
        }
    }
}

}  // namespace

void LayoutPreview::Place(TileLayout* layout, int slot) {
    tiles_.clear();
    tileCount_ = 0;
    freeCount_ = 0;
    extent_ = Rect{kCellWidth, kCellHeight, 0, 0};
    if (!layout) return;
    slot = std::clamp(slot, 0, 8);
    for (int i = 0; i < layout->Count(); ++i) {
        Tile* tile = layout->TileAt(i);
        Placed placed;
        placed.left = (tile->x * 10) / 2 + tile->z - 1;
        placed.top = (tile->y * 13) / 2 - tile->z + 1;
        if (tile->kind >= 1 && tile->kind <= kFaces) {
            placed.face = tile->kind - 1;
        } else {
            placed.face = Rand() % kFaces;
        }
        layout->UpdateFreeFlag(tile);
        ++tileCount_;
        if (tile->free) ++freeCount_;
        extent_.left = std::min(extent_.left, placed.left);
        extent_.top = std::min(extent_.top, placed.top);
        extent_.right = std::max(extent_.right, placed.left + 9);
        extent_.bottom = std::max(extent_.bottom, placed.top + 12);
        tiles_.push_back(placed);
    }
    int32_t cellLeft = (slot % 3) * kCellWidth;
    int32_t cellTop = (slot / 3) * kCellHeight;
    int32_t offsetX = (kCellWidth - extent_.Width()) / 2 - extent_.left + cellLeft;
    int32_t offsetY = (kCellHeight - extent_.Height()) / 2 - extent_.top + cellTop;
    for (Placed& placed : tiles_) {
        placed.left += offsetX;
        placed.top += offsetY;
    }
}

bool LayoutPreview::Compose(Image* page, const Image* blank, const Image* faces) const {
    if (!page || !page->pixels || page->bitsPerPixel != 32) return false;
    // The page may already be on screen: what was prepared for drawing it is out of date now.
    page->DropTextures();
    page->DropSoftwareCopy();
    for (const Placed& placed : tiles_) {
        Blit(page, placed.left, placed.top, blank, 0, 0, kBlankWidth, kBlankHeight, true);
        Blit(page, placed.left + 2, placed.top + 1, faces, (placed.face % 6) * kFaceWidth,
             (placed.face / 6) * kFaceHeight, kFaceWidth, kFaceHeight, false);
    }
    return true;
}
