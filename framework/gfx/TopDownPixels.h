#pragma once
// An image's pixels as the desktop takes them for cursors and icons.
#include <cstdint>
#include <vector>

class Image;

// Width x height pixels, four bytes each (blue, green, red, straight alpha), in top-down rows
// without padding. A 24-bit image is opaque except where its colour key lies. Empty for an
// empty image.
std::vector<uint8_t> TopDownPixels(const Image& image);
