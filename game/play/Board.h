#pragma once
// The play field: the tiles of the current level, the selection and the matching rules, the
// flights of removed tiles to the tray below the board (a step machine driven by the first
// flight), the rising score texts, hints, undo, shuffle, the end of a level and the tutorial tips
// it raises. It reports to the page it plays on through BoardHost.
#include <cstdint>
#include <vector>

#include "framework/core/String.h"
#include "framework/gfx/Rect.h"
#include "framework/ui/Widget.h"
#include "game/model/TileDealer.h"
#include "game/model/TileLayout.h"
#include "game/play/FlyingTile.h"
#include "game/play/ScoreText.h"

class BitmapFont;
class BoardHost;
class Image;

class Board : public Widget {
public:
    // Milliseconds of a monotonic clock, for seeds; it may wrap.
    using TickSource = uint32_t (*)();

    enum Mode { kStory = 0, kFreePlay = 1 };

    // What the landing of the first flight completes.
    enum Step {
        kStepPairToTray = 0,
        kStepAbsorb = 1,
        kStepWildToTray = 2,
        kStepComplementSwap = 3,
        kStepComplementHold = 4,
        kStepComplementToTray = 5,
        kStepUndoReturn = 6,
        kStepUnabsorbToWild = 7,
        kStepUnabsorbHome = 8,
        kStepExitPair = 9,
        kStepCollect = 10,
        kStepFinal = 11,
    };

    // What the move timer is doing.
    enum MovePhase { kPhaseEntry = 0, kPhaseShuffleOut = 1, kPhaseShuffleBack = 2 };

    // Delayed events the board posts to itself.
    static constexpr int kEventStoryWon = 100;
    static constexpr int kEventLayoutDone = 101;

    static constexpr int kWidth = 800;
    static constexpr int kHeight = 452;
    static constexpr int kMaxFlights = 42;
    static constexpr int kMaxHintTiles = 400;
    static constexpr int kMaxMoveTiles = 41;
    static constexpr uint32_t kRandomSeed = 0xFFFFFFFFu;

    // The tray below the tiles: where the removed pair lands, and the faces it then shows of
    // it, each cell cut by its side edge and lower rim so that the pair sits flat in its recess.
    static constexpr int kTrayLeftX = 364;
    static constexpr int kTrayRightX = 416;
    static constexpr int kTrayY = 470;
    static constexpr int kTrayTrim = 6;
    static constexpr Rect TrayFace(int slot) {
        const int left = (slot == 0 ? kTrayLeftX : kTrayRightX) + 7;
        return Rect{left, kTrayY, left + 48 - kTrayTrim, kTrayY + 58 - kTrayTrim};
    }

    // Bottom-bar commands, story and free-play ids.
    static constexpr int kCmdUndo = 136, kCmdUndoFree = 269;
    static constexpr int kCmdHint = 144, kCmdHintFree = 264;
    static constexpr int kCmdRestart = 147, kCmdRestartFree = 267;
    static constexpr int kCmdShuffle = 148, kCmdShuffleFree = 268;

    Board(int mode, BoardHost* host, TickSource ticks = nullptr);
    ~Board() override;

    void Draw() override;
    void OnCreate() override;
    void OnDestroy() override;
    bool OnCommand(int32_t commandId) override;
    bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) override;
    bool OnRButtonDown(uint32_t keys, int32_t x, int32_t y) override;
    void OnChar(uint32_t character, int32_t repeat, uint32_t keyFlags) override;
    bool Update() override;
    bool OnTimer(int32_t timerId, int32_t firingIndex) override;
    void OnEnableChanged() override;

    // Level set-up, by the play screen.
    void SetLevel(int layoutResId, int percent, uint32_t seed);
    bool LoadLayout();
    // Places the tiles after the layout was filled by other means than LoadLayout.
    void PlaceTiles();
    void BuildTileSheet(int tileSet);
    void Reset();
    void StartLevel(bool newDeal, bool keepState, bool newSeed);
    void SetMoveNumber(int moveNumber);
    TileLayout* LayoutIfInProgress();
    // Lands at once every flight of a move or an undo still under way and finishes a shuffle,
    // without sounds or boxes, so that the tiles, links and move number agree again (the state
    // a saved game must hold).
    void SettleMove();
    const String& GetLayoutName() const { return layout_.Name(); }
    void ConvertLinkedToWild() { layout_.ConvertLinkedToWild(); }
    void PostEvent(int eventId);
    // Arms the tips the first two story levels show by themselves: the exit pair, the flowers.
    void ArmLevelTips(bool exitTip, bool flowerTip);
    void StopTipGlow() { tipGlow_ = false; }

    // Moves (hints, undo, shuffle and the level end live in BoardMoves.cpp).
    void Undo();
    void Shuffle();
    void Hint(bool manual);

    // Ids of the pictures of a tile set: faces, selection highlight, and the base cell of the
    // ordinary kinds in the strip of bases.
    struct TileSetImages {
        int faceImage;
        int highlightImage;
        int baseCell;
    };
    static TileSetImages ImagesOfTileSet(int tileSet);

    // State, for the play screen and tests.
    TileLayout& Layout() { return layout_; }
    int GetMode() const { return mode_; }
    int MoveNumber() const { return moveNumber_; }
    uint32_t Seed() const { return seed_; }
    bool IsLevelRunning() const { return levelRunning_; }
    bool IsEnded() const { return ended_; }
    bool IsCollecting() const { return collecting_; }
    bool DealChanged() const { return dealChanged_; }
    bool ClockPending() const { return clockPending_; }
    Tile* Selected() const { return selected_; }
    int OffsetX() const { return offsetX_; }
    int OffsetY() const { return offsetY_; }
    int PairsAvailable() const { return pairsAvailable_; }
    int TilesLeft() const { return tilesLeft_; }
    int KindsWithPair() const { return kindsWithPair_; }
    int TrayKind1() const { return trayKind1_; }
    int TrayKind2() const { return trayKind2_; }
    int CurrentStep() const { return step_; }
    int MovePhaseNow() const { return movePhase_; }
    bool MoveTimerRunning() const { return moveRemaining_ > 0; }
    const std::vector<FlyingTile>& Flights() const { return flights_; }
    const std::vector<Tile*>& HintTiles() const { return hintTiles_; }
    const std::vector<int>& HintOrder() const { return hintOrder_; }
    const std::vector<ScoreText>& ScoreTexts() const { return scoreTexts_; }
    bool TipShowing() const { return tipShowing_; }
    bool TipGlow() const { return tipGlow_; }
    int BlinkImage() const { return blinkImage_; }
    Image* TileSheet() const { return tileSheet_; }

private:
    // Board.cpp: set-up, drawing, input, selection and matching.
    void ComputeScreenRects();
    void SetEntryFormation(int formation);
    void Deselect();
    void DropFlights() { flights_.clear(); }
    void StartClockIfPending();
    bool IsSelectable(const Tile* tile) const;
    bool PassesVisibility(const Tile* tile) const;
    void SelectFeedback(Tile* tile);
    void MatchPair(Tile* a, Tile* b);
    void MatchComplement(Tile* a, Tile* b);
    void MatchWildAll(Tile* a, Tile* b);
    void MatchWildOne(Tile* a, Tile* b);
    void AwardPoints(Tile* tile, int count, bool comboAllowed);
    FlyingTile FlightFrom(Tile* tile, int duration) const;
    FlyingTile FlightOfKind(TileKind kind, int x, int y, int duration) const;
    void AddFlight(FlyingTile flight, int targetX, int targetY);
    int DrawnX(const Tile* tile) const { return tile->screenRect.left + offsetX_; }
    int DrawnY(const Tile* tile) const { return tile->screenRect.top + offsetY_; }
    void Land();
    void LandPair();
    void LandAbsorb();
    void LandWildToTray();
    void LandComplementSwap();
    void LandComplementHold();
    void LandComplementToTray();
    void DrawTile(Tile* tile);
    void DrawTileCell(int x, int y, TileKind kind, bool selected, int trim);
    void DrawFlight(const FlyingTile& flight);
    void DrawScoreTexts();
    void OpenTip(int step, int firingIndex, const Tile* anchorTile);
    void PlaySound(int id);
    void StopSound(int id);
    void SetMusicSync(int rows, int order);
    void MarkDirty();
    uint32_t Clock() const { return GetLocalTime(); }

    // BoardMoves.cpp: recount, hints, undo, shuffle, the no-moves case and the level end.
    void AfterChange();
    void StopHint();
    void StartHintWobble();
    void FinishFlights();
    void LandUndo();
    void LandUnabsorbToWild();
    void LandUnabsorbHome();
    void TrayFromLastMove();
    void FlyOut();
    void Reshuffle();
    void FlyBack();
    void CheckNoMoves();
    void CheckCleared();
    void MatchExitPair(Tile* a, Tile* b);
    // The points the end-of-level collection has still to pay, the group in flight included.
    int BonusStillToCollect();
    void LandExitPair();
    void CollectStep();
    void FinalFlights();
    void LevelDone();
    void SkipCollection();
    bool FlightsBlockMoves() const;

    int mode_;
    BoardHost* host_;
    TickSource ticks_;
    int layoutResId_ = 0;
    bool levelRunning_ = false;
    bool clockPending_ = true;
    bool ended_ = false;
    bool collecting_ = false;
    int percent_ = 0;
    uint32_t seed_ = 0;
    bool dealChanged_ = false;
    int movePhase_ = kPhaseEntry;
    int highlightImage_ = 0;
    Image* tileSheet_ = nullptr;
    TileDealer dealer_;
    TileLayout layout_;
    Tile* selected_ = nullptr;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int pairsAvailable_ = 0;
    int tilesLeft_ = 0;
    int hintIndex_ = 0;
    std::vector<int> hintOrder_;
    int moveDuration_ = 0;
    int moveRemaining_ = 0;
    int blinkFrame_ = 0;
    uint32_t blinkLast_ = 0;
    int blinkFrames_ = 0;
    int blinkImage_ = 0;
    std::vector<FlyingTile> flights_;
    int step_ = kStepPairToTray;
    int trayKind1_ = 0;
    int trayKind2_ = 0;
    int moveNumber_ = 0;
    bool redraw_ = false;
    std::vector<Tile*> hintTiles_;
    uint32_t lastPress_ = 0;
    int kindsWithPair_ = 0;
    BitmapFont* font_ = nullptr;
    std::vector<ScoreText> scoreTexts_;
    int exitMusicMark_ = -1;
    int specialSound_ = -1;
    bool tipShowing_ = false;
    bool tipExitPending_ = false;
    bool tipFlowersPending_ = false;
    bool tipGlow_ = false;
    int tipGlowKind1_ = -1;
    int tipGlowKind2_ = -1;
    bool tipNoMovesShown_ = false;
    bool veil_ = false;
    bool settling_ = false;
    bool landingCutShort_ = false;
};
