#include "game/front/MenuStripButton.h"

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/FrameSize.h"

MenuStripButton::MenuStripButton() : Button(0, 2, true) { SetCommandId(kCommandId); }

void MenuStripButton::OnButtonCreated() {
    text_.LoadResString(kTextId);
    normalFont_ = GetFont(kFontImage, kFontMetrics);
    hoverFont_ = GetFont(kHoverFontImage, kHoverFontMetrics);
}

void MenuStripButton::DrawNormal() { DrawStrip(normalFont_); }

void MenuStripButton::DrawHover() { DrawStrip(hoverFont_ ? hoverFont_ : normalFont_); }

void MenuStripButton::DrawStrip(BitmapFont* font) {
    if (font) font->DrawCentered(this, 0, 0, text_.CStr(), kFrameWidth, 100, 100, 255);
}
