#pragma once

#include <SDL.h>

#include <memory>
#include <string_view>
#include <unordered_set>

#include "framework/gfx/RenderBackend.h"

// The drawing device on an SDL renderer of the main window. The accelerated form asks for a
// hardware renderer with render targets; the software form takes any renderer and only shows
// the frame through one streaming texture. A renderer reset event marks the device lost.
class SdlRenderBackend : public RenderBackend {
public:
    // Quads: a hardware renderer with render targets (the accelerated path). QuadsInSoftware: the
    // same drawing on SDL's software renderer. FrameOnly: any renderer, used only to show frames.
    enum class Kind { Quads, QuadsInSoftware, FrameOnly };

    // Null when the window has no renderer of the wanted kind.
    static std::unique_ptr<SdlRenderBackend> Create(SDL_Window* window, Kind kind, bool vsync);
    // Whether a GL renderer of this name draws on the processor. Such a renderer is no hardware
    // device: it costs more processor time than the software path, so it does not count as
    // accelerated unless the test harness asks for it (QUILLOMAR_TEST=1, QUILLOMAR_SOFTWARE_3D=1).
    static bool IsSoftwareRasterizer(std::string_view glRenderer);
    ~SdlRenderBackend() override;

    bool FreeVideoMemory(uint64_t& bytes, bool& known) override;
    Caps GetCaps() override;
    Texture* CreateTexture(int32_t width, int32_t height, TextureFormat format,
                           bool renderTarget) override;
    void DestroyTexture(Texture* texture) override;
    bool UpdateTexture(Texture* texture, const uint8_t* pixels, int32_t pitch) override;
    bool SetTarget(Texture* target) override;
    bool BeginScene() override { return !lost_; }
    bool EndScene() override { return !lost_; }
    bool Clear(const Rect* rect, uint32_t argb) override;
    bool SetClip(const Rect* rect) override;
    bool SetBlending(bool on) override;
    bool DrawQuad(Texture* texture, const Vertex (&quad)[4]) override;
    bool ReadPixels(const Rect& rect, uint8_t* dst, int32_t pitch) override;
    bool PresentTarget(Texture* picture, const Rect& dest) override;
    bool PresentFrame(const uint8_t* frame, int32_t pitch, const Rect& dest,
                      const Rect& changed) override;
    bool SetVSync(bool on) override;
    bool IsLost() override { return lost_; }

    SDL_Renderer* Renderer() const { return renderer_; }

private:
    SdlRenderBackend(SDL_Renderer* renderer, Kind kind);
    static int WatchEvents(void* self, SDL_Event* event);
    bool ShowTexture(SDL_Texture* texture, const Rect& dest);

    SDL_Renderer* renderer_ = nullptr;
    // Every texture handed out and not yet destroyed; the renderer takes them all with it.
    std::unordered_set<Texture*> textures_;
    Kind kind_;
    SDL_Texture* frameTexture_ = nullptr;
    Uint32 frameFormat_ = 0;
    Texture* target_ = nullptr;
    SDL_BlendMode blend_ = SDL_BLENDMODE_NONE;
    bool lost_ = false;
    bool emulated_ = false;  // a hardware renderer in name that rasterizes on the processor
};
