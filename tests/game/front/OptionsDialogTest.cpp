#include "game/front/OptionsDialog.h"

#include <gtest/gtest.h>

#include "framework/ui/CheckBox.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/SliderThumb.h"
#include "game/front/InfoDialog.h"
#include "game/front/VolumeSlider.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"
#include "tests/game/front/FrontHarness.h"

namespace {

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CurrentProfile() = PlayerProfile();
        f.Fonts({160, 284, 286, 290, 307});
        f.Picture(VolumeSlider::kTrackImage, 200, 20);
        f.Picture(VolumeSlider::kThumbImage, 2 * 20, 20);
        f.Picture(OptionsDialog::kCheckBoxImage, 2 * 30, 30);
        f.Picture(OptionsDialog::kRadioImage, 2 * 24, 24);
        f.Picture(TextButton::kFixedSkinImage, 4 * 102, 42);
        f.Text(1, "No acceleration");
        f.Text(2, "Sorry");
        f.Text(3, "Warning text");
        f.Text(4, "Warning");
        f.ui.display.settings = &settings;
        f.ui.manager.UseDisplaySettings(settings);
        below = f.ui.NewScreen("below");
        f.ui.manager.PushScreen(below, false, false, false);
    }

    OptionsDialog* Open(bool full) {
        auto* dialog = new OptionsDialog(full);
        f.ui.manager.PushScreen(dialog, true, false, true);
        f.ui.Frames(40);
        f.ui.display.setModeCalls = 0;
        f.ui.display.modeWide.clear();
        return dialog;
    }
    void Click(const Widget* widget) {
        const Rect& r = widget->GetDrawnBounds();
        const int32_t x = r.left + 5, y = (r.top + r.bottom) / 2;
        f.ui.window.cursorX = x;
        f.ui.window.cursorY = y;
        f.ui.manager.OnMouseMove(0, x, y);
        f.ui.manager.OnLButtonDown(1, x, y);
        f.ui.manager.OnLButtonUp(0, x, y);
    }
    static void ExpectAt(const Widget* widget, int32_t x, int32_t y) {
        int32_t ax = 0, ay = 0;
        widget->GetAbsolutePosition(ax, ay);
        EXPECT_EQ(ax, x);
        EXPECT_EQ(ay, y);
    }
    InfoDialog* TopInfo() const { return dynamic_cast<InfoDialog*>(f.ui.manager.GetTopScreen()); }

    FrontHarness f;
    DisplaySettings settings;
    ProbeScreen* below = nullptr;
};

TEST_F(OptionsDialogTest, TheShortFormHasNoPercentageAndKeepsIt) {
    CurrentProfile().dealPercent = 85;
    CurrentProfile().autoHint = false;
    f.ui.manager.SetAudioSettings({true, 40, true, 70});
    OptionsDialog* d = Open(false);
    EXPECT_FALSE(d->IsFullForm());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(d->GetPercentButton(i), nullptr);
    ExpectAt(d->GetOkButton(), 194 + 165, 100 + 246);
    ExpectAt(d->GetMusicSlider(), 194 + 117, 100 + 66);
    ExpectAt(d->GetSoundSlider(), 194 + 117, 100 + 96);
    ExpectAt(d->GetFullScreenBox(), 194 + 40, 100 + 120);
    ExpectAt(d->GetAutoHintBox(), 194 + 40, 100 + 160);
    ExpectAt(d->GetAccelerationBox(), 194 + 40, 100 + 200);
    EXPECT_EQ(d->GetAccelerationBox()->GetCommandId(), OptionsDialog::kAcceleration);
    EXPECT_EQ(d->GetWideScreenBox(), nullptr) << "not a wide display";
    EXPECT_FALSE(d->GetAutoHintBox()->IsChecked());
    EXPECT_FALSE(d->GetFullScreenBox()->IsChecked());
    ASSERT_EQ(d->GetPanel()->LineCount(), 2);
    EXPECT_EQ(d->GetPanel()->Line(0).mode, FramePanel::kLines);
    EXPECT_EQ(d->GetPanel()->Line(1).y, 110);

    // Thumbs run from x -5 to 200 - 6 - 40 / 4 = 184 within the track.
    int32_t x = 0, y = 0;
    d->GetMusicSlider()->GetThumb()->GetPosition(x, y);
    EXPECT_EQ(x, -5 + 189 * 70 / 100);
    d->GetSoundSlider()->GetThumb()->GetPosition(x, y);
    EXPECT_EQ(x, -5 + 189 * 40 / 100);

    Click(d->GetAutoHintBox());
    d->SendCommand(OptionsDialog::kOk);
    EXPECT_TRUE(CurrentProfile().autoHint);
    EXPECT_EQ(CurrentProfile().dealPercent, 85);
    EXPECT_EQ(f.ui.display.setModeCalls, 0) << "nothing of the display changed";
    f.ui.Frames(40);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), below);
}

TEST_F(OptionsDialogTest, TheFullFormChoosesTheDealPercentage) {
    CurrentProfile().dealPercent = 85;
    OptionsDialog* d = Open(true);
    ExpectAt(d->GetOkButton(), 199 + 165, 100 + 326);
    const int32_t values[3] = {0, 25, 85};
    const int32_t xs[3] = {40, 160, 280};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(d->GetPercentButton(i), nullptr);
        EXPECT_EQ(d->GetPercentButton(i)->GetValue(), values[i]);
        ExpectAt(d->GetPercentButton(i), 199 + xs[i], 100 + 280);
    }
    EXPECT_TRUE(d->GetPercentButton(2)->IsSelected());
    Click(d->GetPercentButton(0));
    EXPECT_TRUE(d->GetPercentButton(0)->IsSelected());
    EXPECT_EQ(CurrentProfile().dealPercent, 85) << "stored only on OK";
    d->SendCommand(OptionsDialog::kOk);
    EXPECT_EQ(CurrentProfile().dealPercent, 0);
}

TEST_F(OptionsDialogTest, AnOddStoredPercentageBecomesTheDefaultOnOk) {
    for (int32_t odd : {-3, 150}) {
        CurrentProfile().dealPercent = odd;
        OptionsDialog* d = Open(true);
        for (int i = 0; i < 3; ++i) EXPECT_FALSE(d->GetPercentButton(i)->IsSelected());
        d->SendCommand(OptionsDialog::kOk);
        EXPECT_EQ(CurrentProfile().dealPercent, OptionsDialog::kDefaultPercent) << odd;
        f.ui.Frames(40);
    }
}

TEST_F(OptionsDialogTest, TheSlidersSetTheVolumesAtOnce) {
    f.ui.manager.SetAudioSettings({true, 100, false, 50});
    OptionsDialog* d = Open(false);
    d->GetMusicSlider()->SetValue(30);
    d->GetSoundSlider()->SetValue(60);
    EXPECT_EQ(f.ui.manager.GetAudioSettings().musicVolume, 30);
    EXPECT_EQ(f.ui.manager.GetAudioSettings().soundVolume, 60);
    EXPECT_EQ(d->GetMusicSlider()->GetVolume(), VolumeSlider::kMusic);
    f.ui.manager.PopScreensNow(1);
    EXPECT_EQ(f.ui.manager.GetAudioSettings().musicVolume, 30) << "closing undoes nothing";
}

TEST_F(OptionsDialogTest, TheWideScreenBoxIsOnlyOnAWideDisplayAndOnlyShownInFullScreen) {
    f.ui.manager.SetWideDisplay(true);
    OptionsDialog* d = Open(false);
    ASSERT_NE(d->GetWideScreenBox(), nullptr);
    ExpectAt(d->GetWideScreenBox(), 194 + 185, 100 + 120);
    EXPECT_FALSE(d->GetWideScreenBox()->IsVisible());
    Click(d->GetFullScreenBox());
    EXPECT_TRUE(d->GetFullScreenBox()->IsChecked());
    EXPECT_TRUE(d->GetWideScreenBox()->IsVisible());
    Click(d->GetFullScreenBox());
    EXPECT_FALSE(d->GetWideScreenBox()->IsVisible());
    EXPECT_FALSE(d->OnCommand(OptionsDialog::kCheckBoxImage)) << "the boxes' own commands stay unhandled";
}

TEST_F(OptionsDialogTest, TheAccelerationBoxExplainsWhatItCannotDo) {
    f.ui.display.capable3D = false;
    OptionsDialog* d = Open(false);
    Click(d->GetAccelerationBox());
    EXPECT_FALSE(d->GetAccelerationBox()->IsChecked()) << "unticked again at once";
    InfoDialog* info = TopInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->GetPanel()->Title(), "Sorry");
    EXPECT_EQ(info->GetPanel()->Line(0).text, "No acceleration");
    info->SendCommand(InfoDialog::kOkCommand);
    f.ui.Frames(40);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), d);

    f.ui.display.capable3D = true;
    Click(d->GetAccelerationBox());
    EXPECT_TRUE(d->GetAccelerationBox()->IsChecked());
    EXPECT_EQ(f.ui.manager.GetTopScreen(), d) << "no warning stored: nothing to say";
    Click(d->GetAccelerationBox());

    settings.initWarning = "Low video memory";
    Click(d->GetAccelerationBox());
    EXPECT_TRUE(d->GetAccelerationBox()->IsChecked());
    ASSERT_NE(TopInfo(), nullptr);
    EXPECT_EQ(TopInfo()->GetPanel()->Title(), "Warning");
    EXPECT_EQ(TopInfo()->GetPanel()->Line(0).text, "Warning text");
    f.ui.manager.PopScreens(false, 1);
    Click(d->GetAccelerationBox());
    EXPECT_EQ(f.ui.manager.GetTopScreen(), d) << "unticking warns of nothing";
}

TEST_F(OptionsDialogTest, FullScreenAndWideScreenChangeInOneModeSwitch) {
    f.ui.manager.SetWideDisplay(true);
    f.ui.display.capable3D = true;
    OptionsDialog* d = Open(false);
    Click(d->GetFullScreenBox());
    Click(d->GetWideScreenBox());
    Click(d->GetAccelerationBox());
    d->SendCommand(OptionsDialog::kOk);
    EXPECT_EQ(f.ui.display.setModeCalls, 1);
    EXPECT_TRUE(f.ui.display.IsFullScreen());
    EXPECT_EQ(f.ui.display.modeWide, std::vector<bool>{true});
    EXPECT_TRUE(settings.wideScreen);
    EXPECT_TRUE(settings.hardwareAcceleration);
    EXPECT_TRUE(f.ui.display.IsDirect3DInUse()) << "the acceleration switch rode along";
}

// Alt+Enter (or Esc) while the box is open: the box follows the mode, and OK keeps it, on a
// desktop with a wide mode or without.
TEST_F(OptionsDialogTest, ASwitchMadeWhileTheBoxIsOpenIsKeptByOk) {
    for (bool wide : {true, false}) {
        f.ui.manager.SetWideDisplay(wide);
        for (bool full : {true, false}) {
            OptionsDialog* d = Open(false);
            f.ui.manager.SetFullscreen(full, true);
            if (wide) EXPECT_EQ(d->GetWideScreenBox()->IsVisible(), full);
            d->SendCommand(OptionsDialog::kOk);
            EXPECT_EQ(f.ui.display.IsFullScreen(), full) << wide;
        }
    }
}

// Full screen was asked for but the window manager left the window as it was: the box shows the
// choice, OK alone asks for no switch again, and unticking stores the window without one.
TEST_F(OptionsDialogTest, AWindowFullScreenFellBackToKeepsTheChoiceUntilUnticked) {
    settings.fullScreen = true;
    OptionsDialog* d = Open(false);
    EXPECT_TRUE(d->GetFullScreenBox()->IsChecked());
    d->SendCommand(OptionsDialog::kOk);
    EXPECT_TRUE(settings.fullScreen);
    d = Open(false);
    Click(d->GetFullScreenBox());
    d->SendCommand(OptionsDialog::kOk);
    EXPECT_FALSE(settings.fullScreen);
    EXPECT_EQ(f.ui.display.setModeCalls, 0);
}

TEST_F(OptionsDialogTest, AnAccelerationChangeCarriesTheWideScreenSwitch) {
    f.ui.manager.SetWideDisplay(true);
    f.ui.display.capable3D = true;
    settings.hardwareAcceleration = false;
    f.ui.manager.SetFullscreen(true, true);
    OptionsDialog* d = Open(false);
    EXPECT_TRUE(d->GetFullScreenBox()->IsChecked());
    EXPECT_FALSE(d->GetAccelerationBox()->IsChecked());
    Click(d->GetAccelerationBox());
    Click(d->GetWideScreenBox());
    d->SendCommand(OptionsDialog::kOk);
    EXPECT_EQ(f.ui.display.setModeCalls, 1);
    EXPECT_TRUE(f.ui.display.IsDirect3DInUse());
    EXPECT_EQ(f.ui.display.modeWide, std::vector<bool>{true});
}

TEST_F(OptionsDialogTest, AWideScreenChangeAloneSwitchesOnlyThat) {
    f.ui.manager.SetWideDisplay(true);
    settings.wideScreen = true;
    f.ui.manager.SetFullscreen(true, true);
    OptionsDialog* d = Open(false);
    EXPECT_TRUE(d->GetWideScreenBox()->IsChecked());
    EXPECT_TRUE(d->GetWideScreenBox()->IsVisible());
    Click(d->GetWideScreenBox());
    d->SendCommand(OptionsDialog::kOk);
    EXPECT_EQ(f.ui.display.setModeCalls, 1);
    EXPECT_FALSE(settings.wideScreen);
    EXPECT_EQ(f.ui.display.modeWide, std::vector<bool>{false});
    EXPECT_TRUE(f.ui.display.IsFullScreen());
}

}  // namespace
