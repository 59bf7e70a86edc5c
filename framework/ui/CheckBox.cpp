#include "framework/ui/CheckBox.h"

CheckBox::CheckBox(int32_t imageId, int32_t frameCount) : Button(imageId, frameCount, false) {}

void CheckBox::SetCaption(int32_t textId, int32_t fontImageId, int32_t fontMetricsId, int32_t x,
                          int32_t y, int32_t alpha) {
    SetCaptionText(textId);
    SetCaptionBox(x, x, y);
    SetCaptionAlpha(alpha);
    SetCaptionFont(fontImageId, fontMetricsId);
}

void CheckBox::OnClick() { Toggle(); }

void CheckBox::Toggle() {
    checked_ = !checked_;
    Button::OnClick();
}

void CheckBox::DrawNormal() {
    int32_t frames = GetFrameCount();
    int32_t frame = 0;
    if (checked_) frame = frames < 3 ? 1 : (frames <= 4 ? 2 : 3);
    DrawFrameImage(frame);
    DrawCaptionLeft();
}

void CheckBox::DrawHover() {
    int32_t frames = GetFrameCount();
    if (frames <= 2) {
        DrawNormal();
        return;
    }
    int32_t frame = 1;
    if (checked_) frame = frames > 4 ? 4 : 3;
    DrawFrameImage(frame);
    DrawCaptionLeft();
}

void CheckBox::DrawPressed() { DrawHover(); }

void CheckBox::DrawDisabled() {
    if (GetFrameCount() <= 4 || !HasDisabledFrame()) {
        DrawNormal();
        return;
    }
    DrawFrameImage(checked_ ? 5 : 2);
    DrawCaptionLeft();
}
