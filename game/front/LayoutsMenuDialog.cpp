#include "game/front/LayoutsMenuDialog.h"

#include "framework/ui/ScreenManager.h"
#include "game/front/BackgroundSelectScreen.h"
#include "game/front/GameFlow.h"
#include "game/front/LayoutsHelpDialog.h"
#include "game/front/LeaveQuestion.h"
#include "game/front/MenuHandOver.h"
#include "game/front/OptionsDialog.h"
#include "game/front/TileSetDialog.h"
#include "game/play/FramePanel.h"
#include "game/play/PlayScreen.h"
#include "game/play/TextButton.h"

namespace {

constexpr int32_t kButtonWidth = 190;
constexpr int32_t kButtonX = 38;

}  // namespace

LayoutsMenuDialog::LayoutsMenuDialog(PlayScreen* play) : PanelScreen(510, 80), play_(play) {}

void LayoutsMenuDialog::Init()
{
    using P = FramePanel;
    SetClickCommand(kBack);
    static const int32_t kLeft[] = {P::kLongPiece, P::kShortPiece, P::kLongPiece, P::kMediumPiece, 0};
    static const int32_t kRight[] = {P::kShortPiece, P::kMediumPiece, P::kLongPiece, P::kLongPiece, 0};
    static const int32_t kTop[] = {P::kMediumPiece, P::kShortPiece, 0};
    static const int32_t kBottom[] = {P::kShortPiece, P::kMediumPiece, 0};
    SetFrameStyle(P::kLargeCorner, P::kSmallCorner, P::kSmallCorner, P::kLargeCorner);
    SetEdgePieces(kLeft, kRight, kTop, kBottom);

    const struct {
        int32_t command, label, y;
    } buttons[] = {{kMainMenu, 44, 36}, {kLayouts, 45, 81},  {kOptions, 47, 143},
                   {kTileSets, 48, 188}, {kBackgrounds, 41, 233}, {kHelp, 43, 295},
                   {kBack, 42, 340}};
    for (const auto& b : buttons) {
        auto* button = new TextButton(b.command, kButtonWidth);
        button->SetLabel(b.label);
        AddWidget(button, kButtonX, b.y);
    }
}

void LayoutsMenuDialog::Leave(int32_t commandId)
{
    ScreenManager* manager = GetManager();
    if (play_ && play_->IsGameInProgress()) {
        LeaveQuestion::ReplaceMenu(manager, play_, commandId);
        return;
    }
    if (commandId == kMainMenu)
        GameFlow::GoToMainMenu(manager);
    else
        GameFlow::GoToLayoutSelect(manager);
}

bool LayoutsMenuDialog::OnCommand(int32_t commandId)
{
    switch (commandId) {
    case kMainMenu:
    case kLayouts:
        Leave(commandId);
        return true;
    case kOptions:
        MenuHandOver::OpenInPlace(this, new OptionsDialog(false), false);
        return true;
    case kTileSets:
        MenuHandOver::OpenInPlace(this, new TileSetDialog(false), false);
        return true;
    case kBackgrounds:
        MenuHandOver::OpenInPlace(this, new BackgroundSelectScreen, false);
        return true;
    case kHelp:
        MenuHandOver::OpenInPlace(this, new LayoutsHelpDialog, true);
        return true;
    case kBack:
        if (GetManager())
            GetManager()->PopScreens(true, 1);
        return true;
    default:
        return false;
    }
}
