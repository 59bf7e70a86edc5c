#include "game/front/StoryHelpDialog.h"

#include "game/front/HelpIllustration.h"

namespace {

constexpr int32_t kFaceSheet = 101;

HelpSetup Setup() {
    return HelpSetup{{3, 3, 3}, {3, 3, 3}, {2, 2, 3, 3}, {3, 2, 2, 3}, 76,
                     {200, 330}, {50, 327}, {380, 327}, {97, 155}};
}

std::vector<HelpPage> Pages() {
    return {
        {86, {{84, 1, 160, 95}, {85, 1, 50, 210}}, 3},
        {90, {{89, 1, 50, 80}}, 4},
        {92, {{91, 1, 40, 80}}, 5},
        {83, {{77, 1, 50, 85}, {78, 1, 155, 135}, {79, 1, 155, 240}}, 6},
        {83, {{80, 1, 125, 95}, {81, 1, 125, 210}, {82, 1, 55, 310}}, 7},
        {88, {{87, 1, 50, 100}}, 0},
    };
}

}  // namespace

StoryHelpDialog::StoryHelpDialog() : HelpDialog(163, 80, Setup(), Pages()) {}

Widget* StoryHelpDialog::CreatePicture() {
    picture_ = new HelpIllustration(kFaceSheet);
    return picture_;
}

void StoryHelpDialog::SetPictureMode(int32_t mode) {
    if (picture_) picture_->SetMode(mode);
}
