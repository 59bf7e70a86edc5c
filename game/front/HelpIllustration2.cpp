#include "game/front/HelpIllustration2.h"

namespace {

constexpr int32_t kMatchPictureId = 356;
constexpr int32_t kBoardPictureId = 357;

}  // namespace

void HelpIllustration2::Draw() {
    if (mode_ == 1) DrawImage(9, 1, kMatchPictureId, nullptr, true);
    if (mode_ == 2) DrawImage(0, 0, kBoardPictureId, nullptr, true);
}
