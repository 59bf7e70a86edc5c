#pragma once
// The main menu's help: four pages on matching and the board.
#include "game/front/HelpDialog.h"

class HelpIllustration2;

class MainHelpDialog : public HelpDialog {
public:
    MainHelpDialog();

    HelpIllustration2* GetPicture() const { return picture_; }

protected:
    Widget* CreatePicture() override;
    void SetPictureMode(int32_t mode) override;

private:
    HelpIllustration2* picture_ = nullptr;
};
