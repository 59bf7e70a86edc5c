#include "framework/gfx/SoftwareCompositor.h"

#include <algorithm>

#include "framework/gfx/ImageOpsDispatchTable.h"
#include "framework/gfx/PixelRowConverters.h"
#include "framework/gfx/ScratchImage.h"
#include "platform/MulDiv.h"

namespace {

uint8_t* PixelAt(uint8_t* base, int32_t step, int32_t x, int32_t y) {
    return base + static_cast<int64_t>(y) * step + static_cast<int64_t>(x) * 4;
}

Rect TargetBounds(const PixelTarget& t) { return Rect{0, 0, t.width, t.height}; }

}  // namespace

PixelTarget SubTarget(const PixelTarget& target, const Rect& area) {
    const Rect inside = Rect::Intersect(area, TargetBounds(target));
    if (!target.pixels || inside.IsEmpty()) return PixelTarget{};
    return PixelTarget{PixelAt(target.pixels, target.pitch, inside.left, inside.top), target.pitch, inside.Width(),
                       inside.Height()};
}

void BlitSoftware(const SoftwareCopy& copy, int32_t x, int32_t y, const Rect& source,
                  int32_t scaleX, int32_t scaleY, int32_t alpha, const PixelTarget& target) {
    if (!copy.pixels || !target.pixels || alpha <= 0 || scaleX <= 0 || scaleY <= 0) return;
    alpha = std::min(alpha, 255);
    // A source rectangle reaching outside the picture loses that part; the drawn part stays
    // where it would have been.
    const Rect src = Rect::Intersect(source, Rect{0, 0, copy.width, copy.height});
    if (src.IsEmpty()) return;
    x += MulDiv(src.left - source.left, scaleX, 100);
    y += MulDiv(src.top - source.top, scaleY, 100);

    const uint8_t* from = copy.pixels + static_cast<int64_t>(src.top) * copy.step + static_cast<int64_t>(src.left) * 4;
    int32_t fromStep = copy.step;
    int32_t w = src.Width();
    int32_t h = src.Height();
    bool inScratch = false;
    if (scaleX != 100 || scaleY != 100) {
        const int32_t newW = MulDiv(w, scaleX, 100);
        const int32_t newH = MulDiv(h, scaleY, 100);
        if (newW <= 0 || newH <= 0) return;
        // Nothing of it lands in the target: the resize would be wasted.
        if (x >= target.width || y >= target.height || x + newW <= 0 || y + newH <= 0) return;
        if (!EnsureScratchImage(w, h, scaleX, scaleY, true)) return;
        const ScratchImage& s = CurrentScratchImage();
        if (ResizeImage8u4Stub(copy.pixels, copy.width, copy.height, copy.step, src.left, src.top, w, h, s.pixels, s.step,
                       newW, newH, static_cast<double>(newW) / w, static_cast<double>(newH) / h, 1) !=
            ImageOpStatus::Ok) {
            return;
        }
        from = s.pixels;
        fromStep = s.step;
        w = newW;
        h = newH;
        inScratch = true;
    }

    if (x < 0) {
        from += static_cast<int64_t>(-x) * 4;
        w += x;
        x = 0;
    }
    if (y < 0) {
        from += static_cast<int64_t>(-y) * fromStep;
        h += y;
        y = 0;
    }
    w = std::min(w, target.width - x);
    h = std::min(h, target.height - y);
    if (w <= 0 || h <= 0) return;

    uint8_t* to = PixelAt(target.pixels, target.pitch, x, y);
    const int32_t pitch = target.pitch;
    const bool perPixelAlpha = copy.hasAlpha || copy.keyed;
    if (perPixelAlpha && alpha < 255) {
        // The copy is premultiplied, so scaling all four bytes gives the constant-alpha source.
        uint8_t* work = const_cast<uint8_t*>(from);
        int32_t workStep = fromStep;
        if (!inScratch) {
            if (!EnsureScratchImage(w, h, 100, 100, false)) return;
            work = CurrentScratchImage().pixels;
            workStep = CurrentScratchImage().step;
        }
        const uint8_t a = static_cast<uint8_t>(alpha);
        const uint8_t factors[4] = {a, a, a, a};
        MultiplyConst8u4Stub(from, fromStep, factors, work, workStep, w, h);
        AlphaComposite8u4Stub(work, workStep, to, pitch, to, pitch, w, h, CompositeOp::OverPremul);
    } else if (copy.hasAlpha) {
        AlphaComposite8u4Stub(from, fromStep, to, pitch, to, pitch, w, h, CompositeOp::OverPremul);
    } else if (copy.keyed) {
        for (int32_t r = 0; r < h; ++r) {
            CopyOpaquePixels(from + static_cast<int64_t>(r) * fromStep, to + static_cast<int64_t>(r) * pitch, w);
        }
    } else if (alpha == 255) {
        CopyColorChannels8u4Stub(from, fromStep, to, pitch, w, h);
    } else {
        AlphaCompositeConst8u4Stub(from, fromStep, static_cast<uint8_t>(alpha), to, pitch, 255, to, pitch, w, h,
                                CompositeOp::Over);
    }
}

void FillTargetRect(const PixelTarget& target, const Rect* rect, uint32_t colorref) {
    if (!target.pixels) return;
    const Rect r = rect ? Rect::Intersect(*rect, TargetBounds(target)) : TargetBounds(target);
    if (r.IsEmpty()) return;
    const uint8_t value[3] = {static_cast<uint8_t>(colorref >> 16), static_cast<uint8_t>(colorref >> 8),
                              static_cast<uint8_t>(colorref)};
    FillColor8u4Stub(value, PixelAt(target.pixels, target.pitch, r.left, r.top), target.pitch,
                                      r.Width(), r.Height());
}

void BlendTargetRect(const PixelTarget& target, Rect& rect, int32_t alpha, uint32_t colorref) {
    alpha = std::clamp(alpha, 0, 255);
    rect = Rect::Intersect(rect, TargetBounds(target));
    if (!target.pixels || rect.IsEmpty()) return;
    uint8_t* at = PixelAt(target.pixels, target.pitch, rect.left, rect.top);
    const uint8_t keep = static_cast<uint8_t>(255 - alpha);
    const uint8_t factors[3] = {keep, keep, keep};
    MultiplyColorInPlace8u4Stub(factors, at, target.pitch, rect.Width(), rect.Height());
    if (colorref == 0) return;
    const uint8_t add[3] = {static_cast<uint8_t>(MulDiv((colorref >> 16) & 0xFF, alpha, 255)),
                            static_cast<uint8_t>(MulDiv((colorref >> 8) & 0xFF, alpha, 255)),
                            static_cast<uint8_t>(MulDiv(colorref & 0xFF, alpha, 255))};
    AddColorScaledInPlace8u4Stub(add, at, target.pitch, rect.Width(), rect.Height(), 0);
}
