#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "framework/gfx/RenderBackend.h"

// A renderer in memory that rasterises axis-aligned quads the way a correct device does
// (pixel centres, nearest texels, source-alpha blending), and fails or misbehaves on request.
class FakeRenderBackend : public RenderBackend {
public:
    struct FakeTexture : Texture {
        std::vector<uint32_t> argb;  // top-down
        bool target = false;
    };

    // Knobs.
    bool memoryQueryFails = false;
    bool memoryKnown = true;
    uint64_t freeBytes = 256ull << 20;
    Caps caps;
    std::string failOn;          // name of the operation that fails: "CreateTarget", "Draw", ...
    int32_t failAfter = 0;       // that many calls of it succeed first
    bool ignoreTextureAlpha = false;
    bool ignoreVertexAlpha = false;
    int32_t placementShift = 0;  // quads land this many pixels right of where asked
    bool lost = false;

    // Observations.
    int32_t draws = 0;
    int32_t scenes = 0;
    int32_t liveTextures = 0;
    int32_t texturesMade = 0;
    int32_t presents = 0;
    std::vector<uint32_t> shown;  // the last presented picture, 800x600 ARGB
    Rect shownRect;
    Rect frameTaken;              // what the last PresentFrame took of the frame
    int32_t clippedDraws = 0;     // quads drawn while a clip was set

    FakeRenderBackend();
    ~FakeRenderBackend() override;

    bool FreeVideoMemory(uint64_t& bytes, bool& known) override;
    Caps GetCaps() override { return caps; }
    Texture* CreateTexture(int32_t width, int32_t height, TextureFormat format, bool renderTarget) override;
    void DestroyTexture(Texture* texture) override;
    bool UpdateTexture(Texture* texture, const uint8_t* pixels, int32_t pitch) override;
    bool SetTarget(Texture* target) override;
    bool BeginScene() override;
    bool EndScene() override;
    bool Clear(const Rect* rect, uint32_t argb) override;
    bool SetClip(const Rect* rect) override;
    bool SetBlending(bool on) override;
    bool DrawQuad(Texture* texture, const Vertex (&quad)[4]) override;
    bool ReadPixels(const Rect& rect, uint8_t* dst, int32_t pitch) override;
    bool PresentTarget(Texture* picture, const Rect& dest) override;
    // Like a streaming texture, the picture shown keeps what `changed` leaves out.
    bool PresentFrame(const uint8_t* frame, int32_t pitch, const Rect& dest, const Rect& changed) override;
    bool SetVSync(bool on) override;
    bool IsLost() override { return lost; }

    FakeTexture* Target() const { return target_; }

private:
    bool Fails(const char* operation);
    // The part of the target that fills and quads may change.
    Rect Writable() const;

    FakeTexture* target_ = nullptr;
    std::unordered_set<FakeTexture*> textures_;
    bool blending_ = false;
    bool clipped_ = false;
    Rect clip_;
    bool frameShown_ = false;
    int32_t calls_ = 0;
};
