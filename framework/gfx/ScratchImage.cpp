#include "framework/gfx/ScratchImage.h"

#include <algorithm>

#include "framework/gfx/ImageOpsDispatchTable.h"
#include "platform/MulDiv.h"

namespace {

ScratchImage& Scratch() {
    static ScratchImage block;
    return block;
}

}  // namespace

const ScratchImage& CurrentScratchImage() { return Scratch(); }

bool EnsureScratchImage(int32_t w, int32_t h, int32_t scaleX, int32_t scaleY, bool clear) {
    const int32_t scaledW = MulDiv(w, scaleX, 100);
    const int32_t scaledH = MulDiv(h, scaleY, 100);
    if (scaledW < 0 || scaledH < 0) return false;
    const int32_t needW = scaledW + 4;
    const int32_t needH = scaledH + 4;
    ScratchImage& s = Scratch();
    static const uint8_t kZero[4] = {0, 0, 0, 0};
    if (s.pixels && s.width >= needW && s.height >= needH) {
        if (clear) FillPixel8u4Stub(kZero, s.pixels, s.step, needW, needH);
        return true;
    }
    const int32_t newW = std::max({needW, 128, s.width});
    const int32_t newH = std::max({needH, 128, s.height});
    FreeScratchImage();
    int32_t step = 0;
    uint8_t* pixels = AllocImage8u4Stub(newW, newH, &step);
    if (!pixels) return false;
    s = ScratchImage{pixels, newW, newH, step};
    if (clear) FillPixel8u4Stub(kZero, s.pixels, s.step, newW, newH);
    return true;
}

void FreeScratchImage() {
    ScratchImage& s = Scratch();
    FreeImageStub(s.pixels);
    s = ScratchImage{};
}
