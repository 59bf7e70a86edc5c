#include "framework/gfx/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

#include "framework/gfx/Image.h"

namespace {

constexpr JDIMENSION kMaxSide = 32768;

struct JpegError {
    jpeg_error_mgr manager;  // first, so the library's pointer is the record's address
    std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

void JpegSilentOutput(j_common_ptr) {}

// The source hands the library the whole block on the first request; any later request means
// the data ran out before the picture's end, and fails the load.
struct MemorySource {
    jpeg_source_mgr manager;
    const JOCTET* data;
    size_t length;
    bool handedOver;
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    if (!src->handedOver) {
        src->handedOver = true;
        src->manager.next_input_byte = src->data;
        src->manager.bytes_in_buffer = src->length;
    } else {
        ERREXIT(cinfo, JERR_INPUT_EOF);
    }
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    auto* src = reinterpret_cast<MemorySource*>(cinfo->src);
    size_t remaining = static_cast<size_t>(count);
    while (remaining > src->manager.bytes_in_buffer) {
        remaining -= src->manager.bytes_in_buffer;
        FillInputBuffer(cinfo);
    }
    src->manager.next_input_byte += remaining;
    src->manager.bytes_in_buffer -= remaining;
}

void InstallMemorySource(j_decompress_ptr cinfo, const uint8_t* data, size_t length) {
    auto* src = static_cast<MemorySource*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT,
                                   sizeof(MemorySource)));
    src->manager.init_source = InitSource;
    src->manager.fill_input_buffer = FillInputBuffer;
    src->manager.skip_input_data = SkipInputData;
    src->manager.resync_to_restart = jpeg_resync_to_restart;
    src->manager.term_source = TermSource;
    src->manager.next_input_byte = nullptr;
    src->manager.bytes_in_buffer = 0;
    src->data = data;
    src->length = length;
    src->handedOver = false;
    cinfo->src = &src->manager;
}

}  // namespace

bool DecodeJpeg(Image& image, const uint8_t* data, size_t length) {
    if (!data || length < 2) return false;
    jpeg_decompress_struct cinfo;
    JpegError error;
    cinfo.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JpegErrorExit;
    error.manager.output_message = JpegSilentOutput;
    // Everything the jump can skip over lives in cinfo or the image, and both are cleaned there.
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&cinfo);
        image.Release();
        return false;
    }
    jpeg_create_decompress(&cinfo);
    InstallMemorySource(&cinfo, data, length);
    jpeg_read_header(&cinfo, TRUE);
    // The library sizes its own buffers from the header, so the budget is asked before it starts.
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxSide ||
        cinfo.image_height > kMaxSide ||
        !Image::FitsDecodeBudget(cinfo.image_width, cinfo.image_height, 24)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    // Colour pictures come out as RGB; greyscale stays one component and is widened below.
    if (cinfo.jpeg_color_space != JCS_GRAYSCALE) cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int components = cinfo.output_components;
    if (components != 1 && components != 3) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }

    image.width = static_cast<int32_t>(cinfo.output_width);
    image.height = static_cast<int32_t>(cinfo.output_height);
    image.bitsPerPixel = 24;
    if (!image.AllocatePixels()) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    JSAMPARRAY line = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                 cinfo.output_width * components, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        // The source never suspends, so a call without a row is a fault of the library's.
        if (jpeg_read_scanlines(&cinfo, line, 1) != 1) {
            jpeg_destroy_decompress(&cinfo);
            image.Release();
            return false;
        }
        const int32_t row = static_cast<int32_t>(cinfo.output_scanline) - 1;
        uint8_t* out = image.pixels + static_cast<int64_t>(image.height - 1 - row) * image.rowStep;
        const JSAMPLE* in = line[0];
        for (int32_t x = 0; x < image.width; ++x) {
            if (components == 3) {
                out[3 * x] = in[3 * x + 2];
                out[3 * x + 1] = in[3 * x + 1];
                out[3 * x + 2] = in[3 * x];
            } else {
                out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = in[x];
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}
