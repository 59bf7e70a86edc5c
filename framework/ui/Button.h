#pragma once

#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;

// A push button drawn from a horizontal strip of equal frames (normal, hover, pressed, disabled)
// with an optional caption. Pressing it plays the click and takes the capture; releasing it while
// the pointer is still over it sends its command to its screen.
class Button : public Widget {
public:
    // The asset pack's click of buttons, lists and sliders: loaded at start-up, and left playing
    // while a screen is covered.
    static constexpr int32_t kClickSoundId = 105;

    Button(int32_t imageId, int32_t frameCount, bool explicitSize);

    void Draw() override;
    void OnCreate() override;
    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override;
    bool OnLButtonUp(uint32_t keys, int32_t x, int32_t y) override;
    void OnHover(bool entered, uint32_t keys) override;
    void OnShowChanged() override;
    void OnEnableChanged() override;
    void OnCaptureLost() override;

    virtual void OnClick();
    virtual void DrawNormal();
    virtual void DrawHover();
    virtual void DrawPressed();
    virtual void DrawDisabled();
    // Runs at the end of OnCreate, for derived buttons to add their parts.
    virtual void OnButtonCreated() {}

    // The caption is the asset string `textId`, centred between x and right at baseline y.
    void SetCaption(int32_t textId, int32_t fontImageId, int32_t fontMetricsId, int32_t x,
                    int32_t right, int32_t y, int32_t pressedDx, int32_t pressedDy,
                    int32_t disabledAlpha);
    void SetCommandId(int32_t id) { commandId_ = id; }
    void SetHoverSound(int32_t soundId) { hoverSound_ = soundId; }
    void SetOverlay(int32_t imageId, int32_t x, int32_t y);
    void SetHasDisabledFrame(bool on) { hasDisabledFrame_ = on; }

    int32_t GetImageId() const { return imageId_; }
    int32_t GetCommandId() const { return commandId_; }
    int32_t GetFrameCount() const { return frameCount_; }
    int32_t GetFrameWidth() const { return frameWidth_; }
    int32_t GetFrameHeight() const { return frameHeight_; }
    bool IsHovered() const { return hover_; }
    bool IsPressed() const { return pressed_; }
    const String& GetCaption() const { return caption_; }
    BitmapFont* GetCaptionFont() const { return font_; }

protected:
    // For buttons of explicit size, whose frames the derived class measures.
    void SetFrameSize(int32_t width, int32_t height);
    void DrawFrameImage(int32_t index);
    // The caption centred in its box, moved by (dx, dy).
    void DrawCaptionCentered(int32_t dx, int32_t dy, int32_t alpha);
    // The caption from its left edge, as radio buttons and check boxes draw it.
    void DrawCaptionLeft();
    void SetCaptionText(int32_t textId);
    void SetCaptionFont(int32_t fontImageId, int32_t fontMetricsId);
    void SetCaptionBox(int32_t x, int32_t right, int32_t y);
    void SetCaptionAlpha(int32_t alpha) { disabledAlpha_ = alpha; }
    bool HasDisabledFrame() const { return hasDisabledFrame_; }

private:
    void ResolveFont();
    void ClearStates();

    int32_t imageId_;
    int32_t commandId_;
    int32_t frameCount_;
    bool hover_ = false;
    bool pressed_ = false;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    String caption_;
    BitmapFont* font_ = nullptr;
    int32_t fontImageId_ = 0;
    int32_t fontMetricsId_ = 0;
    int32_t captionX_ = 0;
    int32_t captionRight_ = 0;
    int32_t captionY_ = 0;
    int32_t pressedDx_ = 0;
    int32_t pressedDy_ = 0;
    int32_t disabledAlpha_ = 255;
    bool explicitSize_;
    bool hasDisabledFrame_ = true;
    int32_t hoverSound_ = 0;
    int32_t overlayImageId_ = 0;
    int32_t overlayX_ = 0;
    int32_t overlayY_ = 0;
};
