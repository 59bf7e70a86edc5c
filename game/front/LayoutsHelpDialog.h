#pragma once
// The free-play help: five pages, opened from the free-play game menu.
#include "game/front/HelpDialog.h"

class HelpIllustration;

class LayoutsHelpDialog : public HelpDialog {
public:
    LayoutsHelpDialog();

    HelpIllustration* GetPicture() const { return picture_; }

protected:
    Widget* CreatePicture() override;
    void SetPictureMode(int32_t mode) override;

private:
    HelpIllustration* picture_ = nullptr;
};
