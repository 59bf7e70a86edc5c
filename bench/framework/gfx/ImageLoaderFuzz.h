#pragma once

#include <cstddef>
#include <cstdint>

// What the image loaders' fuzz targets feed: the block as a whole file, and for BMP also as a
// bitmap resource (rows in place behind the info header).
enum class FuzzedImageFormat { BmpFile, BmpResource, Tga, Jpeg };

// Loads the block, and when it loads makes the software copy and reads every pixel of it, so
// that rows the loader got wrong are touched. True when the block loaded.
bool LoadFuzzedImage(FuzzedImageFormat format, const uint8_t* data, size_t size);
