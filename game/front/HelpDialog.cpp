#include "game/front/HelpDialog.h"

#include <algorithm>
#include <utility>

#include "framework/ui/Button.h"
#include "framework/ui/ScreenManager.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kArrowFrames = 4;

std::vector<int32_t> Terminated(std::vector<int32_t> pieces) {
    pieces.push_back(0);
    return pieces;
}

}  // namespace

HelpDialog::HelpDialog(int32_t x, int32_t y, const HelpSetup& setup, std::vector<HelpPage> pages)
    : PanelScreen(x, y), setup_(setup), pages_(std::move(pages)) {}

void HelpDialog::Init() {
    SetFrameStyle(0, 1, 1, 0);
    std::vector<int32_t> left = Terminated(setup_.left);
    std::vector<int32_t> right = Terminated(setup_.right);
    std::vector<int32_t> top = Terminated(setup_.top);
    std::vector<int32_t> bottom = Terminated(setup_.bottom);
    SetEdgePieces(left.data(), right.data(), top.data(), bottom.data());

    close_ = TextButton::TextButtonFixed(kCloseCommand);
    close_->SetLabel(setup_.closeLabelId);
    AddWidget(close_, setup_.close.x, setup_.close.y);
    previous_ = new Button(kPreviousCommand, kArrowFrames, false);
    AddWidget(previous_, setup_.previous.x, setup_.previous.y);
    previous_->SetEnabled(false);
    next_ = new Button(kNextCommand, kArrowFrames, false);
    AddWidget(next_, setup_.next.x, setup_.next.y);
    AddWidget(CreatePicture(), setup_.picture.x, setup_.picture.y);
    ShowPage(0);
}

void HelpDialog::ShowPage(int page) {
    if (pages_.empty()) return;
    page_ = std::clamp(page, 0, PageCount() - 1);
    const HelpPage& shown = pages_[page_];
    ClearLines();
    SetTitle(shown.titleId);
    for (const HelpLine& line : shown.lines) AddLine(line.textId, line.mode, line.x, line.y, 0);
    SetPictureMode(shown.pictureMode);
    if (previous_) previous_->SetEnabled(page_ > 0);
    if (next_) next_->SetEnabled(page_ < PageCount() - 1);
    if (GetManager()) GetManager()->MarkDirty();
}

bool HelpDialog::OnCommand(int32_t commandId) {
    switch (commandId) {
        case kCloseCommand:
            if (GetManager()) GetManager()->PopScreens(true, 1);
            return true;
        case kPreviousCommand:
            if (page_ > 0) ShowPage(page_ - 1);
            return true;
        case kNextCommand:
            if (page_ < PageCount() - 1) ShowPage(page_ + 1);
            return true;
        default:
            return false;
    }
}
