#include "game/model/LayoutSource.h"

#include <gtest/gtest.h>

#include "game/model/TileLayout.h"

namespace {

struct Placed {
    int x, y, z;
    TileKind kind;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> TilesOf(TileLayout* layout)
{
    std::vector<Placed> tiles;
    for (Tile* t = layout->First(); t; t = layout->Next())
        tiles.push_back({t->x, t->y, t->z, t->kind});
    return tiles;
}

TEST(LayoutSource, ReadsLayersHalfOffsetsAndPresetKinds)
{
    const char* text =
        "# a small bridge\r\n"
        "name  Little Bridge \n"
        "layer 0\n"
        "[][]..[]\n"
        "[]43  []\n"
        "   []\n"
        "   47\n"
        "\n"
        "layer 2\n"
        "\n"
        " []\n"
        " []\n";
    TileLayout layout;
    std::string error;
    ASSERT_TRUE(ParseLayoutSource(text, &layout, &error)) << error;
    EXPECT_STREQ(layout.Name().CStr(), "Little Bridge");
    const std::vector<Placed> expected = {
        {0, 0, 0, 0}, {2, 0, 0, 43}, {6, 0, 0, 0}, {3, 2, 0, 47}, {1, 1, 2, 0},
    };
    EXPECT_EQ(TilesOf(&layout), expected);
    EXPECT_TRUE(layout.TileAt(1)->fixed);
    EXPECT_FALSE(layout.TileAt(0)->fixed);
}

TEST(LayoutSource, TilesComeOutByLayerRowAndColumn)
{
    TileLayout layout;
    std::string error;
    ASSERT_TRUE(ParseLayoutSource("name Rows\nlayer 0\n  []\n[][]\n[]\n", &layout, &error)) << error;
    // The tile at (2, 0) starts on the first row, the one at (0, 1) on the second.
    const std::vector<Placed> expected = {{2, 0, 0, 0}, {0, 1, 0, 0}};
    EXPECT_EQ(TilesOf(&layout), expected);
}

TEST(LayoutSource, FaultsNameTheirLine)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"layer 0\n[]\n[]\n", "the layout has no name"},
        {"name A\nname B\n", "line 2: a second name"},
        {"name\n", "line 1: an empty name"},
        {"name A\nlayer\n", "line 2: a layer needs its number"},
        {"name A\nlayer 1\n[]\n[]\nlayer 0\n[]\n[]\n", "line 5: layer 0 is out of order"},
        {"name A\nlayer 0\n[]\n[]\nlayer 0\n", "line 5: layer 0 is out of order"},
        {"name A\nlayer 0\n[x\n", "line 3: column 1: expected the top \"[]\" of a tile"},
        {"name A\nlayer 0\n [] x\n [][]\n", "line 3: column 5: expected the top \"[]\" of a tile"},
        {"name A\nlayer 0\n[]\n", "line 3: column 1: the tile has no bottom row"},
        {"name A\nlayer 0\n[]\n]\n", "line 3: column 1: the tile has no bottom row"},
        {"name A\nlayer 0\n[]\n[x\n", "line 4: column 1: expected the bottom of a tile"},
        {"name A\nlayer 0\n[]\n48\n", "line 4: column 1: no tile kind 48"},
        {"name A\nlayer 0\n[]\n00\n", "line 4: column 1: no tile kind 0"},
        {"name A\nrow 0\n", "line 2: expected \"name\" or \"layer\""},
    };
    for (const Case& c : cases) {
        TileLayout layout;
        layout.AddTile(0, 0, 0, 0);
        std::string error;
        EXPECT_FALSE(ParseLayoutSource(c.text, &layout, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(LayoutSource, CoordinatesBeyondASignedByteAreRefused)
{
    std::string wide = "name Wide\nlayer 0\n" + std::string(128, ' ') + "[]\n" + std::string(128, ' ') + "[]\n";
    TileLayout layout;
    std::string error;
    EXPECT_FALSE(ParseLayoutSource(wide, &layout, &error));
    EXPECT_EQ(error, "line 3: the tile lies beyond column or row 127");

    std::string edge = "name Edge\nlayer 0\n" + std::string(127, '.') + "[]\n" + std::string(127, ' ') + "[]\n";
    EXPECT_TRUE(ParseLayoutSource(edge, &layout, &error)) << error;
    EXPECT_EQ(layout.TileAt(0)->x, 127);
}

}  // namespace
