#include "game/front/UnsavedNotice.h"

#include "game/front/InfoDialog.h"
#include "game/model/PlayerList.h"
#include "game/model/PlayerProfile.h"

bool UnsavedNotice::Tell(ScreenManager* manager)
{
    if (!manager) return false;
    // Both are taken, so a profile and a list that both failed give one notice.
    const bool profile = CurrentProfile().TakeSaveFailureNotice();
    const bool list = ThePlayerList().TakeSaveFailureNotice();
    return (profile || list) && InfoDialog::Open(manager, kTitle, kText);
}
