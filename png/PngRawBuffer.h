#pragma once
// The buffer the inflated image data live in between decoding and writing the rows.

#include <cstddef>
#include <cstdint>

// `size` bytes (more than 0), or null when there is no memory.
uint8_t* PngAllocateRaw(size_t size);

// Releases a buffer from PngAllocateRaw(size); null is ignored.
void PngFreeRaw(uint8_t* raw, size_t size);
