#include "PngTestFiles.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string PngSuiteDir() {
    // A checkout in another place than the build's own may point at the data by environment.
    const char* over = std::getenv("QM_TESTDATA_DIR");
    return std::string(over && *over ? over : QM_TESTDATA_DIR) + "/pngsuite";
}

std::vector<std::string> PngSuiteFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& e : std::filesystem::directory_iterator(PngSuiteDir(), error)) {
        if (e.path().extension() == ".png") names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void AppendBe32(Bytes& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void AppendChunk(Bytes& out, const char* type, const Bytes& data) {
    AppendBe32(out, uint32_t(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    AppendBe32(out, uint32_t(crc32(0, out.data() + typeAt, uInt(out.size() - typeAt))));
}

Bytes IhdrData(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colourType,
               uint8_t interlace) {
    Bytes d;
    AppendBe32(d, width);
    AppendBe32(d, height);
    d.insert(d.end(), {bitDepth, colourType, 0, 0, interlace});
    return d;
}

Bytes MakePng(const Bytes& ihdr, const Bytes& zlibStream, const std::vector<size_t>& cuts,
              const Bytes& palette) {
    Bytes f = {137, 80, 78, 71, 13, 10, 26, 10};
    AppendChunk(f, "IHDR", ihdr);
    if (!palette.empty()) AppendChunk(f, "PLTE", palette);
    size_t at = 0;
    for (size_t cut : cuts) {
        const size_t n = std::min(cut, zlibStream.size() - at);
        AppendChunk(f, "IDAT", Bytes(zlibStream.begin() + at, zlibStream.begin() + at + n));
        at += n;
    }
    AppendChunk(f, "IDAT", Bytes(zlibStream.begin() + at, zlibStream.end()));
    AppendChunk(f, "IEND", {});
    return f;
}

Bytes ZlibCompress(const Bytes& data, int level, int strategy) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, 15, 8, strategy);
    Bytes out(deflateBound(&z, uLong(data.size())) + 16);
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = uInt(data.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

void FixChunkCrcs(Bytes& file) {
    size_t pos = 8;
    while (pos + 12 <= file.size()) {
        const uint32_t len = uint32_t(file[pos]) << 24 | uint32_t(file[pos + 1]) << 16 |
                             uint32_t(file[pos + 2]) << 8 | file[pos + 3];
        if (len > file.size() - pos - 12) return;
        const uint32_t crc = uint32_t(crc32(0, file.data() + pos + 4, uInt(len + 4)));
        for (int i = 0; i < 4; ++i) file[pos + 8 + len + i] = uint8_t(crc >> (24 - 8 * i));
        pos += len + 12;
    }
}

namespace {

struct MemoryReader {
    const Bytes* data;
    size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
    auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (n > r->data->size() - r->pos) png_error(png, "read past end");
    std::memcpy(out, r->data->data() + r->pos, n);
    r->pos += n;
}

}  // namespace

ReferenceImage LibpngDecodeRaw(const Bytes& file) {
    ReferenceImage img;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{&file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return ReferenceImage{};
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    img.width = png_get_image_width(png, info);
    img.height = png_get_image_height(png, info);
    img.colourType = png_get_color_type(png, info);
    img.bitDepth = png_get_bit_depth(png, info);
    img.rowBytes = png_get_rowbytes(png, info);
    img.pixels.assign(img.rowBytes * img.height, 0);
    for (uint32_t y = 0; y < img.height; ++y) {
        png_read_row(png, img.pixels.data() + y * img.rowBytes, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    img.ok = true;
    return img;
}
