#pragma once
// The screen below a dialog on its manager's stack, as the kind the dialog expects.
#include <algorithm>
#include <vector>

#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"

// Screens on their way out between the two are passed over: a box that an in-game menu opened
// in its place finds the game while that menu still fades away. Null when the screen is not on
// a stack, nothing remains below it, or what remains is another kind.
template <class Below>
Below* ScreenBelow(const Screen* screen) {
    ScreenManager* manager = screen ? screen->GetManager() : nullptr;
    if (!manager) return nullptr;
    const std::vector<Screen*>& stack = manager->GetScreens();
    auto it = std::find(stack.rbegin(), stack.rend(), screen);
    if (it == stack.rend()) return nullptr;
    while (++it != stack.rend()) {
        if (!(*it)->IsFadingOut()) return dynamic_cast<Below*>(*it);
    }
    return nullptr;
}
