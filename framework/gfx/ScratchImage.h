#pragma once

#include <cstdint>

// One shared 32-bit work block of the software path (scaled copies, constant-alpha copies).
// It grows and never shrinks, so steady drawing allocates nothing.
struct ScratchImage {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t step = 0;
};

const ScratchImage& CurrentScratchImage();

// Makes the block hold MulDiv(w, scaleX, 100) + 4 by MulDiv(h, scaleY, 100) + 4 pixels (each
// side at least 128 when it has to grow). With `clear`, the needed area (or the whole new
// block) is set to 0 in all four bytes. False when the block cannot be had.
bool EnsureScratchImage(int32_t w, int32_t h, int32_t scaleX, int32_t scaleY, bool clear);
void FreeScratchImage();
