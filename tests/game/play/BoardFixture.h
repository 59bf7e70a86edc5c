#pragma once
// A board on a started screen manager with a recording display, sound and host, and helpers to
// lay tiles out, click them and let the frames run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/play/Board.h"
#include "game/play/BoardHost.h"
#include "game/play/TipPlacement.h"
#include "tests/framework/ui/UiHarness.h"

// Records what the board asks of its page; keeps the score as the play screen does.
class RecordingHost : public BoardHost {
public:
    int score = 0;
    int pairs = -1;
    int tiles = -1;
    int level = 0;
    int bestScore = -1;
    bool veil = false;
    bool autoHint = false;
    bool gameInProgress = false;
    bool tipOpens = true;
    std::vector<std::string> calls;
    std::vector<int> tipsOpened;
    std::vector<bool> tipSounds;
    std::vector<TipAnchor> tipAnchors;

    int Score() const override { return score; }
    void AddScore(int delta) override { score = std::max(score + delta, 0); }
    void SetHudCounters(int p, int t) override { pairs = p; tiles = t; }
    void SetClockRunning(bool on) override { calls.push_back(on ? "ClockOn" : "ClockOff"); }
    void AddSeconds(int s) override { calls.push_back("AddSeconds " + std::to_string(s)); }
    void EnableButtons(bool on) override { calls.push_back(on ? "ButtonsOn" : "ButtonsOff"); }
    void UpdateStoryBestTime() override { calls.push_back("BestTime"); }
    void UpdateStoryBestScore(int finalScore) override {
        calls.push_back("BestScore");
        bestScore = finalScore;
    }
    void CheckStoryUnlock() override { calls.push_back("Unlock"); }
    int LevelNumber() const override { return level; }
    void ShowPendingTutorial() override { calls.push_back("PendingTutorial"); }
    bool IsGameInProgress() const override { return gameInProgress; }
    void NewDeal() override { calls.push_back("NewDeal"); }
    void OnLayoutComplete() override { calls.push_back("LayoutComplete"); }
    void OnStoryLevelWon() override { calls.push_back("StoryWon"); }
    bool VeilBlockedTiles() const override { return veil; }
    bool AutoHint() const override { return autoHint; }
    void ShowLayoutError() override { calls.push_back("LayoutError"); }
    void AskRestart() override { calls.push_back("AskRestart"); }
    void ShowNoMoves() override { calls.push_back("NoMoves"); }
    bool OpenTip(int step, bool soundsGoOn, const TipAnchor* anchor) override {
        tipsOpened.push_back(step);
        tipSounds.push_back(soundsGoOn);
        if (anchor) tipAnchors.push_back(*anchor);
        return tipOpens;
    }

    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
};

inline uint32_t FixedTicks() { return 4242; }

class BoardTest : public ::testing::Test {
protected:
    UiHarness h;
    RecordingHost host;
    Board* board = nullptr;

    void Make(int mode) {
        board = new Board(mode, &host, &FixedTicks);
        ProbeScreen* screen = h.NewScreen("play");
        Board* b = board;
        screen->build = [b](ProbeScreen& s) { s.AddWidget(b, 0, 66); };
        h.manager.PushScreen(screen, false, false, false);
    }

    // An ordinary tile with a dealt kind (not preset).
    Tile* Add(int x, int y, int z, TileKind kind) {
        board->Layout().AddTile(x, y, z, 0);
        Tile* tile = board->Layout().TileAt(board->Layout().Count() - 1);
        tile->kind = kind;
        return tile;
    }
    // A tile whose kind the layout presets.
    Tile* AddFixed(int x, int y, int z, TileKind kind) {
        board->Layout().AddTile(x, y, z, kind);
        return board->Layout().TileAt(board->Layout().Count() - 1);
    }

    // Starts the level on the tiles as laid out and lets the entry formation land.
    void Start() {
        board->PlaceTiles();
        board->Reset();
        board->StartLevel(false, false, false);
        Run(800);
    }

    void Run(int ms) { h.Frames((ms + 24) / 25); }

    bool Click(const Tile* tile) {
        return board->OnLButtonDown(0, tile->screenRect.left + board->OffsetX() + 20,
                                    tile->screenRect.top + board->OffsetY() + 20);
    }
    void Match(const Tile* a, const Tile* b) {
        Click(a);
        Click(b);
    }

    int Played(int id) const { return h.sound.calls.empty() ? 0 : CountSound("PlaySound", id); }
    int CountSound(const std::string& what, int id) const {
        const std::string line = what + " " + std::to_string(id);
        return static_cast<int>(std::count(h.sound.calls.begin(), h.sound.calls.end(), line));
    }
    void ClearSounds() { h.sound.calls.clear(); }
};
