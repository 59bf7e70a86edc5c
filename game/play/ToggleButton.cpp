#include "game/play/ToggleButton.h"

#include "framework/gfx/BitmapFont.h"
#include "game/model/PlayerProfile.h"

namespace {

// Both labels are centred on this x of the button.
constexpr int32_t kLabelCentreX = 12;
constexpr int32_t kUpperLabelY = -1;
constexpr int32_t kLowerLabelY = 45;

}  // namespace

ToggleButton::ToggleButton(int32_t imageId) : CheckBox(imageId, kFrames) {}

void ToggleButton::OnButtonCreated()
{
    upper_.LoadResString(kUpperLabel);
    lower_.LoadResString(kLowerLabel);
    labelFont_ = GetFont(kLabelFontImage, kLabelFontMetrics);
}

int32_t ToggleButton::LabelAlpha() const
{
    return !IsEffectivelyEnabled() && HasDisabledFrame() ? kDimmedLabelAlpha : 255;
}

void ToggleButton::Draw()
{
    CheckBox::Draw();
    if (!IsShown() || !labelFont_)
        return;
    const int32_t alpha = LabelAlpha();
    labelFont_->DrawCentered(this, kLabelCentreX, kUpperLabelY, upper_.CStr(), 0, 100, 100, alpha);
    // The lower label hangs below the bar; a press there is not a press on the switch.
    const bool tracks = TracksBounds();
    SetTracksBounds(false);
    labelFont_->DrawCentered(this, kLabelCentreX, kLowerLabelY, lower_.CStr(), 0, 100, 100, alpha);
    SetTracksBounds(tracks);
}

void ToggleButton::OnClick()
{
    // The profile changes first, so whoever hears the command sees the new choice.
    CurrentProfile().veil = !IsChecked();
    CurrentProfile().Save();
    Toggle();
}

void ToggleButton::OnEnableChanged()
{
    CheckBox::OnEnableChanged();
    if (IsEffectivelyEnabled())
        SetHasDisabledFrame(true);
}
