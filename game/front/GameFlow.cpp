#include "game/front/GameFlow.h"

#include "framework/ui/ScreenManager.h"
#include "game/front/FrontPlayFlow.h"
#include "game/front/LayoutSelectScreen.h"
#include "game/front/MainMenuScreen.h"
#include "game/play/PlayScreen.h"

namespace GameFlow {
namespace {

void ChangePlace(ScreenManager* manager, Screen* (*make)()) {
    if (!manager) return;
    manager->SlideMusicVolume(0, kMusicFadeOutMs);
    manager->BeginTransition(make());
}

Screen* NewLayoutSelectScreen() { return new LayoutSelectScreen(NewFreePlayScreen); }

}  // namespace

void GoToMainMenu(ScreenManager* manager) {
    ChangePlace(manager, [] () -> Screen* { return new MainMenuScreen(); });
}

void GoToLayoutSelect(ScreenManager* manager) { ChangePlace(manager, NewLayoutSelectScreen); }

void ReturnToLayoutSelect(ScreenManager* manager) {
    if (manager) manager->BeginTransition(NewLayoutSelectScreen());
}

void GoToStory(ScreenManager* manager) {
    ChangePlace(manager, [] () -> Screen* { return new PlayScreen(PlayScreen::kStory, Flow()); });
}

Screen* NewFreePlayScreen(const FreePlayChoice& choice) {
    auto* screen = new PlayScreen(PlayScreen::kFreePlay, Flow());
    screen->SetLayout(choice.index, choice.resume, choice.layoutId, choice.name);
    return screen;
}

PlayFlow* Flow() {
    static FrontPlayFlow flow;
    return &flow;
}

}  // namespace GameFlow
