#include "game/front/MenuHandOver.h"

#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"

namespace MenuHandOver {

void OpenInPlace(Screen* menu, Screen* box, bool dimGame)
{
    ScreenManager* manager = menu ? menu->GetManager() : nullptr;
    if (!manager) {
        delete box;
        return;
    }
    manager->PopScreens(true, 1);
    manager->PushScreen(box, true, dimGame, true);
}

}  // namespace MenuHandOver
