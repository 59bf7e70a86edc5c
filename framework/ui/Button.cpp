#include "framework/ui/Button.h"

#include "framework/gfx/BitmapFont.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"

// A strip of fewer than one frame would divide by zero when measured: it counts as one frame.
Button::Button(int32_t imageId, int32_t frameCount, bool explicitSize)
    : imageId_(imageId),
      commandId_(imageId),
      frameCount_(frameCount < 1 ? 1 : frameCount),
      explicitSize_(explicitSize) {}

void Button::SetCaption(int32_t textId, int32_t fontImageId, int32_t fontMetricsId, int32_t x,
                        int32_t right, int32_t y, int32_t pressedDx, int32_t pressedDy,
                        int32_t disabledAlpha) {
    SetCaptionText(textId);
    SetCaptionBox(x, right, y);
    pressedDx_ = pressedDx;
    pressedDy_ = pressedDy;
    disabledAlpha_ = disabledAlpha;
    SetCaptionFont(fontImageId, fontMetricsId);
}

void Button::SetCaptionText(int32_t textId) {
    caption_.Empty();
    caption_.LoadResString(textId);
}

void Button::SetCaptionBox(int32_t x, int32_t right, int32_t y) {
    captionX_ = x;
    captionRight_ = right;
    captionY_ = y;
}

// A caption set before the button is attached has no display to take its font from yet; the
// font is fetched again when the button is created.
void Button::SetCaptionFont(int32_t fontImageId, int32_t fontMetricsId) {
    fontImageId_ = fontImageId;
    fontMetricsId_ = fontMetricsId;
    font_ = nullptr;
    ResolveFont();
}

void Button::ResolveFont() {
    if (!font_ && (fontImageId_ != 0 || fontMetricsId_ != 0)) {
        font_ = GetFont(fontImageId_, fontMetricsId_);
    }
}

void Button::SetOverlay(int32_t imageId, int32_t x, int32_t y) {
    overlayImageId_ = imageId;
    overlayX_ = x;
    overlayY_ = y;
}

void Button::SetFrameSize(int32_t width, int32_t height) {
    frameWidth_ = width;
    frameHeight_ = height;
}

void Button::OnCreate() {
    if (!explicitSize_) {
        int32_t width = 0, height = 0;
        GetImageSize(imageId_, width, height);
        frameWidth_ = width / frameCount_;
        frameHeight_ = height;
    }
    ResolveFont();
    SetCursorKind(ScreenManager::kCursorHand, false);
    EnableHover(true);
    EnableClicks(true);
    OnButtonCreated();
}

void Button::Draw() {
    if (!IsShown()) return;
    if (!IsEffectivelyEnabled()) {
        DrawDisabled();
    } else if (hover_ && pressed_) {
        DrawPressed();
    } else if (hover_) {
        DrawHover();
        if (overlayImageId_ != 0) {
            // The overlay may reach past the frame; it must not widen where the button is hit.
            bool tracks = TracksBounds();
            SetTracksBounds(false);
            DrawImage(overlayX_, overlayY_, overlayImageId_, nullptr, true, 100, 100, 255);
            SetTracksBounds(tracks);
        }
    } else {
        DrawNormal();
    }
}

// Strips shorter than a state expects show their last frame rather than pixels past the strip.
void Button::DrawFrameImage(int32_t index) {
    if (frameWidth_ < 1) return;
    if (index >= frameCount_) index = frameCount_ - 1;
    Rect source{index * frameWidth_, 0, (index + 1) * frameWidth_, frameHeight_};
    DrawImage(0, 0, imageId_, &source, true, 100, 100, 255);
}

void Button::DrawCaptionCentered(int32_t dx, int32_t dy, int32_t alpha) {
    if (!font_) return;
    font_->DrawCentered(this, captionX_ + dx, captionY_ + dy, caption_.CStr(),
                        captionRight_ - captionX_, 100, 100, alpha);
}

void Button::DrawCaptionLeft() {
    if (!font_) return;
    font_->DrawText(this, captionX_, captionY_, caption_.CStr(), -1, 100, 100, 255);
}

void Button::DrawNormal() {
    DrawFrameImage(0);
    DrawCaptionCentered(0, 0, 255);
}

void Button::DrawHover() {
    if (frameCount_ < 2) {
        DrawNormal();
        return;
    }
    DrawFrameImage(1);
    DrawCaptionCentered(0, 0, 255);
}

void Button::DrawPressed() {
    if (frameCount_ < 3) {
        DrawNormal();
        return;
    }
    DrawFrameImage(2);
    DrawCaptionCentered(pressedDx_, pressedDy_, 255);
}

void Button::DrawDisabled() {
    if (!hasDisabledFrame_ || frameCount_ <= 3) {
        DrawNormal();
        return;
    }
    DrawFrameImage(3);
    DrawCaptionCentered(0, 0, disabledAlpha_);
}

bool Button::OnLButtonDown(uint32_t keys, int32_t x, int32_t y) {
    pressed_ = true;
    if (ScreenManager* manager = GetManager()) manager->PlaySound(kClickSoundId);
    SetCapture(true);
    if (ScreenManager* manager = GetManager()) manager->MarkDirty();
    return true;
}

bool Button::OnLButtonUp(uint32_t keys, int32_t x, int32_t y) {
    pressed_ = false;
    SetCapture(false);
    if (hover_) OnClick();
    if (ScreenManager* manager = GetManager()) manager->MarkDirty();
    return true;
}

void Button::OnClick() {
    if (Screen* screen = GetScreen()) screen->SendCommand(commandId_);
}

void Button::OnHover(bool entered, uint32_t keys) {
    if (hover_ == entered) return;
    hover_ = entered;
    ScreenManager* manager = GetManager();
    if (!manager) return;
    manager->MarkDirty();
    if (entered && hoverSound_ != 0) manager->PlaySound(hoverSound_);
}

void Button::ClearStates() {
    if (!IsShown() || !IsEffectivelyEnabled()) {
        hover_ = false;
        pressed_ = false;
    }
}

void Button::OnShowChanged() { ClearStates(); }

void Button::OnEnableChanged() { ClearStates(); }

void Button::OnCaptureLost() { pressed_ = false; }
