#include "game/play/TextButton.h"

namespace {

constexpr int32_t kFontImage = 160;
constexpr int32_t kFontMetrics = 159;
constexpr int32_t kPressedOffset = 2;
constexpr int32_t kCapWidth = 46;
constexpr int32_t kSegmentWidth = 8;

}  // namespace

TextButton::TextButton(int32_t commandId, int32_t width) : Button(commandId, 4, true)
{
    middles_ = width >= kSkinStateWidth ? (width - kSkinStateWidth) / kSegmentWidth + 1 : 1;
    SetFrameSize(Width(), kHeight);
    SetCommandId(commandId);
}

TextButton::TextButton(int32_t commandId, FixedTag) : Button(kFixedSkinImage, 4, false), fixedSkin_(true)
{
    SetCommandId(commandId);
}

TextButton* TextButton::TextButtonFixed(int32_t commandId) { return new TextButton(commandId, FixedTag{}); }

void TextButton::SetLabel(int32_t textId)
{
    // A fixed skin learns its frame width when created; its caption box follows then.
    const int32_t right = fixedSkin_ ? GetFrameWidth() : Width();
    SetCaption(textId, kFontImage, kFontMetrics, 0, right, fixedSkin_ ? 23 : 24, kPressedOffset, kPressedOffset, 255);
}

void TextButton::OnButtonCreated()
{
    if (fixedSkin_)
        SetCaptionBox(0, GetFrameWidth(), 23);
}

void TextButton::DrawSkin(int32_t offset)
{
    const Rect leftCap{offset, 0, offset + kCapWidth, kHeight};
    DrawImage(0, 0, kStretchSkinImage, &leftCap, true);
    const Rect middle{offset + kCapWidth, 0, offset + kCapWidth + kSegmentWidth, kHeight};
    for (int32_t i = 0; i < middles_; ++i)
        DrawImage(kCapWidth + kSegmentWidth * i, 0, kStretchSkinImage, &middle, true);
    const Rect rightCap{offset + kCapWidth + kSegmentWidth, 0, offset + kSkinStateWidth, kHeight};
    DrawImage(kCapWidth + kSegmentWidth * middles_, 0, kStretchSkinImage, &rightCap, true);
}

void TextButton::DrawNormal()
{
    if (fixedSkin_)
        return Button::DrawNormal();
    DrawSkin(0);
    DrawCaptionCentered(0, 0, 255);
}

void TextButton::DrawHover()
{
    if (fixedSkin_)
        return Button::DrawHover();
    DrawSkin(kSkinStateWidth);
    DrawCaptionCentered(0, 0, 255);
}

void TextButton::DrawPressed()
{
    if (fixedSkin_)
        return Button::DrawPressed();
    DrawSkin(2 * kSkinStateWidth);
    DrawCaptionCentered(kPressedOffset, kPressedOffset, 255);
}

void TextButton::DrawDisabled()
{
    if (fixedSkin_)
        return Button::DrawDisabled();
    DrawSkin(3 * kSkinStateWidth);
    DrawCaptionCentered(0, 0, 255);
}
