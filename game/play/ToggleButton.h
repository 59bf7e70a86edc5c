#pragma once
// The veil switch of the play screen's bar: a six-frame check button with a label above and one
// below. Its state is the player's choice to veil blocked tiles. While it is disabled its labels
// dim with it, unless the disabled look is switched off (a tutorial tip about the switch keeps
// it bright under the tip).
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/CheckBox.h"

class BitmapFont;

class ToggleButton : public CheckBox {
public:
    static constexpr int32_t kFrames = 6;
    static constexpr int32_t kUpperLabel = 143;
    static constexpr int32_t kLowerLabel = 144;
    static constexpr int32_t kLabelFontImage = 213;
    static constexpr int32_t kLabelFontMetrics = 212;
    static constexpr int32_t kDimmedLabelAlpha = 64;

    explicit ToggleButton(int32_t imageId);

    void Draw() override;
    void OnClick() override;
    void OnEnableChanged() override;
    void OnButtonCreated() override;

    // The alpha the labels are drawn with now.
    int32_t LabelAlpha() const;
    bool ShowsDisabledLook() const { return HasDisabledFrame(); }
    const String& UpperLabel() const { return upper_; }
    const String& LowerLabel() const { return lower_; }

private:
    String upper_;
    String lower_;
    BitmapFont* labelFont_ = nullptr;
};
