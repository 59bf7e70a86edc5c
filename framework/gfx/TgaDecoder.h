#pragma once

#include <cstddef>
#include <cstdint>

class Image;

// Decodes a true-colour TGA (type 2 uncompressed, type 10 run-length) of 24 or 32 bits. An
// uncompressed picture keeps its rows in place when inPlace is set (the block must outlive the
// image), otherwise they are copied. Run-length data must end exactly at the end of the block.
bool DecodeTga(Image& image, const uint8_t* data, size_t length, bool inPlace);
