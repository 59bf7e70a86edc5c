#include <gtest/gtest.h>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "game/play/TileLegend.h"
#include "tests/framework/ui/UiHarness.h"

namespace {

TileLegend* Show(UiHarness& h, int mode)
{
    auto* legend = new TileLegend(mode);
    ProbeScreen* screen = h.NewScreen("tip");
    screen->build = [legend](ProbeScreen& s) { s.AddWidget(legend, 10, 20); };
    h.manager.PushScreen(screen, false, false, false);
    return legend;
}

TEST(TileLegendTest, SplitsTheNamesAtTabsAndDrawsFlowersAboveSeasons)
{
    MemoryResources texts;
    texts.AddString(93, "Plum\tOrchid\tChrysanth.\tBamboo");
    texts.AddString(105, "Spring\tSummer");
    SetAssetModule(&texts);
    UiHarness h;
    h.display.AddImage(101, 228, 336);
    h.display.AddImage(102, 384, 58);
    TileLegend* legend = Show(h, TileLegend::kFlowersAndSeasons);
    h.Frames(1);
    EXPECT_STREQ(legend->UpperCaption(2).CStr(), "Chrysanth.");
    EXPECT_STREQ(legend->UpperCaption(3).CStr(), "Bamboo");
    EXPECT_STREQ(legend->LowerCaption(1).CStr(), "Summer");
    EXPECT_TRUE(legend->LowerCaption(2).IsEmpty());  // a short text leaves the rest empty

    const auto faces = h.display.ImagesIn(h.display.LastFrame(), 101);
    ASSERT_EQ(faces.size(), 8u);
    EXPECT_EQ(faces[0].x, 10 + 7);
    EXPECT_EQ(faces[0].source, (Rect{38 * 2, 48 * 6, 38 * 3, 48 * 7}));  // kind 39, face 38
    EXPECT_EQ(faces[1].y, 20 + 145 + 3);
    EXPECT_EQ(faces[1].source, (Rect{38 * 4, 48 * 5, 38 * 5, 48 * 6}));  // kind 35, face 34
    EXPECT_EQ(h.display.ImagesIn(h.display.LastFrame(), 102)[0].op, RecordingDisplay::Op::KeyedImage);
    SetAssetModule(nullptr);
}

TEST(TileLegendTest, BouncingPictureRisesTenPixelsAndFallsEveryHalfSecond)
{
    UiHarness h;
    TileLegend* legend = Show(h, TileLegend::kBouncingPicture);
    std::vector<int> offsets;
    for (int i = 0; i < 20; ++i) {
        h.Frames(1);
        offsets.push_back(legend->Offset());
    }
    EXPECT_EQ(*std::max_element(offsets.begin(), offsets.end()), 10);
    EXPECT_EQ(*std::min_element(offsets.begin(), offsets.end()), 0);
    for (size_t i = 1; i < offsets.size(); ++i) EXPECT_LE(std::abs(offsets[i] - offsets[i - 1]), 1);

    // Covered by another screen, its clock and so its picture stand still.
    h.manager.PushScreen(h.NewScreen("over"), true, false, false);
    h.Frames(1);
    const int held = legend->Offset();
    h.Frames(7);
    EXPECT_EQ(legend->Offset(), held);
}

}  // namespace
