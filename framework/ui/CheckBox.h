#pragma once

#include <cstdint>

#include "framework/ui/Button.h"

// A button with a checked state. Its strip has 2 frames (unchecked, checked), 4 (each with a
// hover frame) or 6 (each with a hover and a disabled frame). A click toggles it, then sends the
// command like any button.
class CheckBox : public Button {
public:
    CheckBox(int32_t imageId, int32_t frameCount);

    void OnClick() override;
    void DrawNormal() override;
    void DrawHover() override;
    void DrawPressed() override;
    void DrawDisabled() override;

    void SetCaption(int32_t textId, int32_t fontImageId, int32_t fontMetricsId, int32_t x,
                    int32_t y, int32_t alpha);
    void Toggle();
    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }

private:
    bool checked_ = false;
};
