#pragma once
// The result box of a cleared free-play layout: time, score and their bests, a line that names a
// new record, and the choice between the layout grid and the next layout.
#include <cstdint>

#include "framework/core/String.h"
#include "game/play/PanelScreen.h"

class LayoutCompleteDialog : public PanelScreen {
public:
    enum Command : int32_t { kLayouts = 1, kNextLayout = 2 };
    static constexpr int32_t kClearedSound = 375;

    LayoutCompleteDialog(int32_t seconds, int32_t bestSeconds, bool newBestTime, int32_t score,
                         int32_t bestScore, bool newBestScore);

    void Init() override;
    bool OnCommand(int32_t commandId) override;

    const String& TimeText() const { return time_; }
    const String& BestTimeText() const { return bestTime_; }
    const String& ScoreText() const { return score_; }
    const String& BestScoreText() const { return bestScore_; }
    // Empty when neither the time nor the score is a new best.
    const String& RecordText() const { return record_; }

private:
    // A label in the line font with its value just after it in the emphasis font.
    void AddLabelled(int32_t labelId, const String& value, int32_t x, int32_t y);

    String time_;
    String bestTime_;
    String score_;
    String bestScore_;
    String record_;
};
