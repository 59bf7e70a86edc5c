#pragma once
// One thumbnail of the background dialog: a framed miniature of a background, or the empty frame
// when its place has none, with a mark around it while chosen. A double click applies the dialog.
#include <cstdint>

#include "framework/ui/RadioButton.h"

class BackgroundThumb : public RadioButton {
public:
    static constexpr int32_t kFrameImage = 322;
    static constexpr int32_t kPictureSheet = 334;
    static constexpr int32_t kSelectedMark = 321;
    static constexpr int32_t kPictureWidth = 186;
    static constexpr int32_t kPictureHeight = 107;
    static constexpr int32_t kPicturesPerRow = 3;
    static constexpr int32_t kNone = -1;

    // `position` is the thumbnail's place on view, its value in the group.
    BackgroundThumb(RadioGroup* group, int32_t position);

    void DrawNormal() override;
    void DrawHover() override;
    void OnButtonCreated() override;
    bool OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) override;

    // The background shown, or kNone.
    void SetBackground(int32_t index) { background_ = index; }
    int32_t GetBackground() const { return background_; }

private:
    void DrawThumb();

    int32_t background_ = kNone;
};
