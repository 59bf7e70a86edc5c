#pragma once
// The pause screen's one widget: the paused message across the screen, and a click anywhere
// that ends the pause. The music stands still while it is up.
#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;

class PauseOverlay : public Widget {
public:
    void Draw() override;
    void OnCreate() override;
    bool OnLButtonUp(uint32_t keys, int32_t x, int32_t y) override;

    const String& Text() const { return text_; }

private:
    String text_;
    BitmapFont* font_ = nullptr;
    bool resumed_ = false;
};
