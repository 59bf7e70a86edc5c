#pragma once
// What the play screen needs of the front end that opened it: the boxes and places that belong
// to the rest of the game (menus, result boxes, questions, the campaign, the other pages).
// The application implements it.
#include "framework/core/String.h"

class Board;
class PlayScreen;
struct TipAnchor;

// A cleared free-play layout, for its result box.
struct LayoutOutcome {
    int seconds = 0;
    int bestSeconds = 0;
    bool newBestTime = false;
    int score = 0;
    int bestScore = 0;
    bool newBestScore = false;
};

class PlayFlow {
public:
    virtual ~PlayFlow() = default;

    // The in-game menu of the screen's mode, pushed over it.
    virtual void OpenGameMenu(PlayScreen* screen) = 0;
    virtual void ShowLayoutComplete(PlayScreen* screen, const LayoutOutcome& outcome) = 0;
    virtual void ShowLevelComplete(PlayScreen* screen, int seconds, int score,
                                   const String& caption) = 0;
    // A two-answer question whose answers come back through PlayScreen::Accept and Decline.
    // `resume` asks whether to resume a saved game, else whether to give up the game.
    virtual void AskQuestion(PlayScreen* screen, int dialogId, bool resume) = 0;
    // A notice with an OK button.
    virtual void ShowInfo(int titleText, int lineText) = 0;
    virtual void ShowNoMoves(PlayScreen* screen) = 0;
    virtual bool OpenTip(PlayScreen* screen, Board* board, int step, bool soundsGoOn,
                         const TipAnchor* anchor) = 0;
    // Covers the play screen with the campaign; `advanced` when a new level was reached.
    virtual void OpenCampaign(PlayScreen* screen, bool advanced) = 0;
    virtual void LeaveToMainMenu() = 0;
    virtual void LeaveToLayoutSelect() = 0;
    // How many backgrounds the player has unlocked.
    virtual int BackgroundCount() const = 0;
};
