#include "game/front/VolumeSlider.h"

#include "framework/ui/ScreenManager.h"

VolumeSlider::VolumeSlider(int32_t volume) : Slider(kTrackImage, kThumbImage, -5, -6), volume_(volume) {}

void VolumeSlider::OnValueChanged(int32_t value) {
    ScreenManager* manager = GetManager();
    if (!manager) return;
    if (volume_ == kMusic) manager->SetMusicVolume(value);
    else manager->SetSoundVolume(value);
}
