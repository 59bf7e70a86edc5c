#pragma once
// The screen directly below a dialog on its manager's stack, as the kind the dialog expects.
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"

// Null when the screen is not on a stack, lies at its bottom, or the one below is another kind.
template <class Below>
Below* ScreenBelow(const Screen* screen) {
    ScreenManager* manager = screen ? screen->GetManager() : nullptr;
    if (!manager) return nullptr;
    const std::vector<Screen*>& stack = manager->GetScreens();
    for (size_t i = 1; i < stack.size(); ++i) {
        if (stack[i] == screen) return dynamic_cast<Below*>(stack[i - 1]);
    }
    return nullptr;
}
