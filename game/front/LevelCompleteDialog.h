#pragma once
// The result box of a won story level: the time and the score, the level's caption on a banner
// that fades in, and OK, which goes back to the campaign.
#include <cstdint>

#include "framework/core/String.h"
#include "game/play/PanelScreen.h"

class MessageBanner;

class LevelCompleteDialog : public PanelScreen {
public:
    static constexpr int32_t kOkCommand = 1;
    static constexpr int32_t kWonSound = 373;

    LevelCompleteDialog(int32_t seconds, int32_t score, const String& levelCaption);

    void Init() override;
    bool OnCommand(int32_t commandId) override;

    const String& TimeText() const { return time_; }
    const String& ScoreText() const { return score_; }
    MessageBanner* GetBanner() const { return banner_; }

private:
    String time_;
    String score_;
    String caption_;
    MessageBanner* banner_ = nullptr;
};
