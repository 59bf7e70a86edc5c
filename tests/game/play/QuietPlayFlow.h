#pragma once
// A front end that opens nothing, for play-screen tests; a test overrides what it watches.
#include "game/play/PlayFlow.h"

class QuietPlayFlow : public PlayFlow {
public:
    void OpenGameMenu(PlayScreen*) override {}
    void ShowLayoutComplete(PlayScreen*, const LayoutOutcome&) override {}
    void ShowLevelComplete(PlayScreen*, int, int, const String&) override {}
    void AskQuestion(PlayScreen*, int, bool) override {}
    void ShowInfo(int, int) override {}
    void ShowNoMoves(PlayScreen*) override {}
    bool OpenTip(PlayScreen*, Board*, int, bool, const TipAnchor*) override { return false; }
    void OpenCampaign(PlayScreen*, bool) override {}
    void LeaveToMainMenu() override {}
    void LeaveToLayoutSelect() override {}
    int BackgroundCount() const override { return 15; }
};
