#include "framework/gfx/NullRenderBackend.h"

#include <cstring>

#include "framework/gfx/FrameSize.h"

bool NullRenderBackend::FreeVideoMemory(uint64_t& bytes, bool& known) {
    bytes = 0;
    known = false;
    return true;
}

// The copy is taken whole: the frame always holds the whole picture.
bool NullRenderBackend::PresentFrame(const uint8_t* frame, int32_t pitch, const Rect&, const Rect&) {
    if (!frame || pitch < kFrameWidth * 4) return false;
    lastFrame_.resize(static_cast<size_t>(kFrameWidth) * kFrameHeight * 4);
    for (int32_t y = 0; y < kFrameHeight; ++y) {
        std::memcpy(lastFrame_.data() + static_cast<size_t>(y) * kFrameWidth * 4,
                    frame + static_cast<int64_t>(y) * pitch, static_cast<size_t>(kFrameWidth) * 4);
    }
    ++presents_;
    return true;
}
