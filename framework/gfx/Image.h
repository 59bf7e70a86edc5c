#pragma once

#include <cstddef>
#include <cstdint>

class ResourceModule;
struct TextureTile;

// Image formats as the loaders number them.
enum class ImageFormat : int32_t { Bmp = 0, Jpeg = 1, Tga = 2, Png = 3 };

struct ImageInfo {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    bool hasColourKey = false;
    uint32_t colourKey = 0;  // COLORREF 0x00BBGGRR
};

// A decoded picture: 24- or 32-bit rows, bottom-up, blue-green-red(-alpha) with straight alpha.
// Besides its pixels it carries what the display device makes from them on first draw (texture
// tiles or a premultiplied top-down software copy), dropped whenever the pixels change.
class Image {
public:
    Image() = default;
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Drops the prepared forms and frees owned rows; the image is empty afterwards.
    void Release();

    // Tries the types bitmap, "JPG", "TGA", "PNG" in that order; the first present decides.
    bool LoadFromResource(uint32_t id, const ResourceModule* module);
    // The block must outlive the image when the format keeps rows in place (bitmap resources,
    // uncompressed TGA resources).
    bool LoadFromMemory(const uint8_t* data, size_t length, ImageFormat format);
    // The ending chooses the format; a path without a known ending is tried with ".BMP", ".JPG",
    // ".PNG" and ".TGA" appended (each also in lower case), the first that loads winning. Pixels
    // never point into the file buffer.
    bool LoadFromFile(const char* path);
    // A 32-bit image with owned, uninitialised rows.
    bool CreateBlank(int32_t w, int32_t h);

    // From the asset module, then the software copy made (the image is composed into others).
    bool LoadResource(uint32_t id);
    bool LoadResourceKeyed(uint32_t id, uint32_t colorref);

    // Takes a COLORREF. A key that changes after the image was prepared drops the prepared forms,
    // so the next draw honours it.
    void SetColourKey(uint32_t colorref);
    void GetInfo(ImageInfo* out) const;

    // Turns the rows top-down for composing; rows that lie in place are copied first, so a
    // resource or a caller's block is never written. False when no rows could be had.
    bool BeginDrawInto();
    // colour is 0xAABBGGRR; only a 32-bit image is filled (rows in place are copied first).
    void Fill(uint32_t colour);
    // Reverses the row order (rows in place are copied first).
    void RestoreRowOrder();
    // 32-bit images only: a 24-bit bottom-up BMP file.
    bool SaveToFile(const char* path);

    bool PrepareSoftwareCopy();
    void DropTextures();
    void DropSoftwareCopy();

    // Frees decoded rows that the resource they came from gives again, once a prepared form
    // holds what drawing needs, so a drawn picture is held once. False when nothing was freed.
    bool DropReloadablePixels();
    // Decodes such rows again; true when the image has its rows.
    bool RestorePixels();

    // Rows for the current size and depth from the primitive allocator; false for depths other
    // than 24 and 32 or sizes the allocator refuses.
    bool AllocatePixels();

    // Whether a decoded picture of this size and depth stays within the loaders' budget. The
    // loaders ask before they allocate anything, so a few bytes claiming a huge picture cost
    // neither memory nor time.
    static bool FitsDecodeBudget(int64_t width, int64_t height, int32_t bitsPerPixel);
    static constexpr int64_t kMaxDecodedBytes = int64_t{64} << 20;

    int32_t width = 0;  // 0 for an empty image
    int32_t height = 0;
    uint8_t* pixels = nullptr;
    bool ownsPixels = false;  // false when the rows lie in place inside a resource or input block
    int32_t rowStep = 0;
    int32_t bitsPerPixel = 0;  // 24 or 32
    uint32_t colourKey = 0;    // 0x00RRGGBB, so it compares with a little-endian BGR pixel word
    bool hasColourKey = false;
    bool prepared = false;
    bool rowsFlipped = false;  // the rows are top-down while composing into the image
    TextureTile* tiles = nullptr;
    uint8_t* softwareCopy = nullptr;
    int32_t softwareCopyStep = 0;

private:
    // The resource the rows were decoded from, while they still equal it.
    const ResourceModule* originModule_ = nullptr;
    uint32_t originId_ = 0;

    // Copies rows that lie in place into rows of the image's own; false without rows.
    bool OwnRows();
    bool DecodePng(const uint8_t* data, size_t length);
    bool LoadFileAs(const char* path, ImageFormat format);
};
