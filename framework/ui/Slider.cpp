#include "framework/ui/Slider.h"

#include "framework/ui/SliderThumb.h"

Slider::Slider(int32_t trackImageId, int32_t thumbImageId, int32_t leftX, int32_t rightMargin)
    : trackImageId_(trackImageId),
      thumbImageId_(thumbImageId),
      leftX_(leftX),
      rightMargin_(rightMargin) {}

void Slider::OnCreate() {
    int32_t trackWidth = 0, trackHeight = 0, thumbWidth = 0, thumbHeight = 0;
    GetImageSize(trackImageId_, trackWidth, trackHeight);
    GetImageSize(thumbImageId_, thumbWidth, thumbHeight);
    thumb_ = new SliderThumb(thumbImageId_, leftX_, rightMargin_ + trackWidth - thumbWidth / 4);
    AddChild(thumb_, leftX_, (trackHeight - thumbHeight) / 2);
}

void Slider::Draw() { DrawImage(0, 0, trackImageId_, nullptr, true, 100, 100, 255); }

void Slider::SetPosition(int32_t percent) {
    if (thumb_) thumb_->SetPercent(percent);
}

void Slider::SetValue(int32_t percent) {
    value_ = percent;
    OnValueChanged(percent);
}
