// The board's recount after every change, hints, undo, shuffle, the case of no moves left and
// the end of a level.
#include <algorithm>
#include <utility>

#include "framework/ui/ScreenManager.h"
#include "game/play/Board.h"
#include "game/play/BoardHost.h"
#include "platform/Random.h"

namespace {

constexpr int kExitRowY = 370;
constexpr int kShuffleMs = 500;
constexpr int kShuffleSeconds = 20;
constexpr int kHintCost = 100;
constexpr int kComboBonus = 500;
// The tile counter goes on counting the matched exit pair until the level is over.
constexpr int kExitPairTiles = 2;

constexpr int kSoundShuffle = 349;
constexpr int kSoundUndo = 351;
constexpr int kSoundExit = 377;
constexpr int kSoundCollect = 376;

int Mod4(int v) { return ((v % 4) + 4) % 4; }

// What the end-of-level collection pays for a group whose leading tile has this kind.
int CollectedBonus(TileKind kind) { return kind < kKindComplementFirst ? 200 : 500; }

}  // namespace

void Board::AfterChange()
{
    layout_.CountMoves(&pairsAvailable_, &tilesLeft_, &kindsWithPair_);
    hintIndex_ = 0;
    StopHint();
    hintOrder_.resize(static_cast<size_t>(std::max(kindsWithPair_, 0)));
    for (int i = 0; i < kindsWithPair_; ++i) hintOrder_[static_cast<size_t>(i)] = i;
    for (int i = 0; i < kindsWithPair_; ++i)
        std::swap(hintOrder_[static_cast<size_t>(i)],
                  hintOrder_[static_cast<size_t>(Rand() % kindsWithPair_)]);

    if (mode_ == kStory) {
        const int exits = layout_.CountFreeExitTiles();
        if (exits == 2 && tipExitPending_) {
            SetTimer(1, 1000, 1, 1);
            tipExitPending_ = false;
        }
        if (exitMusicMark_ == -1 && exits >= 1) {
            exitMusicMark_ = moveNumber_;
            SetMusicSync(4, 7);
        } else if (moveNumber_ + 4 <= exitMusicMark_) {
            exitMusicMark_ = -1;
            const int level = host_ ? host_->LevelNumber() : 0;
            SetMusicSync(4, level % 2 == 0 ? 13 : 0);
        }
        if (tipFlowersPending_ && layout_.HasTwoFreeFlowers()) {
            SetTimer(7, 1000, 1, 1);
            tipFlowersPending_ = false;
        }
    }
    if (host_) host_->SetHudCounters(pairsAvailable_, tilesLeft_);
}

// ---------------------------------------------------------------------------------------------
// Hints

void Board::Hint(bool manual)
{
    StopHint();
    Deselect();
    std::vector<Tile*> tiles(kMaxHintTiles);
    int count = 0;
    if (pairsAvailable_ > 0 && kindsWithPair_ > 0 && !hintOrder_.empty()) {
        if (manual && ++hintIndex_ >= kindsWithPair_) hintIndex_ = 0;
        hintIndex_ = std::min(hintIndex_, static_cast<int>(hintOrder_.size()) - 1);
        count = layout_.CollectNthPairKind(hintOrder_[static_cast<size_t>(hintIndex_)], tiles);
    } else if (layout_.HasFixed()) {
        count = layout_.CollectFreeSpecials(tiles);
    }
    count = std::min(count, kMaxHintTiles);
    if (count < 1) return;
    tiles.resize(static_cast<size_t>(count));
    hintTiles_ = std::move(tiles);
    StartHintWobble();
    if (manual && host_ && host_->Score() != 0) {
        scoreTexts_.emplace_back(-kHintCost, 485, 447);
        host_->AddScore(-kHintCost);
    }
}

void Board::StopHint()
{
    for (Tile* tile : hintTiles_) {
        tile->wobble = false;
        tile->wobbleStart = 0;
    }
    hintTiles_.clear();
}

void Board::StartHintWobble()
{
    // 0 means "not moving", so a clock at 0 counts as 1.
    const int start = static_cast<int>(std::max<uint32_t>(Clock(), 1));
    for (Tile* tile : hintTiles_) {
        tile->wobble = true;
        tile->wobbleStart = start;
    }
    MarkDirty();
}

// ---------------------------------------------------------------------------------------------
// Shuffle

void Board::Shuffle()
{
    // Tiles in the corners or flights of a special move would be dealt over mid-way.
    if (!levelRunning_ || ended_ || movePhase_ != kPhaseEntry || moveRemaining_ > 0 ||
        FlightsBlockMoves())
        return;
    FinishFlights();
    FlyOut();
    moveDuration_ = moveRemaining_ = kShuffleMs;
    movePhase_ = kPhaseShuffleOut;
    PlaySound(kSoundShuffle);
    Deselect();
    String text;
    text.FormatResString(145, kShuffleSeconds);
    // Every tile flies out and back under the penalty's way up: it waits above the Shuffle
    // button, clear of them, and rises over the board once the tiles are home.
    scoreTexts_.emplace_back(text, 580, 447).wait = 2 * kShuffleMs;
    if (host_) host_->AddSeconds(kShuffleSeconds);
    MarkDirty();
}

void Board::FlyOut()
{
    for (int i = 0; i < layout_.Count(); ++i) {
        Tile* tile = layout_.TileAt(i);
        if (!tile->OnBoard()) continue;
        tile->startX = tile->screenRect.left;
        tile->startY = tile->screenRect.top;
        tile->screenRect.left = Mod4(tile->x) >= 2 ? 10 - offsetX_ : 742 - offsetX_;
        tile->screenRect.top = Mod4(tile->y) >= 2 ? 10 - offsetY_ : 384 - offsetY_;
    }
}

void Board::Reshuffle()
{
    dealChanged_ = true;
    DropFlights();
    StopHint();
    SRand(ticks_());
    dealer_.Deal(&layout_, percent_, moveNumber_, true);
    AfterChange();
    FlyBack();
    movePhase_ = kPhaseShuffleBack;
    moveDuration_ = moveRemaining_ = kShuffleMs;
}

void Board::FlyBack()
{
    for (int i = 0; i < layout_.Count(); ++i) {
        Tile* tile = layout_.TileAt(i);
        if (!tile->OnBoard()) continue;
        std::swap(tile->startX, tile->screenRect.left);
        std::swap(tile->startY, tile->screenRect.top);
    }
}

// ---------------------------------------------------------------------------------------------
// Undo

void Board::FinishFlights()
{
    if (flights_.empty()) return;
    // The move that cuts the landing short (an undo, a shuffle, the next pair) changes the
    // board at once, so a no-moves check now would judge a board about to change.
    landingCutShort_ = true;
    if (step_ == kStepPairToTray) LandPair();
    else if (step_ == kStepUndoReturn) LandUndo();
    landingCutShort_ = false;
}

void Board::Undo()
{
    if (moveNumber_ <= 0 || ended_ || FlightsBlockMoves() || movePhase_ != kPhaseEntry ||
        moveRemaining_ > 0)
        return;
    FinishFlights();
    StopHint();
    Deselect();

    std::vector<Tile*> tiles(kMaxMoveTiles);
    const int k = std::min(layout_.CollectByRemoved(moveNumber_, tiles), kMaxMoveTiles);
    tiles.resize(static_cast<size_t>(std::max(k, 0)));
    const bool hasWildAll = std::any_of(tiles.begin(), tiles.end(),
                                        [](const Tile* t) { return t->kind == kKindWildAll; });
    const bool hasComplement = std::any_of(
        tiles.begin(), tiles.end(), [](const Tile* t) { return t->kind == kKindComplementFirst; });
    bool normalPair = false;
    TileKind pairKind = kKindUndealt;
    DropFlights();

    auto home = [&](Tile* tile, int fromX, int duration, int shift) {
        FlyingTile flight = FlightOfKind(tile->kind, fromX, kTrayY, duration);
        flight.tile = tile;
        AddFlight(flight, DrawnX(tile) + shift, DrawnY(tile) - shift);
    };

    if (k == 1 && tiles[0]->link) {
        Tile* tile = tiles[0];
        tile->free = true;
        FlyingTile flight = FlightOfKind(kKindWildOne, kTrayLeftX, kTrayY, 300);
        flight.tile = tile;
        AddFlight(flight, DrawnX(tile->link), DrawnY(tile->link));
        step_ = kStepUnabsorbToWild;
    } else if (hasWildAll) {
        // The wild and every tile it took, whatever their number.
        for (Tile* tile : tiles) {
            home(tile, tile->kind == kKindWildAll ? kTrayLeftX : kTrayRightX, 400, 0);
            if (tile->kind != kKindWildAll && host_) host_->AddScore(-TileScore(tile->kind));
        }
        step_ = kStepUndoReturn;
    } else if (k == 2 && hasComplement) {
        for (Tile* tile : tiles)
            home(tile, tile->kind == kKindComplementFirst ? kTrayLeftX : kTrayRightX, 400, 14);
        step_ = kStepUndoReturn;
    } else if (k == 2) {
        Tile* left = tiles[0]->startX < tiles[1]->startX ? tiles[0] : tiles[1];
        for (Tile* tile : tiles) home(tile, tile == left ? kTrayLeftX : kTrayRightX, 400, 14);
        pairKind = tiles[0]->kind;
        normalPair = pairKind < kKindExit;
        if (host_) host_->AddScore(-2 * TileScore(pairKind));
        step_ = kStepUndoReturn;
    } else if (k > 0) {
        // A lone tile without its wild, or more tiles than any move removes: only from a
        // damaged record. They go home like a pair.
        for (Tile* tile : tiles) home(tile, kTrayRightX, 400, 14);
        step_ = kStepUndoReturn;
    }

    --moveNumber_;
    TrayFromLastMove();
    if (normalPair && trayKind1_ < kKindExit && SameKind(trayKind1_, pairKind) && host_)
        host_->AddScore(-kComboBonus);
    PlaySound(kSoundUndo);
    MarkDirty();
}

void Board::LandUndo()
{
    std::vector<Tile*> tiles;
    const int start = static_cast<int>(std::max<uint32_t>(Clock(), 1));
    for (const FlyingTile& flight : flights_) {
        if (!flight.tile) continue;
        flight.tile->removedAt = 0;
        flight.tile->wobbleStart = start;
        tiles.push_back(flight.tile);
    }
    // Every returned tile is back before any is tested, so they block one another correctly.
    for (Tile* tile : tiles) layout_.UpdateFreeFlag(tile);
    layout_.CollectFreedBy(tiles, {}, false);
    AfterChange();
    DropFlights();
}

void Board::LandUnabsorbToWild()
{
    Tile* tile = flights_.empty() ? nullptr : flights_[0].tile;
    DropFlights();
    Tile* wild = tile ? tile->link : nullptr;
    if (!wild) return;
    tile->kind = wild->kind;
    FlyingTile flight = FlightOfKind(tile->kind, DrawnX(wild), DrawnY(wild), 300);
    flight.tile = tile;
    AddFlight(flight, DrawnX(tile) + 14, DrawnY(tile) - 14);
    step_ = kStepUnabsorbHome;
    wild->kind = kKindWildOne;
    wild->fixed = true;
    tile->link = nullptr;
}

void Board::LandUnabsorbHome()
{
    Tile* tile = flights_.empty() ? nullptr : flights_[0].tile;
    DropFlights();
    if (!tile) return;
    tile->removedAt = 0;
    tile->wobbleStart = static_cast<int>(std::max<uint32_t>(Clock(), 1));
    layout_.CollectFreedByPair(tile, nullptr, {}, false);
    layout_.UpdateFreeFlag(tile);
    AfterChange();
}

void Board::TrayFromLastMove()
{
    trayKind1_ = trayKind2_ = 0;
    if (moveNumber_ == 0) return;
    std::vector<Tile*> tiles(kMaxMoveTiles);
    const int k = std::min(layout_.CollectByRemoved(moveNumber_, tiles), kMaxMoveTiles);
    if (k < 1) return;
    tiles.resize(static_cast<size_t>(k));
    const bool hasWildAll = std::any_of(tiles.begin(), tiles.end(),
                                        [](const Tile* t) { return t->kind == kKindWildAll; });
    if (k == 1) {
        trayKind1_ = kKindWildOne;
    } else if (hasWildAll || k > 2) {
        trayKind1_ = kKindWildAll;
        for (const Tile* tile : tiles) {
            if (tile->kind == kKindWildAll) continue;
            trayKind2_ = tile->kind;
            break;
        }
    } else if (tiles[0]->kind == kKindComplementFirst || tiles[1]->kind == kKindComplementFirst) {
        trayKind1_ = kKindComplementFirst;
        trayKind2_ = kKindComplementSecond;
    } else {
        trayKind1_ = tiles[0]->kind;
        trayKind2_ = tiles[1]->kind;
    }
}

// ---------------------------------------------------------------------------------------------
// No moves, cleared layouts and the end of a story level

void Board::CheckNoMoves()
{
    if (settling_ || landingCutShort_ || pairsAvailable_ > 0 || tilesLeft_ == 0) return;
    if (layout_.CollectFreeSpecials({}) > 0) {
        if (!tipNoMovesShown_) {
            tipNoMovesShown_ = true;
            SetTimer(5, 50, 1, 1);
        }
    } else if (host_) {
        host_->ShowNoMoves();
    }
}

void Board::CheckCleared()
{
    if (ended_ || !levelRunning_ || tilesLeft_ != 0 || layout_.Count() == 0) return;
    ended_ = true;
    if (mode_ == kFreePlay) {
        PostEvent(kEventLayoutDone);
        return;
    }
    // A story layout without an exit pair ends as a won level once it is cleared.
    if (host_) {
        host_->EnableButtons(false);
        host_->SetClockRunning(false);
        host_->UpdateStoryBestTime();
        host_->CheckStoryUnlock();
        host_->UpdateStoryBestScore(host_->Score());
    }
    levelRunning_ = false;
    PostEvent(kEventStoryWon);
}

void Board::MatchExitPair(Tile* a, Tile* b)
{
    ended_ = true;
    tilesLeft_ = layout_.TilesLeft();
    a->removedAt = moveNumber_;
    b->removedAt = moveNumber_;
    if (host_) {
        host_->EnableButtons(false);
        host_->SetClockRunning(false);
        host_->SetHudCounters(0, tilesLeft_);
        host_->UpdateStoryBestTime();
        host_->CheckStoryUnlock();
    }
    DropFlights();
    FlyingTile fa = FlightFrom(a, 800);
    FlyingTile fb = FlightFrom(b, 800);
    if (fb.startX < fa.startX) std::swap(fa, fb);
    AddFlight(fa, kTrayLeftX, kExitRowY);
    AddFlight(fb, kTrayRightX, kExitRowY);
    step_ = kStepExitPair;
    AwardPoints(b, 2, false);
    // The level is decided: its score is known now, so quitting during the collection keeps it.
    if (host_) host_->UpdateStoryBestScore(host_->Score() + BonusStillToCollect());
    PlaySound(kSoundExit);
    SetMusicSync(4, 12);
}

int Board::BonusStillToCollect()
{
    int points = collecting_ && !flights_.empty() ? CollectedBonus(flights_[0].kind) : 0;
    // The collection's own order, walked on the board and then undone.
    std::vector<Tile*> taken;
    for (;;) {
        Tile* first = nullptr;
        Tile* second = nullptr;
        layout_.LowestKindPair(&first, &second);
        if (!first) break;
        points += CollectedBonus(first->kind);
        for (Tile* tile : {first, second}) {
            if (!tile) continue;
            tile->removedAt = 1;
            taken.push_back(tile);
        }
    }
    for (Tile* tile : taken) tile->removedAt = 0;
    return points;
}

void Board::LandExitPair()
{
    if (tilesLeft_ <= kExitPairTiles) {
        DropFlights();
        FinalFlights();
        return;
    }
    CollectStep();
    collecting_ = true;
    step_ = kStepCollect;
    PlaySound(kSoundCollect);
}

void Board::CollectStep()
{
    if (collecting_ && !flights_.empty()) {
        const int bonus = CollectedBonus(flights_[0].kind);
        scoreTexts_.emplace_back(bonus, 388, 360);
        if (host_) host_->AddScore(bonus);
    }
    if (host_) host_->SetHudCounters(0, tilesLeft_);
    DropFlights();
    Tile* first = nullptr;
    Tile* second = nullptr;
    layout_.LowestKindPair(&first, &second);
    if (!first) {
        FinalFlights();
        return;
    }
    FlyingTile fa = FlightFrom(first, 350);
    first->removedAt = 1;
    --tilesLeft_;
    if (second) {
        FlyingTile fb = FlightFrom(second, 350);
        second->removedAt = 1;
        --tilesLeft_;
        if (fb.startX < fa.startX) std::swap(fa, fb);
        AddFlight(fa, kTrayLeftX, kExitRowY);
        AddFlight(fb, kTrayRightX, kExitRowY);
    } else {
        AddFlight(fa, kTrayLeftX, kExitRowY);
    }
    step_ = kStepCollect;
}

void Board::FinalFlights()
{
    collecting_ = false;
    DropFlights();
    AddFlight(FlightOfKind(kKindExit, kTrayLeftX, kExitRowY, 400), kTrayLeftX, kTrayY);
    AddFlight(FlightOfKind(kKindExit, kTrayRightX, kExitRowY, 400), kTrayRightX, kTrayY);
    step_ = kStepFinal;
}

void Board::LevelDone()
{
    levelRunning_ = false;
    DropFlights();
    trayKind1_ = trayKind2_ = kKindExit;
    if (host_) host_->SetHudCounters(0, 0);
    scoreTexts_.clear();
    PostEvent(kEventStoryWon);
}

void Board::SkipCollection()
{
    // Exactly what the collection would have paid, so the result recorded when the level was
    // decided is the score the player sees.
    const int points = BonusStillToCollect();
    DropFlights();
    tilesLeft_ = kExitPairTiles;
    if (host_) host_->SetHudCounters(0, tilesLeft_);
    layout_.RemoveNormalTiles();
    layout_.RemoveSpecialTiles();
    if (host_ && points) host_->AddScore(points);
    FinalFlights();
}
