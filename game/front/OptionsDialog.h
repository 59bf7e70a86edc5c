#pragma once
// The options: music and sound volumes, full screen, wide screen (on a wide display), automatic
// hints and hardware acceleration, and in the full form, opened from the main menu, the share of
// free-play deals that are made solvable. The volumes apply while they move; the rest on OK,
// with at most one display-mode switch.
#include <cstdint>

#include "framework/ui/RadioGroup.h"
#include "game/play/PanelScreen.h"

class CheckBox;
class RadioButton;
class TextButton;
class VolumeSlider;

class OptionsDialog : public PanelScreen {
public:
    enum Command : int32_t { kOk = 1, kAcceleration = 2 };
    static constexpr int32_t kCheckBoxImage = 298;
    static constexpr int32_t kRadioImage = 291;
    // What a deal percentage outside 0..100 is stored as.
    static constexpr int32_t kDefaultPercent = 25;

    explicit OptionsDialog(bool fullForm);

    void Init() override;
    bool OnCommand(int32_t commandId) override;
    // A switch made while the box is open (Alt+Enter, Esc) ticks or unticks "Full screen" with
    // it, so OK switches only what the player changed here.
    void OnDisplayModeChanged() override;

    bool IsFullForm() const { return fullForm_; }
    VolumeSlider* GetMusicSlider() const { return music_; }
    VolumeSlider* GetSoundSlider() const { return sounds_; }
    CheckBox* GetFullScreenBox() const { return fullScreen_; }
    // Null unless the display is wide.
    CheckBox* GetWideScreenBox() const { return wideScreen_; }
    CheckBox* GetAutoHintBox() const { return autoHint_; }
    CheckBox* GetAccelerationBox() const { return acceleration_; }
    // The deal percentage's buttons, in the order 0, 25, 85; null in the short form.
    RadioButton* GetPercentButton(int index) const;
    RadioGroup& GetPercentGroup() { return percent_; }
    TextButton* GetOkButton() const { return ok_; }

private:
    CheckBox* AddCheckBox(int32_t captionId, int32_t x, int32_t y, bool checked);
    void Accept();
    void ApplyDisplayChange();
    void CheckAcceleration();

    bool fullForm_;
    bool closing_ = false;
    VolumeSlider* music_ = nullptr;
    VolumeSlider* sounds_ = nullptr;
    CheckBox* fullScreen_ = nullptr;
    CheckBox* wideScreen_ = nullptr;
    CheckBox* autoHint_ = nullptr;
    CheckBox* acceleration_ = nullptr;
    RadioGroup percent_;
    RadioButton* percentButtons_[3] = {};
    TextButton* ok_ = nullptr;
};
