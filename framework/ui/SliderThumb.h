#pragma once

#include <cstdint>

#include "framework/ui/Button.h"

// The slider's draggable part: a two-frame button that moves only along x between its limits
// and never sends a command.
class SliderThumb : public Button {
public:
    SliderThumb(int32_t imageId, int32_t minimumX, int32_t maximumX);

    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override;
    bool OnLButtonUp(uint32_t keys, int32_t x, int32_t y) override;
    void OnDragEnd(uint32_t keys, int32_t x, int32_t y) override;
    void OnDragMove(uint32_t keys, int32_t x, int32_t y) override;

    void SetPercent(int32_t percent);
    int32_t GetMinimumX() const { return minimumX_; }
    int32_t GetMaximumX() const { return maximumX_; }

private:
    void UpdateValue();

    int32_t minimumX_;
    int32_t maximumX_;
};
