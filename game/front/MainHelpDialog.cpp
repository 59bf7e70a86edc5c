#include "game/front/MainHelpDialog.h"

#include "game/front/HelpIllustration2.h"

namespace {

HelpSetup Setup() {
    return HelpSetup{{2, 3, 3}, {3, 2, 3}, {2, 2, 3, 3}, {3, 2, 2, 3}, 97,
                     {200, 308}, {50, 305}, {380, 305}, {150, 170}};
}

std::vector<HelpPage> Pages() {
    return {
        {99, {{98, 0, 40, 80}}, 1},
        {96, {{95, 0, 40, 80}}, 2},
        {102, {{100, 1, 50, 85}}, 0},
        {102, {{101, 1, 50, 85}}, 0},
    };
}

}  // namespace

MainHelpDialog::MainHelpDialog() : HelpDialog(163, 120, Setup(), Pages()) {}

Widget* MainHelpDialog::CreatePicture() {
    picture_ = new HelpIllustration2();
    return picture_;
}

void MainHelpDialog::SetPictureMode(int32_t mode) {
    if (picture_) picture_->SetMode(mode);
}
