#pragma once
// The line across the bottom of the main menu that opens the player list; it is only its text,
// lit while the pointer is on it.
#include "framework/ui/Button.h"

class MenuStripButton : public Button {
public:
    static constexpr int32_t kCommandId = 1;
    static constexpr int32_t kTextId = 13;
    static constexpr int32_t kFontImage = 374, kFontMetrics = 373;
    static constexpr int32_t kHoverFontImage = 366, kHoverFontMetrics = 365;

    MenuStripButton();

    void OnButtonCreated() override;
    void DrawNormal() override;
    void DrawHover() override;
    void DrawPressed() override { DrawHover(); }
    void DrawDisabled() override { DrawNormal(); }

private:
    void DrawStrip(BitmapFont* font);

    String text_;
    BitmapFont* normalFont_ = nullptr;
    BitmapFont* hoverFont_ = nullptr;
};
