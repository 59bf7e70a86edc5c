#include "framework/gfx/ImageDrawing.h"

#include <algorithm>
#include <vector>

#include "framework/gfx/BackendTextureTile.h"
#include "framework/gfx/Image.h"
#include "framework/gfx/ImageDrawContext.h"
#include "framework/gfx/PixelRowConverters.h"
#include "platform/MulDiv.h"

namespace {

// Smallest power-of-two multiple of the minimum that covers `remaining`, cut to the maximum.
int32_t TileSide(int32_t remaining, int32_t minimum, int32_t maximum) {
    int32_t side = minimum;
    while (side < remaining && side < maximum) side *= 2;
    return std::min(side, maximum);
}

int32_t BytesPerTexel(RenderBackend::TextureFormat format) {
    return format == RenderBackend::TextureFormat::Argb8888 ? 4 : 2;
}

bool MakeTile(Image& image, const ImageDrawContext& ctx, RenderBackend::TextureFormat format, const Rect& rect,
              int32_t texWidth, int32_t texHeight) {
    RenderBackend::Texture* texture = ctx.backend->CreateTexture(texWidth, texHeight, format, false);
    if (!texture) return false;
    auto* tile = new BackendTextureTile(ctx.backend, texture);
    tile->left = rect.left;
    tile->top = rect.top;
    tile->right = rect.right;
    tile->bottom = rect.bottom;
    tile->textureWidth = texWidth;
    tile->textureHeight = texHeight;

    const int32_t bytes = BytesPerTexel(format);
    const int32_t pitch = texWidth * bytes;
    std::vector<uint8_t> texels(static_cast<size_t>(pitch) * texHeight, 0);
    const int32_t srcBytes = image.bitsPerPixel / 8;
    PictureRows rows;
    // Stored rows are bottom-up: the rectangle's bottom picture row is stored row height - bottom.
    rows.firstRow = image.pixels + static_cast<int64_t>(image.height - rect.bottom) * image.rowStep +
                    static_cast<int64_t>(rect.left) * srcBytes;
    rows.step = image.rowStep;
    rows.bitsPerPixel = image.bitsPerPixel;
    rows.hasKey = image.hasColourKey;
    rows.key = image.colourKey;
    const bool converted = ConvertPictureRows(rows, texels.data() + static_cast<int64_t>(rect.Height() - 1) * pitch,
                                              pitch, bytes * 8, rect.Width(), rect.Height(),
                                              format != RenderBackend::TextureFormat::Rgb565);
    if (!converted || !ctx.backend->UpdateTexture(texture, texels.data(), pitch)) {
        delete tile;
        return false;
    }
    tile->next = image.tiles;
    image.tiles = tile;
    return true;
}

}  // namespace

bool CreateImageTextures(Image& image) {
    const ImageDrawContext& ctx = CurrentImageDrawContext();
    if (!ctx.backend || !image.RestorePixels()) return false;
    if (image.bitsPerPixel != 24 && image.bitsPerPixel != 32) return false;
    image.DropTextures();

    RenderBackend::TextureFormat format = RenderBackend::TextureFormat::Argb4444;
    if (ctx.formats.argb8888) format = RenderBackend::TextureFormat::Argb8888;
    else if (image.bitsPerPixel == 24 && !image.hasColourKey && ctx.formats.rgb565)
        format = RenderBackend::TextureFormat::Rgb565;

    for (int32_t left = 0; left < image.width;) {
        int32_t columnWidth = TileSide(image.width - left, ctx.minTextureWidth, ctx.maxTextureWidth);
        for (int32_t top = 0; top < image.height;) {
            int32_t texHeight = TileSide(image.height - top, ctx.minTextureHeight, ctx.maxTextureHeight);
            int32_t texWidth = columnWidth;
            if (ctx.squareOnly) {
                texWidth = texHeight = std::max(texWidth, texHeight);
                columnWidth = texWidth;
            }
            const Rect rect{left, top, std::min(image.width, left + texWidth), std::min(image.height, top + texHeight)};
            if (!MakeTile(image, ctx, format, rect, texWidth, texHeight)) {
                image.DropTextures();
                return false;
            }
            top += texHeight;
        }
        left += columnWidth;
    }
    image.prepared = true;
    return true;
}

bool EnsureImagePrepared(Image& image) {
    const ImageDrawContext& ctx = CurrentImageDrawContext();
    if (ctx.backend) {
        // Tiles made on a device since released are worthless: their textures went with it.
        const bool current = image.tiles ? static_cast<BackendTextureTile*>(image.tiles)->backend.lock() == ctx.backend
                                         : image.width == 0;
        if (image.prepared && current) return true;
        return CreateImageTextures(image);
    }
    if (image.prepared && image.softwareCopy) return true;
    image.prepared = false;
    return image.PrepareSoftwareCopy();
}

bool DrawImageToFrame(Image& image, int32_t x, int32_t y, const Rect& source, int32_t scaleX, int32_t scaleY,
               int32_t alpha) {
    if (image.width == 0) return false;
    if (image.rowsFlipped) image.RestoreRowOrder();
    if (!EnsureImagePrepared(image)) return false;
    const ImageDrawContext& ctx = CurrentImageDrawContext();
    if (!ctx.backend) {
        const Rect& clip = ctx.frameClip;
        BlitSoftware(SoftwareCopy{image.softwareCopy, image.softwareCopyStep, image.width, image.height,
                                  image.bitsPerPixel == 32, image.bitsPerPixel == 24 && image.hasColourKey},
                     x - clip.left, y - clip.top, source, scaleX, scaleY, alpha, SubTarget(ctx.frame, clip));
        return true;
    }
    const uint32_t colour = (static_cast<uint32_t>(std::clamp(alpha, 0, 255)) << 24) | 0xFFFFFF;
    for (TextureTile* t = image.tiles; t; t = t->next) {
        const Rect part = Rect::Intersect(source, Rect{t->left, t->top, t->right, t->bottom});
        if (part.IsEmpty()) continue;
        const int32_t screenX = t->left <= source.left ? x : x + MulDiv(t->left - source.left, scaleX, 100);
        const int32_t screenY = t->top <= source.top ? y : y + MulDiv(t->top - source.top, scaleY, 100);
        const Rect inTile = part.Offset(-t->left, -t->top);
        const int32_t w = scaleX == 100 ? inTile.Width() : MulDiv(inTile.Width(), scaleX, 100);
        const int32_t h = scaleY == 100 ? inTile.Height() : MulDiv(inTile.Height(), scaleY, 100);
        const float l = static_cast<float>(screenX), tp = static_cast<float>(screenY);
        const float r = static_cast<float>(screenX + w), b = static_cast<float>(screenY + h);
        const float u0 = static_cast<float>(inTile.left) / t->textureWidth;
        const float u1 = static_cast<float>(inTile.right) / t->textureWidth;
        const float v0 = static_cast<float>(inTile.top) / t->textureHeight;
        const float v1 = static_cast<float>(inTile.bottom) / t->textureHeight;
        const RenderBackend::Vertex quad[4] = {
            {l, tp, colour, u0, v0}, {l, b, colour, u0, v1}, {r, tp, colour, u1, v0}, {r, b, colour, u1, v1}};
        if (!ctx.backend->DrawQuad(static_cast<BackendTextureTile*>(t)->texture, quad)) {
            image.DropTextures();
            return false;
        }
    }
    return true;
}

bool DrawImageInto(const Image& source, Image& target, int32_t x, int32_t y, const Rect& from, int32_t scaleX,
                   int32_t scaleY, int32_t alpha) {
    if (source.width == 0 || !source.softwareCopy) return false;
    if (!target.pixels || target.bitsPerPixel != 32) return false;
    if (!target.rowsFlipped && !target.BeginDrawInto()) return false;
    BlitSoftware(SoftwareCopy{source.softwareCopy, source.softwareCopyStep, source.width, source.height,
                              source.bitsPerPixel == 32, source.bitsPerPixel == 24 && source.hasColourKey},
                 x, y, from, scaleX, scaleY, alpha, PixelTarget{target.pixels, target.rowStep, target.width, target.height});
    return true;
}
