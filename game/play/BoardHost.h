#pragma once
// What the board needs of the page it plays on: the score, the status bar, the clock, the bar
// buttons, the player's records and switches, and the boxes it opens. The play screen implements
// it; tests give the board a recording one.
struct TipAnchor;

class BoardHost {
public:
    virtual ~BoardHost() = default;

    virtual int Score() const = 0;
    virtual void AddScore(int delta) = 0;
    virtual void SetHudCounters(int pairs, int tiles) = 0;
    virtual void SetClockRunning(bool running) = 0;
    virtual void AddSeconds(int seconds) = 0;
    virtual void EnableButtons(bool enable) = 0;

    virtual void UpdateStoryBestTime() = 0;
    // The level's final score, known as soon as the level is decided.
    virtual void UpdateStoryBestScore(int finalScore) = 0;
    virtual void CheckStoryUnlock() = 0;
    // The story level being played, 0 in free play.
    virtual int LevelNumber() const = 0;

    // The entry formation has landed.
    virtual void ShowPendingTutorial() = 0;
    virtual bool IsGameInProgress() const = 0;
    virtual void NewDeal() = 0;
    virtual void OnLayoutComplete() = 0;
    virtual void OnStoryLevelWon() = 0;

    // The player's switches: veil blocked tiles, hint by itself after a pause.
    virtual bool VeilBlockedTiles() const = 0;
    virtual bool AutoHint() const = 0;

    // Boxes. The layout resource could not be read.
    virtual void ShowLayoutError() = 0;
    // Asks whether to give up the game in progress for a new deal.
    virtual void AskRestart() = 0;
    // No pair is left and no special tile can help.
    virtual void ShowNoMoves() = 0;
    // Opens tutorial step `step`; `soundsGoOn` keeps the game's sounds playing under it; with an
    // anchor the popup opens beside that tile. True when a popup was opened.
    virtual bool OpenTip(int step, bool soundsGoOn, const TipAnchor* anchor) = 0;
};
