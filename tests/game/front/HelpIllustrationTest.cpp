#include "game/front/HelpIllustration.h"

#include <gtest/gtest.h>

#include "game/front/HelpIllustration2.h"
#include "tests/game/front/FrontHarness.h"

namespace {

constexpr int32_t kFaces = 215;
constexpr int32_t kBaseStrip = 102;
constexpr int32_t kFont = 307;

class HelpIllustrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.Text(94, "free");
        f.Text(103, "blocked");
        f.Text(105, "Spring\tSummer\tAutumn\tWinter");
        f.Text(93, "Plum\tOrchid");
        f.Fonts({kFont});
        f.Picture(kFaces, 228, 336);
        f.Picture(kBaseStrip, 384, 58);
        f.Picture(358, 300, 120);
        f.Picture(359, 300, 120);
        f.Picture(356, 200, 100);
        f.Picture(357, 200, 100);
        picture = new HelpIllustration(kFaces);
        second = new HelpIllustration2();
        ProbeScreen* screen = f.ui.NewScreen("help");
        screen->build = [this](ProbeScreen& s) {
            s.AddWidget(picture, 100, 200);
            s.AddWidget(second, 10, 20);
        };
        f.ui.manager.PushScreen(screen, false, false, false);
    }

    void Show(int32_t mode) {
        picture->SetMode(mode);
        second->SetMode(mode);
        f.ui.manager.MarkDirty();
        f.ui.Frames(1);
    }

    FrontHarness f;
    HelpIllustration* picture = nullptr;
    HelpIllustration2* second = nullptr;
};

}  // namespace

TEST_F(HelpIllustrationTest, LabelsAreTheTabSeparatedNames) {
    EXPECT_EQ(picture->Label(0, 0), "Spring");
    EXPECT_EQ(picture->Label(0, 3), "Winter");
    EXPECT_EQ(picture->Label(1, 1), "Orchid");
    EXPECT_EQ(picture->Label(1, 2), "");  // a short list leaves the rest empty
}

TEST_F(HelpIllustrationTest, ModeZeroAndUnknownModesDrawNothing) {
    Show(0);
    EXPECT_TRUE(f.ui.display.LastFrame().empty());
    Show(9);
    EXPECT_EQ(picture->GetMode(), 0);
    EXPECT_TRUE(f.ui.display.LastFrame().empty());
}

TEST_F(HelpIllustrationTest, SeasonsAndFlowersSitOnBlankTilesWithTheirNames) {
    Show(2);
    auto bases = f.Images(kBaseStrip);
    auto faces = f.Images(kFaces);
    ASSERT_EQ(bases.size(), 8u);
    ASSERT_EQ(faces.size(), 8u);
    for (const auto& base : bases) {
        EXPECT_EQ(base.op, RecordingDisplay::Op::KeyedImage);
        EXPECT_EQ(base.colour, 0xFF00FFu);
        EXPECT_EQ(base.source, (Rect{0, 0, 48, 58}));
    }
    // Face 35 (index 34) sits in column 4 of row 5; faces lie 7 right and 3 down of the base.
    EXPECT_EQ(faces[0].source, (Rect{152, 240, 190, 288}));
    EXPECT_EQ(faces[0].x, 107);
    EXPECT_EQ(faces[0].y, 203);
    EXPECT_EQ(bases[1].x, 100);
    EXPECT_EQ(bases[1].y, 285);
    EXPECT_EQ(faces[7].x, 100 + 240 + 7);
    EXPECT_EQ(f.Spelled(kFont), "SpringPlumSummerOrchidAutumnWinter");
    // "Plum" is centred in the 48 pixels under its tile, at baseline 160.
    auto glyphs = f.Images(kFont);
    EXPECT_EQ(glyphs[6].x, 100 + (48 - 32) / 2);
    EXPECT_EQ(glyphs[6].y, 200 + 160 - 12);

    Show(5);
    EXPECT_EQ(f.Images(kBaseStrip).size(), 8u);
}

TEST_F(HelpIllustrationTest, FaceIndexesRunInRowsOfSix) {
    Show(2);
    auto faces = f.Images(kFaces);
    ASSERT_EQ(faces.size(), 8u);
    // Face 36 is index 35: column 5, row 5; face 39 index 38: column 2, row 6.
    EXPECT_EQ(faces[2].source, (Rect{190, 240, 228, 288}));
    EXPECT_EQ(faces[1].source, (Rect{76, 288, 114, 336}));
}

TEST_F(HelpIllustrationTest, DiagramsCarryTheirCaptions) {
    Show(1);
    auto diagram = f.Images(358);
    ASSERT_EQ(diagram.size(), 1u);
    EXPECT_EQ(diagram[0].x, 115);
    EXPECT_EQ(diagram[0].y, 211);
    EXPECT_EQ(f.Spelled(kFont), "freefreeblockedfree");
    auto glyphs = f.Images(kFont);
    EXPECT_EQ(glyphs[0].x, 100 + 35 - 32);   // right-aligned at 35
    EXPECT_EQ(glyphs[8].x, 100 + 135 - 56);  // "blocked" right-aligned at 135
    auto main = f.Images(356);
    ASSERT_EQ(main.size(), 1u);
    EXPECT_EQ(main[0].x, 19);
    EXPECT_EQ(main[0].y, 21);

    Show(4);
    EXPECT_EQ(f.Images(359).size(), 1u);
    EXPECT_TRUE(f.Images(358).empty());
    EXPECT_TRUE(f.Images(356).empty());
}

TEST_F(HelpIllustrationTest, SpecialTilesComeWholeFromTheBaseStrip) {
    Show(6);
    auto tiles = f.Images(kBaseStrip);
    ASSERT_EQ(tiles.size(), 4u);
    EXPECT_EQ(tiles[0].source, (Rect{48, 0, 96, 58}));  // the exit tile
    EXPECT_EQ(tiles[1].x, 100 - 47);
    EXPECT_EQ(tiles[1].y, 200 - 33);
    EXPECT_EQ(tiles[2].source, (Rect{96, 0, 144, 58}));   // 44
    EXPECT_EQ(tiles[3].source, (Rect{144, 0, 192, 58}));  // 45
    EXPECT_TRUE(f.Images(kFaces).empty());

    Show(7);
    tiles = f.Images(kBaseStrip);
    ASSERT_EQ(tiles.size(), 2u);
    EXPECT_EQ(tiles[0].source, (Rect{240, 0, 288, 58}));  // 47
    EXPECT_EQ(tiles[1].source, (Rect{192, 0, 240, 58}));  // 46
    EXPECT_EQ(tiles[1].y, 242);

    Show(3);
    EXPECT_EQ(f.Images(kBaseStrip).size(), 2u);
}
