#pragma once
// The picture of a page of the main menu's help: mode 1 and 2 each show one picture, 0 none.
#include <cstdint>

#include "framework/ui/Widget.h"

class HelpIllustration2 : public Widget {
public:
    void Draw() override;
    void OnCreate() override {}

    void SetMode(int32_t mode) { mode_ = mode; }
    int32_t GetMode() const { return mode_; }

private:
    int32_t mode_ = 0;
};
