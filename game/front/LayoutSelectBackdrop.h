#pragma once
// The free-play grid's background picture.
#include "framework/ui/Widget.h"

class LayoutSelectBackdrop : public Widget {
public:
    static constexpr int32_t kImageId = 190;

    void Draw() override { DrawImage(0, 0, kImageId, nullptr, true); }
    void OnCreate() override {}
};
