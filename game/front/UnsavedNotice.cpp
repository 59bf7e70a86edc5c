#include "game/front/UnsavedNotice.h"

#include "game/front/InfoDialog.h"
#include "game/model/SaveFailureNotice.h"

bool UnsavedNotice::Tell(ScreenManager* manager)
{
    return manager && PlayerFilesNotice().Take() && InfoDialog::Open(manager, kTitle, kText);
}
