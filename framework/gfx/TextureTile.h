#pragma once

#include <cstdint>

// One texture of the accelerated path covering a rectangle of an image (top-down picture
// coordinates). The display device derives the real tile that owns the texture.
struct TextureTile {
    virtual ~TextureTile() = default;

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t textureWidth = 0;  // powers of two
    int32_t textureHeight = 0;
    TextureTile* next = nullptr;
};
