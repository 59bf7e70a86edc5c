#include <gtest/gtest.h>

#include "framework/gfx/Image.h"
#include "game/play/TileSheetComposer.h"

namespace {

// A 32-bit picture whose every pixel is colour(x, y) (0xAARRGGBB).
template <class Colour>
Image* Picture(int w, int h, Colour colour)
{
    auto* image = new Image;
    EXPECT_TRUE(image->CreateBlank(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = image->pixels + (h - 1 - y) * image->rowStep + 4 * x;
            const uint32_t c = colour(x, y);
            p[0] = c & 0xFF;
            p[1] = (c >> 8) & 0xFF;
            p[2] = (c >> 16) & 0xFF;
            p[3] = c >> 24;
        }
    return image;
}

uint32_t At(const Image* image, int x, int y)
{
    const uint8_t* p = image->pixels + (image->height - 1 - y) * image->rowStep + 4 * x;
    return static_cast<uint32_t>(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0];
}

TEST(TileSheetComposerTest, PutsBasesAndFacesInTheCellOfEachKind)
{
    // Base cell b is grey level 10 * (b + 1), with a keyed corner pixel.
    std::unique_ptr<Image> bases(Picture(384, 58, [](int x, int y) -> uint32_t {
        if (x % 48 == 0 && y == 0) return 0xFFFF00FF;
        const uint32_t v = 10u * static_cast<uint32_t>(x / 48 + 1);
        return 0xFF000000u | v << 16 | v << 8 | v;
    }));
    // Face f is blue f + 1, with a half-transparent top-left pixel.
    std::unique_ptr<Image> faces(Picture(228, 336, [](int x, int y) -> uint32_t {
        const uint32_t f = static_cast<uint32_t>((y / 48) * 6 + x / 38);
        const uint32_t alpha = (x % 38 == 0 && y % 48 == 0) ? 0x80u : 0xFFu;
        return alpha << 24 | (f + 1);
    }));
    std::unique_ptr<Image> sheet(Picture(288, 464, [](int, int) { return 0u; }));
    ASSERT_TRUE(TileSheetComposer::Compose(sheet.get(), bases.get(), faces.get(), 6));

    auto cell = [](int kind) { return std::pair{48 * (kind % 6), 58 * (kind / 6)}; };
    auto grey = [](uint32_t v) { return 0xFF000000u | v << 16 | v << 8 | v; };
    // Kind 0: the tile set's base (6), no face.
    EXPECT_EQ(At(sheet.get(), cell(0).first + 20, cell(0).second + 20), grey(70));
    // Kind 5: face 4 on base 6.
    auto [x5, y5] = cell(5);
    EXPECT_EQ(At(sheet.get(), x5 + 2, y5 + 2), grey(70));
    EXPECT_EQ(At(sheet.get(), x5 + 7 + 5, y5 + 3 + 5), 0xFF000005u);
    // The half-transparent face pixel is blended over the base.
    const uint32_t blended = At(sheet.get(), x5 + 7, y5 + 3);
    EXPECT_EQ(blended >> 24, 0xFFu);
    EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 70 / 2, 1);
    // Kind 42, the last face; kind 43 the whole exit base; 44 to 47 their own cells.
    EXPECT_EQ(At(sheet.get(), cell(42).first + 7 + 1, cell(42).second + 3 + 1), 0xFF00002Au);
    EXPECT_EQ(At(sheet.get(), cell(43).first + 20, cell(43).second + 20), grey(20));
    EXPECT_EQ(At(sheet.get(), cell(44).first + 20, cell(44).second + 20), grey(30));
    EXPECT_EQ(At(sheet.get(), cell(47).first + 20, cell(47).second + 20), grey(60));
    // Keyed base pixels leave the sheet transparent there.
    EXPECT_EQ(At(sheet.get(), cell(43).first, cell(43).second) >> 24, 0u);
    EXPECT_TRUE(sheet->hasColourKey);
}

TEST(TileSheetComposerTest, MissingOrShortPicturesLeaveCellsEmptyAndBadSheetsAreRefused)
{
    std::unique_ptr<Image> sheet(Picture(288, 464, [](int, int) { return 0xFFFFFFFFu; }));
    std::unique_ptr<Image> shortBases(Picture(60, 10, [](int, int) { return 0xFF102030u; }));
    ASSERT_TRUE(TileSheetComposer::Compose(sheet.get(), shortBases.get(), nullptr, 0));
    EXPECT_EQ(At(sheet.get(), 5, 5), 0xFF102030u);
    EXPECT_EQ(At(sheet.get(), 5, 30) >> 24, 0u);    // below the short picture
    EXPECT_EQ(At(sheet.get(), 100, 100) >> 24, 0u);  // kind 8: no base, no face

    std::unique_ptr<Image> small(Picture(100, 100, [](int, int) { return 0u; }));
    EXPECT_FALSE(TileSheetComposer::Compose(small.get(), shortBases.get(), nullptr, 0));
    EXPECT_FALSE(TileSheetComposer::Compose(nullptr, shortBases.get(), nullptr, 0));
    Image empty;
    EXPECT_FALSE(TileSheetComposer::Compose(&empty, nullptr, nullptr, 0));
}

}  // namespace
