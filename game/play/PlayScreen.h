#pragma once
// The page on which a game is played, a story level or a free-play layout: the background,
// the status frame, the board, the veil switch and the five bar buttons. It starts and restarts
// play, keeps the score, saves a game in progress when it closes and resumes it next time, and
// records best times and scores in the current player's profile, which it writes at once.
#include <array>
#include <cstdint>

#include "framework/core/String.h"
#include "framework/ui/Screen.h"
#include "game/play/BoardHost.h"
#include "game/play/DialogListener.h"

class BackgroundImage;
class Board;
class Button;
class Hud;
class PlayFlow;
class ToggleButton;

class PlayScreen : public Screen, public BoardHost, public DialogListener {
public:
    enum Mode { kStory = 0, kFreePlay = 1 };

    static constexpr int kFreeLayouts = 126;
    static constexpr int kFirstFreeLayoutResource = 437;
    static constexpr int kStoryMusic = 339;
    static constexpr int kBoardTop = 66;
    static constexpr int kBackgroundCount = 15;
    static constexpr std::array<int, kBackgroundCount> kBackgrounds = {
        232, 233, 234, 256, 219, 220, 221, 222, 223, 224, 225, 226, 227, 218, 231};

    // Commands of the bar, story and free-play ids.
    static constexpr int kCmdMenu = 145, kCmdMenuFree = 265;
    static constexpr int kCmdPause = 146, kCmdPauseFree = 266;
    // Question boxes this screen answers.
    static constexpr int kAskLeaveToMenu = 1, kAskLeaveToMenuFromLayouts = 11,
                         kAskLeaveToLayouts = 12, kAskResumeNext = 30, kAskRestart = 147;
    // The notice when a game being left could not be saved: its title and its text.
    static constexpr int kLeaveTitle = 24, kGameNotSavedText = 185;
    // The notice when the player's files could not be written: its title and its text.
    static constexpr int kNotSavedTitle = 188, kProgressNotSavedText = 187;

    PlayScreen(int mode, PlayFlow* flow);
    ~PlayScreen() override;

    // Free play, before the transition.
    void SetLayout(int index, bool resume, int layoutResId, const String& name);
    void StartLayout(bool resume);
    void NextLayout();
    // Story, by the campaign.
    void StartStoryLevel(int level, bool resume, int layoutResId, const String& hudCaption,
                         int dynasty, int firstYear, int lastYear, int percent, uint32_t seed,
                         const String& levelCaption);
    void SetHudFields(int levelsInDynasty, int place);
    void BeginPlay();
    void ReturnToCampaign();
    void ApplyTileSet();
    void Pause();
    void Undo();
    void Shuffle();

    // Answers of the question boxes; true lets the box close itself.
    bool Accept(int dialogId);
    bool Decline(int dialogId);
    bool OnAccept(int32_t dialogId) override { return Accept(dialogId); }
    bool OnDecline(int32_t dialogId) override { return Decline(dialogId); }

    // Screen hooks.
    bool OnCommand(int32_t commandId) override;
    void OnAppActivate(bool active) override;
    void OnClose() override;
    void OnTransitionIn() override;
    void OnTransitionDone() override;

    // BoardHost.
    int Score() const override { return score_; }
    void AddScore(int delta) override;
    void SetHudCounters(int pairs, int tiles) override;
    void SetClockRunning(bool running) override;
    void AddSeconds(int seconds) override;
    void EnableButtons(bool enable) override;
    void UpdateStoryBestTime() override;
    void UpdateStoryBestScore(int finalScore) override;
    void CheckStoryUnlock() override;
    int LevelNumber() const override { return mode_ == kStory ? index_ : 0; }
    void ShowPendingTutorial() override;
    bool IsGameInProgress() const override;
    void NewDeal() override;
    void OnLayoutComplete() override;
    void OnStoryLevelWon() override;
    bool VeilBlockedTiles() const override;
    bool AutoHint() const override;
    void ShowLayoutError() override;
    void AskRestart() override;
    void ShowNoMoves() override;
    bool OpenTip(int step, bool soundsGoOn, const TipAnchor* anchor) override;

    int GetMode() const { return mode_; }
    int Index() const { return index_; }
    bool IsResuming() const { return resume_; }
    bool Advanced() const { return advanced_; }
    int PendingTutorial() const { return pendingTutorial_; }
    Board* GetBoard() const { return board_; }
    Hud* GetHud() const { return hud_; }
    BackgroundImage* GetBackground() const { return background_; }
    Button* PauseButton() const { return bar_[4]; }
    ToggleButton* VeilToggle() const { return toggle_; }
    // The saved-game file of this screen's game for the current player.
    String SaveFileName() const;
    // Picks the free-play background; with the rotation, the next unlocked one.
    void PickBackground();
    // The rotation is one for the whole program.
    static void ResetBackgroundRotation();

protected:
    void OnAttach() override;

private:
    void Refresh();
    bool LoadGame();
    // True when there was no game to keep or it reached the disk.
    bool SaveGame();
    // Saves the game as the player leaves it; false, with the player told and the leave held
    // back once, when it could not be written.
    bool KeepGameBeforeLeaving();
    void DeleteSavedGame();
    // Tells the player once of a failed save of their files; play goes on and the next save tries
    // again.
    void TellOfUnsavedProgress();
    int FreeLayoutResource(int index) const { return kFirstFreeLayoutResource + index; }

    int mode_;
    PlayFlow* flow_;
    BackgroundImage* background_ = nullptr;
    Hud* hud_ = nullptr;
    Board* board_ = nullptr;
    ToggleButton* toggle_ = nullptr;
    std::array<Button*, 5> bar_{};  // undo, hint, shuffle, menu, pause
    int index_ = 0;
    int pendingTutorial_ = -1;
    int score_ = 0;
    bool resume_ = false;
    bool advanced_ = false;
    bool leaveUnsaved_ = false;
    String levelCaption_;
    int layoutResId_ = 0;
    String layoutName_;
};
