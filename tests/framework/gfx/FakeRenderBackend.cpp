#include "FakeRenderBackend.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t Channel(uint32_t v, int i) { return (v >> (8 * i)) & 0xFF; }

uint32_t Expand4444(uint16_t p) {
    uint32_t out = 0;
    for (int i = 0; i < 4; ++i) out |= ((p >> (4 * i)) & 0xF) * 0x11u << (8 * i);
    return out;
}

}  // namespace

FakeRenderBackend::FakeRenderBackend() {
    caps.accelerated = true;
    caps.minTextureWidth = caps.minTextureHeight = 1;
    caps.maxTextureWidth = caps.maxTextureHeight = 2048;
    caps.formats = Formats{true, true, true};
}

FakeRenderBackend::~FakeRenderBackend() {
    // Like a real device, textures nobody destroyed go with it.
    for (FakeTexture* texture : textures_) delete texture;
}

bool FakeRenderBackend::Fails(const char* operation) {
    if (lost) return true;
    if (failOn != operation) return false;
    return calls_++ >= failAfter;
}

bool FakeRenderBackend::FreeVideoMemory(uint64_t& bytes, bool& known) {
    bytes = freeBytes;
    known = memoryKnown;
    return !memoryQueryFails;
}

RenderBackend::Texture* FakeRenderBackend::CreateTexture(int32_t width, int32_t height, TextureFormat format,
                                                         bool renderTarget) {
    if (Fails(renderTarget ? "CreateTarget" : "CreateTexture") || width <= 0 || height <= 0) return nullptr;
    auto* t = new FakeTexture;
    t->width = width;
    t->height = height;
    t->format = format;
    t->target = renderTarget;
    t->argb.assign(static_cast<size_t>(width) * height, 0);
    ++liveTextures;
    ++texturesMade;
    textures_.insert(t);
    return t;
}

void FakeRenderBackend::DestroyTexture(Texture* texture) {
    if (!texture || textures_.erase(static_cast<FakeTexture*>(texture)) == 0) return;
    if (texture == target_) target_ = nullptr;
    --liveTextures;
    delete static_cast<FakeTexture*>(texture);
}

bool FakeRenderBackend::UpdateTexture(Texture* texture, const uint8_t* pixels, int32_t pitch) {
    if (Fails("Update") || !texture) return false;
    auto* t = static_cast<FakeTexture*>(texture);
    for (int32_t y = 0; y < t->height; ++y) {
        const uint8_t* row = pixels + static_cast<int64_t>(y) * pitch;
        for (int32_t x = 0; x < t->width; ++x) {
            uint32_t v = 0;
            if (t->format == TextureFormat::Argb8888) {
                v = row[x * 4] | (row[x * 4 + 1] << 8) | (row[x * 4 + 2] << 16) |
                    (static_cast<uint32_t>(row[x * 4 + 3]) << 24);
            } else {
                const uint16_t p = static_cast<uint16_t>(row[x * 2] | (row[x * 2 + 1] << 8));
                if (t->format == TextureFormat::Argb4444) {
                    v = Expand4444(p);
                } else {
                    v = 0xFF000000u | (((p >> 11) & 0x1F) << 19) | (((p >> 5) & 0x3F) << 10) | ((p & 0x1F) << 3);
                }
            }
            t->argb[static_cast<size_t>(y) * t->width + x] = v;
        }
    }
    return true;
}

bool FakeRenderBackend::SetTarget(Texture* target) {
    if (Fails("SetTarget")) return false;
    target_ = static_cast<FakeTexture*>(target);
    clipped_ = false;
    return true;
}

bool FakeRenderBackend::SetClip(const Rect* rect) {
    if (Fails("SetClip")) return false;
    clipped_ = rect != nullptr;
    if (rect) clip_ = *rect;
    return true;
}

Rect FakeRenderBackend::Writable() const {
    const Rect all{0, 0, target_->width, target_->height};
    return clipped_ ? Rect::Intersect(all, clip_) : all;
}

bool FakeRenderBackend::BeginScene() {
    ++scenes;
    return !Fails("BeginScene");
}

bool FakeRenderBackend::EndScene() { return !Fails("EndScene"); }

bool FakeRenderBackend::Clear(const Rect* rect, uint32_t argb) {
    if (Fails("Clear") || !target_) return false;
    const Rect r = rect ? Rect::Intersect(*rect, Writable()) : Writable();
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x) target_->argb[static_cast<size_t>(y) * target_->width + x] = argb;
    return true;
}

bool FakeRenderBackend::SetBlending(bool on) {
    if (Fails("SetBlending")) return false;
    blending_ = on;
    return true;
}

bool FakeRenderBackend::DrawQuad(Texture* texture, const Vertex (&quad)[4]) {
    ++draws;
    if (Fails("Draw") || !target_) return false;
    if (clipped_) ++clippedDraws;
    const auto* t = static_cast<const FakeTexture*>(texture);
    const float x0 = quad[0].x + placementShift, y0 = quad[0].y, x1 = quad[3].x + placementShift, y1 = quad[3].y;
    const uint32_t vc = quad[0].colour;
    const Rect writable = Writable();
    for (int32_t py = std::max(writable.top, static_cast<int32_t>(std::ceil(y0 - 0.5f)));
         py < writable.bottom && py + 0.5f < y1; ++py) {
        for (int32_t px = std::max(writable.left, static_cast<int32_t>(std::ceil(x0 - 0.5f)));
             px < writable.right && px + 0.5f < x1; ++px) {
            uint32_t src = 0xFFFFFFFF;
            if (t) {
                const float u = quad[0].u + (px + 0.5f - x0) / (x1 - x0) * (quad[3].u - quad[0].u);
                const float v = quad[0].v + (py + 0.5f - y0) / (y1 - y0) * (quad[3].v - quad[0].v);
                const int32_t tx = std::clamp(static_cast<int32_t>(std::floor(u * t->width)), 0, t->width - 1);
                const int32_t ty = std::clamp(static_cast<int32_t>(std::floor(v * t->height)), 0, t->height - 1);
                src = t->argb[static_cast<size_t>(ty) * t->width + tx];
                if (ignoreTextureAlpha) src |= 0xFF000000u;
            }
            uint32_t modulated = 0;
            for (int i = 0; i < 4; ++i) {
                uint32_t factor = Channel(vc, i);
                if (i == 3 && ignoreVertexAlpha) factor = 255;
                modulated |= ((Channel(src, i) * factor + 127) / 255) << (8 * i);
            }
            uint32_t& dst = target_->argb[static_cast<size_t>(py) * target_->width + px];
            if (!blending_) {
                dst = modulated;
                continue;
            }
            const uint32_t a = Channel(modulated, 3);
            uint32_t out = 0;
            for (int i = 0; i < 3; ++i) {
                out |= ((Channel(modulated, i) * a + Channel(dst, i) * (255 - a) + 127) / 255) << (8 * i);
            }
            out |= std::min(255u, a + (Channel(dst, 3) * (255 - a) + 127) / 255) << 24;
            dst = out;
        }
    }
    return true;
}

bool FakeRenderBackend::ReadPixels(const Rect& rect, uint8_t* dst, int32_t pitch) {
    if (Fails("ReadPixels") || !target_) return false;
    for (int32_t y = rect.top; y < rect.bottom; ++y) {
        for (int32_t x = rect.left; x < rect.right; ++x) {
            const uint32_t v = target_->argb[static_cast<size_t>(y) * target_->width + x];
            uint8_t* p = dst + static_cast<int64_t>(y - rect.top) * pitch + (x - rect.left) * 4;
            for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
        }
    }
    return true;
}

bool FakeRenderBackend::PresentTarget(Texture* picture, const Rect& dest) {
    if (Fails("Present") || !picture) return false;
    ++presents;
    shown = static_cast<FakeTexture*>(picture)->argb;
    shownRect = dest;
    return true;
}

bool FakeRenderBackend::PresentFrame(const uint8_t* frame, int32_t pitch, const Rect& dest, const Rect& changed) {
    if (Fails("Present") || !frame) return false;
    ++presents;
    const Rect all{0, 0, 800, 600};
    const Rect taken = frameShown_ ? Rect::Intersect(changed, all) : all;
    shown.resize(800 * 600, 0);
    for (int32_t y = taken.top; y < taken.bottom; ++y) {
        for (int32_t x = taken.left; x < taken.right; ++x) {
            const uint8_t* p = frame + static_cast<int64_t>(y) * pitch + x * 4;
            shown[static_cast<size_t>(y) * 800 + x] =
                p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
        }
    }
    frameShown_ = true;
    frameTaken = taken;
    shownRect = dest;
    return true;
}

bool FakeRenderBackend::SetVSync(bool) { return !lost; }
