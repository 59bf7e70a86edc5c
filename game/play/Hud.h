#pragma once
// The status frame around the play field: the frame pictures, the title of the layout or level,
// score and best score, the game clock and the best time, the board's two counts and, in story
// mode, the dynasty's years with a strip showing the level's place among its levels. It keeps
// the game clock on its own local time, which stands still while a dialog covers the page.
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Widget.h"

class BitmapFont;

class Hud : public Widget {
public:
    enum Mode { kStory = 0, kFreePlay = 1 };

    static constexpr int32_t kMaxSeconds = 35999;
    static constexpr int32_t kNoTime = 36000;
    // The bottom bars (126 and 275) lie across the screen from this row down.
    static constexpr int32_t kBottomBarTop = 520;

    explicit Hud(int mode);

    void Draw() override;
    void OnCreate() override;
    // When the clock's second turns, only the clock is drawn anew.
    bool Update() override;

    void SetTitle(const String& title) { title_ = title; }
    // Years before the common era are negative.
    void SetCaption(const String& caption, int firstYear, int lastYear);
    // -1 empties a count.
    void SetCounters(int pairs, int tiles);
    void SetScore(int score);
    void SetBestScore(int score);
    void SetBestTime(int seconds);
    void SetProgress(int levelsInDynasty, int place);

    void ResetClock();
    void StartClock(int seconds);
    void StopClock();
    void AddSeconds(int seconds);
    int ElapsedSeconds() const;
    bool IsClockRunning() const { return running_; }
    // Re-formats the clock when its second changed; true when it did.
    bool ClockTick();

    const String& ClockText() const { return clock_; }
    const String& ScoreText() const { return score_; }
    const String& CounterA() const { return counterA_; }
    const String& CounterB() const { return counterB_; }
    const String& Title() const { return title_; }
    const String& FirstYear() const { return firstYear_; }
    const String& LastYear() const { return lastYear_; }
    const String& BestTime() const { return bestTime_; }
    const String& BestScore() const { return bestScore_; }

private:
    static String Year(int year);
    void DrawFrame();
    void DrawTexts();
    void DrawProgress();

    int mode_;
    String clock_, score_, counterA_, counterB_, title_, firstYear_, lastYear_, bestTime_,
        bestScore_;
    String labelTime_, labelScore_, labelBest_, labelPairs_, labelTiles_;
    BitmapFont* numberFont_ = nullptr;
    BitmapFont* yearFont_ = nullptr;
    BitmapFont* labelFont_ = nullptr;
    BitmapFont* smallFont_ = nullptr;
    BitmapFont* titleFont_ = nullptr;
    bool running_ = false;
    uint32_t startTime_ = 0;
    int stoppedSeconds_ = 0;
    int lastShown_ = 0;
    int levels_ = 0;
    int place_ = 0;
};
