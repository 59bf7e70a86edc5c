#pragma once

#include <cstdint>
#include <vector>

#include "framework/gfx/RenderBackend.h"

// A drawing device without a display: it draws no quads, so the display device takes the
// software path on it, and keeps a copy of the last frame shown. Runs the whole drawing path
// where there is no window system (the null window backend, tests).
class NullRenderBackend : public RenderBackend {
public:
    bool FreeVideoMemory(uint64_t& bytes, bool& known) override;
    Caps GetCaps() override { return Caps{}; }
    Texture* CreateTexture(int32_t, int32_t, TextureFormat, bool) override { return nullptr; }
    void DestroyTexture(Texture*) override {}
    bool UpdateTexture(Texture*, const uint8_t*, int32_t) override { return false; }
    bool SetTarget(Texture*) override { return false; }
    bool BeginScene() override { return true; }
    bool EndScene() override { return true; }
    bool Clear(const Rect*, uint32_t) override { return false; }
    bool SetClip(const Rect*) override { return true; }
    bool SetBlending(bool) override { return true; }
    bool DrawQuad(Texture*, const Vertex (&)[4]) override { return false; }
    bool ReadPixels(const Rect&, uint8_t*, int32_t) override { return false; }
    bool PresentTarget(Texture*, const Rect&) override { return false; }
    bool PresentFrame(const uint8_t* frame, int32_t pitch, const Rect& dest,
                      const Rect& changed) override;
    bool SetVSync(bool) override { return true; }
    bool IsLost() override { return false; }

    // The last frame shown, 800x600 pixels of blue, green, red, alpha, top-down; empty before.
    const std::vector<uint8_t>& LastFrame() const { return lastFrame_; }
    int32_t Presents() const { return presents_; }

private:
    std::vector<uint8_t> lastFrame_;
    int32_t presents_ = 0;
};
