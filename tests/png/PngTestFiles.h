#pragma once
// Helpers of the PNG tests: building PNG files chunk by chunk, reading the shared test suite, and
// decoding with libpng as the reference.

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

Bytes ReadFileBytes(const std::string& path);
std::string PngSuiteDir();
std::vector<std::string> PngSuiteFiles();  // every .png of the suite, sorted by name

void AppendBe32(Bytes& out, uint32_t v);
// Appends a chunk with its length and correct CRC.
void AppendChunk(Bytes& out, const char* type, const Bytes& data);
Bytes IhdrData(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colourType,
               uint8_t interlace = 0);

// A whole file: signature, IHDR, an optional PLTE, the zlib stream cut into IDAT chunks of the
// given sizes (the rest in a last chunk), IEND.
Bytes MakePng(const Bytes& ihdr, const Bytes& zlibStream, const std::vector<size_t>& cuts = {},
              const Bytes& palette = {});

// zlib's deflate with the given level and strategy.
Bytes ZlibCompress(const Bytes& data, int level = 6, int strategy = 0);

// Rewrites the CRC of every whole chunk of a file, so mutations reach past the CRC check.
void FixChunkCrcs(Bytes& file);

// libpng's rows of a non-interlaced file without transforms: packed samples, 16-bit big-endian.
struct ReferenceImage {
    bool ok = false;
    uint32_t width = 0, height = 0;
    int colourType = 0, bitDepth = 0;
    size_t rowBytes = 0;
    Bytes pixels;  // top row first
};
ReferenceImage LibpngDecodeRaw(const Bytes& file);
