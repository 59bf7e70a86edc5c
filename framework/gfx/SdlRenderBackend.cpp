#include "framework/gfx/SdlRenderBackend.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/gfx/FrameConversion.h"
#include "framework/gfx/FrameSize.h"

namespace {

struct SdlTexture : RenderBackend::Texture {
    SDL_Texture* texture = nullptr;
};

SDL_Texture* Native(RenderBackend::Texture* texture) {
    return texture ? static_cast<SdlTexture*>(texture)->texture : nullptr;
}

Uint32 SdlFormat(RenderBackend::TextureFormat format) {
    switch (format) {
        case RenderBackend::TextureFormat::Argb4444: return SDL_PIXELFORMAT_ARGB4444;
        case RenderBackend::TextureFormat::Rgb565: return SDL_PIXELFORMAT_RGB565;
        case RenderBackend::TextureFormat::Argb8888: break;
    }
    return SDL_PIXELFORMAT_ARGB8888;
}

SDL_Rect ToSdl(const Rect& r) { return SDL_Rect{r.left, r.top, r.Width(), r.Height()}; }

// The renderer name of the current GL context, empty without one.
std::string GlRendererName() {
    if (!SDL_GL_GetCurrentContext()) return {};
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "";
}

bool SoftwareRasterizerAllowed() {
    const char* test = std::getenv("QUILLOMAR_TEST");
    const char* allowed = std::getenv("QUILLOMAR_SOFTWARE_3D");
    return test && std::strcmp(test, "1") == 0 && allowed && std::strcmp(allowed, "1") == 0;
}

}  // namespace

std::unique_ptr<SdlRenderBackend> SdlRenderBackend::Create(SDL_Window* window, Kind kind, bool vsync) {
    if (!window) return nullptr;
    Uint32 flags = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
    if (kind == Kind::Quads) {
        flags |= SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE;
    } else {
        // SDL's own renderer, on a window surface that is not itself a 3D texture: the 3D
        // drivers, once loaded, would stay in the process for nothing.
        flags |= SDL_RENDERER_SOFTWARE;
        if (kind == Kind::QuadsInSoftware) flags |= SDL_RENDERER_TARGETTEXTURE;
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    SDL_Renderer* renderer = SDL_GetRenderer(window);
    if (renderer) SDL_DestroyRenderer(renderer);
    renderer = SDL_CreateRenderer(window, -1, flags);
    if (!renderer) return nullptr;
    std::unique_ptr<SdlRenderBackend> backend(new SdlRenderBackend(renderer, kind));
    // The renderer's context is current right after its creation.
    if (kind == Kind::Quads) backend->emulated_ = IsSoftwareRasterizer(GlRendererName()) && !SoftwareRasterizerAllowed();
    return backend;
}

bool SdlRenderBackend::IsSoftwareRasterizer(std::string_view glRenderer) {
    std::string name(glRenderer);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* rasterizer : {"llvmpipe", "softpipe", "software rasterizer", "swiftshader"}) {
        if (name.find(rasterizer) != std::string::npos) return true;
    }
    return false;
}

SdlRenderBackend::SdlRenderBackend(SDL_Renderer* renderer, Kind kind) : renderer_(renderer), kind_(kind) {
    SDL_AddEventWatch(&SdlRenderBackend::WatchEvents, this);
}

SdlRenderBackend::~SdlRenderBackend() {
    SDL_DelEventWatch(&SdlRenderBackend::WatchEvents, this);
    if (frameTexture_) SDL_DestroyTexture(frameTexture_);
    SDL_DestroyRenderer(renderer_);
    // Their SDL textures went with the renderer; only our records of them remain.
    for (Texture* texture : textures_) delete texture;
}

int SdlRenderBackend::WatchEvents(void* self, SDL_Event* event) {
    if (event->type == SDL_RENDER_TARGETS_RESET || event->type == SDL_RENDER_DEVICE_RESET) {
        static_cast<SdlRenderBackend*>(self)->lost_ = true;
    }
    return 0;
}

bool SdlRenderBackend::FreeVideoMemory(uint64_t& bytes, bool& known) {
    // The renderer cannot tell how much video memory is free.
    bytes = 0;
    known = false;
    return true;
}

RenderBackend::Caps SdlRenderBackend::GetCaps() {
    Caps caps;
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer_, &info) != 0) return caps;
    const bool targets = (info.flags & SDL_RENDERER_TARGETTEXTURE) != 0;
    caps.accelerated = targets && (kind_ == Kind::QuadsInSoftware ||
                                   (kind_ == Kind::Quads && (info.flags & SDL_RENDERER_ACCELERATED) != 0 &&
                                    !emulated_));
    caps.maxTextureWidth = info.max_texture_width > 0 ? info.max_texture_width : 4096;
    caps.maxTextureHeight = info.max_texture_height > 0 ? info.max_texture_height : 4096;
    for (Uint32 i = 0; i < info.num_texture_formats; ++i) {
        switch (info.texture_formats[i]) {
            case SDL_PIXELFORMAT_ARGB8888: caps.formats.argb8888 = true; break;
            case SDL_PIXELFORMAT_ARGB4444: caps.formats.argb4444 = true; break;
            case SDL_PIXELFORMAT_RGB565: caps.formats.rgb565 = true; break;
            default: break;
        }
    }
    return caps;
}

RenderBackend::Texture* SdlRenderBackend::CreateTexture(int32_t width, int32_t height, TextureFormat format,
                                                        bool renderTarget) {
    if (lost_ || width <= 0 || height <= 0) return nullptr;
    SDL_Texture* native = SDL_CreateTexture(renderer_, SdlFormat(format),
                                            renderTarget ? SDL_TEXTUREACCESS_TARGET : SDL_TEXTUREACCESS_STATIC,
                                            width, height);
    if (!native) return nullptr;
    SDL_SetTextureScaleMode(native, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(native, blend_);
    auto* texture = new SdlTexture;
    texture->texture = native;
    texture->width = width;
    texture->height = height;
    texture->format = format;
    textures_.insert(texture);
    return texture;
}

void SdlRenderBackend::DestroyTexture(Texture* texture) {
    if (!texture || textures_.erase(texture) == 0) return;
    if (texture == target_) {
        SDL_SetRenderTarget(renderer_, nullptr);
        target_ = nullptr;
    }
    SDL_DestroyTexture(Native(texture));
    delete texture;
}

bool SdlRenderBackend::UpdateTexture(Texture* texture, const uint8_t* pixels, int32_t pitch) {
    return !lost_ && texture && SDL_UpdateTexture(Native(texture), nullptr, pixels, pitch) == 0;
}

bool SdlRenderBackend::SetTarget(Texture* target) {
    if (lost_ || SDL_SetRenderTarget(renderer_, Native(target)) != 0) return false;
    target_ = target;
    return true;
}

bool SdlRenderBackend::Clear(const Rect* rect, uint32_t argb) {
    if (lost_) return false;
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer_, static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                           static_cast<Uint8>(argb), static_cast<Uint8>(argb >> 24));
    // The renderer's clear ignores the clip; a clipped target is filled instead.
    if (!rect && !SDL_RenderIsClipEnabled(renderer_)) return SDL_RenderClear(renderer_) == 0;
    if (!rect) return SDL_RenderFillRect(renderer_, nullptr) == 0;
    if (rect->IsEmpty()) return true;
    const SDL_Rect r = ToSdl(*rect);
    return SDL_RenderFillRect(renderer_, &r) == 0;
}

bool SdlRenderBackend::SetClip(const Rect* rect) {
    if (lost_) return false;
    if (!rect) return SDL_RenderSetClipRect(renderer_, nullptr) == 0;
    // An empty clip would switch clipping off; a clip beside the target lets nothing through.
    const SDL_Rect r = rect->IsEmpty() ? SDL_Rect{-1, -1, 1, 1} : ToSdl(*rect);
    return SDL_RenderSetClipRect(renderer_, &r) == 0;
}

bool SdlRenderBackend::SetBlending(bool on) {
    blend_ = on ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE;
    return !lost_;
}

bool SdlRenderBackend::DrawQuad(Texture* texture, const Vertex (&quad)[4]) {
    if (lost_) return false;
    SDL_Vertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        const uint32_t c = quad[i].colour;
        vertices[i].position = SDL_FPoint{quad[i].x, quad[i].y};
        vertices[i].color = SDL_Color{static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8),
                                      static_cast<Uint8>(c), static_cast<Uint8>(c >> 24)};
        vertices[i].tex_coord = SDL_FPoint{quad[i].u, quad[i].v};
    }
    static const int kStrip[6] = {0, 1, 2, 2, 1, 3};
    SDL_Texture* native = Native(texture);
    if (native && SDL_SetTextureBlendMode(native, blend_) != 0) return false;
    SDL_SetRenderDrawBlendMode(renderer_, blend_);
    return SDL_RenderGeometry(renderer_, native, vertices, 4, kStrip, 6) == 0;
}

bool SdlRenderBackend::ReadPixels(const Rect& rect, uint8_t* dst, int32_t pitch) {
    if (lost_) return false;
    const SDL_Rect r = ToSdl(rect);
    return SDL_RenderReadPixels(renderer_, &r, SDL_PIXELFORMAT_ARGB8888, dst, pitch) == 0;
}

bool SdlRenderBackend::ShowTexture(SDL_Texture* texture, const Rect& dest) {
    Texture* target = target_;
    if (SDL_SetRenderTarget(renderer_, nullptr) != 0) return false;
    // The picture covers a window of its own size whole; only borders around it need the black.
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    if (dest != Rect{0, 0, outputWidth, outputHeight}) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    // A scaled picture is filtered, so its pixels do not come out as uneven blocks.
    const bool asItIs = dest.Width() == kFrameWidth && dest.Height() == kFrameHeight;
    SDL_SetTextureScaleMode(texture, asItIs ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    const SDL_Rect d = ToSdl(dest);
    const bool copied = SDL_RenderCopy(renderer_, texture, nullptr, &d) == 0;
    SDL_RenderPresent(renderer_);
    if (target && SDL_SetRenderTarget(renderer_, Native(target)) != 0) return false;
    return copied && !lost_;
}

bool SdlRenderBackend::PresentTarget(Texture* picture, const Rect& dest) {
    return !lost_ && picture && ShowTexture(Native(picture), dest);
}

bool SdlRenderBackend::PresentFrame(const uint8_t* frame, int32_t pitch, const Rect& dest,
                                    const Rect& changed) {
    if (lost_ || !frame) return false;
    const Rect whole{0, 0, kFrameWidth, kFrameHeight};
    Rect upload = Rect::Intersect(changed, whole);
    if (!frameTexture_) {
        SDL_RendererInfo info;
        if (SDL_GetRendererInfo(renderer_, &info) != 0) return false;
        frameFormat_ = SDL_PIXELFORMAT_ARGB8888;
        bool hasArgb = false;
        for (Uint32 i = 0; i < info.num_texture_formats; ++i) hasArgb |= info.texture_formats[i] == frameFormat_;
        if (!hasArgb && info.num_texture_formats > 0) frameFormat_ = info.texture_formats[0];
        frameTexture_ = SDL_CreateTexture(renderer_, frameFormat_, SDL_TEXTUREACCESS_STREAMING, kFrameWidth,
                                          kFrameHeight);
        if (!frameTexture_) return false;
        // A new texture holds nothing of the picture yet.
        upload = whole;
    }
    // Only what changed is converted and sent; an unchanged frame is shown again as it stands.
    if (!upload.IsEmpty()) {
        int bpp = 0;
        PixelFormatMasks masks;
        SDL_PixelFormatEnumToMasks(frameFormat_, &bpp, &masks.redMask, &masks.greenMask, &masks.blueMask,
                                   &masks.alphaMask);
        masks.bitsPerPixel = bpp;
        void* pixels = nullptr;
        int texturePitch = 0;
        const SDL_Rect area = ToSdl(upload);
        if (SDL_LockTexture(frameTexture_, &area, &pixels, &texturePitch) != 0) return false;
        const uint8_t* from = frame + static_cast<int64_t>(upload.top) * pitch + static_cast<int64_t>(upload.left) * 4;
        const bool converted = ConvertFrame(ChooseConversionMode(masks), ComputeChannelShifts(masks), from, pitch,
                                            static_cast<uint8_t*>(pixels), texturePitch, upload.Width(),
                                            upload.Height());
        SDL_UnlockTexture(frameTexture_);
        if (!converted) return false;
    }
    return ShowTexture(frameTexture_, dest);
}

bool SdlRenderBackend::SetVSync(bool on) { return SDL_RenderSetVSync(renderer_, on ? 1 : 0) == 0; }
