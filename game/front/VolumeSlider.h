#pragma once
// The volume slider of the options: every move of its thumb sets the music or sound volume at
// once, so the player hears the change while dragging; nothing undoes it.
#include <cstdint>

#include "framework/ui/Slider.h"

class VolumeSlider : public Slider {
public:
    enum Volume : int32_t { kMusic = 0, kSounds = 1 };
    static constexpr int32_t kTrackImage = 299;
    static constexpr int32_t kThumbImage = 300;

    explicit VolumeSlider(int32_t volume);

    void OnValueChanged(int32_t value) override;

    int32_t GetVolume() const { return volume_; }

private:
    int32_t volume_;
};
