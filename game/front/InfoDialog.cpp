#include "game/front/InfoDialog.h"

#include "framework/ui/ScreenManager.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kOkLabel = 124;
constexpr int32_t kLeft[] = {2, 2, 0};
constexpr int32_t kRight[] = {2, 2, 0};
constexpr int32_t kTop[] = {2, 2, 3, 0};
constexpr int32_t kBottom[] = {3, 2, 2, 0};

}  // namespace

InfoDialog::InfoDialog() : PanelScreen(206, 150) {}

void InfoDialog::Init() {
    SetFrameStyle(0, 1, 1, 0);
    SetEdgePieces(kLeft, kRight, kTop, kBottom);
    ok_ = TextButton::TextButtonFixed(kOkCommand);
    ok_->SetLabel(kOkLabel);
    AddWidget(ok_, 152, 203);
}

bool InfoDialog::OnCommand(int32_t commandId) {
    if (commandId != kOkCommand) return false;
    if (GetManager()) GetManager()->PopScreens(true, 1);
    return true;
}

InfoDialog* InfoDialog::Open(ScreenManager* manager, int32_t titleId, int32_t lineId) {
    if (!manager) return nullptr;
    auto* dialog = new InfoDialog();
    manager->PushScreen(dialog, true, false, true);
    dialog->SetTitle(titleId);
    dialog->AddLine(lineId, 0, 0, 90);
    return dialog;
}
