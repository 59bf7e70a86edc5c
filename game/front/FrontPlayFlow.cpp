#include "game/front/FrontPlayFlow.h"

#include "framework/app/Application.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/BackgroundSelectScreen.h"
#include "game/front/CampaignScreen.h"
#include "game/front/GameFlow.h"
#include "game/front/InfoDialog.h"
#include "game/front/LayoutCompleteDialog.h"
#include "game/front/LayoutsMenuDialog.h"
#include "game/front/LevelCompleteDialog.h"
#include "game/front/StoryMenuDialog.h"
#include "game/play/MessageDialog.h"
#include "game/play/NoMovesDialog.h"
#include "game/play/PlayScreen.h"
#include "game/play/TutorialPopup.h"

namespace {

ScreenManager* AppManager() {
    Application* app = Application::Current();
    return app ? app->GetScreenManager() : nullptr;
}

ScreenManager* ManagerOf(const PlayScreen* screen) { return screen ? screen->GetManager() : nullptr; }

// The boxes over a game are overlays that fade in and leave the game undimmed.
void PushOverGame(const PlayScreen* screen, Screen* box) {
    if (ScreenManager* manager = ManagerOf(screen)) {
        manager->PushScreen(box, true, false, true);
    } else {
        delete box;
    }
}

}  // namespace

void FrontPlayFlow::OpenGameMenu(PlayScreen* screen) {
    if (!ManagerOf(screen)) return;
    if (screen->GetMode() == PlayScreen::kStory) {
        PushOverGame(screen, new StoryMenuDialog(screen));
    } else {
        PushOverGame(screen, new LayoutsMenuDialog(screen));
    }
}

void FrontPlayFlow::ShowLayoutComplete(PlayScreen* screen, const LayoutOutcome& outcome) {
    if (!ManagerOf(screen)) return;
    PushOverGame(screen, new LayoutCompleteDialog(outcome.seconds, outcome.bestSeconds,
                                                  outcome.newBestTime, outcome.score,
                                                  outcome.bestScore, outcome.newBestScore));
}

void FrontPlayFlow::ShowLevelComplete(PlayScreen* screen, int seconds, int score,
                                      const String& caption) {
    if (ManagerOf(screen)) PushOverGame(screen, new LevelCompleteDialog(seconds, score, caption));
}

void FrontPlayFlow::AskQuestion(PlayScreen* screen, int dialogId, bool resume) {
    ScreenManager* manager = ManagerOf(screen);
    if (!manager) return;
    MessageDialog* question;
    if (resume) {
        question = new MessageDialog(screen, MessageDialog::kTall, dialogId, kResumeLabel,
                                     kNewGameLabel, false, 120, 120);
        manager->PushScreen(question, true, true, true);
        question->SetTitle(kResumeTitle);
        question->AddLine(kResumeLine, 0, 0, 90);
    } else {
        question = new MessageDialog(screen, MessageDialog::kShort, dialogId, kYesLabel, kNoLabel,
                                     true, 102, 102);
        manager->PushScreen(question, true, false, true);
        question->SetTitle(kRestartTitle);
        question->AddLine(kRestartLine, 0, 0, 80);
    }
}

void FrontPlayFlow::ShowInfo(int titleText, int lineText) {
    if (ScreenManager* manager = AppManager()) InfoDialog::Open(manager, titleText, lineText);
}

void FrontPlayFlow::ShowNoMoves(PlayScreen* screen) {
    if (ManagerOf(screen)) PushOverGame(screen, new NoMovesDialog);
}

// The play screen itself keeps its sounds going under the tips that ask for it.
bool FrontPlayFlow::OpenTip(PlayScreen* screen, Board* board, int step, bool,
                            const TipAnchor* anchor) {
    return TutorialPopup::Open(ManagerOf(screen), step, board, anchor) != nullptr;
}

void FrontPlayFlow::OpenCampaign(PlayScreen* screen, bool advanced) {
    ScreenManager* manager = ManagerOf(screen);
    if (!manager) return;
    // While the story page is still fading in, the map simply covers it; after a won level it
    // slides in over the play field.
    const bool cameBack = manager->GetTransitionState() != ScreenManager::kTransitionFadingIn;
    auto* campaign = new CampaignScreen(screen);
    manager->PushScreen(campaign, cameBack, false, false);
    if (cameBack) campaign->Enter(advanced);
}

void FrontPlayFlow::LeaveToMainMenu() { GameFlow::GoToMainMenu(AppManager()); }

void FrontPlayFlow::LeaveToLayoutSelect() { GameFlow::GoToLayoutSelect(AppManager()); }

int FrontPlayFlow::BackgroundCount() const { return BackgroundSelectScreen::BackgroundCount(); }
