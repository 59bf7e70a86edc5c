#pragma once
// The push button of the game's boxes: either the fixed skin, a four-frame strip drawn by the
// button itself, or a skin stretched to any width from a left cap, 8-px middle segments and a
// right cap, with a caption in the button font.
#include <cstdint>

#include "framework/ui/Button.h"

class TextButton : public Button {
public:
    static constexpr int32_t kFixedSkinImage = 297;
    static constexpr int32_t kStretchSkinImage = 287;
    static constexpr int32_t kSkinStateWidth = 102;
    static constexpr int32_t kHeight = 42;

    // A stretchable button at least `width` pixels wide (94 + 8 per middle segment, at least one).
    TextButton(int32_t commandId, int32_t width);
    // A button of the fixed skin.
    static TextButton* TextButtonFixed(int32_t commandId);

    void SetLabel(int32_t textId);

    void DrawNormal() override;
    void DrawHover() override;
    void DrawPressed() override;
    void DrawDisabled() override;
    void OnButtonCreated() override;

    bool IsFixedSkin() const { return fixedSkin_; }
    int32_t MiddleSegments() const { return middles_; }
    int32_t Width() const { return 94 + 8 * middles_; }

private:
    struct FixedTag {};
    TextButton(int32_t commandId, FixedTag);
    void DrawSkin(int32_t offset);

    bool fixedSkin_ = false;
    int32_t middles_ = 1;
};
