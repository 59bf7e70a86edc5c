#include "game/front/MainMenuScreen.h"

#include "framework/app/Application.h"
#include "framework/app/Registry.h"
#include "framework/ui/Button.h"
#include "framework/ui/LinkButton.h"
#include "framework/ui/ScreenManager.h"
#include "framework/ui/UiHost.h"
#include "game/front/FadeCaptionButton.h"
#include "game/front/GameFlow.h"
#include "game/front/InfoDialog.h"
#include "game/front/MainHelpDialog.h"
#include "game/front/MenuBackground.h"
#include "game/front/MenuStripButton.h"
#include "game/front/NewPlayerDialog.h"
#include "game/front/OptionsDialog.h"
#include "game/front/PlayerSelectDialog.h"
#include "game/front/UnsavedNotice.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"

namespace {

constexpr int32_t kModeFontImage = 154, kModeFontMetrics = 155;
constexpr int32_t kSmallFontImage = 152, kSmallFontMetrics = 151;

FadeCaptionButton* ModeButton(int32_t command, int32_t hoverKind, int32_t captionId,
                              int32_t right) {
    auto* button = new FadeCaptionButton(command, hoverKind);
    button->SetCaption(captionId, kModeFontImage, kModeFontMetrics, 10, right, 47, 4, 4, 255);
    return button;
}

Button* SmallButton(int32_t command, int32_t captionId, int32_t x, int32_t right) {
    auto* button = new Button(command, 3, false);
    button->SetCaption(captionId, kSmallFontImage, kSmallFontMetrics, x, right, 28, 2, 2, 255);
    return button;
}

}  // namespace

MainMenuScreen::MainMenuScreen() : Screen(0, 0) {}

void MainMenuScreen::OnAttach() {
    AddWidget(new MenuBackground(), 0, 0);
    AddPartnerLogo();
    AddWidget(ModeButton(kStory, FadeCaptionButton::kStoryCaption, 115, 320), 239, 223);
    AddWidget(ModeButton(kFreePlay, FadeCaptionButton::kFreePlayCaption, 114, 170), 308, 324);
    AddWidget(SmallButton(kOptions, 118, 8, 110), 174, 521);
    AddWidget(SmallButton(kHelp, 117, 13, 170), 316, 521);
    AddWidget(SmallButton(kQuit, 116, 13, 90), 527, 521);
    AddWidget(new MenuStripButton(), 0, 502);
    if (ScreenManager* manager = GetManager()) {
        manager->LoadMusic(kMusic);
        manager->PlayMusic(kMusic, false, 1100, 0);
    }
}

// The logo file is optional; its link is disabled when no address is configured.
void MainMenuScreen::AddPartnerLogo() {
    ScreenManager* manager = GetManager();
    UiHost* host = GetUiHost();
    if (!manager || !host) return;
    String path = host->ProgramFolder();
    path += "MenuLogo";
    int32_t width = 0, height = 0;
    if (!manager->LoadImageFile(kLogoImage, path.CStr()) ||
        !manager->GetImageSize(kLogoImage, width, height)) {
        return;
    }
    String address = Registry::ReadString(nullptr, "PartnerURL", "", Hive::kLocalMachine);
    AddWidget(new LinkButton(kLogoImage, address.IsEmpty() ? nullptr : address.CStr()), 20,
              580 - height);
}

void MainMenuScreen::Push(Screen* dialog) {
    if (ScreenManager* manager = GetManager()) {
        manager->PushScreen(dialog, true, true, true);
    } else {
        delete dialog;
    }
}

bool MainMenuScreen::RequirePlayer(int32_t commandId) {
    if (ThePlayerList().CurrentId() != -1) return true;
    pending_ = commandId;
    Push(new NewPlayerDialog(true));
    return false;
}

bool MainMenuScreen::OnCommand(int32_t commandId) {
    switch (commandId) {
        case kPlayers:
            CurrentProfile().Save();
            Push(new PlayerSelectDialog());
            UnsavedNotice::Tell(GetManager());
            return true;
        case kOptions:
            if (RequirePlayer(commandId)) Push(new OptionsDialog(true));
            return true;
        case kFreePlay:
            if (RequirePlayer(commandId)) GameFlow::GoToLayoutSelect(GetManager());
            return true;
        case kStory:
            if (RequirePlayer(commandId)) GameFlow::GoToStory(GetManager());
            return true;
        case kQuit:
            if (Application* app = Application::Current()) app->Quit();
            return true;
        case kHelp:
            Push(new MainHelpDialog());
            return true;
        default:
            return false;
    }
}

void MainMenuScreen::OnActiveChanged() {
    if (!IsActive()) return;
    PlayerList& players = ThePlayerList();
    if (players.IsChanged()) {
        players.SetChanged(false);
        // A record already in memory may hold what its last save could not write.
        const int32_t current = players.CurrentId();
        if (current != -1 && current != CurrentProfile().id) {
            CurrentProfile().Load(current, players.NameOf(current));
        }
        const int32_t command = pending_;
        pending_ = -1;
        // The command may leave this screen; the notices then wait for the player's return.
        if (command != -1) {
            OnCommand(command);
            return;
        }
    }
    TellOfPlayerFiles();
}

void MainMenuScreen::OnTransitionDone() { TellOfPlayerFiles(); }

void MainMenuScreen::TellOfPlayerFiles() {
    ScreenManager* manager = GetManager();
    if (!manager) return;
    // Both are taken, so a profile and a list that were both unreadable give one notice.
    const bool profile = CurrentProfile().TakeUnreadableNotice();
    const bool list = ThePlayerList().TakeUnreadableNotice();
    // One box at a time: a failed save still due is told once this box closes.
    if (profile || list) InfoDialog::Open(manager, kPlayersTitle, kProfileUnreadableText);
    else UnsavedNotice::Tell(manager);
}
