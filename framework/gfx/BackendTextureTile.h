#pragma once

#include <memory>

#include "framework/gfx/RenderBackend.h"
#include "framework/gfx/TextureTile.h"

// A tile whose texture lives in a render backend. The backend may be gone before the tile (its
// textures then went with it), so the tile only frees the texture while the backend lives.
struct BackendTextureTile : TextureTile {
    BackendTextureTile(std::weak_ptr<RenderBackend> owner, RenderBackend::Texture* made)
        : backend(std::move(owner)), texture(made) {}
    ~BackendTextureTile() override {
        if (auto live = backend.lock()) live->DestroyTexture(texture);
    }
    BackendTextureTile(const BackendTextureTile&) = delete;
    BackendTextureTile& operator=(const BackendTextureTile&) = delete;

    std::weak_ptr<RenderBackend> backend;
    RenderBackend::Texture* texture = nullptr;
};
