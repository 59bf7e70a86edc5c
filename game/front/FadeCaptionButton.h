#pragma once
// A main-menu mode button whose hover caption fades in under it while the pointer rests on it.
#include "framework/ui/Button.h"

class FadeCaptionButton : public Button {
public:
    // Hover-caption kinds: free play, and the story (begin or continue).
    static constexpr int32_t kFreePlayCaption = 119, kStoryCaption = 120, kStoryGoesOnCaption = 121;
    static constexpr int32_t kFontImage = 165, kFontMetrics = 164;

    FadeCaptionButton(int32_t commandId, int32_t captionKind);

    void OnButtonCreated() override;
    void Draw() override;
    bool Update() override;

    int32_t GetCaptionAlpha() const { return captionAlpha_; }

private:
    int32_t captionKind_;
    int32_t captionAlpha_ = 0;
    BitmapFont* hoverFont_ = nullptr;
};
