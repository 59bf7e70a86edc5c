#include "game/front/LayoutPreview.h"

#include <gtest/gtest.h>

#include "framework/gfx/Image.h"
#include "game/model/TileLayout.h"
#include "platform/Random.h"

namespace {

// The pixel at top-down (x, y) as 0xAARRGGBB.
uint32_t PixelAt(const Image& image, int32_t x, int32_t y) {
    int32_t row = image.rowsFlipped ? y : image.height - 1 - y;
    const uint8_t* p = image.pixels + static_cast<ptrdiff_t>(row) * image.rowStep + x * 4;
    return static_cast<uint32_t>(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0];
}

void Paint(Image& image, int32_t x, int32_t y, uint32_t argb) {
    int32_t row = image.rowsFlipped ? y : image.height - 1 - y;
    uint8_t* p = image.pixels + static_cast<ptrdiff_t>(row) * image.rowStep + x * 4;
    p[0] = argb & 0xFF;
    p[1] = (argb >> 8) & 0xFF;
    p[2] = (argb >> 16) & 0xFF;
    p[3] = argb >> 24;
}

}  // namespace

TEST(LayoutPreview, TilesAreCentredInTheirCell) {
    TileLayout layout;
    layout.AddTile(0, 0, 0, 5);
    layout.AddTile(2, 0, 0, 42);
    LayoutPreview preview;
    preview.Place(&layout, 4);  // the middle cell: (203, 153)
    ASSERT_EQ(preview.Tiles().size(), 2u);
    // Boxes (-1, 1)-(8, 13) and (9, 1)-(18, 13): 19 x 12, centred in 203 x 153.
    EXPECT_EQ(preview.Extent(), (Rect{-1, 1, 18, 13}));
    EXPECT_EQ(preview.Tiles()[0].left, -1 + (203 - 19) / 2 + 1 + 203);
    EXPECT_EQ(preview.Tiles()[0].top, 1 + (153 - 12) / 2 - 1 + 153);
    EXPECT_EQ(preview.Tiles()[1].left - preview.Tiles()[0].left, 10);
    EXPECT_EQ(preview.Tiles()[0].face, 4);
    EXPECT_EQ(preview.Tiles()[1].face, 41);
    EXPECT_EQ(preview.TileCount(), 2);
    EXPECT_EQ(preview.FreeCount(), 2);
}

TEST(LayoutPreview, UpperLayersShiftAndBlockTheTilesBelow) {
    TileLayout layout;
    layout.AddTile(0, 0, 0, 1);
    layout.AddTile(2, 0, 0, 1);
    layout.AddTile(4, 0, 0, 1);
    layout.AddTile(2, 0, 1, 0);
    layout.AddTile(3, 3, 0, 47);
    LayoutPreview preview;
    SRand(7);
    preview.Place(&layout, 0);
    EXPECT_EQ(preview.TileCount(), 5);
    // The two ends of the row, the tile on top and the lone tile are free; the covered middle
    // tile is not.
    EXPECT_EQ(preview.FreeCount(), 4);
    const auto& tiles = preview.Tiles();
    // One layer up: one pixel right and one up.
    EXPECT_EQ(tiles[3].left - tiles[1].left, 1);
    EXPECT_EQ(tiles[3].top - tiles[1].top, -1);
    // Odd half-grid rows truncate: y 3 is 19 pixels down (39 / 2).
    EXPECT_EQ(tiles[4].top - tiles[0].top, 19);
    EXPECT_GE(tiles[3].face, 0);
    EXPECT_LT(tiles[3].face, 42);
    EXPECT_GE(tiles[4].face, 0);
    EXPECT_LT(tiles[4].face, 42);

    LayoutPreview empty;
    empty.Place(nullptr, 0);
    EXPECT_EQ(empty.TileCount(), 0);
    TileLayout none;
    empty.Place(&none, 12);
    EXPECT_TRUE(empty.Tiles().empty());
}

TEST(LayoutPreview, ComposesKeyedBlanksAndFacesIntoThePage) {
    TileLayout layout;
    layout.AddTile(0, 0, 0, 8);  // face 7: column 1, row 1 of the sheet
    LayoutPreview preview;
    preview.Place(&layout, 0);
    const LayoutPreview::Placed& tile = preview.Tiles()[0];

    Image page;
    ASSERT_TRUE(page.CreateBlank(609, 459));
    page.Fill(0x00FF00FF);  // magenta, transparent
    Image blank;
    ASSERT_TRUE(blank.CreateBlank(12, 15));
    blank.Fill(0xFF404040);
    Paint(blank, 0, 0, 0xFFFF00FF);  // a keyed corner
    Image faces;
    ASSERT_TRUE(faces.CreateBlank(54, 84));
    faces.Fill(0xFF0000FF);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 9; ++x) Paint(faces, 9 + x, 12 + y, 0xFF00FF00);
    }
    ASSERT_TRUE(preview.Compose(&page, &blank, &faces));
    EXPECT_EQ(PixelAt(page, tile.left, tile.top), 0x00FF00FFu);
    EXPECT_EQ(PixelAt(page, tile.left + 1, tile.top), 0xFF404040u);
    EXPECT_EQ(PixelAt(page, tile.left + 11, tile.top + 14), 0xFF404040u);
    EXPECT_EQ(PixelAt(page, tile.left + 2, tile.top + 1), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(page, tile.left + 10, tile.top + 12), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(page, tile.left + 12, tile.top), 0x00FF00FFu);
    EXPECT_EQ(PixelAt(page, tile.left + 11, tile.top + 1), 0xFF404040u);

    // A page already prepared for drawing (shown while the others are composed) is drawn anew.
    ASSERT_TRUE(page.PrepareSoftwareCopy());
    ASSERT_TRUE(preview.Compose(&page, &blank, &faces));
    EXPECT_FALSE(page.prepared);
    EXPECT_EQ(page.softwareCopy, nullptr);

    // Missing pictures draw nothing; a page that cannot take the tiles is refused.
    EXPECT_TRUE(preview.Compose(&page, nullptr, nullptr));
    EXPECT_FALSE(preview.Compose(nullptr, &blank, &faces));
    Image empty;
    EXPECT_FALSE(preview.Compose(&empty, &blank, &faces));
}
