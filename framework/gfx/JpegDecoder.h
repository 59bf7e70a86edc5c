#pragma once

#include <cstddef>
#include <cstdint>

class Image;

// Decodes a JPEG block through libjpeg into a 24-bit image with owned, bottom-up rows.
// Greyscale pictures come out as grey BGR. A truncated block decodes as far as it goes: a
// single-scan picture keeps only the rows read before its data ended, at the end of the block
// or at a marker in their midst (none fails), a progressive one every row of what arrived. A
// corrupt block, or a picture beyond the decode budget, fails.
bool DecodeJpeg(Image& image, const uint8_t* data, size_t length);
