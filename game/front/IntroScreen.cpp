#include "game/front/IntroScreen.h"

#include "framework/ui/Button.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/GameFlow.h"
#include "game/front/TimelinePanel.h"

namespace {

constexpr int32_t kCaptionFontImage = 160;
constexpr int32_t kCaptionFontMetrics = 159;
constexpr int32_t kBackCaption = 151;
constexpr int32_t kMainMenuCaption = 149;

}  // namespace

IntroScreen::IntroScreen(const String& playerName) : Screen(0, 0), playerName_(playerName) {}

void IntroScreen::OnAttach() {
    panel_ = new TimelinePanel(playerName_);
    AddWidget(panel_, 0, 0);
    back_ = new Button(kBackCommand, 3, false);
    back_->SetCaption(kBackCaption, kCaptionFontImage, kCaptionFontMetrics, 0, 144, 24, 2, 2, 255);
    AddWidget(back_, 14, 545);
    mainMenu_ = new Button(kMainMenuCommand, 3, false);
    mainMenu_->SetCaption(kMainMenuCaption, kCaptionFontImage, kCaptionFontMetrics, 0, 124, 24, 2,
                          2, 255);
    AddWidget(mainMenu_, 661, 545);
    if (ScreenManager* manager = GetManager()) {
        manager->LoadSound(kOpeningSound, false);
        manager->PlaySound(kOpeningSound);
    }
}

bool IntroScreen::OnCommand(int32_t commandId) {
    ScreenManager* manager = GetManager();
    if (commandId == kBackCommand) {
        SetOpaque(false);
        if (manager) manager->PopScreens(true, 1);
        return true;
    }
    if (commandId == kMainMenuCommand) {
        GameFlow::GoToMainMenu(GetManager());
        return true;
    }
    return false;
}
