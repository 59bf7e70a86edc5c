#pragma once
// The story help: six pages on the campaign and its special tiles, opened from the story's game
// menu.
#include "game/front/HelpDialog.h"

class HelpIllustration;

class StoryHelpDialog : public HelpDialog {
public:
    StoryHelpDialog();

    HelpIllustration* GetPicture() const { return picture_; }

protected:
    Widget* CreatePicture() override;
    void SetPictureMode(int32_t mode) override;

private:
    HelpIllustration* picture_ = nullptr;
};
