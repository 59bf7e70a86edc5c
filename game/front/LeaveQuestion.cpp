#include "game/front/LeaveQuestion.h"

#include "framework/ui/ScreenManager.h"
#include "game/play/FramePanel.h"
#include "game/play/MessageDialog.h"
#include "game/play/PlayScreen.h"

namespace LeaveQuestion {

MessageDialog* ReplaceMenu(ScreenManager* manager, PlayScreen* play, int32_t dialogId)
{
    if (!manager)
        return nullptr;
    auto* question = new MessageDialog(play, MessageDialog::kShort, dialogId, kYesLabel, kNoLabel, true);
    manager->ReplaceTopScreen(question, false, true);
    question->SetTitle(kTitle);
    question->AddLine(kText, FramePanel::kWrapContent, 0, 80);
    return question;
}

}  // namespace LeaveQuestion
