#include "game/front/StoryMenuDialog.h"

#include "framework/ui/ScreenManager.h"
#include "game/front/GameFlow.h"
#include "game/front/LeaveNoticeDialog.h"
#include "game/front/LeaveQuestion.h"
#include "game/front/MenuHandOver.h"
#include "game/front/OptionsDialog.h"
#include "game/front/StoryHelpDialog.h"
#include "game/front/TileSetDialog.h"
#include "game/model/PlayerProfile.h"
#include "game/play/FramePanel.h"
#include "game/play/PlayScreen.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kButtonWidth = 150;
constexpr int32_t kButtonX = 35;

}  // namespace

StoryMenuDialog::StoryMenuDialog(PlayScreen* play) : PanelScreen(565, 165), play_(play) {}

void StoryMenuDialog::Init()
{
    using P = FramePanel;
    SetClickCommand(kBack);
    static const int32_t kLeft[] = {P::kMediumPiece, P::kLongPiece, P::kShortPiece, 0};
    static const int32_t kRight[] = {P::kLongPiece, P::kShortPiece, P::kMediumPiece, 0};
    static const int32_t kEdge[] = {P::kMediumPiece, 0};
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(kLeft, kRight, kEdge, kEdge);

    const struct {
        int32_t command, label, y;
    } buttons[] = {{kMainMenu, 44, 41}, {kOptions, 47, 103}, {kTileSets, 48, 148},
                   {kHelp, 43, 210},    {kBack, 42, 255}};
    for (const auto& b : buttons) {
        auto* button = new TextButton(b.command, kButtonWidth);
        button->SetLabel(b.label);
        AddWidget(button, kButtonX, b.y);
    }
}

void StoryMenuDialog::Leave()
{
    ScreenManager* manager = GetManager();
    if (play_ && play_->IsGameInProgress())
        LeaveQuestion::ReplaceMenu(manager, play_, kMainMenu);
    else if (CurrentProfile().showLeaveNotice && manager)
        manager->ReplaceTopScreen(new LeaveNoticeDialog, false, true);
    else
        GameFlow::GoToMainMenu(manager);
}

bool StoryMenuDialog::OnCommand(int32_t commandId)
{
    switch (commandId) {
    case kMainMenu:
        Leave();
        return true;
    case kOptions:
        MenuHandOver::OpenInPlace(this, new OptionsDialog(false), false);
        return true;
    case kTileSets:
        MenuHandOver::OpenInPlace(this, new TileSetDialog(true), false);
        return true;
    case kHelp:
        MenuHandOver::OpenInPlace(this, new StoryHelpDialog, true);
        return true;
    case kBack:
        if (GetManager())
            GetManager()->PopScreens(true, 1);
        return true;
    default:
        return false;
    }
}
