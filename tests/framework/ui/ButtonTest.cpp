// Push buttons: strip frames by state, the click rule (press on it, release still over it), the
// click sound, captions and the overlay drawn over the hover frame.
#include <gtest/gtest.h>

#include <string_view>

#include "ControlScene.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/BitmapFont.h"
#include "framework/ui/Button.h"

namespace {

constexpr int32_t kStrip = 40;    // 4 frames of 30 x 20
constexpr int32_t kSingle = 41;   // 1 frame of 30 x 20
constexpr int32_t kOverlay = 42;  // 60 x 60, larger than the button
constexpr int32_t kGlyphs = 58;
constexpr int32_t kMetrics = 57;
constexpr int32_t kCaptionText = 900;

// One button at (100, 50); inside it (110, 60), outside (300, 300).
struct ButtonScene : ControlScene {
    Button* button;
    ButtonScene(int32_t imageId, int32_t frames) : button(new Button(imageId, frames, false)) {
        h.display.AddImage(kStrip, 120, 20);
        h.display.AddImage(kSingle, 30, 20);
        h.display.AddImage(kOverlay, 60, 60);
    }
    void Show() {
        Button* b = button;
        ControlScene::Show([b](ProbeScreen& s) { s.AddWidget(b, 100, 50); });
    }
};

// String table and font metrics in memory, installed as the asset module for one test.
struct CaptionAssets {
    MemoryResources resources;
    BitmapFont font;
    CaptionAssets() {
        resources.AddString(kCaptionText, "ab");
        // 'a' 7 wide, 'b' 8 wide; baseline offset 18.
        resources.Add(kTextType, kMetrics, std::string_view("H:14,18,0,10,1\nS:0x61,7,8\n"));
        font.Load(kGlyphs, kMetrics, &resources);
        SetAssetModule(&resources);
    }
    ~CaptionAssets() { SetAssetModule(nullptr); }
};

}  // namespace

TEST(ButtonFrames, EachStateShowsItsFrameOfTheStrip) {
    ButtonScene c(kStrip, 4);
    c.Show();
    EXPECT_EQ(c.button->GetFrameWidth(), 30);
    EXPECT_EQ(c.button->GetFrameHeight(), 20);
    EXPECT_EQ(c.button->GetCommandId(), kStrip);
    EXPECT_EQ(c.h.manager.GetCursorKind(), ScreenManager::kCursorNormal);

    auto normal = c.Drawn(kStrip);
    ASSERT_EQ(normal.size(), 1u);
    EXPECT_EQ(normal[0].source, (Rect{0, 0, 30, 20}));
    EXPECT_EQ(normal[0].x, 100);
    EXPECT_EQ(normal[0].y, 50);
    EXPECT_EQ(c.button->GetDrawnBounds(), (Rect{100, 50, 130, 70}));

    c.Move(110, 60);
    EXPECT_TRUE(c.button->IsHovered());
    EXPECT_EQ(c.h.manager.GetCursorKind(), ScreenManager::kCursorHand);
    EXPECT_EQ(c.FrameShown(kStrip, 30), 1);
    c.Press(110, 60);
    EXPECT_EQ(c.FrameShown(kStrip, 30), 2);
    c.Release(110, 60);
    EXPECT_EQ(c.FrameShown(kStrip, 30), 1);
    c.button->SetEnabled(false);
    EXPECT_EQ(c.FrameShown(kStrip, 30), 3);
    c.button->SetHasDisabledFrame(false);
    EXPECT_EQ(c.FrameShown(kStrip, 30), 0);
}

TEST(ButtonFrames, OneFrameStripShowsFrameZeroInEveryState) {
    ButtonScene c(kSingle, 1);
    c.Show();
    EXPECT_EQ(c.FrameShown(kSingle, 30), 0);
    c.Move(110, 60);
    EXPECT_EQ(c.FrameShown(kSingle, 30), 0);
    c.Press(110, 60);
    EXPECT_EQ(c.FrameShown(kSingle, 30), 0);
    c.Release(110, 60);
    c.button->SetEnabled(false);
    EXPECT_EQ(c.FrameShown(kSingle, 30), 0);
}

TEST(ButtonFrames, BadStripsDrawNothingAndDoNotFault) {
    ButtonScene zero(kStrip, 0);  // counts as one frame
    zero.Show();
    EXPECT_EQ(zero.button->GetFrameWidth(), 120);
    EXPECT_EQ(zero.FrameShown(kStrip, 120), 0);

    ButtonScene missing(77, 4);  // no such image
    missing.Show();
    EXPECT_EQ(missing.button->GetFrameWidth(), 0);
    EXPECT_TRUE(missing.h.display.LastFrame().empty());
    EXPECT_TRUE(missing.button->GetDrawnBounds().IsEmpty());
}

TEST(ButtonClicks, ReleaseOverTheButtonSendsItsCommandOnce) {
    ButtonScene c(kStrip, 4);
    c.Show();
    c.Press(110, 60);
    EXPECT_TRUE(c.button->IsPressed());
    EXPECT_EQ(c.h.manager.GetCaptureWidget(), c.button);
    EXPECT_EQ(c.Sounds(Button::kClickSoundId), 1);
    EXPECT_EQ(c.Commands(kStrip), 0);
    c.Release(112, 62);
    EXPECT_FALSE(c.button->IsPressed());
    EXPECT_EQ(c.h.manager.GetCaptureWidget(), nullptr);
    EXPECT_EQ(c.Commands(kStrip), 1);

    c.button->SetCommandId(7);
    c.Click(110, 60);
    EXPECT_EQ(c.Commands(7), 1);
    EXPECT_EQ(c.Commands(kStrip), 1);
    EXPECT_EQ(c.Sounds(Button::kClickSoundId), 2);
}

TEST(ButtonClicks, MovingOffBeforeReleaseCancelsAndMovingBackRestores) {
    ButtonScene c(kStrip, 4);
    c.Show();
    c.Press(110, 60);
    c.Move(300, 300);
    EXPECT_FALSE(c.button->IsHovered());
    EXPECT_TRUE(c.button->IsPressed());
    EXPECT_EQ(c.FrameShown(kStrip, 30), 0);  // pressed without hover looks normal
    c.Release(300, 300);
    EXPECT_EQ(c.Commands(kStrip), 0);
    EXPECT_FALSE(c.button->IsPressed());

    c.Press(110, 60);
    c.Move(300, 300);
    c.Move(111, 61);
    c.Release(111, 61);
    EXPECT_EQ(c.Commands(kStrip), 1);
}

TEST(ButtonClicks, HidingOrDisablingAPressedButtonForgetsPressAndHover) {
    ButtonScene c(kStrip, 4);
    c.Show();
    c.Press(110, 60);
    c.button->SetVisible(false);
    EXPECT_FALSE(c.button->IsPressed());
    EXPECT_FALSE(c.button->IsHovered());
    c.button->SetVisible(true);
    EXPECT_EQ(c.FrameShown(kStrip, 30), 0);

    c.Press(110, 60);
    c.button->SetEnabled(false);
    EXPECT_FALSE(c.button->IsPressed());
    EXPECT_FALSE(c.button->IsHovered());
    c.Release(110, 60);
    EXPECT_EQ(c.Commands(kStrip), 0);
    c.button->SetEnabled(true);
    c.Move(300, 300);
    EXPECT_EQ(c.FrameShown(kStrip, 30), 0);
    // A disabled button hears no press at all.
    c.button->SetEnabled(false);
    c.Press(110, 60);
    EXPECT_EQ(c.Sounds(Button::kClickSoundId), 2);
    EXPECT_FALSE(c.button->IsPressed());
}

TEST(ButtonClicks, CaptureLossClearsThePress) {
    ButtonScene c(kStrip, 4);
    c.Show();
    c.Press(110, 60);
    c.h.manager.OnActivateApp(false);
    EXPECT_FALSE(c.button->IsPressed());
}

TEST(ButtonHover, HoverSoundPlaysOnEnteringOnly) {
    ButtonScene c(kStrip, 4);
    c.button->SetHoverSound(120);
    c.Show();
    c.Move(110, 60);
    c.Move(111, 61);
    c.Move(300, 300);
    EXPECT_EQ(c.Sounds(120), 1);
    c.Move(110, 60);
    EXPECT_EQ(c.Sounds(120), 2);
}

TEST(ButtonHover, OverlayDrawsOverHoverFrameWithoutWideningTheHitArea) {
    ButtonScene c(kStrip, 4);
    c.button->SetOverlay(kOverlay, -10, -10);
    c.Show();
    EXPECT_TRUE(c.Drawn(kOverlay).empty());
    c.Move(110, 60);
    auto overlay = c.Drawn(kOverlay);
    ASSERT_EQ(overlay.size(), 1u);
    EXPECT_EQ(overlay[0].x, 90);
    EXPECT_EQ(overlay[0].y, 40);
    EXPECT_EQ(c.button->GetDrawnBounds(), (Rect{100, 50, 130, 70}));
    // Inside the overlay but outside the frame: not the button's.
    c.Press(95, 45);
    EXPECT_FALSE(c.button->IsPressed());
}

TEST(ButtonCaption, CentredInItsBoxMovedWhenPressedFadedWhenDisabled) {
    CaptionAssets assets;
    ButtonScene c(kStrip, 4);
    c.h.display.AddImage(kGlyphs, 15, 14);
    c.h.display.fonts[kGlyphs] = &assets.font;
    // Set before the button is attached: the font is taken when it is created.
    c.button->SetCaption(kCaptionText, kGlyphs, kMetrics, 0, 30, 20, 2, 1, 90);
    c.Show();
    EXPECT_STREQ(c.button->GetCaption().CStr(), "ab");
    ASSERT_EQ(c.button->GetCaptionFont(), &assets.font);

    auto glyphs = c.Drawn(kGlyphs);
    ASSERT_EQ(glyphs.size(), 2u);
    // "ab" is 15 wide: (30 - 15) / 2 = 7.
    EXPECT_EQ(glyphs[0].x, 100 + 7);
    EXPECT_EQ(glyphs[0].y, 50 + 20 - 18);
    EXPECT_EQ(glyphs[1].x, 100 + 7 + 7);
    EXPECT_EQ(glyphs[0].alpha, 255);

    c.Press(110, 60);
    glyphs = c.Drawn(kGlyphs);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].x, 100 + 7 + 2);
    EXPECT_EQ(glyphs[0].y, 50 + 20 - 18 + 1);
    c.Release(110, 60);

    c.button->SetEnabled(false);
    glyphs = c.Drawn(kGlyphs);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].alpha, 90);
    EXPECT_EQ(glyphs[0].x, 100 + 7);
}

TEST(ButtonCaption, MissingTextOrFontDrawsOnlyTheFrame) {
    CaptionAssets assets;
    ButtonScene c(kStrip, 4);
    c.h.display.AddImage(kGlyphs, 15, 14);
    c.button->SetCaption(kCaptionText + 1, 99, 98, 0, 30, 20, 0, 0, 255);
    c.Show();
    EXPECT_TRUE(c.button->GetCaption().IsEmpty());
    EXPECT_EQ(c.button->GetCaptionFont(), nullptr);
    EXPECT_EQ(c.Drawn(kStrip).size(), 1u);
    EXPECT_TRUE(c.Drawn(kGlyphs).empty());
}
