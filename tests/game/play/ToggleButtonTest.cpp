#include "game/play/ToggleButton.h"

#include <gtest/gtest.h>

#include "game/model/PlayerProfile.h"
#include "tests/game/play/DialogHarness.h"

namespace {

class ToggleButtonTest : public DialogTest {
protected:
    static constexpr int32_t kImage = 367;

    void SetUp() override
    {
        DialogTest::SetUp();
        resources.Add(kTextType, ToggleButton::kLabelFontMetrics, std::string_view(kMetrics));
        fonts.push_back(std::make_unique<BitmapFont>());
        ASSERT_TRUE(fonts.back()->Load(ToggleButton::kLabelFontImage, ToggleButton::kLabelFontMetrics, &resources));
        h.display.AddImage(ToggleButton::kLabelFontImage, 300, 14);
        h.display.fonts[ToggleButton::kLabelFontImage] = fonts.back().get();
        h.display.AddImage(kImage, 6 * 24, 40);
        resources.AddString(ToggleButton::kUpperLabel, "ab");
        resources.AddString(ToggleButton::kLowerLabel, "abcd");
        CurrentProfile() = PlayerProfile(4);
        CurrentProfile().veil = false;

        toggle = new ToggleButton(kImage);
        screen = h.NewScreen("play");
        ToggleButton* t = toggle;
        screen->build = [t](ProbeScreen& s) { s.AddWidget(t, 211, 547); };
        h.manager.PushScreen(screen, false, false, false);
        h.Frames(1);
    }

    // The label glyphs the last frame drew, and the frame of the strip it showed.
    std::vector<RecordingDisplay::Draw> Labels() const
    {
        return h.display.ImagesIn(h.display.LastFrame(), ToggleButton::kLabelFontImage);
    }
    int32_t ShownFrame() const
    {
        const auto strip = h.display.ImagesIn(h.display.LastFrame(), kImage);
        return strip.empty() ? -1 : strip[0].source.left / 24;
    }
    void Redraw()
    {
        h.manager.MarkDirty();
        h.Frames(1);
    }

    ToggleButton* toggle = nullptr;
    ProbeScreen* screen = nullptr;
};

TEST_F(ToggleButtonTest, LabelsAreCentredAboveAndBelowAndOnlyTheUpperOneIsHit)
{
    const auto glyphs = Labels();
    ASSERT_EQ(glyphs.size(), 6u);
    // "ab" centred on x 12: from 12 - 10; "abcd" from 12 - 20. Baselines at -1 and 45.
    EXPECT_EQ(glyphs[0].x, 211 + 2);
    EXPECT_EQ(glyphs[0].y, 547 - 1 - 12);
    EXPECT_EQ(glyphs[2].x, 211 - 8);
    EXPECT_EQ(glyphs[2].y, 547 + 45 - 12);
    const Rect bounds = toggle->GetDrawnBounds();
    EXPECT_EQ(bounds.top, 547 - 13);  // the upper label widens it
    EXPECT_EQ(bounds.bottom, 547 + 40);  // the lower one does not
    EXPECT_EQ(bounds.left, 211);
}

TEST_F(ToggleButtonTest, AClickFlipsTheSwitchAndTheVeilChoiceBeforeTheCommandIsHeard)
{
    bool veilWhenHeard = false;
    screen->onCommand = [&](int32_t command) {
        veilWhenHeard = CurrentProfile().veil;
        return command == kImage;
    };
    Click(211 + 5, 547 + 5);
    EXPECT_TRUE(toggle->IsChecked());
    EXPECT_TRUE(CurrentProfile().veil);
    EXPECT_TRUE(veilWhenHeard);
    EXPECT_TRUE(h.Logged("play:Command 367"));
    Click(211 + 5, 547 + 44);  // on the lower label: not the switch
    EXPECT_TRUE(CurrentProfile().veil);
    Click(211 + 5, 547 + 5);
    EXPECT_FALSE(toggle->IsChecked());
    EXPECT_FALSE(CurrentProfile().veil);
}

TEST_F(ToggleButtonTest, DisabledItDimsUnlessTheDisabledLookIsOffAndEnablingBringsTheLookBack)
{
    toggle->SetChecked(true);
    toggle->SetEnabled(false);
    Redraw();
    EXPECT_EQ(ShownFrame(), 5);
    for (const auto& glyph : Labels())
        EXPECT_EQ(glyph.alpha, ToggleButton::kDimmedLabelAlpha);

    // Enabled while a box covers its screen: still disabled in effect, and dim.
    toggle->SetEnabled(true);
    h.manager.PushScreen(h.NewScreen("box"), true, false, false);
    h.Frames(1);
    EXPECT_EQ(toggle->LabelAlpha(), ToggleButton::kDimmedLabelAlpha);

    // A tip about the switch turns the disabled look off: bright under the box.
    toggle->SetHasDisabledFrame(false);
    Redraw();
    EXPECT_EQ(toggle->LabelAlpha(), 255);
    EXPECT_EQ(ShownFrame(), 3);
    for (const auto& glyph : Labels())
        EXPECT_EQ(glyph.alpha, 255);

    // Once the box closes the switch is enabled again and takes its disabled look back.
    h.manager.PopScreens(false, 1);
    h.Frames(1);
    EXPECT_TRUE(toggle->ShowsDisabledLook());
    toggle->SetEnabled(false);
    EXPECT_EQ(toggle->LabelAlpha(), ToggleButton::kDimmedLabelAlpha);
}

}  // namespace
