#pragma once

#include <cstdint>

#include "framework/gfx/Rect.h"

// The drawing device under the display device: a renderer that draws textured quads into
// off-screen targets, reads them back and shows an 800x600 picture in the window. One
// implementation runs on SDL; tests put one in that fails on request.
class RenderBackend {
public:
    enum class TextureFormat { Argb8888, Argb4444, Rgb565 };

    // Implementations derive their own textures from this.
    struct Texture {
        virtual ~Texture() = default;
        int32_t width = 0;
        int32_t height = 0;
        TextureFormat format = TextureFormat::Argb8888;
    };

    struct Formats {
        bool argb8888 = false;
        bool argb4444 = false;
        bool rgb565 = false;
    };

    struct Caps {
        bool accelerated = false;
        int32_t minTextureWidth = 1;
        int32_t minTextureHeight = 1;
        int32_t maxTextureWidth = 0;
        int32_t maxTextureHeight = 0;
        bool squareOnly = false;
        Formats formats;
    };

    // A pre-transformed vertex: position in target pixels, colour 0xAARRGGBB, texture u, v.
    struct Vertex {
        float x = 0;
        float y = 0;
        uint32_t colour = 0xFFFFFFFF;
        float u = 0;
        float v = 0;
    };

    virtual ~RenderBackend() = default;

    // Free local video memory in bytes. False when the memory cannot be asked for at all;
    // `known` false when the device cannot tell (it is then taken as plenty).
    virtual bool FreeVideoMemory(uint64_t& bytes, bool& known) = 0;
    virtual Caps GetCaps() = 0;

    // Textures: a render target can be drawn into; others are filled by Update (top-down rows
    // in the texture's format at `pitch`). Null on failure.
    virtual Texture* CreateTexture(int32_t width, int32_t height, TextureFormat format,
                                   bool renderTarget) = 0;
    virtual void DestroyTexture(Texture* texture) = 0;
    virtual bool UpdateTexture(Texture* texture, const uint8_t* pixels, int32_t pitch) = 0;

    // Drawing goes to `target` (a render target texture).
    virtual bool SetTarget(Texture* target) = 0;
    virtual bool BeginScene() = 0;
    virtual bool EndScene() = 0;
    // Solid fill of the target (null: all of it), no blending.
    virtual bool Clear(const Rect* rect, uint32_t argb) = 0;
    // Limits fills and quads of the current target to `rect` (null: no limit) until the target
    // changes or another clip is set.
    virtual bool SetClip(const Rect* rect) = 0;
    // Blending source-alpha over inverse-source-alpha, or plain replacement.
    virtual bool SetBlending(bool on) = 0;
    // A triangle strip of four vertices (top-left, bottom-left, top-right, bottom-right), with
    // `texture` modulated by the vertex colour, or the vertex colour alone for null.
    virtual bool DrawQuad(Texture* texture, const Vertex (&quad)[4]) = 0;
    // Pixels of the target as 32-bit blue, green, red, alpha, top-down at `pitch`.
    virtual bool ReadPixels(const Rect& rect, uint8_t* dst, int32_t pitch) = 0;

    // Shows `picture` (a render target) or the 32-bit frame (`frame` at `pitch`, 800x600) in
    // `dest` of the window. With vsync the call waits for the vertical blank. Of the frame only
    // `changed` need be taken anew: the rest is as it was at the last PresentFrame.
    virtual bool PresentTarget(Texture* picture, const Rect& dest) = 0;
    virtual bool PresentFrame(const uint8_t* frame, int32_t pitch, const Rect& dest,
                              const Rect& changed) = 0;

    // Whether presenting waits for the vertical blank.
    virtual bool SetVSync(bool on) = 0;

    // True once the device has lost its textures (reset); it must then be made anew.
    virtual bool IsLost() = 0;
};
