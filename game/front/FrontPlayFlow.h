#pragma once
// The front end as the play screens see it: the boxes they open over themselves and the places
// they lead to.
#include "game/play/PlayFlow.h"

class FrontPlayFlow : public PlayFlow {
public:
    // The questions the play screen asks.
    static constexpr int32_t kResumeTitle = 142, kResumeLine = 139, kResumeLabel = 140,
                             kNewGameLabel = 141;
    static constexpr int32_t kRestartTitle = 26, kRestartLine = 25, kYesLabel = 27, kNoLabel = 22;

    void OpenGameMenu(PlayScreen* screen) override;
    void ShowLayoutComplete(PlayScreen* screen, const LayoutOutcome& outcome) override;
    void ShowLevelComplete(PlayScreen* screen, int seconds, int score,
                           const String& caption) override;
    void AskQuestion(PlayScreen* screen, int dialogId, bool resume) override;
    void ShowInfo(int titleText, int lineText) override;
    void ShowNoMoves(PlayScreen* screen) override;
    bool OpenTip(PlayScreen* screen, Board* board, int step, bool soundsGoOn,
                 const TipAnchor* anchor) override;
    void OpenCampaign(PlayScreen* screen, bool advanced) override;
    void LeaveToMainMenu() override;
    void LeaveToLayoutSelect() override;
    int BackgroundCount() const override;
};
