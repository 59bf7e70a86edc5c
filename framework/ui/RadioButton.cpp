#include "framework/ui/RadioButton.h"

#include "framework/ui/RadioGroup.h"

RadioButton::RadioButton(int32_t imageId, RadioGroup* group, int32_t value)
    : Button(imageId, 2, false), group_(group), value_(value) {
    if (group_) group_->AddMember(this);
}

void RadioButton::SetCaption(int32_t textId, int32_t fontImageId, int32_t fontMetricsId,
                             int32_t x, int32_t y, int32_t alpha) {
    SetCaptionText(textId);
    SetCaptionBox(x, x, y);
    SetCaptionAlpha(alpha);
    SetCaptionFont(fontImageId, fontMetricsId);
}

void RadioButton::OnClick() {
    if (group_) group_->Select(value_);
    Button::OnClick();
}

void RadioButton::DrawState() {
    DrawFrameImage(selected_ ? 1 : 0);
    DrawCaptionLeft();
}

void RadioButton::DrawNormal() { DrawState(); }

void RadioButton::DrawHover() { DrawState(); }
