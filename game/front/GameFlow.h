#pragma once
// The game's changes of place. Each slides the music out over 1100 ms and fades through black to
// a new page; nothing happens without a manager.
class PlayFlow;
class Screen;
class ScreenManager;
struct FreePlayChoice;

namespace GameFlow {

inline constexpr int kMusicFadeOutMs = 1100;

void GoToMainMenu(ScreenManager* manager);
void GoToLayoutSelect(ScreenManager* manager);
// A story-mode play screen, which opens the campaign over itself once it is shown.
void GoToStory(ScreenManager* manager);

// The free-play screen of a layout chosen on the grid.
Screen* NewFreePlayScreen(const FreePlayChoice& choice);
// The front end every play screen reports to.
PlayFlow* Flow();

}  // namespace GameFlow
