// Bitmap-font text drawn on a widget lands on the display as glyph blits relative to it.
#include <gtest/gtest.h>

#include <string_view>

#include "UiHarness.h"
#include "framework/core/MemoryResources.h"
#include "framework/gfx/BitmapFont.h"

namespace {

class TextProbe : public ProbeWidget {
public:
    using ProbeWidget::ProbeWidget;
    const BitmapFont* font = nullptr;
    void Draw() override { font->DrawText(this, 2, 20, "ba", -1, 100, 100, 180); }
};

}  // namespace

TEST(WidgetText, GlyphsAreBlitRelativeToTheWidget) {
    MemoryResources resources;
    resources.Add(kTextType, 57, std::string_view("H:14,18,0,10,1\nS:0x61,7,8\n"));
    BitmapFont plain;
    ASSERT_TRUE(plain.Load(58, 57, &resources));
    BitmapFont keyed;
    ASSERT_TRUE(keyed.LoadWithColourKey(58, 57, 0x00FF00FF, &resources));

    UiHarness h;
    h.display.AddImage(58, 15, 14);
    auto* w = new TextProbe(&h.log, "text", 0, 0);
    w->font = &plain;
    ProbeScreen* screen = h.NewScreen("s");
    screen->build = [=](ProbeScreen& s) { s.AddWidget(w, 30, 40); };
    h.manager.PushScreen(screen, false, false, false);
    h.Frames(1);
    auto draws = h.display.ImagesIn(h.display.LastFrame(), 58);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].op, RecordingDisplay::Op::Image);
    EXPECT_EQ(draws[0].source, (Rect{7, 0, 15, 14}));
    EXPECT_EQ(draws[0].x, 30 + 2);
    EXPECT_EQ(draws[0].y, 40 + 20 - 18);
    EXPECT_EQ(draws[1].x, 30 + 2 + 8);
    EXPECT_EQ(draws[1].alpha, 180);

    w->font = &keyed;
    h.manager.MarkDirty();
    h.Frames(1);
    draws = h.display.ImagesIn(h.display.LastFrame(), 58);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].op, RecordingDisplay::Op::KeyedImage);
    EXPECT_EQ(draws[0].colour, 0x00FF00FFu);
}
