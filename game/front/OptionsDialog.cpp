#include "game/front/OptionsDialog.h"

#include "framework/gfx/DisplaySettings.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/RadioButton.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/InfoDialog.h"
#include "game/front/UnsavedNotice.h"
#include "game/front/VolumeSlider.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kTitleText = 134;
constexpr int32_t kMusicLine = 129;
constexpr int32_t kSoundLine = 133;
constexpr int32_t kPercentLine = 126;
constexpr int32_t kFullScreenCaption = 128;
constexpr int32_t kWideScreenCaption = 135;
constexpr int32_t kAutoHintCaption = 132;
constexpr int32_t kAccelerationCaption = 125;
constexpr int32_t kOkLabel = 122;
constexpr int32_t kCaptionFontImage = 290;
constexpr int32_t kCaptionFontMetrics = 289;
// Notices about the accelerated path: not available here, and a warning of the self-test.
constexpr int32_t kNoAccelerationTitle = 2;
constexpr int32_t kNoAccelerationLine = 1;
constexpr int32_t kWarningTitle = 4;
constexpr int32_t kWarningLine = 3;

struct PercentChoice {
    int32_t value, caption, x;
};

constexpr PercentChoice kPercents[3] = {{0, 131, 40}, {25, 130, 160}, {85, 127, 280}};

}  // namespace

OptionsDialog::OptionsDialog(bool fullForm)
    : PanelScreen(fullForm ? 199 : 194, 100), fullForm_(fullForm) {}

void OptionsDialog::Init() {
    using P = FramePanel;
    static const int32_t kFullSide[] = {3, 3, 3, 0};
    static const int32_t kShortSide[] = {3, 3, 0};
    static const int32_t kTop[] = {1, 3, 2, 1, 0};
    static const int32_t kBottom[] = {3, 1, 1, 2, 0};
    const int32_t* side = fullForm_ ? kFullSide : kShortSide;
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(side, side, kTop, kBottom);
    SetTitle(kTitleText);

    ScreenManager* manager = GetManager();
    const ScreenManager::AudioSettings audio =
        manager ? manager->GetAudioSettings() : ScreenManager::AudioSettings{};
    AddLine(kMusicLine, P::kLines, 45, 80);
    music_ = new VolumeSlider(VolumeSlider::kMusic);
    AddWidget(music_, 117, 66);
    music_->SetPosition(audio.musicVolume);
    AddLine(kSoundLine, P::kLines, 45, 110);
    sounds_ = new VolumeSlider(VolumeSlider::kSounds);
    AddWidget(sounds_, 117, 96);
    sounds_->SetPosition(audio.soundVolume);

    DisplayDevice* display = manager ? &manager->GetDisplay() : nullptr;
    // The player's choice: a window that full screen fell back to still shows the box ticked.
    fullScreen_ = AddCheckBox(kFullScreenCaption, 40, 120, manager && manager->GetDisplaySettings().fullScreen);
    if (manager && manager->IsWideDisplay()) {
        wideScreen_ = AddCheckBox(kWideScreenCaption, 185, 120, manager->GetDisplaySettings().wideScreen);
        wideScreen_->SetVisible(fullScreen_->IsChecked());
    }
    autoHint_ = AddCheckBox(kAutoHintCaption, 40, 160, CurrentProfile().autoHint);
    acceleration_ = AddCheckBox(kAccelerationCaption, 40, 200, display && display->IsDirect3DInUse());
    acceleration_->SetCommandId(kAcceleration);

    if (fullForm_) {
        AddLine(kPercentLine, P::kLines, 45, 275);
        for (int i = 0; i < 3; ++i) {
            const PercentChoice& choice = kPercents[i];
            percentButtons_[i] = new RadioButton(kRadioImage, &percent_, choice.value);
            percentButtons_[i]->SetCaption(choice.caption, kCaptionFontImage, kCaptionFontMetrics, 32, 20, 255);
            AddWidget(percentButtons_[i], choice.x, 280);
        }
        percent_.Select(CurrentProfile().dealPercent);
    }

    ok_ = TextButton::TextButtonFixed(kOk);
    ok_->SetLabel(kOkLabel);
    AddWidget(ok_, 165, fullForm_ ? 326 : 246);
}

CheckBox* OptionsDialog::AddCheckBox(int32_t captionId, int32_t x, int32_t y, bool checked) {
    auto* box = new CheckBox(kCheckBoxImage, 2);
    box->SetCaption(captionId, kCaptionFontImage, kCaptionFontMetrics, 32, 31, 255);
    box->SetChecked(checked);
    AddWidget(box, x, y);
    return box;
}

RadioButton* OptionsDialog::GetPercentButton(int index) const {
    return index >= 0 && index < 3 ? percentButtons_[index] : nullptr;
}

bool OptionsDialog::OnCommand(int32_t commandId) {
    switch (commandId) {
        case kOk:
            Accept();
            return true;
        case kAcceleration:
            CheckAcceleration();
            return true;
        default:
            if (wideScreen_) wideScreen_->SetVisible(fullScreen_->IsChecked());
            if (GetManager()) GetManager()->MarkDirty();
            return false;
    }
}

void OptionsDialog::OnDisplayModeChanged() {
    ScreenManager* manager = GetManager();
    if (!manager || !fullScreen_) return;
    fullScreen_->SetChecked(manager->GetDisplaySettings().fullScreen);
    if (wideScreen_) wideScreen_->SetVisible(fullScreen_->IsChecked());
    manager->MarkDirty();
}

void OptionsDialog::CheckAcceleration() {
    ScreenManager* manager = GetManager();
    if (!manager) return;
    if (!manager->GetDisplay().IsCapable3D()) {
        acceleration_->SetChecked(false);
        manager->MarkDirty();
        InfoDialog::Open(manager, kNoAccelerationTitle, kNoAccelerationLine);
    } else if (acceleration_->IsChecked() && !manager->GetDisplaySettings().initWarning.IsEmpty()) {
        InfoDialog::Open(manager, kWarningTitle, kWarningLine);
    }
}

void OptionsDialog::Accept() {
    ScreenManager* manager = GetManager();
    if (closing_ || !manager) return;
    closing_ = true;
    PlayerProfile& profile = CurrentProfile();
    profile.autoHint = autoHint_->IsChecked();
    if (fullForm_) {
        const int32_t percent = percent_.GetSelected();
        profile.dealPercent = percent >= 0 && percent <= 100 ? percent : kDefaultPercent;
    }
    profile.Save();
    ApplyDisplayChange();
    manager->PopScreens(true, 1);
    UnsavedNotice::Tell(manager);
}

// One mode switch at most: a change of full screen carries the other two switches with it, a
// change of the accelerated path carries the wide-screen one.
void OptionsDialog::ApplyDisplayChange() {
    ScreenManager* manager = GetManager();
    DisplaySettings& settings = manager->GetDisplaySettings();
    DisplayDevice& display = manager->GetDisplay();
    const bool full = fullScreen_->IsChecked();
    const bool accelerated = acceleration_->IsChecked();
    // Unticked in a window that full screen fell back to: the choice changes, the mode stays.
    if (full == display.IsFullScreen()) settings.fullScreen = full;
    if (full != settings.fullScreen) {
        if (wideScreen_) settings.wideScreen = wideScreen_->IsChecked();
        settings.hardwareAcceleration = accelerated;
        manager->SetFullscreen(full, true);
    } else if (accelerated != display.IsDirect3DInUse()) {
        if (wideScreen_) settings.wideScreen = wideScreen_->IsChecked();
        manager->SetHardwareAcceleration(accelerated);
    } else if (wideScreen_ && wideScreen_->IsChecked() != settings.wideScreen) {
        manager->SetWideScreen(wideScreen_->IsChecked());
    }
}
