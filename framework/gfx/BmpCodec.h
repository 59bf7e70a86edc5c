#pragma once

#include <cstddef>
#include <cstdint>

class Image;

// A bitmap resource: a BITMAPINFOHEADER followed by the rows (no file header). Only
// uncompressed 24- and 32-bit bottom-up bitmaps without a palette are taken; their rows are
// used in place, so the block must outlive the image.
bool DecodeBmpResource(Image& image, const uint8_t* data, size_t length);

// A whole BMP file in memory: file header, info header, rows of 24 or 32 bits at the stated
// offset, whatever its compression field and palette count say. The rows are copied into the
// image (bottom-up; a top-down file is turned over).
bool DecodeBmpFile(Image& image, const uint8_t* data, size_t length);

// Writes a 32-bit image as a 24-bit bottom-up BMP file (alpha dropped, rows padded to four
// bytes). The rows must be bottom-up. The file is replaced whole or not at all, and a link in
// its place is replaced, never written through.
bool WriteBmp24(const Image& image, const char* path);
