#pragma once

#include <cstdint>

#include "framework/ui/Widget.h"

class SliderThumb;

// A horizontal value control from 0 to 100: a track image with a thumb dragged along it. A drag
// reports each new percentage through OnValueChanged; SetPosition places the thumb quietly.
class Slider : public Widget {
public:
    Slider(int32_t trackImageId, int32_t thumbImageId, int32_t leftX, int32_t rightMargin);

    void Draw() override;
    void OnCreate() override;
    virtual void OnValueChanged(int32_t value) {}

    using Widget::SetPosition;
    // Moves the thumb to `percent` (clamped to 0..100) without reporting it.
    void SetPosition(int32_t percent);
    // Stores the value and reports it.
    void SetValue(int32_t percent);
    int32_t GetValue() const { return value_; }
    SliderThumb* GetThumb() const { return thumb_; }

private:
    int32_t trackImageId_;
    int32_t thumbImageId_;
    int32_t leftX_;
    int32_t rightMargin_;
    int32_t value_ = 0;
    SliderThumb* thumb_ = nullptr;
};
