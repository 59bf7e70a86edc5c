#include "game/front/LeaveNoticeDialog.h"

#include "framework/ui/CheckBox.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/GameFlow.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kTitleText = 31;
constexpr int32_t kNoticeText = 29;
constexpr int32_t kDontShowText = 30;
constexpr int32_t kOkLabel = 124;
constexpr int32_t kCheckImage = 298;
constexpr int32_t kCaptionFont = 290;
constexpr int32_t kCaptionMetrics = 289;

}  // namespace

LeaveNoticeDialog::LeaveNoticeDialog() : PanelScreen(184, 150) {}

void LeaveNoticeDialog::Init()
{
    using P = FramePanel;
    static const int32_t kSide[] = {P::kMediumPiece, 0};
    static const int32_t kEdge[] = {P::kLongPiece, P::kLongPiece, P::kLongPiece, 0};
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(kSide, kSide, kEdge, kEdge);
    SetTitle(kTitleText);
    AddLine(kNoticeText, P::kWrapContent, 0, 90);

    dontShow_ = new CheckBox(kCheckImage, 2);
    dontShow_->SetCaption(kDontShowText, kCaptionFont, kCaptionMetrics, 32, 31, 255);
    AddWidget(dontShow_, 45, 130);

    TextButton* ok = TextButton::TextButtonFixed(kOkCommand);
    ok->SetLabel(kOkLabel);
    AddWidget(ok, 305, 140);
}

bool LeaveNoticeDialog::OnCommand(int32_t commandId)
{
    if (commandId != kOkCommand)
        return false;
    CurrentProfile().showLeaveNotice = !dontShow_->IsChecked();
    CurrentProfile().Save();
    ScreenManager* manager = GetManager();
    if (!manager)
        return true;
    manager->PopScreens(true, 1);
    GameFlow::GoToMainMenu(manager);
    return true;
}
