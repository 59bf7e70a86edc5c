#include "tests/assets/TextProbeDisplay.h"

#include <algorithm>
#include <memory>

#include "framework/gfx/Image.h"
#include "framework/gfx/NullRenderBackend.h"

TextProbeDisplay::TextProbeDisplay()
    : SdlDisplayDevice([](bool) { return std::make_unique<NullRenderBackend>(); }, settings,
                       Environment{}, nullptr, nullptr) {}

void TextProbeDisplay::PixelAt(int32_t x, int32_t y, int32_t& r, int32_t& g, int32_t& b) const {
    const uint8_t* p = Frame() + static_cast<int64_t>(y) * FramePitch() + x * 4;
    b = p[0];
    g = p[1];
    r = p[2];
}

bool TextProbeDisplay::BeginFrame() {
    glyphs_.clear();
    return SdlDisplayDevice::BeginFrame();
}

Image* TextProbeDisplay::GetImage(int32_t id, ImageModule module) {
    Image* image = SdlDisplayDevice::GetImage(id, module);
    if (image) ids_[image] = id;
    return image;
}

BitmapFont* TextProbeDisplay::GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey,
                                      ImageModule module) {
    fontImages_.insert(glyphImageId);
    return SdlDisplayDevice::GetFont(glyphImageId, metricsId, colourKey, module);
}

bool TextProbeDisplay::LeftOut(int32_t x, int32_t y, Image* image, const Rect* source,
                               int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered) {
    auto id = ids_.find(image);
    if (id == ids_.end() || !fontImages_.count(id->second)) return false;
    const Rect from = source ? *source : Rect{0, 0, image->width, image->height};
    covered = Rect{x, y, x + from.Width() * scaleX / 100, y + from.Height() * scaleY / 100};
    if (alpha > 0 && covered.Width() > 0 && covered.Height() > 0) {
        glyphs_.push_back(Glyph{id->second, covered, from,
                                std::vector<bool>(static_cast<size_t>(covered.Width()) * covered.Height(), true)});
    }
    return true;
}

void TextProbeDisplay::Covered(const Rect& rect) {
    for (size_t i = glyphs_.size(); i-- > 0;) {
        const Rect& glyph = glyphs_[i].rect;
        const int32_t left = std::max(glyph.left, rect.left), right = std::min(glyph.right, rect.right);
        const int32_t top = std::max(glyph.top, rect.top), bottom = std::min(glyph.bottom, rect.bottom);
        if (left >= right || top >= bottom) continue;
        std::vector<bool>& open = glyphs_[i].open;
        for (int32_t y = top; y < bottom; ++y)
            for (int32_t x = left; x < right; ++x)
                open[static_cast<size_t>(y - glyph.top) * glyph.Width() + (x - glyph.left)] = false;
        if (std::find(open.begin(), open.end(), true) == open.end())
            glyphs_.erase(glyphs_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void TextProbeDisplay::DrawImage(int32_t x, int32_t y, Image* image, const Rect* source,
                                 int32_t scaleX, int32_t scaleY, int32_t alpha, Rect& covered) {
    if (LeftOut(x, y, image, source, scaleX, scaleY, alpha, covered)) return;
    SdlDisplayDevice::DrawImage(x, y, image, source, scaleX, scaleY, alpha, covered);
    Covered(covered);
}

void TextProbeDisplay::DrawImageKeyed(int32_t x, int32_t y, Image* image, uint32_t colourKey,
                                      const Rect* source, int32_t scaleX, int32_t scaleY,
                                      int32_t alpha, Rect& covered) {
    if (LeftOut(x, y, image, source, scaleX, scaleY, alpha, covered)) return;
    SdlDisplayDevice::DrawImageKeyed(x, y, image, colourKey, source, scaleX, scaleY, alpha, covered);
    Covered(covered);
}

void TextProbeDisplay::FillFrameRect(const Rect* rect, uint32_t colour) {
    SdlDisplayDevice::FillFrameRect(rect, colour);
    Covered(rect ? *rect : Rect{0, 0, kFrameWidth, kFrameHeight});
}

void TextProbeDisplay::BlendFrameRect(const Rect* rect, int32_t alpha, uint32_t colour) {
    SdlDisplayDevice::BlendFrameRect(rect, alpha, colour);
    Covered(rect ? *rect : Rect{0, 0, kFrameWidth, kFrameHeight});
}
