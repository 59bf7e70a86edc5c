#include "game/front/LayoutsHelpDialog.h"

#include "game/front/HelpIllustration.h"

namespace {

constexpr int32_t kFaceSheet = 215;

HelpSetup Setup() {
    return HelpSetup{{3, 3, 3}, {3, 3, 3}, {2, 2, 3, 3}, {3, 2, 2, 3}, 67,
                     {200, 330}, {50, 327}, {380, 327}, {97, 155}};
}

std::vector<HelpPage> Pages() {
    return {
        {69, {{68, 1, 50, 80}}, 1},
        {92, {{91, 1, 40, 80}}, 2},
        {73, {{72, 1, 45, 85}}, 0},
        {71, {{70, 1, 45, 85}}, 0},
        {75, {{74, 1, 50, 85}}, 0},
    };
}

}  // namespace

LayoutsHelpDialog::LayoutsHelpDialog() : HelpDialog(163, 80, Setup(), Pages()) {}

Widget* LayoutsHelpDialog::CreatePicture() {
    picture_ = new HelpIllustration(kFaceSheet);
    return picture_;
}

void LayoutsHelpDialog::SetPictureMode(int32_t mode) {
    if (picture_) picture_->SetMode(mode);
}
