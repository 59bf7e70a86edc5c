#pragma once

#include <cstddef>
#include <cstdint>

class Image;

// Decodes a JPEG block through libjpeg into a 24-bit image with owned, bottom-up rows.
// Greyscale pictures come out as grey BGR. A block that ends before the picture's end marker,
// a corrupt block, or a picture beyond the decode budget, fails.
bool DecodeJpeg(Image& image, const uint8_t* data, size_t length);
