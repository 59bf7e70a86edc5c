#pragma once
// The question an in-game menu asks before it leaves a game in progress.
#include <cstdint>

class MessageDialog;
class PlayScreen;
class ScreenManager;

namespace LeaveQuestion {

inline constexpr int32_t kTitle = 24;
inline constexpr int32_t kText = 23;
inline constexpr int32_t kYesLabel = 27;
inline constexpr int32_t kNoLabel = 22;

// Replaces the menu on top with the question `dialogId`, faded in; the play screen answers it.
// Null without a manager.
MessageDialog* ReplaceMenu(ScreenManager* manager, PlayScreen* play, int32_t dialogId);

}  // namespace LeaveQuestion
