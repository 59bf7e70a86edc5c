#pragma once

#include <cstddef>
#include <cstdint>

class Image;

// Decodes a JPEG block through libjpeg into a 24-bit image with owned, bottom-up rows.
// Greyscale pictures come out as grey BGR. A truncated block decodes as far as it goes (the
// source supplies an end-of-image marker when the data run out); a corrupt one fails.
bool DecodeJpeg(Image& image, const uint8_t* data, size_t length);
