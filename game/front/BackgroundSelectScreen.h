#pragma once
// The choice of the play field's background among those unlocked so far, three a row and two
// rows on view with buttons to scroll by a row, or a rotation through all of them. Applying it
// stores the choice and has the play screen below pick its background again.
#include <array>
#include <cstdint>

#include "framework/ui/RadioGroup.h"
#include "game/play/PanelScreen.h"

class BackgroundThumb;
class Button;
class RadioButton;

class BackgroundSelectScreen : public PanelScreen {
public:
    enum Command : int32_t {
        kApply = 0,
        kClose = 1,
        kScrollUp = 293,
        kScrollDown = 294,
        kRotation = 298,
        kThumb = 322,
    };
    static constexpr int32_t kRotationValue = 10;
    static constexpr int32_t kThumbCount = 6;
    static constexpr int32_t kPerRow = 3;
    // The last first-on-view: the last two rows of fifteen backgrounds.
    static constexpr int32_t kLastFirst = 9;

    BackgroundSelectScreen();

    // How many backgrounds the current player has unlocked: four, and one more with every
    // dynasty reached in the story.
    static int32_t BackgroundCount();

    void Init() override;
    bool OnCommand(int32_t commandId) override;
    // Shows the backgrounds from the first on view and the scroll buttons that apply.
    void Refresh();
    // Stores the choice, closes the dialog and has the play screen below pick its background.
    void Apply();

    int32_t GetFirst() const { return first_; }
    bool IsRotating() const { return rotating_; }
    RadioGroup& GetGroup() { return group_; }
    BackgroundThumb* GetThumb(int32_t position) const;
    RadioButton* GetRotationButton() const { return rotation_; }
    Button* GetUpButton() const { return up_; }
    Button* GetDownButton() const { return down_; }

private:
    RadioGroup group_;
    RadioButton* rotation_ = nullptr;
    std::array<BackgroundThumb*, kThumbCount> thumbs_{};
    Button* up_ = nullptr;
    Button* down_ = nullptr;
    int32_t count_ = 0;
    int32_t first_ = 0;
    bool rotating_ = false;
    bool closing_ = false;
};
