#pragma once
// The notice that the player's progress or a choice could not be written: the game goes on, and
// the next save tries again.
#include <cstdint>

class ScreenManager;

namespace UnsavedNotice {

inline constexpr int32_t kTitle = 188, kText = 187;

// Opens the notice over the manager's screens when a save of the player's files failed and the
// player has not been told of it yet; answers whether it opened.
bool Tell(ScreenManager* manager);

}  // namespace UnsavedNotice
