#pragma once
// The game's changes of place. Each fades through black to a new page and slides the music out
// over 1100 ms unless its comment says otherwise; nothing happens without a manager.
class PlayFlow;
class Screen;
class ScreenManager;
struct FreePlayChoice;

namespace GameFlow {

inline constexpr int kMusicFadeOutMs = 1100;

void GoToMainMenu(ScreenManager* manager);
void GoToLayoutSelect(ScreenManager* manager);
// From a cleared layout's box: to the grid with the music playing on.
void ReturnToLayoutSelect(ScreenManager* manager);
// A story-mode play screen, which opens the campaign over itself once it is shown.
void GoToStory(ScreenManager* manager);

// The free-play screen of a layout chosen on the grid.
Screen* NewFreePlayScreen(const FreePlayChoice& choice);
// The front end every play screen reports to.
PlayFlow* Flow();

}  // namespace GameFlow
